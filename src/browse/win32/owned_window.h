#pragma once
// A window that a control created and destroys with itself, unless its parent
// has destroyed it already.
#include <windows.h>

#include "platform/win32/handles.h"

namespace quillory::win32 {

struct OwnedWindowTraits {
    using Value = HWND;
    static Value Invalid() { return nullptr; }
    static void Close(Value window) {
        if (IsWindow(window)) DestroyWindow(window);
    }
};
using OwnedWindow = Unique<OwnedWindowTraits>;

}  // namespace quillory::win32
