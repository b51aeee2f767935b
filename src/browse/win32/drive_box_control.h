#pragma once
// The drive box: a drop-down list of the computer's drives.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/layout_rows.h"
#include "ui/win32/child_control.h"
#include "browse/win32/owned_window.h"
#include "platform/controls.h"

namespace quillory::win32 {

class DriveBoxControl final : public DriveBox, public ChildControl {
public:
    DriveBoxControl(HWND parent, const ControlRow& row, HFONT font, EventSink sink);

    HWND Handle() const override { return box_.Get(); }
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::string CurrentDrive() const override;
    void SetCurrentDrive(const std::string& text) override;

private:
    void FillDrives();
    void Select(char letter);
    void ReportUserChoice();

    EventSink sink_;
    std::vector<char> letters_;  // in the order of the list's items
    std::string reported_;       // the drive the program last knew of
    OwnedWindow box_;
};

}  // namespace quillory::win32
