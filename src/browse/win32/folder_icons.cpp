#include "browse/win32/folder_icons.h"

#include <shellapi.h>

namespace quillory::win32 {

namespace {

struct SystemPicture {
    HIMAGELIST list;
    int index;
};

// `sizeFlag` is SHGFI_SMALLICON or SHGFI_LARGEICON, `openFlag` 0 or SHGFI_OPENICON.
SystemPicture FolderPicture(UINT sizeFlag, UINT openFlag) {
    SHFILEINFOW info{};
    const auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | sizeFlag | openFlag));
    return {list, info.iIcon};
}

int PictureSize(HIMAGELIST list) {
    int width = 0, height = 0;
    ImageList_GetIconSize(list, &width, &height);
    return width;
}

// The list stretches what it is given to its own size.
int AddTo(HIMAGELIST list, const SystemPicture& picture) {
    const HICON icon = ImageList_GetIcon(picture.list, picture.index, ILD_NORMAL);
    const int index = ImageList_ReplaceIcon(list, -1, icon);
    DestroyIcon(icon);
    return index;
}

}  // namespace

FolderIcons::FolderIcons(int size) : size_(size) {
    const SystemPicture closed = FolderPicture(SHGFI_SMALLICON, 0);
    const int smallSize = PictureSize(closed.list);
    if (smallSize == size) {
        shown_ = closed.list;
        closed_ = closed.index;
        open_ = FolderPicture(SHGFI_SMALLICON, SHGFI_OPENICON).index;
        return;
    }
    const UINT source = size > smallSize ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    owned_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0));
    shown_ = owned_.Get();
    closed_ = AddTo(shown_, FolderPicture(source, 0));
    open_ = AddTo(shown_, FolderPicture(source, SHGFI_OPENICON));
}

void FolderIcons::Draw(bool open, HDC dc, int left, int top) const {
    ImageList_Draw(shown_, open ? open_ : closed_, dc, left, top, ILD_TRANSPARENT);
}

}  // namespace quillory::win32
