#pragma once
// The last news of work that ends even when the window has gone (a write,
// an undo): handed to the window while it is there, else left to the work to
// tell on its own. Whether anyone is left is settled under one lock: the
// window takes what was put before it went, the work tells what comes after.
#include <memory>
#include <mutex>
#include <vector>

#include "platform/job.h"

namespace quillory {

template <typename News>
class LastWord {
public:
    // On the work's thread. False, with `news` untouched, when the window
    // has gone. The wake comes after the lock, since the native tests'
    // runner takes the news, and may start the next work, inside it.
    bool Give(const typename Job<News>::Hand& hand, News& news) const {
        {
            const std::lock_guard lock(state_->mutex);
            if (state_->windowGone) return false;
            hand.Box().Put(std::move(news));
        }
        hand.Wake();
        return true;
    }

    // On the window's thread as it goes: what was given and not yet taken.
    std::vector<News> WindowGone(Job<News>& job) const {
        const std::lock_guard lock(state_->mutex);
        state_->windowGone = true;
        return job.Take();
    }

private:
    struct State {
        std::mutex mutex;
        bool windowGone = false;
    };
    // Shared by the owner and the work's copy.
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace quillory
