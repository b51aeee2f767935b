#pragma once
// The main window's design as data: one row per control, one row per menu item.
#include <span>

#include "help/maker_site.h"
#include "ui/layout_rows.h"

namespace quillory {

inline constexpr const char* kTitlePrefix = "Quillory ---- ";  // followed by kMakerSite
inline constexpr int kWindowWidth = 426;   // outer, frame and menu bar included
inline constexpr int kWindowHeight = 433;

inline constexpr Rgb kDarkRed{128, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kWhite{255, 255, 255};

inline constexpr FontStyle kNormalFont{"微软雅黑", -12};
inline constexpr FontStyle kPanelCaptionFont{"微软雅黑", -14};
inline constexpr FontStyle kDriveBoxFont{"华康少女文字W5(P)", -14};

std::span<const ControlRow> ControlTable();
const ControlRow& RowOf(ControlId id);

std::span<const MenuRow> MenuBar();

}  // namespace quillory
