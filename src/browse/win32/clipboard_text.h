#pragma once
// Text for other programs through the clipboard.
#include <windows.h>

#include <string_view>

namespace quillory::win32 {

// Replaces what the clipboard holds with the text as Unicode, so that names
// outside the ANSI code page arrive whole; the system offers it in the code
// page to programs that ask for that. Nothing changes when another program
// holds the clipboard open.
void PutTextOnClipboard(HWND owner, std::wstring_view text);

}  // namespace quillory::win32
