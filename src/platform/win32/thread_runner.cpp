#include "platform/win32/thread_runner.h"

#include <algorithm>

namespace quillory::win32 {

ThreadRunner::~ThreadRunner() {
    for (Worker& worker : workers_) worker.thread.join();
}

void ThreadRunner::Run(std::function<void()> work, AtExit atExit) {
    JoinFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    workers_.push_back({std::thread([work = std::move(work), done] {
                            work();
                            *done = true;
                        }),
                        done, atExit});
}

// Looked at now and then: this runs once, at the end.
bool ThreadRunner::EndBy(std::chrono::steady_clock::time_point deadline) {
    constexpr auto kLook = std::chrono::milliseconds(10);
    const auto mustFinish = [this] {
        return std::any_of(workers_.begin(), workers_.end(),
                           [](const Worker& worker) { return worker.atExit == AtExit::Finish && !*worker.done; });
    };
    for (JoinFinished(); !workers_.empty(); JoinFinished()) {
        if (std::chrono::steady_clock::now() >= deadline && !mustFinish()) return false;
        std::this_thread::sleep_for(kLook);
    }
    return true;
}

// Threads whose work is over end at once; the others are left to end in
// their own time.
void ThreadRunner::JoinFinished() {
    std::erase_if(workers_, [](Worker& worker) {
        if (!*worker.done) return false;
        worker.thread.join();
        return true;
    });
}

void ThreadRunner::Wake() {
    if (posted_.exchange(true)) return;
    if (!PostMessageW(window_, message_, 0, 0)) posted_ = false;
}

}  // namespace quillory::win32
