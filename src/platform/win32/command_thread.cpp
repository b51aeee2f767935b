#include "platform/win32/command_thread.h"

#include <chrono>
#include <thread>
#include <utility>

namespace quillory::win32 {

namespace {

constexpr auto kGoingWait = std::chrono::milliseconds(500);

}  // namespace

CommandThread::CommandThread() : state_(std::make_shared<State>()) {
    std::thread([state = state_] { Run(state); }).detach();
}

// The commands still waiting run first: they tear down what earlier ones set up.
CommandThread::~CommandThread() {
    std::unique_lock lock(state_->mutex);
    state_->going = true;
    state_->changed.notify_all();
    state_->changed.wait_for(lock, kGoingWait, [this] { return state_->ended; });
}

void CommandThread::Post(std::function<void()> command) {
    const std::lock_guard lock(state_->mutex);
    state_->commands.push_back(std::move(command));
    state_->changed.notify_all();
}

void CommandThread::Run(const std::shared_ptr<State>& state) {
    std::unique_lock lock(state->mutex);
    for (;;) {
        state->changed.wait(lock, [&] { return state->going || !state->commands.empty(); });
        if (state->commands.empty()) break;
        std::function<void()> command = std::move(state->commands.front());
        state->commands.pop_front();
        lock.unlock();
        command();
        command = nullptr;  // what it holds goes on this thread too
        lock.lock();
    }
    state->ended = true;
    state->changed.notify_all();
}

}  // namespace quillory::win32
