// Large folders in the real window: listed off the window's thread while
// another thread asks the window for answers, another folder chosen midway,
// an extraction asked for midway, and changes on disk applied where they
// fall.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "browse/folder_chain.h"
#include "platform/win32/encoding.h"
#include "support/clipboard.h"
#include "support/list_view_queries.h"
#include "support/many_files.h"
#include "support/message_box_answerer.h"
#include "support/test_app.h"
#include "support/window_pinger.h"

namespace quillory::testing {
namespace {

using win32::Ansi;
using win32::Utf8;
using Names = std::vector<std::string>;

// Enough that listing them takes a while, few enough that Wine, slow to
// make and remove files, makes them in seconds.
constexpr int kFiles = 10'000;
constexpr double kLongestAnswer = 100;  // milliseconds

std::wstring FileName(int index) { return (index % 10 == 0 ? L"照片_" : L"IMG_") + std::to_wstring(index) + L".jpg"; }

class BackgroundListingEndToEnd : public ::testing::Test {
protected:
    std::wstring MakeFolder(const std::wstring& name, int count,
                            const std::function<std::wstring(int)>& nameOf = FileName) {
        const std::wstring made = files / name;
        CreateDirectoryW(made.c_str(), nullptr);
        EXPECT_TRUE(MakeEmptyFiles(made, count, nameOf));
        return made;
    }

    // As Ctrl+V gives it to the window, handled before this returns.
    void Paste(const std::wstring& folder) {
        PutTextOnClipboard(folder);
        SendMessageW(app.Window(), WM_PASTE, 0, 0);
    }

    // Runs the window's messages, `until` after each, until no listing
    // runs; false when `until` held first.
    bool PumpWhileListing(const std::function<bool()>& until) {
        for (;;) {
            if (!app.PumpOne()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            if (until()) return false;
            if (app.Program().Settled()) return true;
        }
    }

    bool Listing() { return !app.Program().Settled(); }
    bool Shows(const std::string& name) const {
        const Names names = ShownNames(List());
        return std::find(names.begin(), names.end(), name) != names.end();
    }
    std::map<std::string, bool> TicksByName() const {
        const Names names = ShownNames(List());
        const std::vector<bool> ticks = ShownTicks(List());
        std::map<std::string, bool> byName;
        for (std::size_t i = 0; i < names.size() && i < ticks.size(); ++i) byName[names[i]] = ticks[i];
        return byName;
    }
    // These ask the window, as another program would, from any thread.
    HWND List() const { return app.Control(ControlId::选择列表框文件列表); }
    int Shown() const { return ListView_GetItemCount(List()); }
    std::string Caption() const { return app.Text(ControlId::分组框文件名提取目录框); }

    ProgramFolder folder;
    TestFolder files;
    TestApp app{folder.Path()};
};

TEST_F(BackgroundListingEndToEnd, ABigFolderGrowsInTheListWhileTheWindowAnswersEveryMessage) {
    const std::wstring big = MakeFolder(L"大文件夹", kFiles);
    // Seen from another thread, as another program sees the window.
    std::mutex seenMutex;
    std::set<int> counts;
    {
        const WindowPinger pinger(app.Window(), [&] {
            const int shown = Shown();
            const std::lock_guard lock(seenMutex);
            counts.insert(shown);
        });
        Paste(big);
        app.Pump();
        EXPECT_LT(pinger.LongestWait(), kLongestAnswer);
    }

    EXPECT_TRUE(std::any_of(counts.begin(), counts.end(), [](int shown) { return shown > 0 && shown < kFiles; }))
        << "the list grows in batches";
    EXPECT_EQ(Caption(), "待提取目录");
    const std::vector<bool> ticks = ShownTicks(List());
    EXPECT_EQ(std::count(ticks.begin(), ticks.end(), true), kFiles);
    const Names names = ShownNames(List());
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), static_cast<std::size_t>(kFiles));
    EXPECT_TRUE(std::find(names.begin(), names.end(), "照片_9990.jpg") != names.end());
}

TEST_F(BackgroundListingEndToEnd, AnotherFolderChosenMidwayShowsNoneOfTheFirstFoldersNames) {
    const std::wstring big = MakeFolder(L"first", kFiles);
    // Names the first folder has not, so that a first batch of one or two
    // of its names cannot pass for the second folder's.
    const std::wstring second = MakeFolder(L"second", 3, [](int index) { return L"第二_" + std::to_wstring(index) + L".jpg"; });
    Paste(big);
    ASSERT_FALSE(PumpWhileListing([&] { return Shown() > 0; })) << "the first folder was listed at once";

    // The pasted path is taken once the disk has said it is a folder, and
    // the list starts anew.
    Paste(second);
    const Names expected{"第二_0.jpg", "第二_1.jpg", "第二_2.jpg"};
    const auto ofSecond = [&](const std::string& name) {
        return std::find(expected.begin(), expected.end(), name) != expected.end();
    };
    const auto onlySecond = [&] {
        const Names names = ShownNames(List());
        return std::all_of(names.begin(), names.end(), ofSecond);
    };
    ASSERT_TRUE(app.PumpUntil([&] {
        const Names names = ShownNames(List());
        return std::any_of(names.begin(), names.end(), ofSecond);
    }, 10'000));
    EXPECT_TRUE(onlySecond());
    bool strayName = false;
    PumpWhileListing([&] {
        strayName = strayName || !onlySecond();
        return false;
    });
    EXPECT_FALSE(strayName);
    Names shown = ShownNames(List());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);
}

TEST_F(BackgroundListingEndToEnd, AnExtractionAskedForMidwayWaitsAndWritesWhatTheClickFound) {
    const std::wstring big = MakeFolder(L"提取", kFiles);
    Paste(big);
    ASSERT_FALSE(PumpWhileListing([&] { return Shown() > 0; }));
    MessageBoxAnswerer answerer;
    SendMessageW(app.Control(ControlId::按钮提取文件名), BM_CLICK, 0, 0);
    ASSERT_TRUE(Listing()) << "the click came after the listing's end";
    const std::string dayFile = ReadBytes(folder.DayFile());
    SendMessageW(app.Control(ControlId::按钮全部选), BM_CLICK, 0, 0);
    SendMessageW(app.Control(ControlId::按钮提取文件名), BM_CLICK, 0, 0);
    EXPECT_EQ(ReadBytes(folder.DayFile()), dayFile) << "nothing before the listing's end";
    app.Pump();

    // Every name was ticked at the click: the first 200 of the whole list,
    // in reverse order behind one empty line each, once.
    ASSERT_EQ(Shown(), kFiles);
    std::string block;
    for (int i = 199; i >= 0; --i) block += "\r\n" + Ansi(ShownText(List(), i)) + "\r\n";
    EXPECT_EQ(ReadBytes(folder.DayFile()), block + dayFile);
    const std::vector<ShownMessage> told = answerer.Answered();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text.rfind("提取成功，所在目录为:", 0), 0u);
    const std::vector<bool> ticks = ShownTicks(List());
    EXPECT_EQ(std::count(ticks.begin(), ticks.end(), true), 0) << "select none after the click still holds";
}

TEST_F(BackgroundListingEndToEnd, NamesAddedRemovedAndRenamedInABigShownFolderAreAppliedWhereTheyFall) {
    const std::wstring big = MakeFolder(L"变化", kFiles);
    Paste(big);
    app.Pump();
    for (int item : {0, 1}) {
        PostClick(List(), TickBoxPoint(List(), item));
        app.Pump();
    }
    Names expected = ShownNames(List());
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(kFiles));
    const std::wstring making = FolderForMaking(big);
    const auto path = [&](const std::string& name) { return making + L"\\" + win32::Wide(name); };

    // A file made hidden changes no name, so only a listing again would drop it.
    SetFileAttributesW(path(expected[2]).c_str(), FILE_ATTRIBUTE_HIDDEN);
    ULONGLONG shownAfter = 0;
    {
        const WindowPinger pinger(app.Window());
        const ULONGLONG changed = GetTickCount64();
        ASSERT_TRUE(DeleteFileW(path(expected[3]).c_str()));
        ASSERT_TRUE(MoveFileW(path(expected[4]).c_str(), path("改名.jpg").c_str()));
        ASSERT_TRUE(MakeEmptyFiles(big, 1, [](int) { return std::wstring(L"新.jpg"); }));
        ASSERT_TRUE(app.PumpUntil(
            [&] { return ShownText(List(), 3) == "改名.jpg" && ShownText(List(), kFiles - 1) == "新.jpg"; }, 5000));
        shownAfter = GetTickCount64() - changed;
        EXPECT_LT(pinger.LongestWait(), kLongestAnswer);
    }
    EXPECT_LT(shownAfter, 1000u);
    expected.erase(expected.begin() + 3);
    expected[3] = "改名.jpg";
    expected.push_back("新.jpg");
    EXPECT_EQ(ShownNames(List()), expected) << "in place, the new name last, the hidden one still there";
    std::vector<bool> ticks(expected.size(), true);
    ticks[0] = ticks[1] = false;
    EXPECT_EQ(ShownTicks(List()), ticks) << "every tick kept, the new name ticked";
}

// Windows reports a change anywhere below the shown folder, Wine 8 only the
// folder's own: a file three levels down shows at once there, at F5 here.
TEST_F(BackgroundListingEndToEnd, ATreeFollowsTheDiskDownToAFileThreeLevelsBelowAndAFolderBroughtInWithItsFiles) {
    const std::wstring tree = files / L"树";
    for (const wchar_t* made : {L"", L"\\子", L"\\子\\孙", L"\\子\\孙\\曾孙"}) {
        CreateDirectoryW((tree + made).c_str(), nullptr);
    }
    for (const wchar_t* made : {L"\\a.jpg", L"\\子\\b.jpg", L"\\子\\孙\\c.jpg"}) WriteBytes(tree + made, "x");
    const std::wstring outside = MakeFolder(L"外面", 2);
    app.Choose(Command::IncludeSubfolders);
    Paste(tree);
    app.Pump();
    ASSERT_EQ(TicksByName(), (std::map<std::string, bool>{{"a.jpg", true}, {"子\\b.jpg", true}, {"子\\孙\\c.jpg", true}}));
    for (int item : {0, 1}) {
        PostClick(List(), TickBoxPoint(List(), item));
        app.Pump();
    }
    std::map<std::string, bool> expected = TicksByName();

    WriteBytes(tree + L"\\子\\孙\\曾孙\\新.jpg", "x");
    if (!app.PumpUntil([&] { return Shows("子\\孙\\曾孙\\新.jpg"); }, 1000)) {
        SetFocus(List());
        app.PressKey(VK_F5);
    }
    expected["子\\孙\\曾孙\\新.jpg"] = true;
    EXPECT_EQ(TicksByName(), expected);

    // Its files come with the folder unreported; the tree is listed again.
    ASSERT_TRUE(MoveFileW(outside.c_str(), (tree + L"\\搬来").c_str()));
    ASSERT_TRUE(app.PumpUntil([&] { return Shows("搬来\\IMG_1.jpg"); }, 5000));
    app.Pump();
    expected["搬来\\照片_0.jpg"] = expected["搬来\\IMG_1.jpg"] = true;
    EXPECT_EQ(TicksByName(), expected) << "every tick kept by name";
    const HWND rows = GetWindow(app.Control(ControlId::目录框文件名提取), GW_CHILD);
    EXPECT_EQ(SendMessageW(rows, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(FolderChain(Utf8(tree)).size() + 2))
        << "the folder's own subfolders, none deeper down";
}

}  // namespace
}  // namespace quillory::testing
