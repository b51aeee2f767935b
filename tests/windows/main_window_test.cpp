#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "support/clipboard.h"
#include "support/popup_menu_answerer.h"
#include "support/test_app.h"
#include "support/window_queries.h"

namespace quillory::testing {
namespace {

using enum ControlId;

enum class Kind { GroupBox, Label, PushButton, RadioButton, EditBox, CheckList, DriveBox, DirectoryBox };

struct Expected {
    ControlId id;
    Kind kind;
    std::optional<ControlId> in;  // none: the window
    int left, top, width, height;
    const char* caption;  // null: not a caption of its own
    bool sunken;
};

// clang-format off
const Expected kLayout[] = {
    {分组框文件名提取框,     Kind::GroupBox,     std::nullopt,             4,  -1, 189, 284, "文件名提取框", false},
    {驱动器框文件名提取,     Kind::DriveBox,     分组框文件名提取框,       9,  19, 171,  50, nullptr,        false},
    {目录框文件名提取,       Kind::DirectoryBox, 分组框文件名提取框,       9,  45, 170, 230, nullptr,        false},
    {分组框文件名提取目录框, Kind::GroupBox,     std::nullopt,           198,  -1, 212, 285, "待提取目录",   false},
    {按钮全选,               Kind::PushButton,   分组框文件名提取目录框,   8,  22,  58,  20, "全选",         false},
    {按钮全部选,             Kind::PushButton,   std::nullopt,           275,  20,  58,  20, "全不选",       false},
    {按钮反选,               Kind::PushButton,   std::nullopt,           342,  20,  58,  20, "反选",         false},
    {选择列表框文件列表,     Kind::CheckList,    分组框文件名提取目录框,   8,  44, 195, 232, nullptr,        false},
    {分组框参数设置框,       Kind::GroupBox,     std::nullopt,             4, 284, 405,  48, "参数设置框",   false},
    {单选框正序,             Kind::RadioButton,  分组框参数设置框,         5,  20,  69,  16, "正序排列",     false},
    {单选框逆序,             Kind::RadioButton,  std::nullopt,            80, 305,  69,  16, "逆序排列",     false},
    {标签参数1,              Kind::Label,        分组框参数设置框,       167,  20,  72,  16, "每行之间共有", false},
    {编辑框参数2,            Kind::EditBox,      分组框参数设置框,       241,  20,  32,  16, "1",            true},
    {标签参数3,              Kind::Label,        分组框参数设置框,       274,  20,  49,  16, "个空白行",     false},
    {按钮默认设置,           Kind::PushButton,   分组框参数设置框,       334,  15,  58,  24, "默认设置",     false},
    {分组框实行操作框,       Kind::GroupBox,     std::nullopt,             3, 331, 406,  46, "执行操作框",   false},
    {标签存储路径,           Kind::Label,        std::nullopt,             4, 349,  56,  19, "存储路径：",   false},
    {标签存放路径,           Kind::Label,        std::nullopt,            61, 348, 259,  24, nullptr,        true},
    {按钮提取文件名,         Kind::PushButton,   std::nullopt,           337, 348,  58,  24, "立即提取",     false},
};
// clang-format on

constexpr COLORREF kDarkRed = RGB(128, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

LONG StyleOf(HWND window) { return GetWindowLongW(window, GWL_STYLE); }
LONG ExStyleOf(HWND window) { return GetWindowLongW(window, GWL_EXSTYLE); }

void ExpectKind(HWND control, Kind kind) {
    const LONG style = StyleOf(control);
    switch (kind) {
    case Kind::GroupBox:
        EXPECT_EQ(ClassOf(control), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
        break;
    case Kind::PushButton:
        EXPECT_EQ(ClassOf(control), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
        break;
    case Kind::RadioButton:
        EXPECT_EQ(ClassOf(control), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
        break;
    case Kind::Label:
        EXPECT_EQ(ClassOf(control), "Static");
        EXPECT_EQ(style & SS_NOPREFIX, SS_NOPREFIX) << "a path may hold an ampersand";
        break;
    case Kind::EditBox:
        EXPECT_EQ(ClassOf(control), "Edit");
        EXPECT_EQ(style & ES_MULTILINE, 0);
        EXPECT_EQ(style & ES_CENTER, ES_CENTER);
        break;
    case Kind::DriveBox:
        EXPECT_EQ(ClassOf(control), "ComboBox");
        EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
        break;
    case Kind::CheckList:
    case Kind::DirectoryBox:
        break;  // classes of their own, with their own tests
    }
}

std::vector<std::string> MenuCaptions(HMENU menu) {
    std::vector<std::string> captions;
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        wchar_t caption[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(item), caption, 128, MF_BYPOSITION);
        captions.push_back(win32::Utf8(caption));
    }
    return captions;
}

// Smoothed text blends its colour with the background: the hue is what counts.
bool IsRedInk(COLORREF pixel) { return GetRValue(pixel) > GetGValue(pixel) + 40 && GetRValue(pixel) > GetBValue(pixel) + 40; }
bool IsBlueInk(COLORREF pixel) { return GetBValue(pixel) > GetRValue(pixel) + 40 && GetBValue(pixel) > GetGValue(pixel) + 40; }
bool IsBlackInk(COLORREF pixel) { return GetRValue(pixel) < 48 && GetGValue(pixel) < 48 && GetBValue(pixel) < 48; }

// What the started window shows, read without changing it: one start serves all.
class MainWindowLayout : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new ProgramFolder;
        started = new TestApp(folder->Path());
    }
    static void TearDownTestSuite() {
        delete started;
        delete folder;
    }
    HWND Control(ControlId id) const { return started->Control(id); }

    static ProgramFolder* folder;
    static TestApp* started;
    TestApp& app = *started;
};
ProgramFolder* MainWindowLayout::folder = nullptr;
TestApp* MainWindowLayout::started = nullptr;

// A fresh start for every test that acts on the window.
class MainWindowTest : public ::testing::Test {
protected:
    HWND Control(ControlId id) const { return app.Control(id); }

    ProgramFolder folder;
    TestApp app{folder.Path()};
};

TEST_F(MainWindowLayout, HasItsTitleSizeFrameAndPlace) {
    const HWND window = app.Window();
    EXPECT_EQ(TextOf(window), "Quillory ---- www.velkor.example");

    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 426);
    EXPECT_EQ(outer.bottom - outer.top, 433);
    EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 426) / 2, 1);
    EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 433) / 2, 1);

    const LONG style = StyleOf(window);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & WS_SYSMENU, WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0);
    EXPECT_TRUE(IsWindowVisible(window));
    // In the taskbar and not kept on top.
    EXPECT_EQ(ExStyleOf(window) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
}

TEST_F(MainWindowLayout, HasEveryControlInItsContainerAtItsPlace) {
    std::size_t children = 0;
    for (const Expected& row : kLayout) {
        SCOPED_TRACE(static_cast<int>(row.id));
        const HWND control = Control(row.id);
        ASSERT_NE(control, nullptr);
        const HWND container = row.in ? Control(*row.in) : app.Window();
        EXPECT_EQ(GetParent(control), container);
        ExpectKind(control, row.kind);
        const RECT rect = RectInParent(control);
        EXPECT_EQ(rect.left, row.left);
        EXPECT_EQ(rect.top, row.top);
        EXPECT_EQ(rect.right - rect.left, row.width);
        // A drop-down list's window is its selection field, as high as its font needs.
        if (row.kind != Kind::DriveBox) {
            EXPECT_EQ(rect.bottom - rect.top, row.height);
        }
        if (row.caption) {
            EXPECT_EQ(TextOf(control), row.caption);
        }
        EXPECT_EQ((ExStyleOf(control) & WS_EX_CLIENTEDGE) != 0, row.sunken);
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
        if (!row.in) ++children;
    }
    EXPECT_EQ(ChildrenOf(app.Window()).size(), children) << "no control beyond the table";
}

TEST_F(MainWindowLayout, UsesTheFontsOfTheDesign) {
    for (const Expected& row : kLayout) {
        if (row.kind == Kind::CheckList || row.kind == Kind::DirectoryBox) continue;
        SCOPED_TRACE(static_cast<int>(row.id));
        const LOGFONTW font = FontOf(Control(row.id));
        const bool panelCaption = row.id == 分组框文件名提取框 || row.id == 分组框文件名提取目录框;
        const bool driveBox = row.kind == Kind::DriveBox;
        EXPECT_EQ(win32::Utf8(font.lfFaceName), driveBox ? "华康少女文字W5(P)" : "微软雅黑");
        EXPECT_EQ(font.lfHeight, panelCaption || driveBox ? -14 : -12);
        EXPECT_EQ(font.lfWeight, 400);
        EXPECT_EQ(font.lfCharSet, 134);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    }
}

TEST_F(MainWindowLayout, GivesTheControlsTheirColours) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    for (ControlId id : {分组框文件名提取框, 分组框文件名提取目录框, 分组框参数设置框, 分组框实行操作框, 标签存储路径}) {
        const PaintColours colours = AskColours(Control(id), WM_CTLCOLORSTATIC);
        EXPECT_EQ(colours.text, kDarkRed) << static_cast<int>(id);
        EXPECT_EQ(colours.background, face) << static_cast<int>(id);
    }
    const PaintColours storage = AskColours(Control(标签存放路径), WM_CTLCOLORSTATIC);
    EXPECT_EQ(storage.text, kDarkRed);
    EXPECT_EQ(storage.background, kWhite);
    // The drive box's selection field and its dropped list, which the box asks for its colours.
    const HWND drives = Control(驱动器框文件名提取);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    ASSERT_TRUE(GetComboBoxInfo(drives, &parts));
    for (const PaintColours& colours : {AskColours(drives, WM_CTLCOLORLISTBOX), AskColours(drives, WM_CTLCOLORSTATIC),
                                        AskColours(parts.hwndList, WM_CTLCOLORLISTBOX, drives)}) {
        EXPECT_EQ(colours.text, kDarkRed);
        EXPECT_EQ(colours.background, kWhite);
    }
    const PaintColours count = AskColours(Control(编辑框参数2), WM_CTLCOLOREDIT);
    EXPECT_EQ(count.text, kBlue);
    EXPECT_EQ(count.background, kWhite);
    for (ControlId id : {标签参数1, 标签参数3, 单选框正序, 单选框逆序}) {
        const PaintColours colours = AskColours(Control(id), WM_CTLCOLORSTATIC);
        EXPECT_EQ(colours.text, ink) << static_cast<int>(id);
        EXPECT_EQ(colours.background, face) << static_cast<int>(id);
    }
}

TEST_F(MainWindowLayout, PaintsGroupBoxCaptionsAndLabelsInDarkRed) {
    for (ControlId id : {分组框文件名提取框, 分组框文件名提取目录框, 分组框参数设置框, 分组框实行操作框, 标签存储路径, 标签存放路径}) {
        const Picture picture = Render(Control(id));
        EXPECT_GE(picture.Count(IsRedInk), 10) << static_cast<int>(id);
        EXPECT_EQ(picture.Count(IsBlackInk), 0) << static_cast<int>(id);
    }
    const Picture count = Render(Control(编辑框参数2));
    EXPECT_GE(count.Count(IsBlueInk), 3);
    EXPECT_EQ(count.At(1, 1), kWhite);
}

TEST_F(MainWindowLayout, HasTheMenuBarOfTheDesign) {
    const HMENU bar = GetMenu(app.Window());
    ASSERT_NE(bar, nullptr);
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"文件 &F", {"选择目录 &T", "最近的文件夹 &R", "退出 &Q"}},
        {"选择 &T", {"全选 &A", "全不选 &N", "反选 &S", "", "按模式勾选… &P", "按模式取消勾选… &U"}},
        {"应用 &R", {"立即提取 &W", "撤销上次提取 &Z", "正序排列 &Y", "逆序排列 &X", "默认设置 &S", "", "打开今日文件 &O", "打开存储目录 &D"}},
        {"选项 &O", {"文件名 &N", "不含扩展名 &E", "完整路径 &P", "名称、大小和修改时间 &D", "", "文件系统顺序 &F",
                     "按名称排序 &M", "按修改时间排序 &T", "", "显示隐藏文件 &H", "包含子文件夹 &S"}},
        {"帮助 &H", {"使用说明 &P", "捐献Velkor &J", "更新 &G"}},
    };
    // The defaults' marks, bullets for the two groups.
    const std::vector<std::string> checked = {"文件名 &N", "文件系统顺序 &F"};
    const std::vector<std::string> radio = {"文件名 &N", "不含扩展名 &E", "完整路径 &P", "名称、大小和修改时间 &D",
                                            "文件系统顺序 &F", "按名称排序 &M", "按修改时间排序 &T"};
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(expected.size()));
    for (int position = 0; position < GetMenuItemCount(bar); ++position) {
        const auto& [caption, items] = expected[static_cast<std::size_t>(position)];
        EXPECT_EQ(MenuCaptions(bar)[static_cast<std::size_t>(position)], caption);
        const HMENU menu = GetSubMenu(bar, position);
        EXPECT_EQ(MenuCaptions(menu), items) << caption;
        for (int item = 0; item < GetMenuItemCount(menu); ++item) {
            // Separators (which the system reports greyed) where the captions are
            // empty; nothing greyed but the undo, only the defaults checked; no shortcut key text after a tab.
            const std::string& name = items[static_cast<std::size_t>(item)];
            const UINT state = GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION);
            if (name.empty()) {
                EXPECT_EQ(state & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
                continue;
            }
            const bool isChecked = std::find(checked.begin(), checked.end(), name) != checked.end();
            // Nothing to take back before the first extraction.
            const UINT greyed = name == "撤销上次提取 &Z" ? MF_GRAYED : 0u;
            EXPECT_EQ(state & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED), (isChecked ? MF_CHECKED : 0u) | greyed)
                << name;
            MENUITEMINFOW type{};
            type.cbSize = sizeof type;
            type.fMask = MIIM_FTYPE;
            GetMenuItemInfoW(menu, static_cast<UINT>(item), TRUE, &type);
            const bool isRadio = std::find(radio.begin(), radio.end(), name) != radio.end();
            EXPECT_EQ((type.fType & MFT_RADIOCHECK) != 0, isRadio) << name;
            EXPECT_EQ(MenuCaptions(menu)[static_cast<std::size_t>(item)].find('\t'), std::string::npos);
        }
    }
}

TEST_F(MainWindowTest, StartsWithReverseOrderOneBlankLineAndTheFocusOnTheFileList) {
    EXPECT_EQ(SendMessageW(Control(单选框逆序), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Control(单选框正序), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(app.Text(编辑框参数2), "1");
    const HWND focus = GetFocus();
    const HWND fileList = Control(选择列表框文件列表);
    EXPECT_TRUE(focus == fileList || IsChild(fileList, focus));
}

TEST_F(MainWindowTest, RadioButtonsAreNotOneAutomaticGroup) {
    app.Click(单选框正序);
    EXPECT_EQ(SendMessageW(Control(单选框正序), BM_GETCHECK, 0, 0), BST_CHECKED);
    // The program's own step, not the platform's grouping, keeps them exclusive.
    EXPECT_EQ(SendMessageW(Control(单选框逆序), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    app.Click(单选框逆序);
    EXPECT_EQ(SendMessageW(Control(单选框逆序), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Control(单选框正序), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(MainWindowTest, TabMovesLeftToRightAndTopToBottom) {
    const ControlId order[] = {单选框正序,         单选框逆序, 编辑框参数2, 按钮默认设置, 按钮提取文件名, 驱动器框文件名提取,
                               目录框文件名提取,   按钮全选,   按钮全部选,  按钮反选,     选择列表框文件列表};
    for (ControlId next : order) {
        app.PressKey(VK_TAB);
        const HWND focus = GetFocus();
        EXPECT_TRUE(focus == Control(next) || IsChild(Control(next), focus)) << static_cast<int>(next);
    }
}

void Type(TestApp& app, HWND edit, const std::wstring& keys) {
    for (wchar_t key : keys) PostMessageW(edit, WM_CHAR, key, 1);
    app.Pump();
}

void Paste(TestApp& app, HWND edit, const std::wstring& text) {
    PutTextOnClipboard(text);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_PASTE, 0, 0);
    app.Pump();
}

TEST_F(MainWindowTest, CountBoxRefusesTypedCharactersThatCannotFormAnInteger) {
    const HWND count = Control(编辑框参数2);
    SetFocus(count);
    SendMessageW(count, EM_SETSEL, 1, 1);
    Type(app, count, L"a.,+ e-１");
    EXPECT_EQ(app.Text(编辑框参数2), "1");
    // Longer than the box is wide: no limit.
    Type(app, count, L"2345678901234567890");
    EXPECT_EQ(app.Text(编辑框参数2), "12345678901234567890");
}

TEST_F(MainWindowTest, CountBoxTakesAMinusSignInFrontAndCanBeEmptiedOrHoldZero) {
    const HWND count = Control(编辑框参数2);
    SetFocus(count);
    SendMessageW(count, EM_SETSEL, 0, -1);
    Type(app, count, L"-5");
    EXPECT_EQ(app.Text(编辑框参数2), "-5");
    Type(app, count, L"\b\b");
    EXPECT_EQ(app.Text(编辑框参数2), "");
    Type(app, count, L"0");
    EXPECT_EQ(app.Text(编辑框参数2), "0");
    SendMessageW(count, EM_SETSEL, 0, 0);
    Type(app, count, L"--");
    EXPECT_EQ(app.Text(编辑框参数2), "-0");
}

TEST_F(MainWindowTest, CountBoxTakesOnlyPastesThatLeaveAnInteger) {
    const HWND count = Control(编辑框参数2);
    SetFocus(count);
    Paste(app, count, L"12a");
    EXPECT_EQ(app.Text(编辑框参数2), "1");
    Paste(app, count, L"-42");
    EXPECT_EQ(app.Text(编辑框参数2), "-42");
    // In front of the minus sign a pasted digit would break the form.
    PutTextOnClipboard(L"7");
    SendMessageW(count, EM_SETSEL, 0, 0);
    SendMessageW(count, WM_PASTE, 0, 0);
    EXPECT_EQ(app.Text(编辑框参数2), "-42");
    // Ctrl+V as typed goes the same way.
    PutTextOnClipboard(L"x");
    SendMessageW(count, EM_SETSEL, 0, -1);
    Type(app, count, L"\x16");
    EXPECT_EQ(app.Text(编辑框参数2), "-42");
    PutTextOnClipboard(L"9");
    Type(app, count, L"\x16");
    EXPECT_EQ(app.Text(编辑框参数2), "9");
}

std::vector<std::string> FileMenu(TestApp& app) { return MenuCaptions(GetSubMenu(GetMenu(app.Window()), 0)); }

TEST_F(MainWindowTest, RightClickOverTheDirectoryBoxLeavesTheFileMenuWithChooseFolderOnly) {
    PopupMenuAnswerer first;
    app.RightClick(目录框文件名提取);
    const std::vector<ShownPopup> shown = first.Answered();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].items, (std::vector<std::string>{"选择目录 &T", "最近的文件夹 &R"}));
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_NEAR(shown[0].topLeft.x, cursor.x, 2);
    EXPECT_NEAR(shown[0].topLeft.y, cursor.y, 2);
    EXPECT_EQ(FileMenu(app), (std::vector<std::string>{"选择目录 &T", "最近的文件夹 &R"}));

    PopupMenuAnswerer second;
    app.RightClick(目录框文件名提取);
    const std::vector<ShownPopup> again = second.Answered();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].items, (std::vector<std::string>{"选择目录 &T", "最近的文件夹 &R"}));
    EXPECT_EQ(FileMenu(app), (std::vector<std::string>{"选择目录 &T", "最近的文件夹 &R"}));
    EXPECT_FALSE(app.Ended());
}

TEST_F(MainWindowTest, RightClickOverTheFileListPopsUpTheSelectMenu) {
    PopupMenuAnswerer answerer;
    app.RightClick(选择列表框文件列表);
    const std::vector<ShownPopup> shown = answerer.Answered();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].items,
              (std::vector<std::string>{"全选 &A", "全不选 &N", "反选 &S", "", "按模式勾选… &P", "按模式取消勾选… &U"}));
    EXPECT_EQ(FileMenu(app), (std::vector<std::string>{"选择目录 &T", "最近的文件夹 &R", "退出 &Q"}));
}

// What reaches the window while the test looks on.
class CommandRecorder {
public:
    explicit CommandRecorder(HWND window) : window_(window) { SetWindowSubclass(window_, &Record, 1, reinterpret_cast<DWORD_PTR>(this)); }
    ~CommandRecorder() { RemoveWindowSubclass(window_, &Record, 1); }
    std::vector<std::pair<WPARAM, LPARAM>> commands;

private:
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
        if (message == WM_COMMAND) reinterpret_cast<CommandRecorder*>(self)->commands.emplace_back(wParam, lParam);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    HWND window_;
};

TEST_F(MainWindowTest, AnItemChosenFromAContextMenuReachesTheWindowAsFromTheMenuBar) {
    CommandRecorder recorder(app.Window());
    PopupMenuAnswerer answerer(2);
    app.RightClick(选择列表框文件列表);
    ASSERT_EQ(answerer.Answered().size(), 1u);
    ASSERT_EQ(recorder.commands.size(), 1u);
    EXPECT_EQ(recorder.commands[0].first, static_cast<WPARAM>(Command::Invert));
    EXPECT_EQ(recorder.commands[0].second, 0);
}

}  // namespace
}  // namespace quillory::testing
