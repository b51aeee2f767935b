// The 文件 menu's recent folders in the real window: folders shown in turn
// listed newest first with their numbers, kept over a restart, one gone told,
// one chosen shown, the list cleared.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "browse/recent_folders.h"
#include "platform/win32/encoding.h"
#include "support/list_view_queries.h"
#include "support/test_app.h"

namespace quillory::testing {
namespace {

using win32::Utf8;
using Captions = std::vector<std::string>;

HMENU FileMenu(HWND window) { return GetSubMenu(GetMenu(window), 0); }
HMENU RecentMenu(HWND window) { return GetSubMenu(FileMenu(window), 1); }

// Top to bottom; a separator as "-", a greyed item with "(grey)" after it.
Captions CaptionsOf(HMENU menu) {
    Captions captions;
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION);
        wchar_t text[512] = L"";
        GetMenuStringW(menu, static_cast<UINT>(item), text, 512, MF_BYPOSITION);
        captions.push_back((state & MF_SEPARATOR) ? "-" : Utf8(text) + ((state & MF_GRAYED) ? "(grey)" : ""));
    }
    return captions;
}

// The submenu that lists these folders, newest first.
Captions Listing(const std::vector<std::wstring>& newestFirst) {
    Captions captions;
    for (std::size_t position = 0; position < newestFirst.size(); ++position) {
        captions.push_back(RecentFolderCaption(position, Utf8(newestFirst[position])));
    }
    captions.insert(captions.end(), {"-", "清除列表 &C"});
    return captions;
}

TEST(RecentFoldersEndToEnd, FoldersShownInTurnAreListedKeptToldWhenGoneShownAndCleared) {
    ProgramFolder program;
    TestFolder places;
    std::vector<std::wstring> newestFirst;
    for (const wchar_t* name : {L"一月", L"Tom & Jerry", L"照片", L"d", L"e"}) {
        newestFirst.insert(newestFirst.begin(), places / name);
        ASSERT_TRUE(MakeFolders(newestFirst.front()));
    }
    {
        TestApp app{program.Path()};
        EXPECT_EQ(CaptionsOf(RecentMenu(app.Window())), Captions{"清除列表 &C(grey)"}) << "the start folder counts not";
        wchar_t caption[64] = L"";
        GetMenuStringW(FileMenu(app.Window()), 1, caption, 64, MF_BYPOSITION);
        EXPECT_EQ(Utf8(caption), "最近的文件夹 &R");
        for (auto folder = newestFirst.rbegin(); folder != newestFirst.rend(); ++folder) app.ShowFolder(*folder);
        EXPECT_EQ(CaptionsOf(RecentMenu(app.Window())), Listing(newestFirst));
    }
    TestApp app{program.Path()};
    EXPECT_EQ(CaptionsOf(RecentMenu(app.Window())), Listing(newestFirst)) << "after a restart";

    // The third newest is gone: told, and the list stays as it was.
    ASSERT_TRUE(RemoveDirectoryW(newestFirst[2].c_str()));
    {
        MessageBoxAnswerer answerer;
        app.Choose(Command::RecentFolder3);
        const std::vector<ShownMessage> told = answerer.Answered();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].text, RecentFolderGoneMessage(Utf8(newestFirst[2])));
    }
    EXPECT_EQ(CaptionsOf(RecentMenu(app.Window())), Listing(newestFirst));

    // The fourth newest is shown as a dropped folder is, and goes on top.
    WriteBytes(newestFirst[3] + L"\\inside.txt", "x");
    app.Choose(Command::RecentFolder4);
    EXPECT_EQ(ShownNames(app.Control(ControlId::选择列表框文件列表)), Captions{"inside.txt"});
    std::rotate(newestFirst.begin(), newestFirst.begin() + 3, newestFirst.begin() + 4);
    EXPECT_EQ(CaptionsOf(RecentMenu(app.Window())), Listing(newestFirst));

    app.Choose(Command::ClearRecentFolders);
    EXPECT_EQ(CaptionsOf(RecentMenu(app.Window())), Captions{"清除列表 &C(grey)"});
}

}  // namespace
}  // namespace quillory::testing
