#include "app/win32/live_list.h"

#include <algorithm>
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
    watcher_ = std::make_unique<FolderWatcher>(window, kFolderChanged, ++watched_, folder, subfolders);
}

// Changes still waiting belong to the folder before.
void LiveList::Stop() {
    if (window_) KillTimer(window_, kApplyTimer);
    timerSet_ = false;
    watcher_.reset();
    pending_ = {};
}

bool LiveList::OnMessage(UINT message, WPARAM wParam) {
    if (message == kFolderChanged) {
        if (watcher_ && wParam == watched_) {
            pending_.Add(watcher_->Take());
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
    if (!watcher_ || pending_.Empty()) return;
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
