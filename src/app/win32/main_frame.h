#pragma once
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/actions.h"
#include "app/globals.h"
#include "ui/win32/child_control.h"
#include "app/win32/control_colours.h"
#include "ui/win32/dpi.h"
#include "ui/win32/font_set.h"
#include "app/win32/group_box.h"
#include "app/win32/listing_sign.h"
#include "app/win32/live_list.h"
#include "app/win32/menu_tip.h"
#include "app/win32/number_edit.h"
#include "app/win32/window_values.h"
#include "browse/win32/check_list_control.h"
#include "browse/win32/directory_box_control.h"
#include "browse/win32/drive_box_control.h"
#include "platform/win32/thread_runner.h"
#include "platform/win32/win32_services.h"
#include "skin/skin_library.h"

namespace quillory::win32 {

// The main window: creates every control of the layout table and the menu bar,
// turns window messages into the events of the event table, and is the main
// window the actions work with.
class MainFrame final : public MainWindow {
public:
    MainFrame(Win32Services& services, SkinLibrary& skin, Globals& globals);
    ~MainFrame() override;
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // Null once the window is destroyed.
    HWND Handle() const { return window_; }
    void Show(int how) const;
    // The window's own keys, for the message loop; true when the message was used.
    bool HandleKey(const MSG& message) const;
    // The folder a path the shell handed over (a drop, a paste, the command
    // line) names, shown as one chosen in the folder dialog once the disk has
    // been asked in the background.
    void ShowHandedFolder(const std::string& path);
    // The threads of the background work, made with the window.
    ThreadRunner& Workers() { return *runner_; }
    // No listing or copy runs and no change on disk waits to be shown.
    bool Settled() const;

    NativeHandle WindowHandle() const override;
    void PopupMenu(TopMenu menu) override;
    void SetMenuItemVisible(MenuItem item, bool visible) override;
    void SetMenuItemChecked(MenuItem item, bool checked) override;
    void SetMenuItemEnabled(MenuItem item, bool enabled) override;
    void CloseMainWindow() override;
    void ListingUnderWay(std::int64_t listed) override { sign_.UnderWay(listed); }
    void ListingOver() override { sign_.Over(); }
    void WriteUnderWay(std::uint64_t bytesWritten) override {
        writeSign_.UnderWay(static_cast<std::int64_t>(bytesWritten));
    }
    void WriteOver() override { writeSign_.Over(); }
    void FollowFolder(const std::string& folder, bool subfolders) override {
        liveList_.Follow(window_, folder, subfolders);
    }
    void ShowRecentFolders(const std::vector<std::string>& folders) override;

private:
    static LRESULT CALLBACK Proc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void CreateControls();
    HWND CreateControl(const ControlRow& row, HWND parent);
    SIZE OuterSize(int dpi) const;
    void OnDpiChanged(int dpi, const RECT& suggested);
    void RelayoutControls();
    void OnDropFiles(HDROP drop);
    void OnPaste();
    void ConnectLogic();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> Reflect(UINT message, WPARAM wParam, LPARAM lParam);
    ChildControl* HostedOf(HWND handle) const;
    LRESULT ControlColour(UINT message, WPARAM wParam, LPARAM lParam);
    void RememberFocus();
    void Raise(int source, Event event);
    EventSink SinkOf(ControlId id);
    HWND HandleOf(ControlId id) const;
    // The row of the control, or of the control that `handle` is part of.
    const ControlRow* RowOfWindow(HWND handle) const;

    Win32Services& services_;
    SkinLibrary& skin_;
    Globals& globals_;
    int dpi_;
    FontSet fonts_;
    ControlColours colours_;
    HWND window_ = nullptr;
    std::vector<std::pair<HWND, const ControlRow*>> windows_;
    std::vector<HWND> tabOrder_;
    HWND lastFocus_ = nullptr;

    std::vector<std::unique_ptr<GroupBox>> groupBoxes_;
    std::vector<std::unique_ptr<NumberEdit>> numberEdits_;
    std::unique_ptr<DriveBoxControl> driveBox_;
    std::unique_ptr<DirectoryBoxControl> directoryBox_;
    std::unique_ptr<CheckListControl> checkList_;
    std::vector<ChildControl*> hosted_;
    std::optional<WindowText> countText_;
    std::optional<WindowText> storageText_;
    std::optional<RadioState> forward_;
    std::optional<RadioState> reverse_;
    std::optional<Controls> controls_;
    ListingSign sign_;
    ListingSign writeSign_{ListingSign::kWriting};
    MenuTip menuTip_;
    // Before the actions, which tell its work to stop before it waits for it.
    std::optional<ThreadRunner> runner_;
    std::optional<Actions> actions_;
    LiveList liveList_{[this](FolderChanges changes) {
        if (actions_) actions_->FolderChanged(std::move(changes));
    }};
};

}  // namespace quillory::win32
