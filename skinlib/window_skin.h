#pragma once
// How one window is skinned: its kind decides what the skin paints.
#include <windows.h>

#include <optional>
#include <set>

#include "control_colours.h"
#include "theme.h"

namespace skin {

enum class WindowKind { TopLevel, PushButton, GroupBox, ComboBox, ListView, TreeView, Plain };

struct SkinnedWindow {
    WindowKind kind;
    GivenColours given;
};

// Nothing for the windows the skin leaves alone: menus, tool tips, captionless pop-ups.
std::optional<WindowKind> KindOf(HWND window);

// The window's messages pass the skin from now on; the record must live until
// the window is destroyed.
bool Subclass(HWND window, SkinnedWindow& record);
void Unsubclass(HWND window);

// Gives the window the theme's colours where they are set by message, and
// has it redrawn.
void Restyle(HWND window, SkinnedWindow& record, const Theme& theme, std::set<HMENU>& skinnedMenus);

}  // namespace skin
