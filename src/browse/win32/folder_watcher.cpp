#include "browse/win32/folder_watcher.h"

#include <array>

#include "platform/text.h"
#include "platform/win32/long_path.h"

namespace quillory::win32 {

namespace {

constexpr DWORD kNameChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ChangeNotification WatchNames(const std::wstring& folder, DWORD changes) {
    if (folder.empty()) return {};
    return ChangeNotification(FindFirstChangeNotificationW(folder.c_str(), FALSE, changes));
}

// The folder that holds `folder`, with its backslash; empty for a drive root.
std::wstring ParentOf(std::wstring folder) {
    while (folder.ends_with(L'\\')) folder.pop_back();
    std::wstring parent = FolderPart(folder);
    return WithoutExtendedPrefix(parent).empty() ? std::wstring() : parent;
}

}  // namespace

FolderWatcher::FolderWatcher(HWND window, UINT message, WPARAM tag, const std::string& folder)
    : window_(window),
      message_(message),
      tag_(tag),
      // With its backslash: "C:" alone would name the drive's current folder.
      folder_(ExtendedPath(JoinPath(folder, ""))),
      parent_(ParentOf(folder_)),
      folderChanges_(WatchNames(folder_, kNameChanges)),
      parentChanges_(WatchNames(parent_, FILE_NOTIFY_CHANGE_DIR_NAME)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_([this] { Watch(); }) {}

FolderWatcher::~FolderWatcher() {
    if (stop_) SetEvent(stop_.Get());
    thread_.join();
}

void FolderWatcher::Watch() {
    if (!stop_) return;
    for (;;) {
        std::array<HANDLE, 3> waits{stop_.Get()};
        DWORD count = 1;
        for (const ChangeNotification* changes : {&folderChanges_, &parentChanges_}) {
            if (*changes) waits[count++] = changes->Get();
        }
        const DWORD woke = WaitForMultipleObjects(count, waits.data(), FALSE, INFINITE);
        if (woke <= WAIT_OBJECT_0 || woke >= WAIT_OBJECT_0 + count) return;  // told to stop, or the wait failed
        Rearm(waits[woke - WAIT_OBJECT_0]);
        FollowExistence();
        Post();
    }
}

void FolderWatcher::Rearm(HANDLE signalled) {
    for (ChangeNotification* changes : {&folderChanges_, &parentChanges_}) {
        if (changes->Get() == signalled && !FindNextChangeNotification(signalled)) changes->Reset();
    }
}

// A folder that went is let go at once: while a watch holds it, the system
// keeps its name from being used again. The shown folder is watched again
// when it comes back.
void FolderWatcher::FollowExistence() {
    if (parentChanges_ && !IsFolder(parent_)) parentChanges_.Reset();
    const bool folderThere = IsFolder(folder_);
    if (folderChanges_ && !folderThere) {
        folderChanges_.Reset();
    } else if (!folderChanges_ && folderThere) {
        folderChanges_ = WatchNames(folder_, kNameChanges);
    }
}

void FolderWatcher::Post() {
    if (posted_.exchange(true)) return;
    if (!PostMessageW(window_, message_, tag_, 0)) posted_ = false;
}

}  // namespace quillory::win32
