#pragma once
// The check-list and the directory box follow the shown folder on disk. The
// folder is watched from the moment it is shown (the watch set up and torn
// down on a thread of its own, since either may wait for a share), and the names that came,
// went or were renamed are applied where they fall: a burst of them at once,
// and in a large folder that changes all the time at most every so often,
// so that the window stays the user's.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "browse/folder_changes.h"
#include "browse/win32/folder_watcher.h"
#include "platform/win32/command_thread.h"

namespace quillory::win32 {

class LiveList {
public:
    explicit LiveList(std::function<void(FolderChanges)> apply) : apply_(std::move(apply)) {}

    // Watches this folder, and with `subfolders` every folder below it, from
    // now on, in place of the one before.
    void Follow(HWND window, const std::string& folder, bool subfolders);
    // Nothing more is watched or applied.
    void Stop();
    // True when the message was the live list's own.
    bool OnMessage(UINT message, WPARAM wParam);
    // No change seen waits to be applied.
    bool Idle() const { return pending_.Empty() && !timerSet_; }

private:
    void ApplyAfter(ULONGLONG milliseconds);
    void ApplyNow();

    // The watcher is made and ended on the command thread, and asked for its
    // changes on the window's.
    struct Watch {
        std::mutex mutex;
        std::unique_ptr<FolderWatcher> watcher;
        WPARAM wanted = 0;  // the tag of the watch last asked for
    };
    void Replace(WPARAM tag, std::function<std::unique_ptr<FolderWatcher>()> make);

    std::function<void(FolderChanges)> apply_;
    HWND window_ = nullptr;
    std::shared_ptr<Watch> watch_ = std::make_shared<Watch>();
    WPARAM watched_ = 0;  // a message from an earlier watcher is stale
    FolderChanges pending_;
    bool timerSet_ = false;
    ULONGLONG lastApplyEnd_ = 0;
    ULONGLONG lastApplyTook_ = 0;
    CommandThread commands_;  // last: it goes first, while what its commands use is there
};

}  // namespace quillory::win32
