#pragma once
#include <windows.h>

namespace quillory::win32 {

// A group box that holds controls. The controls send their notifications to
// the group box, which hands them on to its own parent, so the window sees
// them as from its own children. It paints its frame and caption itself in the
// colours its parent answers to WM_CTLCOLORSTATIC: a themed group box would
// ignore the caption's text colour.
class GroupBox {
public:
    // `dpi` places the caption.
    GroupBox(HWND handle, int dpi);
    ~GroupBox();
    GroupBox(const GroupBox&) = delete;
    GroupBox& operator=(const GroupBox&) = delete;

    HWND Handle() const { return handle_; }
    void SetDpi(int dpi);

private:
    static LRESULT CALLBACK Proc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;
    void Detach();

    HWND handle_;
    int dpi_;
};

}  // namespace quillory::win32
