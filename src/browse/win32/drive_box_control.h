#pragma once
// The drive box: a drop-down list of the computer's drives. Their labels
// are read on a thread of their own, since a sleeping drive may take seconds
// to answer; until they come, each drive shows the label it had last time.
#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ui/layout_rows.h"
#include "ui/win32/child_control.h"
#include "browse/win32/drive_list.h"
#include "browse/win32/owned_window.h"
#include "platform/controls.h"

namespace quillory::win32 {

// Posted to the top-level window, with the box as its lParam, when the labels
// are read: the window hands it back to the box as a reflected message.
inline constexpr UINT kDriveLabelsRead = WM_APP + 3;

class DriveBoxControl final : public DriveBox, public ChildControl {
public:
    DriveBoxControl(HWND parent, const ControlRow& row, HFONT font, EventSink sink);

    HWND Handle() const override { return box_.Get(); }
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::string CurrentDrive() const override;
    void SetCurrentDrive(const std::string& text) override;

private:
    void FillDrives();
    void ShowDrives(const std::vector<Drive>& drives);
    void ReadLabels(std::vector<Drive> drives);
    void Select(char letter);
    void ReportUserChoice();

    // Shared with the thread that reads the labels, which may outlive the box.
    struct Labels {
        std::mutex mutex;
        std::optional<std::vector<Drive>> read;
        bool reading = false;
    };

    EventSink sink_;
    std::map<char, std::wstring> knownLabels_;
    std::shared_ptr<Labels> labels_ = std::make_shared<Labels>();
    std::vector<char> letters_;  // in the order of the list's items
    std::string reported_;       // the drive the program last knew of
    OwnedWindow box_;
};

}  // namespace quillory::win32
