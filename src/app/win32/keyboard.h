#pragma once
// The window's own keys, taken from the message loop before the control with
// the focus sees them, so they work wherever the focus is.
#include <windows.h>

#include <span>

namespace quillory::win32 {

// Esc closes the window as its close box does; Tab and Shift+Tab move the
// focus along `tabOrder`; Ctrl+V outside an edit box pastes into the window
// (WM_PASTE); F5 lists the shown folder again. False for any other message, and for a key that the
// control with the focus wants itself (an open drop-down list closes on Esc).
bool HandleWindowKey(const MSG& message, HWND window, std::span<const HWND> tabOrder);

}  // namespace quillory::win32
