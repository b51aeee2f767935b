#pragma once
// The skin's palette and the text of a skin file that names it.
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "core/colour.h"

namespace skin {

struct Palette {
    Rgb window;         // top-level windows, labels, group boxes, check and radio boxes
    Rgb face;           // push-button faces
    Rgb frame;          // group-box frames, button and edit borders
    Rgb light;          // the light inner line of frames and borders
    Rgb text;           // text where the program sets no colour of its own
    Rgb field;          // edit boxes and lists where the program sets no background
    Rgb highlight;      // pressed buttons
    Rgb highlightText;  // text on the highlight
    Rgb menu;           // the menu bar and its menus
    friend bool operator==(const Palette&, const Palette&) = default;
};

// Every palette entry under its key in the skin file.
inline constexpr std::array<std::pair<std::string_view, Rgb Palette::*>, 9> kPaletteKeys{{
    {"window", &Palette::window},
    {"face", &Palette::face},
    {"frame", &Palette::frame},
    {"light", &Palette::light},
    {"text", &Palette::text},
    {"field", &Palette::field},
    {"highlight", &Palette::highlight},
    {"highlight-text", &Palette::highlightText},
    {"menu", &Palette::menu},
}};

// Plain light greys: the look before (or without) a skin file.
Palette BuiltInPalette();

// "#RRGGBB", either case, nothing around it.
std::optional<Rgb> ParseColour(std::string_view text);

// Lines of `key = #RRGGBB`; ";" starts a comment, as does "#" at the start of a
// line. Keys the text does not set, unknown keys and unreadable values leave
// `base` as it is.
Palette ParseSkin(std::string_view text, Palette base);

Palette Adjust(const Palette& palette, const Adjustment& adjustment);

}  // namespace skin
