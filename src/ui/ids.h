#pragma once
// Identifiers shared by the window's tables and the event table.

namespace quillory {

// Child-window identifiers, one per control of the layout table.
enum class ControlId : int {
    分组框文件名提取框 = 1001,
    驱动器框文件名提取,
    目录框文件名提取,
    分组框文件名提取目录框,
    按钮全选,
    按钮全部选,
    按钮反选,
    选择列表框文件列表,
    分组框参数设置框,
    单选框正序,
    单选框逆序,
    标签参数1,
    编辑框参数2,
    标签参数3,
    按钮默认设置,
    分组框实行操作框,
    标签存储路径,
    标签存放路径,
    按钮提取文件名,
};

// Menu command identifiers, one per menu item; a separator line has none.
enum class Command : int {
    Separator = 0,
    ChooseFolder = 2001,
    Quit,
    SelectAll,
    SelectNone,
    Invert,
    Extract,
    ForwardOrder,
    ReverseOrder,
    DefaultSettings,
    UsagePage,
    DonationPage,
    UpdatePage,
    OpenDayFile,
    OpenStorageFolder,
    NameFormName,
    NameFormStem,
    NameFormPath,
    OrderFileSystem,
    OrderName,
    OrderTime,
    ShowHiddenFiles,
    Relist,  // F5; no menu item
    IncludeSubfolders,
    TickByPattern,
    UntickByPattern,
    NameFormDetails,
    RecentFolders,  // the submenu
    // The recent folders' items, newest first, one after the other.
    RecentFolder1,
    RecentFolder2,
    RecentFolder3,
    RecentFolder4,
    RecentFolder5,
    RecentFolder6,
    RecentFolder7,
    RecentFolder8,
    RecentFolder9,
    RecentFolder10,
    ClearRecentFolders,
    UndoExtraction,
};

// The source of an event: the main window itself, a control or a menu command.
enum class Source : int {
    MainWindow = 0,
};

constexpr int SourceId(ControlId id) { return static_cast<int>(id); }
constexpr int SourceId(Command id) { return static_cast<int>(id); }
constexpr int SourceId(Source id) { return static_cast<int>(id); }

enum class Event {
    Created,          // main window, once
    BackgroundNews,   // main window: work on a thread of its own (a listing, a copy) has something to hand over
    DriveChanged,     // drive box, by the user
    FolderChanged,    // directory box, by the user or from code
    ContentChanged,   // directory box: files or subfolders of its folder came, went or were renamed
    RightButtonDown,  // directory box, check-list
    ItemSelected,     // check-list: the current item changed
    TickChanged,      // check-list: the user ticked or unticked an item
    SelectAllKey,     // check-list: Ctrl+A
    CopyKey,          // check-list: Ctrl+C
    Clicked,          // push buttons and radio buttons
    Chosen,           // menu items
    MenuOpening,      // main window: one of its menus, or a context menu, is about to show
};

}  // namespace quillory
