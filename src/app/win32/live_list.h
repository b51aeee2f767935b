#pragma once
// The check-list and the directory box follow the shown folder on disk. The
// folder is watched from the moment it is shown, and its changes re-list it:
// a burst of them once, and at most about once a second, so that a folder
// which changes all the time leaves the window to the user.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "browse/win32/folder_watcher.h"

namespace quillory::win32 {

class LiveList {
public:
    explicit LiveList(std::function<void()> relist) : relist_(std::move(relist)) {}

    // Watches this folder from now on, in place of the one before.
    void Follow(HWND window, const std::string& folder);
    // Nothing more is watched or re-listed.
    void Stop();
    // True when the message was the live list's own.
    bool OnMessage(UINT message, WPARAM wParam);

private:
    void RelistAfter(ULONGLONG milliseconds);
    void RelistNow();

    std::function<void()> relist_;
    HWND window_ = nullptr;
    std::unique_ptr<FolderWatcher> watcher_;
    WPARAM watched_ = 0;  // a message from an earlier watcher is stale
    ULONGLONG lastRelistEnd_ = 0;
    ULONGLONG lastRelistTook_ = 0;
};

}  // namespace quillory::win32
