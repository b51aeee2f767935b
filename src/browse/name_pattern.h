#pragma once
// Patterns that pick listed names, such as "*.jpg;*.png" or "照片\*": "*"
// stands for any run of characters, "?" for one, letters match without
// regard to case. A pattern with a "\" is matched against the whole path
// relative to the shown folder, one without against the file's name alone.
#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"

namespace quillory {

class NamePatterns {
public:
    // Patterns are separated by ";" or blanks; "/" is taken for "\".
    NamePatterns(Locale& locale, std::string_view text);

    // Why the text picks nothing sensible, for the user; empty when it is
    // fine. A pattern is invalid when it holds a character no file name
    // holds (< > : " | or a control character), or when a "\" leads it,
    // ends it or follows another.
    const std::string& Fault() const { return fault_; }
    // Nothing but separators.
    bool Empty() const { return patterns_.empty(); }

    bool AnyMatches(std::string_view listedName) const;

private:
    struct Pattern {
        std::u32string folded;
        bool againstPath;
    };

    // False, with the fault noted, for an invalid pattern.
    bool Add(std::string_view written);
    std::u32string Folded(std::string_view text) const;

    Locale* locale_;
    std::vector<Pattern> patterns_;
    std::string fault_;
};

}  // namespace quillory
