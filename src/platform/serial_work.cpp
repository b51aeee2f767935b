#include "platform/serial_work.h"

#include <utility>

namespace quillory {

// One runner's thread at a time takes the pieces, and ends when none is left.
void SerialWork::Post(std::function<void()> piece) {
    {
        const std::lock_guard lock(state_->mutex);
        state_->pieces.push_back(std::move(piece));
        if (state_->running) return;
        state_->running = true;
    }
    runner_.Run([state = state_] { RunAll(state); }, atExit_);
}

bool SerialWork::Idle() const {
    const std::lock_guard lock(state_->mutex);
    return !state_->running;
}

void SerialWork::RunAll(const std::shared_ptr<State>& state) {
    for (;;) {
        std::function<void()> piece;
        {
            const std::lock_guard lock(state->mutex);
            if (state->pieces.empty()) {
                state->running = false;
                return;
            }
            piece = std::move(state->pieces.front());
            state->pieces.pop_front();
        }
        piece();
    }
}

}  // namespace quillory
