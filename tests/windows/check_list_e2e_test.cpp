// The check-list's keys and name tips in the real window: Ctrl+C and Ctrl+A
// as the keyboard gives them to the focused list, the clipboard read back as
// another program reads it, and the tooltip of a name the column cuts.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/encoding.h"
#include "support/clipboard.h"
#include "support/held_key.h"
#include "support/list_view_queries.h"
#include "support/test_app.h"

namespace quillory::testing {
namespace {

using win32::Ansi;
using win32::Wide;
using Names = std::vector<std::string>;

class CheckListEndToEnd : public ::testing::Test {
protected:
    HWND List() const { return app.Control(ControlId::选择列表框文件列表); }

    // A folder of these files, shown; the names as the list shows them.
    Names Open(const std::vector<std::wstring>& files) {
        const std::wstring folder = listed / L"files";
        CreateDirectoryW(folder.c_str(), nullptr);
        for (const std::wstring& file : files) WriteBytes(folder + L"\\" + file, "x");
        app.ShowFolder(folder);
        return ShownNames(List());
    }

    int IndexOf(const Names& names, const std::string& name) const {
        return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
    }

    void ClickTickBox(int item) {
        PostClick(List(), TickBoxPoint(List(), item));
        app.Pump();
    }

    void ClickName(int item) {
        PostClick(List(), NamePoint(List(), item));
        app.Pump();
    }

    // As the keyboard gives it to the focused list: with its scan code, so
    // that the message loop types the key's character too.
    void Press(UINT key) {
        SetFocus(List());
        const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(List(), WM_KEYDOWN, key, scanCode | 1);
        PostMessageW(List(), WM_KEYUP, key, scanCode | 0xC0000001);
        app.Pump();
    }

    void PressWithControl(UINT key) {
        const HeldKey control(VK_CONTROL);
        Press(key);
    }

    int Selected() const { return ListView_GetNextItem(List(), -1, LVNI_SELECTED); }

    // The names the table holds, as an extraction writes them (each behind
    // the empty lines of the count), in the order of the file.
    Names Extracted() {
        const std::string before = ReadBytes(folder.DayFile());
        MessageBoxAnswerer answerer;
        app.Click(ControlId::按钮提取文件名);
        answerer.Answered();
        const std::string after = ReadBytes(folder.DayFile());
        const std::string block = after.substr(0, after.size() - before.size());
        Names names;
        for (std::size_t start = 0, end; (end = block.find("\r\n", start)) != std::string::npos; start = end + 2) {
            if (end > start) names.push_back(block.substr(start, end - start));
        }
        return names;
    }

    // Moves the mouse onto the item's name and waits as long as a tip takes.
    HWND RestOn(int item) {
        PostMouseMove(List(), NamePoint(List(), item));
        app.Pump();
        const HWND tip = NameTipOf(List());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(GetDoubleClickTime() * 4);
        while (tip && !IsWindowVisible(tip) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            app.Pump();
        }
        return tip;
    }

    ProgramFolder folder;
    TestFolder listed;
    TestApp app{folder.Path()};
};

TEST_F(CheckListEndToEnd, CtrlCPutsTheTickedNamesOnTheClipboardInListOrderAsUnicode) {
    // The Korean name has no place in code page 936.
    const Names names = Open({L"a.txt", L"名字.doc", L"한글.txt"});
    ASSERT_EQ(names.size(), 3u);
    ClickTickBox(IndexOf(names, "a.txt"));
    Names ticked = names;
    std::erase(ticked, "a.txt");
    const std::vector<bool> ticks = ShownTicks(List());

    PressWithControl('C');

    EXPECT_EQ(ClipboardText(), Wide(ticked[0] + "\r\n" + ticked[1]));
    EXPECT_EQ(ShownTicks(List()), ticks) << "copying changes nothing in the list";
}

TEST_F(CheckListEndToEnd, CtrlCWithNothingTickedLeavesTheClipboardAsItWas) {
    Open({L"a.txt", L"b.txt"});
    app.Click(ControlId::按钮全部选);
    PutTextOnClipboard(L"another program's text");

    PressWithControl('C');

    EXPECT_EQ(ClipboardText(), L"another program's text");
}

TEST_F(CheckListEndToEnd, CtrlATicksEverythingAndTheTableFollowsWithoutMovingTheSelection) {
    const Names names = Open({L"a.txt", L"b.txt", L"名字.doc"});
    ClickTickBox(0);
    ClickTickBox(2);
    ClickName(1);
    ASSERT_EQ(ShownTicks(List()), (std::vector<bool>{false, true, false}));

    PressWithControl('A');

    EXPECT_EQ(ShownTicks(List()), std::vector<bool>(3, true));
    EXPECT_EQ(Selected(), 1) << "the key is not a search for a name";
    Names inCodePage;
    for (const std::string& name : names) inCodePage.push_back(Ansi(name));
    Names extracted = Extracted();
    std::sort(extracted.begin(), extracted.end());
    std::sort(inCodePage.begin(), inCodePage.end());
    EXPECT_EQ(extracted, inCodePage);
}

TEST_F(CheckListEndToEnd, PlainAAndCSearchTheNamesAndNeitherTickNorCopy) {
    const Names names = Open({L"a.txt", L"b.txt", L"c.txt"});
    ClickTickBox(IndexOf(names, "b.txt"));
    ClickName(IndexOf(names, "a.txt"));
    PutTextOnClipboard(L"another program's text");

    Press('C');
    EXPECT_EQ(Selected(), IndexOf(names, "c.txt"));
    EXPECT_EQ(ClipboardText(), L"another program's text");

    Press('A');
    std::vector<bool> ticks(3, true);
    ticks[static_cast<std::size_t>(IndexOf(names, "b.txt"))] = false;
    EXPECT_EQ(ShownTicks(List()), ticks);
}

TEST_F(CheckListEndToEnd, ANameWiderThanTheListShowsWholeInATipAShortOneShowsNone) {
    const std::string wide = "a name of many words that is much wider than the file list could ever show.txt";
    const Names names = Open({Wide(wide), L"short.txt"});
    ASSERT_EQ(names.size(), 2u);

    const HWND tip = RestOn(IndexOf(names, wide));
    ASSERT_TRUE(tip != nullptr);
    EXPECT_EQ(TipText(tip, List()), wide);
    EXPECT_TRUE(IsWindowVisible(tip));

    RestOn(IndexOf(names, "short.txt"));
    EXPECT_EQ(TipText(tip, List()), "");
    EXPECT_FALSE(IsWindowVisible(tip));
}

}  // namespace
}  // namespace quillory::testing
