#include "platform/win32/thread_runner.h"

#include <algorithm>

namespace quillory::win32 {

ThreadRunner::~ThreadRunner() {
    for (Worker& worker : workers_) worker.thread.join();
}

void ThreadRunner::Run(std::function<void()> work) {
    JoinFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    workers_.push_back({std::thread([work = std::move(work), done] {
                            work();
                            *done = true;
                        }),
                        done});
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
