// The extraction in the real window: a folder chosen, ticks, order and count
// set as the user sets them, the button or the menu, the message answered,
// and the day's file read byte for byte.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "support/test_app.h"
#include "support/window_queries.h"

namespace quillory::testing {
namespace {

using win32::Utf8;

const std::string kNameInGbk = "\xC3\xFB\xD7\xD6.txt";  // "名字.txt" in code page 936

std::vector<std::string> ListedNames(HWND list) {
    std::vector<std::string> names;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[MAX_PATH] = L"";
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        names.push_back(Utf8(text));
    }
    return names;
}

// The name as the day's file stores it.
std::string Stored(const std::string& name) { return name == "名字.txt" ? kNameInGbk : name; }

class ExtractionEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(files_.c_str(), nullptr);
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"名字.txt"}) WriteBytes(files_ + L"\\" + name, "x");
        app_.ShowFolder(files_);
        names_ = ListedNames(List());
        ASSERT_EQ(names_.size(), 3u);
    }

    HWND List() const { return app_.Control(ControlId::选择列表框文件列表); }

    // The user makes the item current and presses the space bar.
    void ToggleWithSpace(int index) {
        SetFocus(List());
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(List(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
        app_.Pump();
        app_.PressKey(VK_SPACE);
    }

    void TypeCount(const std::wstring& text) {
        const HWND edit = app_.Control(ControlId::编辑框参数2);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_CHAR, VK_BACK, 0);
        for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
        app_.Pump();
    }

    std::vector<ShownMessage> Extract(bool byMenu = false) {
        MessageBoxAnswerer answerer;
        if (byMenu) {
            app_.Choose(Command::Extract);
        } else {
            app_.Click(ControlId::按钮提取文件名);
        }
        return answerer.Answered();
    }

    std::string SuccessText() const {
        return "提取成功，所在目录为:" + Utf8(folder_.StorageFolder()) + "\\" + Utf8(TodayStem()) + ".txt";
    }

    ProgramFolder folder_;
    TestFolder listed_;
    std::wstring files_ = listed_ / L"待提取";
    TestApp app_{folder_.Path()};
    std::vector<std::string> names_;
};

TEST_F(ExtractionEndToEnd, TickedNamesInForwardOrderWithTwoEmptyLinesByTheButton) {
    ToggleWithSpace(1);
    app_.Click(ControlId::单选框正序);
    TypeCount(L"2");
    const auto messages = Extract();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Velkor工作室提醒您");
    EXPECT_EQ(messages[0].text, SuccessText());
    EXPECT_EQ(messages[0].buttons, std::vector<std::string>{"确定"});
    EXPECT_FALSE(messages[0].hasIcon);
    EXPECT_EQ(ReadBytes(folder_.DayFile()),
              "\r\n\r\n" + Stored(names_[0]) + "\r\n\r\n\r\n" + Stored(names_[2]) + "\r\n");
}

TEST_F(ExtractionEndToEnd, MenuItemWritesInReverseOrderInFrontOfTheEarlierBlock) {
    WriteBytes(folder_.DayFile(), "earlier\r\n");
    TypeCount(L"-1");
    const auto messages = Extract(true);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, SuccessText());
    EXPECT_EQ(ReadBytes(folder_.DayFile()),
              Stored(names_[2]) + "\r\n" + Stored(names_[1]) + "\r\n" + Stored(names_[0]) + "\r\nearlier\r\n");
}

TEST_F(ExtractionEndToEnd, MissingOrZeroCountIsRefusedAndNothingIsWritten) {
    for (const std::wstring& text : {std::wstring(), std::wstring(L"0")}) {
        TypeCount(text);
        EXPECT_EQ(app_.Text(ControlId::编辑框参数2), Utf8(text));
        const auto messages = Extract();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "请输入空白行数目，不为空且不为零！");
    }
    EXPECT_EQ(ReadBytes(folder_.DayFile()), "");
}

TEST_F(ExtractionEndToEnd, NoneTickedWritesNothingAndShowsNothing) {
    app_.Click(ControlId::按钮全部选);
    EXPECT_TRUE(Extract().empty());
    EXPECT_EQ(ReadBytes(folder_.DayFile()), "");
}

// "0" was once the mark of an empty slot of the table, which ended the names.
TEST_F(ExtractionEndToEnd, AFileNamedZeroIsWrittenInEitherOrderAndAbove200TheMessageTellsHowManyWereTicked) {
    WriteBytes(files_ + L"\\0", "x");
    app_.Choose(Command::OrderName);
    app_.Pump();
    ASSERT_EQ(ListedNames(List()), (std::vector<std::string>{"0", "a.txt", "b.txt", "名字.txt"}));
    TypeCount(L"-1");
    Extract();
    app_.Choose(Command::OrderFileSystem);
    app_.Pump();
    const std::vector<std::string> listed = ListedNames(List());
    app_.Click(ControlId::单选框正序);
    Extract();
    std::string inFileSystemOrder;
    for (const std::string& name : listed) inFileSystemOrder += Stored(name) + "\r\n";
    EXPECT_EQ(ReadBytes(folder_.DayFile()), inFileSystemOrder + kNameInGbk + "\r\nb.txt\r\na.txt\r\n0\r\n");

    for (int i = 0; i < 250; ++i) WriteBytes(files_ + L"\\f" + std::to_wstring(1000 + i), "x");
    app_.Choose(Command::OrderName);
    app_.Choose(Command::Relist);
    WriteBytes(folder_.DayFile(), "");
    const auto messages = Extract();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, SuccessText() + "\n共勾选了 254 个名称，每次最多提取 200 个：已写入列表中前 200 个勾选的名称，"
                                                "按所选顺序排列。");
    const std::string written = ReadBytes(folder_.DayFile());
    EXPECT_EQ(written.substr(0, 8), "0\r\na.txt") << "forward, in name order";
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 200);
}

TEST(ExtractionEndToEndEmpty, EmptyListIsRefused) {
    ProgramFolder folder;
    TestFolder empty;
    TestApp app(folder.Path());
    app.ShowFolder(empty.Path());
    MessageBoxAnswerer answerer;
    app.Click(ControlId::按钮提取文件名);
    const auto messages = answerer.Answered();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "所选待提取名称为空！");
    EXPECT_EQ(ReadBytes(folder.DayFile()), "");
}

}  // namespace
}  // namespace quillory::testing
