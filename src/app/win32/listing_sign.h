#pragma once
// The sign that a listing runs, once it has run a moment: the cursor that
// says the program works in the background, over the window and its
// controls, and the count of names listed so far in the caption of the group
// box around the check-list. Nothing moves; a listing that ends within the
// moment shows nothing.
#include <windows.h>

#include <cstdint>
#include <string>

namespace quillory::win32 {

class ListingSign {
public:
    // The window whose timer and cursor the sign uses, and the group box whose caption it extends.
    void Attach(HWND window, HWND groupBox);
    void UnderWay(std::int64_t listed);
    void Over();
    // True when the message was the sign's own.
    bool OnTimer(WPARAM id);
    // For WM_SETCURSOR: true when the sign has set the cursor.
    bool SetCursorOf() const;

private:
    void ShowCount();

    HWND window_ = nullptr;
    HWND groupBox_ = nullptr;
    std::wstring caption_;  // the group box's own
    bool underWay_ = false;
    bool shown_ = false;
    std::int64_t listed_ = 0;
    std::int64_t captionCount_ = -1;  // the count the caption shows
};

}  // namespace quillory::win32
