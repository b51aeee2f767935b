#pragma once
// Contract between the main window and the controls it hosts that are classes
// of their own (drive box, directory box, check-list).
#include <windows.h>

#include <functional>

#include "ui/ids.h"
#include "ui/win32/child_windows.h"

namespace quillory::win32 {

// Raises an event of the control's own in the event table.
using EventSink = std::function<void(Event)>;

class ChildControl {
public:
    virtual ~ChildControl() = default;
    virtual HWND Handle() const = 0;

    // WM_COMMAND and WM_NOTIFY that the control sent to its parent, reflected
    // back to it by the main window (also when the parent is a group box); so
    // are WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM,
    // WM_COMPAREITEM, WM_VKEYTOITEM and WM_CHARTOITEM. A WM_CTLCOLOR* left
    // unhandled gets the colours of the control's row. Messages sent while the
    // control's window is being created come before the window knows the control.
    // True when handled; `result` is then the message's answer.
    virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (void)message, (void)wParam, (void)lParam, (void)result;
        return false;
    }

    // The window's DPI changed: the control's new place in its parent and its
    // font at the new DPI. A control with windows or sizes of its own inside
    // fits them too. (The row a control is made from is at the window's DPI
    // and lives only as long as its constructor.)
    virtual void Relayout(const RECT& place, HFONT font) {
        PlaceChildWindow(Handle(), place, font);
    }
};

}  // namespace quillory::win32
