#pragma once
// A group box that holds one control under test and reflects the control's
// WM_COMMAND and WM_NOTIFY back to it, as the main window does, on a plain
// top-level window; it records the events the control raises. The top-level
// window lives as long as the test program: under Wine without a window
// manager, taking a shown window off the screen costs two seconds.
#include <windows.h>

#include <vector>

#include "ui/ids.h"
#include "app/layout.h"
#include "ui/win32/child_control.h"
#include "ui/win32/gdi_handles.h"

namespace quillory::testing {

class ControlHost {
public:
    ControlHost();
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    HWND Window() const { return window_; }
    HWND Parent() const { return groupBox_; }
    HFONT Font() const { return font_.Get(); }

    // Where the group box sends the control's notifications.
    void Reflect(win32::ChildControl& control) { control_ = &control; }
    win32::EventSink Recorder();

    // Dispatches every message waiting for this thread.
    void Pump();

    int Count(Event event) const;
    std::vector<Event> events;

private:
    static LRESULT CALLBACK GroupBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR self);
    HWND window_;
    HWND groupBox_;
    win32::FontHandle font_;
    win32::ChildControl* control_ = nullptr;
};

}  // namespace quillory::testing
