#pragma once
// The main window's controls as the logic sees them. Realised by the real
// window in app/win32 and in memory in platform/fake.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/name_list.h"

namespace quillory {

class TextControl {
public:
    virtual ~TextControl() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

class RadioButton {
public:
    virtual ~RadioButton() = default;
    virtual bool IsChecked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

class DriveBox {
public:
    virtual ~DriveBox() = default;
    // The bare drive letter ("C").
    virtual std::string CurrentDrive() const = 0;
    // "C" or a path's first three characters ("D:\"); does not raise the
    // drive-changed event.
    virtual void SetCurrentDrive(const std::string& text) = 0;
};

class DirectoryBox {
public:
    virtual ~DirectoryBox() = default;
    virtual std::string CurrentFolder() const = 0;
    // Shows the folder and raises the folder-changed event at once, nested
    // inside this call, exactly once.
    virtual void SetCurrentFolder(const std::string& path) = 0;
    // The current folder's subfolders, from the listing that the folder-changed
    // event made; the box shows them in its own order.
    virtual void ShowSubfolders(std::vector<std::string> names) = 0;
};

// The check-list: items counted from 0, each a text with a tick.
class CheckList {
public:
    virtual ~CheckList() = default;
    virtual void ListClear() = 0;
    // Appended with their ticks.
    virtual void ListAppend(const NameList& names) = 0;
    // The same folder's names again, in place of those shown: the view keeps
    // its scrolling, and `current` becomes the current item (-1 for none).
    virtual void ListReplace(NameList names, int current) = 0;
    // Names taken out and put in where they fall: the view keeps its
    // scrolling, and the current item stays current while it is there.
    virtual void ListEdit(const NameEdit& edit) = 0;
    virtual const NameList& ListNames() const = 0;
    virtual int ListCount() const = 0;
    virtual std::string ListItemText(int index) const = 0;  // empty for no such item
    virtual bool ListIsChecked(int index) const = 0;
    virtual void ListSetChecked(int index, bool ticked = true) = 0;
    virtual void ListSetEveryTick(EveryTick change) = 0;
    virtual int ListCurrentIndex() const = 0;  // -1 for none
    virtual NativeHandle WindowHandle() const = 0;
    virtual void ListItemExtension(NativeHandle list, const std::string& itemText, bool first,
                                   bool second) = 0;
};

enum class TopMenu { File, Select, Apply, Options, Help };
enum class MenuItem {
    Quit,
    NameFormName,
    NameFormStem,
    NameFormPath,
    NameFormDetails,
    OrderFileSystem,
    OrderName,
    OrderTime,
    ShowHiddenFiles,
    IncludeSubfolders,
    UndoExtraction,
};

// The controls that the logic reads and writes, by their names in the window.
struct Controls {
    DriveBox& 驱动器框文件名提取;
    DirectoryBox& 目录框文件名提取;
    CheckList& 选择列表框文件列表;
    TextControl& 编辑框参数2;
    RadioButton& 单选框正序;
    RadioButton& 单选框逆序;
    TextControl& 标签存放路径;
};

class MainWindow {
public:
    virtual ~MainWindow() = default;
    virtual NativeHandle WindowHandle() const = 0;
    virtual void PopupMenu(TopMenu menu) = 0;  // at the mouse position
    virtual void SetMenuItemVisible(MenuItem item, bool visible) = 0;
    // The item's bullet or tick.
    virtual void SetMenuItemChecked(MenuItem item, bool checked) = 0;
    // A greyed item shows but cannot be chosen.
    virtual void SetMenuItemEnabled(MenuItem item, bool enabled) = 0;
    virtual void CloseMainWindow() = 0;
    // A listing runs, and has listed this many names so far: the window shows
    // a sign of it once it has run a moment.
    virtual void ListingUnderWay(std::int64_t listed) = 0;
    // No listing runs: the sign goes.
    virtual void ListingOver() = 0;
    // A block is being written into the day's file, and this many bytes are
    // written so far: the window shows a sign of it as of a listing, and the
    // bytes once the write has lasted a second.
    virtual void WriteUnderWay(std::uint64_t bytesWritten) = 0;
    virtual void WriteOver() = 0;
    // From now on the names that come, go or are renamed in the folder, and
    // with `subfolders` in every folder below it, are told to the logic, in
    // place of those of the folder followed before.
    virtual void FollowFolder(const std::string& folder, bool subfolders) = 0;
    // The 文件 menu's recent folders, newest first, in place of those it listed.
    virtual void ShowRecentFolders(const std::vector<std::string>& folders) = 0;
};

}  // namespace quillory
