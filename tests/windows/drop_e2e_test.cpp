// Folders and files dropped on the real window from the file manager, as the
// shell hands them over (WM_DROPFILES with a DROPFILES block), and named on
// the command line, as the shell starts the program for a folder dragged on
// its icon, "Send to" or "Open with".
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "support/held_key.h"
#include "support/list_view_queries.h"
#include "support/test_app.h"
#include "support/window_queries.h"

namespace quillory::testing {
namespace {

using win32::Utf8;
using Names = std::vector<std::string>;

const std::wstring kExtended = L"\\\\?\\";

// The block the shell posts: a DROPFILES header, then the wide paths, each
// ended by a NUL and the list by one more.
HGLOBAL DropBlock(const std::vector<std::wstring>& paths) {
    std::size_t characters = 1;
    for (const std::wstring& path : paths) characters += path.size() + 1;
    const HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* list = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& path : paths) list = std::copy(path.begin(), path.end(), list) + 1;
    GlobalUnlock(block);
    return block;
}

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The folder the directory box shows: its rows from the root down to the current one.
std::wstring ShownFolder(HWND directoryBox) {
    const std::vector<HWND> parts = ChildrenOf(directoryBox);
    if (parts.empty()) return {};
    const HWND rows = parts.front();
    const LRESULT current = SendMessageW(rows, LB_GETCURSEL, 0, 0);
    std::wstring folder;
    for (LRESULT row = 0; row <= current; ++row) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(rows, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(SendMessageW(rows, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
        if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
        folder += text;
    }
    return folder;
}

char ShownDrive(HWND driveBox) {
    const LRESULT selected = SendMessageW(driveBox, CB_GETCURSEL, 0, 0);
    wchar_t text[MAX_PATH] = L"";
    if (selected >= 0) SendMessageW(driveBox, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
}

// Folders beyond MAX_PATH and files in them, made through extended paths and
// removed with them, deepest first.
class DeepTree {
public:
    explicit DeepTree(std::wstring root) : root_(std::move(root)) {}
    ~DeepTree() {
        for (auto path = made_.rbegin(); path != made_.rend(); ++path) {
            if (!DeleteFileW((kExtended + *path).c_str())) RemoveDirectoryW((kExtended + *path).c_str());
        }
    }
    DeepTree(const DeepTree&) = delete;
    DeepTree& operator=(const DeepTree&) = delete;

    std::wstring Folder(const std::wstring& relative) {
        const std::wstring path = root_ + relative;
        if (CreateDirectoryW((kExtended + path).c_str(), nullptr)) made_.push_back(path);
        return path;
    }
    std::wstring File(const std::wstring& relative) {
        const std::wstring path = root_ + relative;
        WriteBytes(kExtended + path, "x");
        made_.push_back(path);
        return path;
    }

private:
    std::wstring root_;
    std::vector<std::wstring> made_;
};

Names ListedIn(const TestApp& app) { return Sorted(ShownNames(app.Control(ControlId::选择列表框文件列表))); }
std::wstring FolderIn(const TestApp& app) { return ShownFolder(app.Control(ControlId::目录框文件名提取)); }
char DriveIn(const TestApp& app) { return ShownDrive(app.Control(ControlId::驱动器框文件名提取)); }

class DropEndToEnd : public ::testing::Test {
protected:
    void Drop(const std::vector<std::wstring>& paths) {
        SendMessageW(app.Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock(paths)), 0);
        app.Pump();
    }
    Names Listed() const { return ListedIn(app); }
    std::wstring Folder() const { return FolderIn(app); }
    char Drive() const { return DriveIn(app); }

    ProgramFolder folder;
    TestApp app{folder.Path()};
    TestFolder files;
    DeepTree tree{files.Path()};
};

TEST_F(DropEndToEnd, TheWindowTakesDropsFromTheFileManager) {
    EXPECT_TRUE(GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(DropEndToEnd, ADroppedFolderWithAChineseNameBeyondMaxPathIsListedAndShownInBothBoxes) {
    std::wstring relative;
    while (relative.size() < 300) {
        relative += L"\\拖放的文件夹-a-folder-name-of-some-length";
        tree.Folder(relative);
    }
    const std::wstring deep = tree.Folder(relative + L"\\末端");
    tree.File(relative + L"\\末端\\一.txt");
    tree.File(relative + L"\\末端\\two.txt");
    ASSERT_GT(deep.size(), static_cast<std::size_t>(MAX_PATH));

    Drop({deep});
    EXPECT_EQ(Listed(), Sorted({"一.txt", "two.txt"}));
    EXPECT_EQ(Utf8(Folder()), Utf8(deep));
    EXPECT_EQ(Drive(), std::toupper(deep[0]));
}

TEST_F(DropEndToEnd, ADroppedFileListsItsFolderAndOnlyTheFirstDroppedItemCounts) {
    const std::wstring first = tree.Folder(L"\\第一");
    const std::wstring second = tree.Folder(L"\\second");
    const std::wstring file = tree.File(L"\\第一\\名字.txt");
    tree.File(L"\\第一\\other.txt");
    tree.File(L"\\second\\elsewhere.txt");

    Drop({file, second});
    EXPECT_EQ(Listed(), Sorted({"名字.txt", "other.txt"}));
    EXPECT_EQ(Utf8(Folder()), Utf8(first));

    Drop({second, file});
    EXPECT_EQ(Listed(), Names{"elsewhere.txt"});
    EXPECT_EQ(Utf8(Folder()), Utf8(second));
}

TEST_F(DropEndToEnd, ADropThatNamesNoFolderOrFileChangesNothing) {
    const std::wstring kept = tree.Folder(L"\\保留");
    tree.File(L"\\保留\\kept.txt");
    Drop({kept});
    ASSERT_EQ(Listed(), Names{"kept.txt"});

    Drop({files / L"不存在"});
    Drop({L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"});  // a shell item with no path
    Drop({});
    EXPECT_EQ(Listed(), Names{"kept.txt"});
    EXPECT_EQ(Utf8(Folder()), Utf8(kept));
    EXPECT_FALSE(app.Ended());
}

// Files copied in the file manager go on the clipboard as a drop block.
void PutOnClipboard(UINT format, HGLOBAL data) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(format, data);
    CloseClipboard();
}

HGLOBAL TextBlock(const std::wstring& text) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    return block;
}

class PasteEndToEnd : public DropEndToEnd {
protected:
    void PasteIn(ControlId focus) {
        SetFocus(app.Control(focus));
        const HeldKey control(VK_CONTROL);
        app.PressKey('V');
    }
};

TEST_F(PasteEndToEnd, CtrlVShowsACopiedFolderOrAPastedPathAsADropOutsideTheCountBox) {
    const std::wstring copied = tree.Folder(L"\\复制的");
    const std::wstring typed = tree.Folder(L"\\typed path");
    tree.File(L"\\复制的\\一.txt");
    const std::wstring file = tree.File(L"\\typed path\\two.txt");

    PutOnClipboard(CF_HDROP, DropBlock({copied, typed}));
    PasteIn(ControlId::选择列表框文件列表);
    EXPECT_EQ(Listed(), Names{"一.txt"});
    EXPECT_EQ(Utf8(Folder()), Utf8(copied));

    // "Copy as path" of a file: quoted, the file standing for its folder.
    PutOnClipboard(CF_UNICODETEXT, TextBlock(L"\"" + file + L"\"\r\n"));
    PasteIn(ControlId::按钮全选);
    EXPECT_EQ(Listed(), Names{"two.txt"});
    EXPECT_EQ(Utf8(Folder()), Utf8(typed));

    // Text that names nothing is told and changes nothing; in the count box it is the box's paste.
    MessageBoxAnswerer answerer;
    PutOnClipboard(CF_UNICODETEXT, TextBlock(L"no such folder"));
    PasteIn(ControlId::目录框文件名提取);
    PutOnClipboard(CF_UNICODETEXT, TextBlock(copied));
    PasteIn(ControlId::编辑框参数2);
    EXPECT_EQ(Utf8(Folder()), Utf8(typed));
    EXPECT_EQ(Listed(), Names{"two.txt"});
    const std::vector<ShownMessage> told = answerer.Answered();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, "剪贴板上的路径不存在：no such folder");

    // A file:/// address, as a browser copies it: the path it names.
    std::string address = "file:///";
    for (const char c : Utf8(copied)) {
        const auto byte = static_cast<unsigned char>(c);
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
        address += c == '\\' ? std::string("/") : byte >= 0x80 || c == ' ' ? std::string(escaped) : std::string(1, c);
    }
    PutOnClipboard(CF_UNICODETEXT, TextBlock(win32::Wide(address)));
    PasteIn(ControlId::选择列表框文件列表);
    EXPECT_EQ(Utf8(Folder()), Utf8(copied)) << address;
}

class CommandLineEndToEnd : public ::testing::Test {
protected:
    // The program started with these words after its name, as the shell passes them.
    const TestApp& StartWith(const std::wstring& arguments) { return app.emplace(folder.Path(), arguments); }
    static std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

    ProgramFolder folder;
    TestFolder files;
    DeepTree tree{files.Path()};
    std::optional<TestApp> app;
};

TEST_F(CommandLineEndToEnd, AQuotedFolderWithSpacesAndANameOutsideTheCodePageBeyondMaxPathIsShownAsADrop) {
    std::wstring relative;
    while (relative.size() < 300) {
        relative += L"\\命令 행 folder with spaces";
        tree.Folder(relative);
    }
    tree.File(relative + L"\\一.txt");
    tree.File(relative + L"\\two words.txt");
    const std::wstring deep = files.Path() + relative;
    ASSERT_GT(deep.size(), static_cast<std::size_t>(MAX_PATH));

    const TestApp& started = StartWith(Quoted(deep));
    EXPECT_EQ(ListedIn(started), Sorted({"一.txt", "two words.txt"}));
    EXPECT_EQ(Utf8(FolderIn(started)), Utf8(deep));
    EXPECT_EQ(DriveIn(started), std::toupper(deep[0]));
    EXPECT_TRUE(started.StartupMessages().empty());
}

TEST_F(CommandLineEndToEnd, AFileShowsItsFolderAndAPathThatNamesNothingLeavesTheStartFolder) {
    const std::wstring first = tree.Folder(L"\\第一");
    const std::wstring second = tree.Folder(L"\\second one");
    tree.File(L"\\第一\\名字.txt");
    tree.File(L"\\second one\\elsewhere.txt");

    // Several paths ("Send to" with many items): the first counts, as with a drop.
    EXPECT_EQ(Utf8(FolderIn(StartWith(Quoted(first + L"\\名字.txt") + L" " + Quoted(second)))), Utf8(first));
    EXPECT_EQ(ListedIn(*app), Names{"名字.txt"});
    // A quoted folder ending in a backslash, which the shell reads as escaping the quote.
    EXPECT_EQ(Utf8(FolderIn(StartWith(Quoted(second + L"\\") + L" " + Quoted(first)))), Utf8(second));

    const std::wstring startFolder = FolderIn(StartWith(L""));
    for (const std::wstring& arguments : {Quoted(files / L"不存在"), Quoted(L""), std::wstring(L"   ")}) {
        EXPECT_EQ(FolderIn(StartWith(arguments)), startFolder) << Utf8(arguments);
        EXPECT_FALSE(app->Ended());
    }
}

// Only the \\?\ form reaches a folder whose name ends in a dot; it is taken
// as it stands, never as the sibling without the dot.
TEST_F(CommandLineEndToEnd, AnExtendedPathIsShownAsItStandsTrailingDotAndAll) {
    const std::wstring dotted = L"\\\\?\\" + files.Path() + L"\\f3.";
    ASSERT_TRUE(CreateDirectoryW(dotted.c_str(), nullptr));
    WriteBytes(dotted + L"\\in-dotted.txt", "x");
    tree.Folder(L"\\f3");
    tree.File(L"\\f3\\in-sibling.txt");

    EXPECT_EQ(Utf8(FolderIn(StartWith(Quoted(dotted)))), Utf8(dotted));
    EXPECT_EQ(ListedIn(*app), Names{"in-dotted.txt"});
}

}  // namespace
}  // namespace quillory::testing
