#include "support/message_box_answerer.h"

#include <chrono>

#include "platform/win32/encoding.h"
#include "support/window_queries.h"

namespace quillory::testing {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

bool IsIconStatic(HWND control) {
    return ClassOf(control) == "Static" && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

ShownMessage Read(HWND box) {
    ShownMessage shown{TextOf(box), {}, {}, false};
    for (HWND child : ChildrenOf(box)) {
        if (!IsWindowVisible(child)) continue;
        if (ClassOf(child) == "Button") {
            shown.buttons.push_back(TextOf(child));
        } else if (IsIconStatic(child)) {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            shown.hasIcon = shown.hasIcon || icon != nullptr;
            // The system's icons are shared: the box shows the very handle LoadIconW gives.
            shown.hasWarningIcon = shown.hasWarningIcon || (icon && icon == LoadIconW(nullptr, IDI_WARNING));
        } else if (ClassOf(child) == "Static" && !TextOf(child).empty()) {
            shown.text = TextOf(child);
        }
    }
    return shown;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(std::string title, int answer, DWORD thread)
    : title_(win32::Wide(title)), answer_(answer), thread_(thread), watcher_([this](std::stop_token stop) { Watch(stop); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() = default;

bool MessageBoxAnswerer::AwaitAnswers(std::size_t count, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (answered_.size() >= count) return true;
        }
        if (GetTickCount64() >= end) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::vector<ShownMessage> MessageBoxAnswerer::Answered() {
    watcher_.request_stop();
    watcher_.join();
    std::lock_guard lock(mutex_);
    return answered_;
}

void MessageBoxAnswerer::Watch(std::stop_token stop) {
    const auto isBox = [this](HWND window) {
        return IsWindowVisible(window) && ClassOf(window) == "#32770" && win32::Wide(TextOf(window)) == title_;
    };
    while (!stop.stop_requested()) {
        if (const HWND box = FindThreadWindow(thread_, isBox)) {
            {
                std::lock_guard lock(mutex_);
                answered_.push_back(Read(box));
            }
            const int button = GetDlgItem(box, answer_) ? answer_ : IDOK;
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
            while (IsWindow(box) && !stop.stop_requested()) std::this_thread::sleep_for(kPollInterval);
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace quillory::testing
