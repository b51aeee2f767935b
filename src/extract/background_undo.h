#pragma once
// 撤销上次提取 as the window runs it: the block taken out of the day's file
// on a worker, what came of it told by the window when it ends. One at a
// time; the window going lets it end first, as a write does, and a failure
// is still told.
#include <memory>
#include <mutex>
#include <optional>

#include "extract/extraction_undo.h"
#include "platform/job.h"
#include "platform/services.h"

namespace quillory {

class BackgroundUndo {
public:
    // `runner` runs it after the writes asked for before it.
    BackgroundUndo(Services& services, Runner& runner) : services_(services), job_(runner) {}

    // Nothing while one runs.
    void Start(WrittenBlock written);
    bool Running() const { return job_.Running(); }

    struct Ended {
        WrittenBlock written;
        BlockRemoval removal;
    };
    // The undo that ended, for the window to tell (TellUndo).
    std::optional<Ended> TakeNews();
    void WindowGone();

private:
    // Shared with the work, which learns under its lock whether anyone is left to tell.
    struct Telling {
        std::mutex mutex;
        bool windowGone = false;
    };

    Services& services_;
    std::shared_ptr<Telling> telling_ = std::make_shared<Telling>();
    Job<Ended> job_;
};

}  // namespace quillory
