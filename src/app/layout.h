#pragma once
// The main window's design as data: one row per control, one row per menu item.
#include <cstdint>
#include <optional>
#include <span>

#include "app/ids.h"
#include "help/maker_site.h"

namespace quillory {

inline constexpr const char* kTitlePrefix = "Quillory ---- ";  // followed by kMakerSite
inline constexpr int kWindowWidth = 426;   // outer, frame and menu bar included
inline constexpr int kWindowHeight = 433;

enum class ControlKind { GroupBox, Label, PushButton, RadioButton, EditBox, CheckList, DriveBox, DirectoryBox };

struct Rgb {
    std::uint8_t red, green, blue;
};
inline constexpr Rgb kDarkRed{128, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kWhite{255, 255, 255};

struct FontStyle {
    const char* face;
    int height;  // LOGFONT height: negative is the character height in pixels
};
inline constexpr FontStyle kNormalFont{"微软雅黑", -12};
inline constexpr FontStyle kPanelCaptionFont{"微软雅黑", -14};
inline constexpr FontStyle kDriveBoxFont{"华康少女文字W5(P)", -14};
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

std::span<const ControlRow> ControlTable();
const ControlRow& RowOf(ControlId id);

struct MenuItemRow {
    Command command;
    const char* caption;
};

struct MenuRow {
    const char* caption;
    std::span<const MenuItemRow> items;
};

std::span<const MenuRow> MenuBar();

}  // namespace quillory
