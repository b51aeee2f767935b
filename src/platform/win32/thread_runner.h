#pragma once
// The runner on Windows: each piece of work on a thread of its own, so a new
// listing never waits behind an abandoned one still stuck on a slow drive;
// a wake is a message posted to the window, one at a time.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/runner.h"

namespace quillory::win32 {

class ThreadRunner final : public Runner {
public:
    // Wakes post `message` to `window`.
    ThreadRunner(HWND window, UINT message) : window_(window), message_(message) {}
    // Waits for every thread; their work has been told to stop by then.
    ~ThreadRunner() override;
    ThreadRunner(const ThreadRunner&) = delete;
    ThreadRunner& operator=(const ThreadRunner&) = delete;

    using Runner::Run;
    void Run(std::function<void()> work, AtExit atExit) override;
    void Wake() override;
    // The window took the message: the next wake posts again.
    void Woken() { posted_ = false; }

    // Once the window has gone: waits for the work that must finish however
    // long it takes, and for the rest until `deadline`. True when every
    // thread has ended; false when some still wait, on a share that stopped
    // answering say, and only ending the process ends them.
    bool EndBy(std::chrono::steady_clock::time_point deadline);

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
        AtExit atExit;
    };
    void JoinFinished();

    HWND window_;
    UINT message_;
    std::atomic<bool> posted_{false};
    std::vector<Worker> workers_;
};

}  // namespace quillory::win32
