#pragma once
// The user's language and clock: how names sort and fold, and today's date.
// Nothing here touches a disk, so any thread may ask.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/name_list.h"

namespace quillory {

class Locale {
public:
    virtual ~Locale() = default;

    // The positions of the names in the order the file manager sorts them
    // (natural order: "f2" before "f10").
    virtual std::vector<std::uint32_t> NaturalOrder(const NameList& names) = 0;
    // Whether `left` comes before `right` in that order.
    virtual bool NaturallyBefore(std::string_view left, std::string_view right) = 0;

    // The text with every letter in upper case as the system folds letters
    // of any script, so that two texts compare without regard to case.
    virtual std::string UpperCase(std::string_view text) = 0;

    // Today's local date as YYYY-MM-DD.
    virtual std::string TodayText() = 0;
};

}  // namespace quillory
