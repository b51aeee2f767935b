#include "theme.h"

namespace skin {

Theme::Theme(const Palette& palette) : palette_(palette) {
    for (std::size_t i = 0; i < kPaletteKeys.size(); ++i) {
        brushes_[i] = Brush(CreateSolidBrush(ToColorRef(palette_.*kPaletteKeys[i].second)));
    }
}

HBRUSH Theme::BrushOf(Rgb Palette::*entry) const {
    for (std::size_t i = 0; i < kPaletteKeys.size(); ++i) {
        if (kPaletteKeys[i].second == entry) return brushes_[i].Get();
    }
    return nullptr;
}

}  // namespace skin
