#pragma once
// Tells a window which names came, went or were renamed in a folder, or in
// the whole tree below it. A thread of its own reads the system's reports of
// name changes, describes each name that came, and the folders on its way,
// as a listing would, and posts one message, then none until the window has
// taken the changes, so a burst of changes is one message. The folder's
// parent is watched too, for the folder itself going away or coming back.
#include <windows.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "browse/folder_changes.h"
#include "platform/win32/handles.h"

namespace quillory::win32 {

class FolderWatcher {
public:
    // Watches from the moment it is made, with `subfolders` every folder
    // below too; its messages carry `tag` as their wParam.
    FolderWatcher(HWND window, UINT message, WPARAM tag, const std::string& folder, bool subfolders);
    // Ends the thread; nothing is posted after.
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    // The changes since the last take; the next change posts again.
    FolderChanges Take();

private:
    void Watch();
    void OpenFolder();
    void CloseFolder();
    bool StartReading();
    void ReadChanges();
    // The folders on the way to names, described once for a whole report.
    using KnownFolders = std::map<std::wstring, std::optional<FoundEntry>, std::less<>>;
    FolderChanges ChangesIn(DWORD bytes);
    NameChange ChangeTo(std::string left, std::wstring_view name, KnownFolders& known) const;
    std::optional<FoundEntry> EntryOf(std::wstring_view name) const;
    void FollowExistence();
    void Tell(FolderChanges changes);

    HWND window_;
    UINT message_;
    WPARAM tag_;
    std::wstring folder_;  // with its backslash
    std::wstring parent_;  // empty for a drive root
    bool subfolders_;
    FileHandle folderHandle_;
    KernelHandle readDone_;
    OVERLAPPED reading_{};
    bool readPending_ = false;
    std::vector<DWORD> reports_;  // the system's reports lie on DWORD bounds
    std::wstring renamedFrom_;    // a rename's old name, until its new one is read
    bool folderThere_ = false;
    ChangeNotification parentChanges_;
    KernelHandle stop_;

    std::mutex mutex_;  // guards what follows, shared with the window's thread
    FolderChanges seen_;
    bool posted_ = false;

    std::thread thread_;  // last: it starts once everything above is there
};

}  // namespace quillory::win32
