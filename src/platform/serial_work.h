#pragma once
// Pieces of work that must run one at a time in the order they were asked
// for, in the background: the settings written after each choice, the
// watch of the shown folder set up and torn down, and all that writes the
// storage, none interleaved with another. A piece never waits behind the
// window, nor the window behind a piece. As a runner, it runs jobs as
// pieces, each after those posted before it.
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/runner.h"

namespace quillory {

class SerialWork final : public Runner {
public:
    SerialWork(Runner& runner, AtExit atExit) : runner_(runner), atExit_(atExit), state_(std::make_shared<State>()) {}
    SerialWork(const SerialWork&) = delete;
    SerialWork& operator=(const SerialWork&) = delete;

    // Runs after every piece posted before it.
    void Post(std::function<void()> piece);
    // A job's work ends at exit as all pieces do: by `atExit` as constructed.
    using Runner::Run;
    void Run(std::function<void()> work, AtExit) override { Post(std::move(work)); }
    void Wake() override { runner_.Wake(); }
    // No piece waits or runs.
    bool Idle() const;

private:
    struct State {
        mutable std::mutex mutex;
        std::deque<std::function<void()>> pieces;
        bool running = false;
    };
    static void RunAll(const std::shared_ptr<State>& state);

    Runner& runner_;
    AtExit atExit_;
    std::shared_ptr<State> state_;
};

}  // namespace quillory
