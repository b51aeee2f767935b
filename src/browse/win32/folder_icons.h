#pragma once
// The closed and open folder pictures at one size, for the directory box's
// rows. The system's own small pictures where they have that size; at other
// DPIs the system's pictures brought to it, from the larger ones when the
// size is larger, so that they stay sharp.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/handles.h"

namespace quillory::win32 {

struct ImageListTraits {
    using Value = HIMAGELIST;
    static Value Invalid() { return nullptr; }
    static void Close(Value list) { ImageList_Destroy(list); }
};
using ImageListHandle = Unique<ImageListTraits>;

class FolderIcons {
public:
    explicit FolderIcons(int size);

    int Size() const { return size_; }
    void Draw(bool open, HDC dc, int left, int top) const;

private:
    int size_;
    ImageListHandle owned_;
    HIMAGELIST shown_ = nullptr;  // the system's, shared and never destroyed, or owned_
    int closed_ = 0;
    int open_ = 0;
};

}  // namespace quillory::win32
