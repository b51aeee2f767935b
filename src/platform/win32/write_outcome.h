#pragma once
// Windows errors met while writing, as the outcome the logic tells the user.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/services.h"

namespace quillory::win32 {

// The system's own words for the error, without the line break it ends in.
std::string SystemText(DWORD error);

// The fault the error stands for, with the error's code and the system's text.
WriteOutcome FailureOf(DWORD error);

// The same for an error met in a folder: a refusal there means no new file may go in.
WriteOutcome FolderFailureOf(DWORD error);

// A fault the program found itself, with no error of the system's.
WriteOutcome Refusal(WriteFault fault);

// A full disk: `needed` bytes were to go into `folder` (ending in a backslash),
// which had `free` bytes free before the write began, where that was known.
WriteOutcome DiskFull(const std::wstring& folder, std::uint64_t needed, std::optional<std::uint64_t> free);

// Bytes the caller may still write in the folder, when that can be asked.
std::optional<std::uint64_t> FreeSpace(const std::wstring& folder);

}  // namespace quillory::win32
