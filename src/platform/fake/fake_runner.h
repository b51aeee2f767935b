#pragma once
// The runner for the native tests: the work runs on the calling thread, and
// every wake hands over at once, so a listing is done when it has started.
// A test may hold the work instead and run it when it chooses, as a slow
// thread would.
#include <functional>
#include <utility>
#include <vector>

#include "platform/runner.h"
#include "platform/window_thread.h"

namespace quillory::fake {

class FakeRunner : public Runner {
public:
    using Runner::Run;
    void Run(std::function<void()> work, AtExit) override {
        // Held or not, the work runs as a job's, though on the test's thread.
        auto asJob = [work = std::move(work)] {
            const window_thread::WorkScope scope;
            work();
        };
        if (holdWork) {
            held.push_back(std::move(asJob));
        } else {
            asJob();
        }
    }
    void Wake() override {
        if (onWake) onWake();
    }

    std::function<void()> onWake;  // what the window's thread does when woken
    bool holdWork = false;
    std::vector<std::function<void()>> held;  // in the order it was started
};

}  // namespace quillory::fake
