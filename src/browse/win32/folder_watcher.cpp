#include "browse/win32/folder_watcher.h"

#include <array>
#include <utility>

#include "platform/text.h"
#include "platform/win32/encoding.h"
#include "platform/win32/folder_listing.h"
#include "platform/win32/long_path.h"
#include "platform/win32/redirection_off.h"
#include "platform/window_thread.h"

namespace quillory::win32 {

namespace {

constexpr DWORD kNameChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
// The most a network share reports at once.
constexpr std::size_t kReportBytes = 64 * 1024;

bool IsFolder(const std::wstring& path) {
    const RedirectionOff redirectionOff;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ChangeNotification WatchNames(const std::wstring& folder, DWORD changes) {
    if (folder.empty()) return {};
    const RedirectionOff redirectionOff;
    return ChangeNotification(FindFirstChangeNotificationW(folder.c_str(), FALSE, changes));
}

// The folder that holds `folder`, with its backslash; empty for a drive root.
std::wstring ParentOf(std::wstring folder) {
    while (folder.ends_with(L'\\')) folder.pop_back();
    std::wstring parent = FolderPart(folder);
    return WithoutExtendedPrefix(parent).empty() ? std::wstring() : parent;
}

FolderChanges Lost() { return {{}, true}; }

}  // namespace

// The first read is asked for here, so no change after the folder is shown is missed.
FolderWatcher::FolderWatcher(HWND window, UINT message, WPARAM tag, const std::string& folder, bool subfolders)
    : window_(window),
      message_(message),
      tag_(tag),
      // With its backslash: "C:" alone would name the drive's current folder.
      folder_(ExtendedPath(JoinPath(folder, ""))),
      parent_(ParentOf(folder_)),
      subfolders_(subfolders),
      readDone_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      reports_(kReportBytes / sizeof(DWORD)),
      parentChanges_(WatchNames(parent_, FILE_NOTIFY_CHANGE_DIR_NAME)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    window_thread::CheckFileSystemCall("FolderWatcher");
    reading_.hEvent = readDone_.Get();
    OpenFolder();
    folderThere_ = IsFolder(folder_);
    thread_ = std::thread([this] { Watch(); });
}

FolderWatcher::~FolderWatcher() {
    window_thread::CheckFileSystemCall("~FolderWatcher");
    if (stop_) SetEvent(stop_.Get());
    thread_.join();
    CloseFolder();
}

void FolderWatcher::Watch() {
    if (!stop_) return;
    for (;;) {
        std::array<HANDLE, 3> waits{stop_.Get()};
        DWORD count = 1;
        const HANDLE read = readPending_ ? readDone_.Get() : nullptr;
        if (read) waits[count++] = read;
        if (parentChanges_) waits[count++] = parentChanges_.Get();
        const DWORD woke = WaitForMultipleObjects(count, waits.data(), FALSE, INFINITE);
        if (woke <= WAIT_OBJECT_0 || woke >= WAIT_OBJECT_0 + count) return;  // told to stop, or the wait failed
        if (waits[woke - WAIT_OBJECT_0] == read) {
            ReadChanges();
        } else {
            if (!FindNextChangeNotification(parentChanges_.Get())) parentChanges_.Reset();
            FollowExistence();
        }
    }
}

void FolderWatcher::OpenFolder() {
    const RedirectionOff redirectionOff;
    // Shared for deleting too, so the user can still remove the folder.
    folderHandle_.Reset(CreateFileW(folder_.c_str(), FILE_LIST_DIRECTORY,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    StartReading();
}

// A read under way is let go of before its buffer or handle is.
void FolderWatcher::CloseFolder() {
    if (readPending_) {
        CancelIoEx(folderHandle_.Get(), &reading_);
        DWORD bytes = 0;
        GetOverlappedResult(folderHandle_.Get(), &reading_, &bytes, TRUE);
        readPending_ = false;
    }
    folderHandle_.Reset();
}

bool FolderWatcher::StartReading() {
    ResetEvent(readDone_.Get());
    readPending_ = folderHandle_ && ReadDirectoryChangesW(folderHandle_.Get(), reports_.data(),
                                                          static_cast<DWORD>(kReportBytes), subfolders_, kNameChanges,
                                                          nullptr, &reading_, nullptr);
    return readPending_;
}

// No bytes, or ERROR_NOTIFY_ENUM_DIR (under Wine too), say the system's own
// store overflowed. Any other failure may be the folder going; a watch made
// anew does not know what happened meanwhile.
void FolderWatcher::ReadChanges() {
    readPending_ = false;
    DWORD bytes = 0;
    const bool read = GetOverlappedResult(folderHandle_.Get(), &reading_, &bytes, FALSE);
    const bool overflowed = read ? bytes == 0 : GetLastError() == ERROR_NOTIFY_ENUM_DIR;
    if (read || overflowed) {
        Tell(overflowed ? Lost() : ChangesIn(bytes));
        if (StartReading()) return;
    }
    CloseFolder();
    FollowExistence();
    if (readPending_) Tell(Lost());
}

FolderChanges FolderWatcher::ChangesIn(DWORD bytes) {
    FolderChanges changes;
    KnownFolders known;
    const auto* report = reinterpret_cast<const BYTE*>(reports_.data());
    for (DWORD offset = 0; offset < bytes;) {
        const auto& notice = *reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(report + offset);
        const std::wstring_view name(notice.FileName, notice.FileNameLength / sizeof(wchar_t));
        switch (notice.Action) {
        case FILE_ACTION_ADDED:
            changes.changes.push_back(ChangeTo({}, name, known));
            break;
        case FILE_ACTION_REMOVED:
            changes.changes.push_back({Utf8(name), std::nullopt});
            break;
        case FILE_ACTION_RENAMED_OLD_NAME:
            renamedFrom_ = name;
            break;
        case FILE_ACTION_RENAMED_NEW_NAME:
            changes.changes.push_back(ChangeTo(Utf8(std::exchange(renamedFrom_, {})), name, known));
            break;
        default:
            break;
        }
        if (notice.NextEntryOffset == 0) break;
        offset += notice.NextEntryOffset;
    }
    return changes;
}

// Named as the walk names it, by the folders' and the file's names as they
// are listed, not as reported (a report may carry a short name); none once
// the name, or a folder on its way, has gone again.
NameChange FolderWatcher::ChangeTo(std::string left, std::wstring_view name, KnownFolders& known) const {
    NameChange change{std::move(left), EntryOf(name)};
    if (!change.came) return change;
    std::string path;
    for (std::size_t slash = name.find(L'\\'); slash != std::wstring_view::npos; slash = name.find(L'\\', slash + 1)) {
        auto [folder, added] = known.try_emplace(std::wstring(name.substr(0, slash)));
        if (added) folder->second = EntryOf(folder->first);
        if (!folder->second) {
            change.came.reset();
            return change;
        }
        change.way.push_back(*folder->second);
        path += folder->second->name + '\\';
    }
    change.came->name.insert(0, path);
    return change;
}

// As the listing describes it; none once the name has gone again.
std::optional<FoundEntry> FolderWatcher::EntryOf(std::wstring_view name) const {
    WIN32_FIND_DATAW data;
    if (!OpenFolderListing(folder_ + std::wstring(name), data)) return std::nullopt;
    FoundEntry entry;
    Describe(data, entry);
    return entry;
}

// A folder that went is let go at once: while a watch holds it, the system
// keeps its name from being used again. The shown folder is watched again
// when it comes back, and listed again either way.
void FolderWatcher::FollowExistence() {
    if (parentChanges_ && !IsFolder(parent_)) parentChanges_.Reset();
    const bool there = IsFolder(folder_);
    if (!there) {
        CloseFolder();
    } else if (!readPending_) {
        OpenFolder();
    }
    if (there == folderThere_) return;
    folderThere_ = there;
    Tell(Lost());
}

void FolderWatcher::Tell(FolderChanges changes) {
    const std::lock_guard lock(mutex_);
    seen_.Add(std::move(changes));
    if (!posted_) posted_ = PostMessageW(window_, message_, tag_, 0);
}

FolderChanges FolderWatcher::Take() {
    const std::lock_guard lock(mutex_);
    posted_ = false;
    return std::exchange(seen_, {});
}

}  // namespace quillory::win32
