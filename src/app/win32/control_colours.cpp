#include "app/win32/control_colours.h"

namespace quillory::win32 {

namespace {

COLORREF ColourRef(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

}  // namespace

HBRUSH ControlColours::Apply(const ControlRow& row, HDC dc, HBRUSH systemBrush) {
    if (row.textColour) SetTextColor(dc, ColourRef(*row.textColour));
    if (!row.backgroundColour) return systemBrush;
    const COLORREF background = ColourRef(*row.backgroundColour);
    SetBkColor(dc, background);
    return BrushOf(background);
}

HBRUSH ControlColours::BrushOf(COLORREF colour) {
    for (const auto& [known, brush] : brushes_) {
        if (known == colour) return brush.Get();
    }
    brushes_.emplace_back(colour, BrushHandle(CreateSolidBrush(colour)));
    return brushes_.back().second.Get();
}

}  // namespace quillory::win32
