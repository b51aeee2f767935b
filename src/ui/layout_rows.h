#pragma once
// The row types a window's design is written in: one row per control, one row
// per menu item.
#include <cstdint>
#include <optional>
#include <span>

#include "ui/ids.h"

namespace quillory {

enum class ControlKind { GroupBox, Label, PushButton, RadioButton, EditBox, CheckList, DriveBox, DirectoryBox };

struct Rgb {
    std::uint8_t red, green, blue;
};

struct FontStyle {
    const char* face;
    int height;  // LOGFONT height: negative is the character height in pixels
};
inline constexpr int kFontWeight = 400;
inline constexpr int kFontCharset = 134;  // GB2312

struct ControlRow {
    ControlId id;
    const char* name;
    ControlKind kind;
    std::optional<ControlId> container;  // none: the window
    int left, top, width, height;        // in the container
    const char* caption;
    FontStyle font;
    std::optional<Rgb> textColour;        // none: the system's
    std::optional<Rgb> backgroundColour;  // none: the system's
    bool sunkenBorder;
    bool initiallyChecked;  // radio buttons
};

// The mark an item can carry: a bullet for one of a group, a tick for an on/off choice.
enum class MenuMark { None, Radio, Check };

struct MenuItemRow {
    Command command;
    const char* caption;
    MenuMark mark = MenuMark::None;
    // A submenu's own items; items put in while the program runs go before them.
    std::span<const MenuItemRow> submenu{};
};

struct MenuRow {
    const char* caption;
    std::span<const MenuItemRow> items;
};

}  // namespace quillory
