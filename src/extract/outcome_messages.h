#pragma once
// What the user is told after an extraction: the texts alone, so a window
// shows them in message boxes and a console can print them.
#include <cstdint>
#include <string>

#include "platform/services.h"

namespace quillory {

inline constexpr const char* kSuccessMessage = "提取成功，所在目录为:";

// A block above this size is written only after the user agreed.
inline constexpr std::uint64_t kLargeBlockBytes = 64u << 20;

// What a written block leaves short of what was asked, each told on a line of its own.
struct ShortfallCounts {
    int ticked = 0;  // above the table's slots, how many were and which were written is told
    int namesWithLostCharacters = 0;
    int namesWithoutDetails = 0;
};

// The lines for each shortfall, none when nothing fell short.
std::string ShortfallNotes(const ShortfallCounts& counts);

// The first line names the day's file; the shortfalls follow.
std::string SuccessMessage(const std::string& dayFile, const ShortfallCounts& counts);

// Why a write failed, in words the user can act on.
std::string WriteFailureReason(const WriteOutcome& outcome);

// What failed, why, and the day's file's path.
std::string WriteFailureMessage(const WriteOutcome& outcome, const std::string& dayFile);

// Whether a block of this size shall be written.
std::string LargeBlockQuestion(std::uint64_t blockBytes);

// Why a block of this size was not written where nobody can be asked.
std::string LargeBlockRefusal(std::uint64_t blockBytes);

}  // namespace quillory
