#pragma once
// The runner for the native tests: the work runs on the calling thread, and
// every wake hands over at once, so a listing is done when it has started.
#include <functional>

#include "platform/runner.h"

namespace quillory::fake {

class FakeRunner : public Runner {
public:
    void Run(std::function<void()> work) override { work(); }
    void Wake() override {
        if (onWake) onWake();
    }

    std::function<void()> onWake;  // what the window's thread does when woken
};

}  // namespace quillory::fake
