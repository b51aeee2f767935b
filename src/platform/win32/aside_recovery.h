#pragma once
// Putting back a day's file that a crash or a kill left set aside in the
// middle of a write, between the two renames of the replacement.
#include <string>

namespace quillory::win32 {

// In the folder (ending in a backslash), every set-aside file that no running
// program holds goes back into its day's file: under its old name when that
// is free or holds nothing but a byte-order mark; behind the content written
// there since otherwise. One whose encoding differs from that content stays.
void PutBackSetAsideFiles(const std::wstring& folder);

}  // namespace quillory::win32
