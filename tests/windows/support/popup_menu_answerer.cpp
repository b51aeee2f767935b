#include "support/popup_menu_answerer.h"

#include <chrono>

#include "platform/win32/encoding.h"
#include "support/window_queries.h"

namespace quillory::testing {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

#ifndef MN_GETHMENU
constexpr UINT MN_GETHMENU = 0x01E1;
#endif

ShownPopup Read(HWND popup) {
    ShownPopup shown;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        wchar_t caption[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(item), caption, 256, MF_BYPOSITION);
        shown.items.push_back(win32::Utf8(caption));
    }
    RECT rect{};
    GetWindowRect(popup, &rect);
    shown.topLeft = {rect.left, rect.top};
    return shown;
}

void PostKey(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

PopupMenuAnswerer::PopupMenuAnswerer(std::optional<int> choice)
    : choice_(choice), thread_(GetCurrentThreadId()), watcher_([this](std::stop_token stop) { Watch(stop); }) {}

PopupMenuAnswerer::~PopupMenuAnswerer() = default;

std::vector<ShownPopup> PopupMenuAnswerer::Answered() {
    watcher_.request_stop();
    watcher_.join();
    std::lock_guard lock(mutex_);
    return answered_;
}

void PopupMenuAnswerer::Answer(HWND popup) const {
    if (!choice_) return PostKey(popup, VK_ESCAPE);
    for (int step = 0; step <= *choice_; ++step) PostKey(popup, VK_DOWN);
    PostKey(popup, VK_RETURN);
}

void PopupMenuAnswerer::Watch(std::stop_token stop) {
    const auto isPopup = [](HWND window) { return IsWindowVisible(window) && ClassOf(window) == "#32768"; };
    while (!stop.stop_requested()) {
        if (const HWND popup = FindThreadWindow(thread_, isPopup)) {
            {
                std::lock_guard lock(mutex_);
                answered_.push_back(Read(popup));
            }
            Answer(popup);
            while (IsWindowVisible(popup) && !stop.stop_requested()) std::this_thread::sleep_for(kPollInterval);
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace quillory::testing
