#include "support/window_pinger.h"

#include <chrono>

namespace quillory::testing {

namespace {

constexpr UINT kGiveUpAfter = 30'000;  // milliseconds: a window this slow fails anything that asks
constexpr auto kBetweenPings = std::chrono::milliseconds(5);

}  // namespace

WindowPinger::WindowPinger(HWND window, std::function<void()> look)
    : window_(window), look_(std::move(look)), pinger_([this](std::stop_token stop) { Ping(stop); }) {}

WindowPinger::~WindowPinger() {
    pinger_.request_stop();
    while (!ended_) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void WindowPinger::Ping(std::stop_token stop) {
    using Clock = std::chrono::steady_clock;
    while (!stop.stop_requested()) {
        const auto sent = Clock::now();
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpAfter, &answer);
        const double waited = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
        if (waited > longest_) longest_ = waited;
        look_();
        std::this_thread::sleep_for(kBetweenPings);
    }
    ended_ = true;
}

}  // namespace quillory::testing
