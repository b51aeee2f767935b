#include "app/win32/live_list.h"

#include <algorithm>

namespace quillory::win32 {

namespace {

constexpr UINT kFolderChanged = WM_APP + 1;
constexpr UINT_PTR kRelistTimer = 1;
// A burst of changes settles this long before it is shown...
constexpr ULONGLONG kSettle = 100;
// ... and between the end of one re-list and the next at least this long
// passes, and twice the time the last one took, so that a large folder which
// changes without pause leaves the window to the user two thirds of the time.
constexpr ULONGLONG kPause = 1000;

}  // namespace

void LiveList::Follow(HWND window, const std::string& folder) {
    Stop();
    window_ = window;
    watcher_ = std::make_unique<FolderWatcher>(window, kFolderChanged, ++watched_, folder);
}

// A re-list still waiting is owed to the folder before; the new one is listed anyway.
void LiveList::Stop() {
    if (window_) KillTimer(window_, kRelistTimer);
    watcher_.reset();
}

bool LiveList::OnMessage(UINT message, WPARAM wParam) {
    if (message == kFolderChanged) {
        if (watcher_ && wParam == watched_) {
            const ULONGLONG pause = std::max(kPause, 2 * lastRelistTook_);
            const ULONGLONG sinceLast = GetTickCount64() - lastRelistEnd_;
            RelistAfter(std::max(kSettle, sinceLast < pause ? pause - sinceLast : 0));
        }
        return true;
    }
    if (message == WM_TIMER && wParam == kRelistTimer) {
        KillTimer(window_, kRelistTimer);
        RelistNow();
        return true;
    }
    return false;
}

void LiveList::RelistAfter(ULONGLONG milliseconds) {
    SetTimer(window_, kRelistTimer, static_cast<UINT>(milliseconds), nullptr);
}

// A message box or dialog of the window may stand in the middle of an
// action, which must not see the list change under it: the re-list waits.
void LiveList::RelistNow() {
    if (!watcher_) return;
    if (!IsWindowEnabled(window_)) {
        RelistAfter(kPause);
        return;
    }
    watcher_->Taken();  // changes from here on are not in this listing
    const ULONGLONG start = GetTickCount64();
    relist_();
    lastRelistEnd_ = GetTickCount64();
    lastRelistTook_ = lastRelistEnd_ - start;
}

}  // namespace quillory::win32
