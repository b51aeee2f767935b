#include "ui/win32/font_set.h"

#include "ui/win32/dpi.h"
#include "platform/win32/encoding.h"

namespace quillory::win32 {

HFONT FontSet::For(const FontStyle& row) {
    for (const Entry& entry : fonts_) {
        if (entry.face == row.face && entry.height == row.height) return entry.font.Get();
    }
    // A face that is not installed is left to the system's font mapping.
    FontHandle font(CreateFontW(Scaled(row.height, dpi_), 0, 0, 0, kFontWeight, FALSE, FALSE, FALSE, kFontCharset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, Wide(row.face).c_str()));
    const HFONT handle = font.Get();
    fonts_.push_back({row.face, row.height, std::move(font)});
    return handle;
}

}  // namespace quillory::win32
