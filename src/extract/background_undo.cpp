#include "extract/background_undo.h"

#include <utility>
#include <vector>

namespace quillory {

namespace {

// A block the file no longer begins with is left where it is, and loses nothing.
void TellFailureAlone(Desktop& desktop, const BackgroundUndo::Ended& ended) {
    if (!ended.removal.write) TellUndo(desktop, ended.written, ended.removal);
}

}  // namespace

// As the write: the window takes what was put before it went, the work
// tells what comes after, and the wake comes after the lock.
void BackgroundUndo::Start(WrittenBlock written) {
    if (Running()) return;
    job_.Start(
        [&services = services_, written = std::move(written), telling = telling_](const Job<Ended>::Hand& hand) mutable {
            Ended ended{std::move(written), {}};
            ended.removal = TakeBlockBack(services, ended.written);
            bool windowGone = false;
            {
                const std::lock_guard lock(telling->mutex);
                windowGone = telling->windowGone;
                if (!windowGone) hand.Box().Put(std::move(ended));
            }
            if (!windowGone) {
                hand.Wake();
            } else {
                TellFailureAlone(services, ended);
            }
        },
        AtExit::Finish);
}

std::optional<BackgroundUndo::Ended> BackgroundUndo::TakeNews() {
    std::vector<Ended> news = job_.Take();
    if (news.empty()) return std::nullopt;
    job_.Over();
    return std::move(news.back());
}

void BackgroundUndo::WindowGone() {
    std::vector<Ended> handed;
    {
        const std::lock_guard lock(telling_->mutex);
        telling_->windowGone = true;
        handed = job_.Take();
    }
    for (const Ended& ended : handed) TellFailureAlone(services_, ended);
}

}  // namespace quillory
