#pragma once
// Where work on a thread of its own puts what it hands over, and the
// window's thread takes it when the work has woken it (see runner.h).
#include <mutex>
#include <utility>
#include <vector>

namespace quillory {

template <typename News>
class Mailbox {
public:
    void Put(News news) {
        const std::lock_guard lock(mutex_);
        news_.push_back(std::move(news));
    }
    // Everything put since the last take, oldest first.
    std::vector<News> Take() {
        const std::lock_guard lock(mutex_);
        return std::exchange(news_, {});
    }

private:
    std::mutex mutex_;
    std::vector<News> news_;
};

}  // namespace quillory
