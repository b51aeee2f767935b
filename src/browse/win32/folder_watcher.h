#pragma once
// Tells a window when names come, go or are renamed in a folder. A thread of
// its own waits on the system's change notifications and posts one message,
// then none until the window has taken it, so a burst of changes is one
// message. The folder's parent is watched too, for the folder itself going
// away or coming back.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/win32/handles.h"

namespace quillory::win32 {

class FolderWatcher {
public:
    // Watches from the moment it is made; its messages carry `tag` as their wParam.
    FolderWatcher(HWND window, UINT message, WPARAM tag, const std::string& folder);
    // Ends the thread; nothing is posted after.
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    // The window took the message: the next change posts again.
    void Taken() { posted_ = false; }

private:
    void Watch();
    void Rearm(HANDLE signalled);
    void FollowExistence();
    void Post();

    HWND window_;
    UINT message_;
    WPARAM tag_;
    std::wstring folder_;
    std::wstring parent_;  // empty for a drive root
    ChangeNotification folderChanges_;
    ChangeNotification parentChanges_;
    KernelHandle stop_;
    std::atomic<bool> posted_{false};
    std::thread thread_;  // last: it starts once everything above is there
};

}  // namespace quillory::win32
