#include "platform/win32/thread_runner.h"

#include <algorithm>

namespace quillory::win32 {

// The writes end first, whatever else runs; the rest has been told to stop.
ThreadRunner::~ThreadRunner() {
    for (Worker& worker : workers_) {
        if (worker.toEnd) worker.thread.join();
    }
    for (Worker& worker : workers_) {
        if (!worker.toEnd) worker.thread.join();
    }
}

void ThreadRunner::Run(std::function<void()> work) { Start(std::move(work), false); }

void ThreadRunner::RunToEnd(std::function<void()> work) { Start(std::move(work), true); }

void ThreadRunner::Start(std::function<void()> work, bool toEnd) {
    JoinFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    workers_.push_back({std::thread([work = std::move(work), done] {
                            work();
                            *done = true;
                        }),
                        done, toEnd});
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
