#include "browse/win32/drive_list.h"

#include <windows.h>

#include "platform/window_thread.h"

namespace quillory::win32 {

namespace {

// An empty card reader or CD drive would otherwise ask the user to insert a
// disk while the list is being built.
class NoErrorBoxes {
public:
    NoErrorBoxes() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    ~NoErrorBoxes() { SetThreadErrorMode(previous_, nullptr); }
    NoErrorBoxes(const NoErrorBoxes&) = delete;
    NoErrorBoxes& operator=(const NoErrorBoxes&) = delete;

private:
    DWORD previous_ = 0;
};

std::wstring VolumeLabel(const std::wstring& root) {
    window_thread::CheckFileSystemCall("GetVolumeInformation");
    // A mapped drive whose server is gone can block for many seconds.
    if (GetDriveTypeW(root.c_str()) == DRIVE_REMOTE) return {};
    wchar_t label[MAX_PATH + 1] = {};
    const NoErrorBoxes noErrorBoxes;
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
        return {};
    }
    return label;
}

}  // namespace

std::vector<Drive> ComputerDrives() {
    std::vector<Drive> drives;
    wchar_t roots[26 * 4 + 1] = {};
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(roots)) - 1, roots);
    if (length == 0 || length >= std::size(roots)) return drives;
    for (const wchar_t* root = roots; *root != L'\0'; root += wcslen(root) + 1) {
        const wchar_t letter = root[0] & ~0x20;  // upper case
        if (letter < L'A' || letter > L'Z') continue;
        drives.push_back({static_cast<char>(letter), {}});
    }
    return drives;
}

std::vector<Drive> LabelledDrives(std::vector<Drive> drives) {
    for (Drive& drive : drives) drive.label = VolumeLabel({static_cast<wchar_t>(drive.letter), L':', L'\\'});
    return drives;
}

std::wstring DriveText(const Drive& drive) {
    std::wstring text{static_cast<wchar_t>(drive.letter - 'A' + 'a'), L':'};
    if (!drive.label.empty()) text += L" [" + drive.label + L"]";
    return text;
}

}  // namespace quillory::win32
