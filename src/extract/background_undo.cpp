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

// As the write: a failure after the window went is told by the work.
void BackgroundUndo::Start(WrittenBlock written) {
    if (Running()) return;
    job_.Start(
        [&services = services_, written = std::move(written), lastWord = lastWord_](const Job<Ended>::Hand& hand) mutable {
            Ended ended{std::move(written), {}};
            ended.removal = TakeBlockBack(services, ended.written);
            if (!lastWord.Give(hand, ended)) TellFailureAlone(services, ended);
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
    for (const Ended& ended : lastWord_.WindowGone(job_)) TellFailureAlone(services_, ended);
}

}  // namespace quillory
