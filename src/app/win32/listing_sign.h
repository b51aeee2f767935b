#pragma once
// The sign that a listing runs, once it has run a moment: the cursor that
// says the program works in the background, over the window and its
// controls, and the count of names listed so far in the caption of the group
// box around the check-list. Nothing moves; a listing that ends within the
// moment shows nothing. A write into the day's file shows the same sign,
// with the bytes written so far, once it has lasted a second.
#include <windows.h>

#include <cstdint>
#include <string>

namespace quillory::win32 {

class ListingSign {
public:
    // What the sign counts: its timer, how long the work runs before the
    // sign shows, and the caption's addition for a count.
    struct Kind {
        UINT_PTR timer;
        UINT moment;
        std::wstring (*countText)(std::int64_t count);
    };
    static const Kind kListing;
    static const Kind kWriting;

    explicit ListingSign(const Kind& kind = kListing) : kind_(kind) {}

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

    const Kind& kind_;
    HWND window_ = nullptr;
    HWND groupBox_ = nullptr;
    std::wstring caption_;  // the group box's own
    bool underWay_ = false;
    bool shown_ = false;
    std::int64_t listed_ = 0;
    std::int64_t captionCount_ = -1;  // the count the caption shows
};

}  // namespace quillory::win32
