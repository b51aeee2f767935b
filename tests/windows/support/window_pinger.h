#pragma once
// Another thread asks the window for an answer every few milliseconds, as a
// user's clicks and the system's checks do, and notes the longest the window
// kept it waiting; after each answer it may look at the window, as another
// program would.
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace quillory::testing {

class WindowPinger {
public:
    explicit WindowPinger(HWND window, std::function<void()> look = [] {});
    // On the window's thread: answers the last ping while the pinger ends.
    ~WindowPinger();
    WindowPinger(const WindowPinger&) = delete;
    WindowPinger& operator=(const WindowPinger&) = delete;

    // The longest wait so far, in milliseconds.
    double LongestWait() const { return longest_; }

private:
    void Ping(std::stop_token stop);

    HWND window_;
    std::function<void()> look_;
    std::atomic<double> longest_{0};
    std::atomic<bool> ended_{false};
    std::jthread pinger_;  // last: it starts once everything above is there
};

}  // namespace quillory::testing
