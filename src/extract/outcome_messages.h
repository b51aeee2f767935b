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

// The first line names the day's file; a second follows when names lost
// characters in the ANSI code page.
std::string SuccessMessage(const std::string& dayFile, int namesWithLostCharacters);

// That so many names lost characters, and how to keep them whole.
std::string LostCharactersNote(int namesWithLostCharacters);

// Why a write failed, in words the user can act on.
std::string WriteFailureReason(const WriteOutcome& outcome);

// What failed, why, and the day's file's path.
std::string WriteFailureMessage(const WriteOutcome& outcome, const std::string& dayFile);

// Whether a block of this size shall be written.
std::string LargeBlockQuestion(std::uint64_t blockBytes);

// Why a block of this size was not written where nobody can be asked.
std::string LargeBlockRefusal(std::uint64_t blockBytes);

}  // namespace quillory
