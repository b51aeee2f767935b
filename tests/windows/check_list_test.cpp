#include "browse/win32/check_list_control.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/control_host.h"
#include "support/list_view_queries.h"

namespace quillory {
namespace {

using testing::ControlHost;
using testing::ShownNames;
using testing::ShownText;
using win32::CheckListControl;

class CheckListTest : public ::testing::Test {
protected:
    CheckListTest() { host.Reflect(list); }

    HWND View() const { return list.Handle(); }

    void Fill(const std::vector<std::string>& names) {
        NameList added;
        for (const std::string& name : names) added.Add(name);
        list.ListAppend(added);
        host.Pump();
    }

    // The tick the view draws: 2 ticked, 1 unticked.
    int ShownTick(int item) const {
        return static_cast<int>(ListView_GetItemState(View(), item, LVIS_STATEIMAGEMASK) >> 12);
    }

    void ClickAt(POINT point) {
        ASSERT_GE(point.x, 0) << "no such part of the item";
        testing::PostClick(View(), point);
        host.Pump();
    }

    POINT NameOf(int item) const { return testing::NamePoint(View(), item); }
    POINT TickBoxOf(int item) const { return testing::TickBoxPoint(View(), item); }

    void PressKey(UINT key, wchar_t character) {
        PostMessageW(View(), WM_KEYDOWN, key, 1);
        if (character) PostMessageW(View(), WM_CHAR, character, 1);
        PostMessageW(View(), WM_KEYUP, key, 0xC0000001);
        host.Pump();
    }

    ControlHost host;
    CheckListControl list{host.Parent(), RowOf(ControlId::选择列表框文件列表), host.Font(), host.Recorder()};
};

TEST_F(CheckListTest, ItemsShowInTheOrderAddedUntickedUntilTicked) {
    // The last name has no place in code page 936.
    Fill({"b.txt", "a.txt", "资料 2024.doc", "한글.txt"});

    EXPECT_EQ(ShownNames(View()), (std::vector<std::string>{"b.txt", "a.txt", "资料 2024.doc", "한글.txt"}));
    EXPECT_EQ(list.ListItemText(3), "한글.txt");
    EXPECT_EQ(list.ListItemText(4), "");
    EXPECT_EQ(ShownTick(0), 1);
    EXPECT_FALSE(list.ListIsChecked(0));

    list.ListSetChecked(1);
    host.Pump();
    EXPECT_TRUE(list.ListIsChecked(1));
    EXPECT_EQ(ShownTick(1), 2);
    EXPECT_EQ(ShownTick(0), 1);
    EXPECT_TRUE(host.events.empty()) << "ticks set by the program raise nothing";
}

TEST_F(CheckListTest, ClearEmptiesTheViewAndLeavesNoCurrentItem) {
    Fill({"one", "two", "three", "four"});
    ClickAt(NameOf(2));
    ASSERT_EQ(list.ListCurrentIndex(), 2);

    list.ListClear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListCurrentIndex(), -1);
    Fill({"five", "six", "seven"});

    EXPECT_EQ(ListView_GetItemCount(View()), 3);
    EXPECT_EQ(ShownText(View(), 0), "five");
    EXPECT_EQ(ListView_GetNextItem(View(), -1, LVNI_SELECTED), -1);
    EXPECT_EQ(list.ListCurrentIndex(), -1);
}

TEST_F(CheckListTest, ClickOnANameSelectsItWithoutTicking) {
    Fill({"one", "two", "three"});

    ClickAt(NameOf(1));
    EXPECT_EQ(list.ListCurrentIndex(), 1);
    EXPECT_EQ(host.Count(Event::ItemSelected), 1);
    EXPECT_EQ(host.Count(Event::TickChanged), 0);
    EXPECT_FALSE(list.ListIsChecked(1));

    ClickAt(NameOf(2));
    EXPECT_EQ(list.ListCurrentIndex(), 2);
    EXPECT_EQ(host.Count(Event::ItemSelected), 2);
}

TEST_F(CheckListTest, ClickOnATickBoxFlipsThatTickOnce) {
    Fill({"one", "two", "three"});

    ClickAt(TickBoxOf(1));
    EXPECT_TRUE(list.ListIsChecked(1));
    EXPECT_FALSE(list.ListIsChecked(0));
    EXPECT_EQ(ShownTick(1), 2);
    EXPECT_EQ(host.Count(Event::TickChanged), 1);

    ClickAt(TickBoxOf(1));
    EXPECT_FALSE(list.ListIsChecked(1));
    EXPECT_EQ(ShownTick(1), 1);
    EXPECT_EQ(host.Count(Event::TickChanged), 2);
}

TEST_F(CheckListTest, SpaceBarFlipsTheCurrentItemAndKeepsTheSelection) {
    Fill({"one", "two", "three"});
    list.ListSetChecked(2);
    ClickAt(NameOf(2));
    host.events.clear();

    PressKey(VK_SPACE, L' ');
    EXPECT_FALSE(list.ListIsChecked(2));
    EXPECT_EQ(ShownTick(2), 1);
    EXPECT_EQ(host.Count(Event::TickChanged), 1);
    EXPECT_EQ(list.ListCurrentIndex(), 2);
    EXPECT_EQ(ListView_GetNextItem(View(), -1, LVNI_SELECTED), 2);

    PressKey(VK_SPACE, L' ');
    EXPECT_TRUE(list.ListIsChecked(2));
    EXPECT_EQ(host.Count(Event::TickChanged), 2);
}

TEST_F(CheckListTest, TypingJumpsToTheNextNameWithThatBeginning) {
    Fill({"apple.txt", "Banana.txt", "cherry.txt", "blueberry.txt"});

    PressKey('B', L'b');
    EXPECT_EQ(list.ListCurrentIndex(), 1);
    EXPECT_EQ(host.Count(Event::ItemSelected), 1);

    PressKey('X', L'x');
    EXPECT_EQ(list.ListCurrentIndex(), 1) << "no name begins with x";
}

TEST_F(CheckListTest, RightButtonOverTheListRaisesRightButtonDownOnce) {
    Fill({"one", "two"});
    const POINT point = NameOf(1);
    PostMessageW(View(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(View(), WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    host.Pump();

    EXPECT_EQ(host.Count(Event::RightButtonDown), 1);
    EXPECT_EQ(host.Count(Event::TickChanged), 0);
}

TEST_F(CheckListTest, ItemExtensionBringsTheCurrentItemIntoView) {
    NameList added;
    for (int i = 0; i < 500; ++i) added.Add("file" + std::to_string(i));
    list.ListAppend(added);
    host.Pump();
    ListView_SetItemState(View(), 400, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_EQ(list.ListCurrentIndex(), 400);
    ListView_EnsureVisible(View(), 0, FALSE);
    ASSERT_EQ(ListView_GetTopIndex(View()), 0);

    list.ListItemExtension(list.WindowHandle(), list.ListItemText(400), true, false);
    const int top = ListView_GetTopIndex(View());
    EXPECT_LE(top, 400);
    EXPECT_GT(top + ListView_GetCountPerPage(View()), 400);
}

TEST_F(CheckListTest, TheTipOfACutNameGoesWithTheListThatHeldIt) {
    const std::string wide = "a name of many words that is much wider than the file list could ever show.txt";
    Fill({wide});
    const HWND tip = testing::NameTipOf(View());
    ASSERT_TRUE(tip != nullptr);
    testing::PostMouseMove(View(), NameOf(0));
    host.Pump();
    ASSERT_EQ(testing::TipText(tip, View()), wide);

    list.ListClear();
    Fill({"short.txt"});
    testing::PostMouseMove(View(), NameOf(0));
    host.Pump();

    EXPECT_EQ(testing::TipText(tip, View()), "");
}

int messagesToView = 0;

LRESULT CALLBACK CountMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    ++messagesToView;
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(CheckListTest, AHundredThousandNamesCostAHandfulOfMessages) {
    constexpr int kNames = 100'000;
    SetWindowSubclass(View(), CountMessages, 77, 0);
    messagesToView = 0;

    list.ListClear();
    // In batches, as a listing hands them over.
    for (int batch = 0; batch < kNames; batch += 1000) {
        NameList added;
        for (int i = batch; i < batch + 1000; ++i) added.Add("name" + std::to_string(i) + ".txt");
        list.ListAppend(added);
    }
    for (int i = 0; i < kNames; ++i) list.ListSetChecked(i);
    UpdateWindow(host.Window());
    host.Pump();

    EXPECT_EQ(ListView_GetItemCount(View()), kNames);
    EXPECT_LT(messagesToView, 1000);
    EXPECT_EQ(ShownText(View(), kNames - 1), "name99999.txt");
    EXPECT_EQ(ShownTick(kNames - 1), 2);
    RemoveWindowSubclass(View(), CountMessages, 77);
}

}  // namespace
}  // namespace quillory
