#pragma once
// Text to and from other programs through the clipboard.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillory::win32 {

// Replaces what the clipboard holds with the text as Unicode, so that names
// outside the ANSI code page arrive whole; the system offers it in the code
// page to programs that ask for that. Nothing changes when another program
// holds the clipboard open.
void PutTextOnClipboard(HWND owner, std::wstring_view text);

// The clipboard's Unicode text; nothing when it holds none or another
// program holds it open.
std::optional<std::wstring> TextOnClipboard(HWND owner);

// Hands the files copied in the file manager to `use` while the clipboard
// is open; the drop stays the clipboard's. False when it holds none.
bool UseFilesOnClipboard(HWND owner, const std::function<void(HDROP files)>& use);

}  // namespace quillory::win32
