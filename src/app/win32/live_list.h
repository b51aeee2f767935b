#pragma once
// The check-list and the directory box follow the shown folder on disk. The
// folder is watched from the moment it is shown, and the names that came,
// went or were renamed are applied where they fall: a burst of them at once,
// and in a large folder that changes all the time at most every so often,
// so that the window stays the user's.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "browse/folder_changes.h"
#include "browse/win32/folder_watcher.h"

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

    std::function<void(FolderChanges)> apply_;
    HWND window_ = nullptr;
    std::unique_ptr<FolderWatcher> watcher_;
    WPARAM watched_ = 0;  // a message from an earlier watcher is stale
    FolderChanges pending_;
    bool timerSet_ = false;
    ULONGLONG lastApplyEnd_ = 0;
    ULONGLONG lastApplyTook_ = 0;
};

}  // namespace quillory::win32
