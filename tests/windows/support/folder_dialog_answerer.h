#pragma once
// Answers the shell's folder dialog "选择目录" from a helper thread while the
// test's thread waits in it: notes what it shows, selects a folder, presses a button.
#include <windows.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillory::testing {

struct ShownFolderDialog {
    HWND owner = nullptr;
    // The tree's selected item when the dialog came up, and its parents up to the root.
    std::vector<std::wstring> initialSelection;
};

class FolderDialogAnswerer {
public:
    // With a folder: selects it and presses OK; without: presses Cancel.
    explicit FolderDialogAnswerer(std::optional<std::wstring> folder);
    ~FolderDialogAnswerer();
    FolderDialogAnswerer(const FolderDialogAnswerer&) = delete;
    FolderDialogAnswerer& operator=(const FolderDialogAnswerer&) = delete;

    // Waits for the helper; the dialog seen, if one came.
    std::optional<ShownFolderDialog> Answered();

private:
    void Answer();

    const std::optional<std::wstring> folder_;
    const DWORD thread_;
    std::optional<ShownFolderDialog> shown_;
    std::thread helper_;
};

}  // namespace quillory::testing
