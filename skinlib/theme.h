#pragma once
// The palette in use, with a brush for every entry.
#include <array>

#include "core/palette.h"
#include "gdi.h"

namespace skin {

class Theme {
public:
    explicit Theme(const Palette& palette);

    const Palette& Colours() const { return palette_; }
    HBRUSH BrushOf(Rgb Palette::*entry) const;

private:
    Palette palette_;
    std::array<Brush, kPaletteKeys.size()> brushes_;
};

}  // namespace skin
