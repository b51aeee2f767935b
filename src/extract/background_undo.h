#pragma once
// 撤销上次提取 as the window runs it: the block taken out of the day's file
// on a worker, what came of it told by the window when it ends. One at a
// time; the window going lets it end first, as a write does, and a failure
// is still told.
#include <memory>
#include <optional>

#include "extract/extraction_undo.h"
#include "platform/job.h"
#include "platform/last_word.h"
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

    Services& services_;
    LastWord<Ended> lastWord_;
    Job<Ended> job_;
};

}  // namespace quillory
