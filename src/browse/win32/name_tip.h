#pragma once
// The whole of a name that the check-list's column cuts, as a tooltip while
// the mouse rests on it. The list view's own label tips and info tips are
// missing from some comctl32 builds (Wine has neither), so this is a tooltip
// of its own: one tool for the whole list, whose text follows the item under
// the mouse. It reads the names through the list view.
#include <windows.h>

#include <string>

#include "browse/win32/owned_window.h"

namespace quillory::win32 {

class NameTip {
public:
    explicit NameTip(HWND list);

    // The mouse moved to a point of the list's client area.
    void FollowMouse(POINT point);
    // The items under the mouse may be others now (scrolled, or a new list).
    void Forget();

    HWND Handle() const { return tip_.Get(); }

private:
    int ItemAt(POINT point) const;
    std::wstring ShownName(int item) const;
    bool IsCut(int item, const std::wstring& name) const;
    void Hold(const std::wstring& text);

    HWND list_;
    int hovered_ = -1;  // the item under the mouse when it last moved
    OwnedWindow tip_;
};

}  // namespace quillory::win32
