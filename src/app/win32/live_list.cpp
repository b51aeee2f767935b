#include "app/win32/live_list.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace quillory::win32 {

namespace {

constexpr UINT kFolderChanged = WM_APP + 1;
constexpr UINT_PTR kApplyTimer = 1;
// A burst of changes settles this long before it is shown...
constexpr ULONGLONG kSettle = 20;
// ... and between one application and the next at least this long passes,
// and three times what the last one took, so that a large folder which
// changes without pause leaves the window to the user most of the time.
constexpr ULONGLONG kPause = 100;
constexpr ULONGLONG kPausePerApplication = 3;

}  // namespace

void LiveList::Follow(HWND window, const std::string& folder, bool subfolders) {
    Stop();
    window_ = window;
    Replace(watched_, [window, tag = watched_, folder, subfolders] {
        return std::make_unique<FolderWatcher>(window, kFolderChanged, tag, folder, subfolders);
    });
}

// Changes still waiting belong to the folder before.
void LiveList::Stop() {
    if (window_) KillTimer(window_, kApplyTimer);
    timerSet_ = false;
    ++watched_;
    Replace(watched_, nullptr);
    pending_ = {};
}

// The watch before goes first, so two never watch at once; one made after
// another was asked for goes at once. A change seen before the window could
// reach the new watcher is fetched with a message of the watcher's own.
void LiveList::Replace(WPARAM tag, std::function<std::unique_ptr<FolderWatcher>()> make) {
    {
        const std::lock_guard lock(watch_->mutex);
        watch_->wanted = tag;
    }
    commands_.Post([watch = watch_, window = window_, tag, make = std::move(make)] {
        std::unique_ptr<FolderWatcher> before;
        {
            const std::lock_guard lock(watch->mutex);
            before = std::move(watch->watcher);
        }
        before.reset();
        if (!make) return;
        std::unique_ptr<FolderWatcher> made = make();
        {
            const std::lock_guard lock(watch->mutex);
            if (watch->wanted != tag) return;
            watch->watcher = std::move(made);
        }
        PostMessageW(window, kFolderChanged, tag, 0);
    });
}

bool LiveList::OnMessage(UINT message, WPARAM wParam) {
    if (message == kFolderChanged) {
        std::optional<FolderChanges> taken;
        {
            const std::lock_guard lock(watch_->mutex);
            if (watch_->watcher && wParam == watched_) taken = watch_->watcher->Take();
        }
        if (taken) {
            pending_.Add(std::move(*taken));
            if (!timerSet_) {
                const ULONGLONG pause = std::max(kPause, kPausePerApplication * lastApplyTook_);
                const ULONGLONG sinceLast = GetTickCount64() - lastApplyEnd_;
                ApplyAfter(std::max(kSettle, sinceLast < pause ? pause - sinceLast : 0));
            }
        }
        return true;
    }
    if (message == WM_TIMER && wParam == kApplyTimer) {
        KillTimer(window_, kApplyTimer);
        timerSet_ = false;
        ApplyNow();
        return true;
    }
    return false;
}

void LiveList::ApplyAfter(ULONGLONG milliseconds) {
    timerSet_ = SetTimer(window_, kApplyTimer, static_cast<UINT>(milliseconds), nullptr) != 0;
}

// A message box or dialog of the window may stand in the middle of an
// action, which must not see the list change under it: the changes wait.
void LiveList::ApplyNow() {
    if (pending_.Empty()) return;
    if (!IsWindowEnabled(window_)) {
        ApplyAfter(kPause);
        return;
    }
    const ULONGLONG start = GetTickCount64();
    apply_(std::exchange(pending_, {}));
    lastApplyEnd_ = GetTickCount64();
    lastApplyTook_ = lastApplyEnd_ - start;
}

}  // namespace quillory::win32
