// The folder view in the real window: the drive box, the directory box and
// the check-list driven as the user drives them, the list read through the
// list view and the table through what an extraction writes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "browse/folder_chain.h"
#include "platform/win32/encoding.h"
#include "support/list_view_queries.h"
#include "support/popup_menu_answerer.h"
#include "support/test_app.h"

namespace quillory::testing {
namespace {

using win32::Ansi;
using win32::Utf8;
using Names = std::vector<std::string>;
using Ticks = std::vector<bool>;

// The names the file manager shows in a folder, in the file system's order.
Names VisibleFiles(const std::wstring& folder) {
    Names names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const DWORD hiddenOrNoFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if (!(entry.dwFileAttributes & hiddenOrNoFile)) names.push_back(Utf8(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

class FolderViewEndToEnd : public ::testing::Test {
protected:
    HWND List() const { return app.Control(ControlId::选择列表框文件列表); }
    HWND DirectoryRows() const { return GetWindow(app.Control(ControlId::目录框文件名提取), GW_CHILD); }

    std::wstring MakeFolder(const std::wstring& name, const std::vector<std::wstring>& files) {
        const std::wstring folder = listed / name;
        CreateDirectoryW(folder.c_str(), nullptr);
        for (const std::wstring& file : files) WriteBytes(folder + L"\\" + file, "x");
        return folder;
    }

    void Open(const std::wstring& folder) { app.ShowFolder(folder); }

    // The directory box's rows below the folder's own chain.
    Names SubfolderRows(const std::wstring& folder) const {
        Names rows;
        const int count = static_cast<int>(SendMessageW(DirectoryRows(), LB_GETCOUNT, 0, 0));
        for (int row = static_cast<int>(FolderChain(Utf8(folder)).size()); row < count; ++row) {
            wchar_t text[MAX_PATH] = L"";
            SendMessageW(DirectoryRows(), LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
            rows.push_back(Utf8(text));
        }
        return rows;
    }

    void ClickTickBox(int item) {
        const POINT point = TickBoxPoint(List(), item);
        ASSERT_GE(point.x, 0);
        PostClick(List(), point);
        app.Pump();
    }

    void PressSpaceOn(int item) {
        PostClick(List(), NamePoint(List(), item));
        app.Pump();
        app.PressKey(VK_SPACE);
    }

    // The names the table holds, as an extraction writes them (count "1",
    // reverse order: each behind an empty line, last name first).
    Names Tabled() {
        const std::string before = ReadBytes(folder.DayFile());
        MessageBoxAnswerer answerer;
        app.Click(ControlId::按钮提取文件名);
        answerer.Answered();
        const std::string after = ReadBytes(folder.DayFile());
        const std::string block = after.substr(0, after.size() - before.size());
        Names names;
        for (std::size_t start = 0; start < block.size();) {
            const std::size_t end = block.find("\r\n", start);
            const std::string line = block.substr(start, end - start);
            if (!line.empty()) names.insert(names.begin(), line);
            start = end + 2;
        }
        return names;
    }

    // Runs the program's messages until `done` holds, at most for the time
    // within which the window follows a change on disk, and a margin.
    bool PumpUntil(const std::function<bool()>& done) {
        const ULONGLONG end = GetTickCount64() + 2000;
        while (!done()) {
            if (GetTickCount64() > end) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            app.Pump();
        }
        return true;
    }

    int IndexOf(const std::string& name) const {
        const Names names = ShownNames(List());
        return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
    }

    static Names InCodePage(const Names& names) {
        Names converted;
        for (const std::string& name : names) converted.push_back(Ansi(name));
        return converted;
    }

    static Names TickedOf(const Names& names, const Ticks& ticks) {
        Names ticked;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (ticks[i]) ticked.push_back(names[i]);
        }
        return ticked;
    }

    ProgramFolder folder;
    TestFolder listed;
    TestApp app{folder.Path()};
};

TEST_F(FolderViewEndToEnd, ListsTheVisibleFilesOnlyAllTickedInTheFileSystemsOrder) {
    const std::wstring files = MakeFolder(L"文件夹", {L"b.txt", L"名字.doc", L"a.log", L"hidden.txt", L"system.dat"});
    CreateDirectoryW((files + L"\\sub").c_str(), nullptr);
    SetFileAttributesW((files + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((files + L"\\system.dat").c_str(), FILE_ATTRIBUTE_SYSTEM);
    const Names expected = VisibleFiles(files);
    ASSERT_EQ(expected.size(), 3u);

    Open(files);
    EXPECT_EQ(ShownNames(List()), expected);
    EXPECT_EQ(ShownTicks(List()), Ticks(3, true));
    EXPECT_EQ(Tabled(), InCodePage(expected));
}

TEST_F(FolderViewEndToEnd, TheFolderChangeFillsBothBoxesWithWhatTheFileManagerShows) {
    const std::wstring mixed = MakeFolder(L"mixed", {L"b.txt", L"hidden.txt"});
    for (const wchar_t* subfolder : {L"zeta", L"相册", L"alpha", L".git"}) {
        CreateDirectoryW((mixed + L"\\" + subfolder).c_str(), nullptr);
    }
    SetFileAttributesW((mixed + L"\\.git").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((mixed + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);

    Open(mixed);
    EXPECT_EQ(ShownNames(List()), Names{"b.txt"});
    EXPECT_EQ(SubfolderRows(mixed), (Names{"alpha", "zeta", "相册"}));
}

TEST_F(FolderViewEndToEnd, ATickBoxClickAndTheSpaceBarChangeTickAndTable) {
    Open(MakeFolder(L"four", {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}));
    const Names names = ShownNames(List());

    ClickTickBox(1);
    EXPECT_EQ(ShownTicks(List()), (Ticks{true, false, true, true}));
    EXPECT_EQ(Tabled(), TickedOf(names, {true, false, true, true}));

    PressSpaceOn(3);
    EXPECT_EQ(ShownTicks(List()), (Ticks{true, false, true, false}));
    EXPECT_EQ(Tabled(), TickedOf(names, {true, false, true, false}));
}

// The three ways to a selection command: its button, its menu bar item, and
// its item in the check-list's context menu.
struct SelectionCommand {
    ControlId button;
    Command command;
    int contextItem;
};
constexpr SelectionCommand kSelectAll{ControlId::按钮全选, Command::SelectAll, 0};
constexpr SelectionCommand kSelectNone{ControlId::按钮全部选, Command::SelectNone, 1};
constexpr SelectionCommand kInvert{ControlId::按钮反选, Command::Invert, 2};

TEST_F(FolderViewEndToEnd, ButtonsMenuBarAndContextMenuSelectAlike) {
    Open(MakeFolder(L"four", {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}));
    const Names names = ShownNames(List());
    const std::vector<std::function<void(const SelectionCommand&)>> ways = {
        [&](const SelectionCommand& what) { app.Click(what.button); },
        [&](const SelectionCommand& what) { app.Choose(what.command); },
        [&](const SelectionCommand& what) {
            PopupMenuAnswerer answerer(what.contextItem);
            app.RightClick(ControlId::选择列表框文件列表);
            ASSERT_EQ(answerer.Answered().size(), 1u);
        },
    };
    for (std::size_t way = 0; way < ways.size(); ++way) {
        SCOPED_TRACE("way " + std::to_string(way));
        app.Choose(Command::SelectAll);
        ClickTickBox(1);

        ways[way](kInvert);
        EXPECT_EQ(ShownTicks(List()), (Ticks{false, true, false, false}));
        EXPECT_EQ(Tabled(), Names{names[1]});

        ways[way](kSelectNone);
        EXPECT_EQ(ShownTicks(List()), Ticks(4, false));

        ways[way](kSelectAll);
        EXPECT_EQ(ShownTicks(List()), Ticks(4, true));
        EXPECT_EQ(Tabled(), names);
    }
}

TEST_F(FolderViewEndToEnd, ChoosingDriveZMovesTheDirectoryBoxAndRefillsTheList) {
    Open(MakeFolder(L"four", {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}));
    ASSERT_EQ(ShownNames(List()).size(), 4u);
    const HWND drives = app.Control(ControlId::驱动器框文件名提取);
    const LRESULT z = SendMessageW(drives, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"z:"));
    ASSERT_GE(z, 0);

    // As the combo box reports the user's choice to its group box.
    SendMessageW(drives, CB_SETCURSEL, z, 0);
    SendMessageW(GetParent(drives), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives));
    app.Pump();

    wchar_t root[8] = L"";
    SendMessageW(DirectoryRows(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(root));
    EXPECT_STREQ(root, L"Z:\\");
    EXPECT_EQ(ShownNames(List()), VisibleFiles(L"Z:\\"));
}

TEST_F(FolderViewEndToEnd, OpeningASubfolderInTheDirectoryBoxRefillsTheList) {
    const std::wstring outer = MakeFolder(L"outer", {L"outer.txt"});
    MakeFolder(L"outer\\inner", {L"x.txt", L"y.txt"});
    Open(outer);
    ASSERT_EQ(ShownNames(List()), Names{"outer.txt"});

    const LRESULT inner = SendMessageW(DirectoryRows(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(L"inner"));
    ASSERT_GE(inner, 0);
    SetFocus(DirectoryRows());
    SendMessageW(DirectoryRows(), LB_SETCURSEL, inner, 0);
    app.PressKey(VK_RETURN);

    EXPECT_EQ(ShownNames(List()), VisibleFiles(outer + L"\\inner"));
    EXPECT_EQ(ShownTicks(List()), Ticks(2, true));
}

TEST_F(FolderViewEndToEnd, FilesAddedAndRemovedWhileShownFollowInTheListWithTheirTicks) {
    const std::wstring shown = MakeFolder(L"live", {L"a.txt", L"b.txt", L"c.txt"});
    Open(shown);
    ClickTickBox(IndexOf("b.txt"));
    PostClick(List(), NamePoint(List(), IndexOf("c.txt")));
    app.Pump();

    WriteBytes(shown + L"\\新.txt", "x");
    DeleteFileW((shown + L"\\a.txt").c_str());
    CreateDirectoryW((shown + L"\\sub").c_str(), nullptr);
    const Names expected = VisibleFiles(shown);
    ASSERT_TRUE(PumpUntil([&] { return ShownNames(List()) == expected && SubfolderRows(shown) == Names{"sub"}; }))
        << "the list shows " << ShownNames(List()).size() << " names";

    Ticks ticks;
    for (const std::string& name : expected) ticks.push_back(name != "b.txt");
    EXPECT_EQ(ShownTicks(List()), ticks);
    EXPECT_EQ(ShownText(List(), ListView_GetNextItem(List(), -1, LVNI_SELECTED)), "c.txt");
    EXPECT_EQ(Tabled(), InCodePage(TickedOf(expected, ticks)));
}

TEST_F(FolderViewEndToEnd, F5ListsTheShownFolderAgainWithItsTicks) {
    const std::wstring shown = MakeFolder(L"f5", {L"a.txt", L"b.txt", L"c.txt"});
    Open(shown);
    ClickTickBox(IndexOf("a.txt"));
    // Hiding a file changes no name, so only F5 shows it.
    SetFileAttributesW((shown + L"\\c.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);

    app.PressKey(VK_F5);
    const Names expected = VisibleFiles(shown);
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_EQ(ShownNames(List()), expected);
    EXPECT_EQ(ShownTicks(List()), (Ticks{expected[0] != "a.txt", expected[1] != "a.txt"}));
    EXPECT_EQ(Tabled(), InCodePage(Names{"b.txt"}));
}

TEST_F(FolderViewEndToEnd, AShownFolderThatIsDeletedEmptiesTheListUntilItComesBack) {
    const std::wstring shown = MakeFolder(L"gone", {L"a.txt"});
    Open(shown);
    ASSERT_EQ(ShownNames(List()), Names{"a.txt"});

    DeleteFileW((shown + L"\\a.txt").c_str());
    ASSERT_TRUE(RemoveDirectoryW(shown.c_str()));
    EXPECT_TRUE(PumpUntil([&] { return ShownNames(List()).empty(); }));

    MakeFolder(L"gone", {L"b.txt"});
    EXPECT_TRUE(PumpUntil([&] { return ShownNames(List()) == Names{"b.txt"}; }));
}

}  // namespace
}  // namespace quillory::testing
