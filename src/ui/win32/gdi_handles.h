#pragma once
// Owners of the GDI objects and menus the window creates.
#include <windows.h>

#include "platform/win32/handles.h"

namespace quillory::win32 {

template <typename T>
struct GdiObjectTraits {
    using Value = T;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { DeleteObject(value); }
};
using FontHandle = Unique<GdiObjectTraits<HFONT>>;
using BrushHandle = Unique<GdiObjectTraits<HBRUSH>>;

// A menu not yet handed to a window.
struct MenuTraits {
    using Value = HMENU;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { DestroyMenu(value); }
};
using MenuHandle = Unique<MenuTraits>;

}  // namespace quillory::win32
