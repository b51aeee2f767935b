#include "browse/win32/drive_box_control.h"

#include <algorithm>
#include <thread>
#include <utility>


namespace quillory::win32 {

namespace {

char DriveLetterOf(const std::string& text) {
    if (text.empty()) return '\0';
    const char letter = static_cast<char>(text[0] & ~0x20);
    if (letter < 'A' || letter > 'Z') return '\0';
    if (text.size() > 1 && text[1] != ':') return '\0';
    return letter;
}

char WorkingDrive() {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder[1] == L':' ? static_cast<char>(folder[0] & ~0x20) : 'C';
}

}  // namespace

DriveBoxControl::DriveBoxControl(HWND parent, const ControlRow& row, HFONT font, EventSink sink)
    : sink_(std::move(sink)),
      box_(CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                           row.left, row.top, row.width, row.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), GetModuleHandleW(nullptr),
                           nullptr)) {
    SendMessageW(box_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    FillDrives();
    Select(WorkingDrive());
    reported_ = CurrentDrive();
}

bool DriveBoxControl::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == kDriveLabelsRead && reinterpret_cast<HWND>(lParam) == box_.Get()) {
        std::optional<std::vector<Drive>> read;
        {
            const std::lock_guard lock(labels_->mutex);
            read = std::exchange(labels_->read, std::nullopt);
        }
        if (read) ShowDrives(*read);
        result = 0;
        return true;
    }
    if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != box_.Get()) return false;
    switch (HIWORD(wParam)) {
    case CBN_DROPDOWN:
        // A stick plugged in since the last look shows up.
        FillDrives();
        break;
    case CBN_SELCHANGE:
        // While the list is open the arrow keys only browse; the choice comes
        // with CBN_SELENDOK or CBN_CLOSEUP.
        if (!SendMessageW(box_.Get(), CB_GETDROPPEDSTATE, 0, 0)) ReportUserChoice();
        break;
    case CBN_SELENDOK:
    case CBN_CLOSEUP:
        ReportUserChoice();
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

std::string DriveBoxControl::CurrentDrive() const {
    const LRESULT index = SendMessageW(box_.Get(), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= letters_.size()) return {};
    return std::string(1, letters_[static_cast<std::size_t>(index)]);
}

void DriveBoxControl::SetCurrentDrive(const std::string& text) {
    const char letter = DriveLetterOf(text);
    if (letter == '\0') return;
    Select(letter);
    reported_ = CurrentDrive();
}

void DriveBoxControl::FillDrives() {
    std::vector<Drive> drives = ComputerDrives();
    for (Drive& drive : drives) drive.label = knownLabels_[drive.letter];
    ShowDrives(drives);
    ReadLabels(std::move(drives));
}

// The same drives keep their items, which only take their new texts, so an
// open list the user browses stays as it is.
void DriveBoxControl::ShowDrives(const std::vector<Drive>& drives) {
    const HWND box = box_.Get();
    const std::string shown = CurrentDrive();
    const bool sameDrives = std::equal(letters_.begin(), letters_.end(), drives.begin(), drives.end(),
                                       [](char letter, const Drive& drive) { return letter == drive.letter; });
    if (!sameDrives) {
        SendMessageW(box, CB_RESETCONTENT, 0, 0);
        letters_.clear();
    }
    for (std::size_t i = 0; i < drives.size(); ++i) {
        const Drive& drive = drives[i];
        const std::wstring text = DriveText(drive);
        if (sameDrives) {
            if (knownLabels_[drive.letter] == drive.label) continue;
            SendMessageW(box, CB_DELETESTRING, i, 0);
            SendMessageW(box, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(text.c_str()));
        } else {
            SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            letters_.push_back(drive.letter);
        }
        knownLabels_[drive.letter] = drive.label;
    }
    if (!shown.empty()) Select(shown[0]);
}

// One read at a time: a look while one runs shows what that one brings.
void DriveBoxControl::ReadLabels(std::vector<Drive> drives) {
    {
        const std::lock_guard lock(labels_->mutex);
        if (labels_->reading) return;
        labels_->reading = true;
    }
    std::thread([labels = labels_, window = GetAncestor(box_.Get(), GA_ROOT), box = box_.Get(),
                 drives = std::move(drives)]() mutable {
        std::vector<Drive> labelled = LabelledDrives(std::move(drives));
        {
            const std::lock_guard lock(labels->mutex);
            labels->read = std::move(labelled);
            labels->reading = false;
        }
        PostMessageW(window, kDriveLabelsRead, 0, reinterpret_cast<LPARAM>(box));
    }).detach();
}

void DriveBoxControl::Select(char letter) {
    const auto found = std::find(letters_.begin(), letters_.end(), letter);
    if (found == letters_.end()) return;
    SendMessageW(box_.Get(), CB_SETCURSEL, static_cast<WPARAM>(found - letters_.begin()), 0);
}

void DriveBoxControl::ReportUserChoice() {
    const std::string chosen = CurrentDrive();
    if (chosen.empty() || chosen == reported_) return;
    reported_ = chosen;
    sink_(Event::DriveChanged);
}

}  // namespace quillory::win32
