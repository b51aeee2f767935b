#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/layout_rows.h"
#include "ui/win32/gdi_handles.h"

namespace quillory::win32 {

// The controls' fonts at one DPI, one per face and height, alive as long as
// the controls use them.
class FontSet {
public:
    explicit FontSet(int dpi) : dpi_(dpi) {}

    HFONT For(const FontStyle& row);

private:
    struct Entry {
        std::string face;
        int height;
        FontHandle font;
    };
    int dpi_;
    std::vector<Entry> fonts_;
};

}  // namespace quillory::win32
