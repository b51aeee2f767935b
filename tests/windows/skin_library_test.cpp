// The real skin library, loaded as the program loads it, skinning windows of
// the test's own thread.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/encoding.h"
#include "skin/win32/loaded_skin_library.h"
#include "support/test_folder.h"
#include "support/process_start.h"

namespace quillory::win32 {
namespace {

using testing::StartProcess;
using testing::TestFolder;
using testing::WriteBytes;

// Hue 0 with green equal to blue: a hue shift of -120 swaps red and blue exactly.
constexpr char kRoseSkin[] =
    "; a test skin\r\n"
    "window = #F0C8C8\r\n"
    "face = #E6B4B4\r\n"
    "frame = #A05050\r\n"
    "light = #FFF0F0\r\n"
    "text = #301010\r\n"
    "field = #FFF8F0\r\n"
    "highlight = #C03030\r\n"
    "highlight-text = #FFFFFF\r\n"
    "menu = #F0D0D0\r\n";
constexpr COLORREF kRoseWindow = RGB(0xF0, 0xC8, 0xC8);
constexpr COLORREF kRoseFace = RGB(0xE6, 0xB4, 0xB4);
constexpr COLORREF kRoseFrame = RGB(0xA0, 0x50, 0x50);
constexpr COLORREF kRoseText = RGB(0x30, 0x10, 0x10);
constexpr COLORREF kRoseField = RGB(0xFF, 0xF8, 0xF0);
constexpr COLORREF kRoseMenu = RGB(0xF0, 0xD0, 0xD0);
constexpr COLORREF kBlueWindow = RGB(0xC8, 0xC8, 0xF0);  // kRoseWindow turned by -120 degrees
constexpr COLORREF kBlueFace = RGB(0xB4, 0xB4, 0xE6);
constexpr COLORREF kBlueFrame = RGB(0x50, 0x50, 0xA0);

// The program's own colours, which the skin must leave alone.
constexpr COLORREF kDarkRed = RGB(128, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kPaleYellow = RGB(255, 255, 160);

enum ChildId { kPlainLabel = 101, kRedLabel, kYellowLabel, kPlainEdit, kBlueEdit, kButton, kGroupBox, kList };

std::wstring WindowsPath(const char* path) {
    std::wstring wide = L"Z:" + Wide(path);
    std::ranges::replace(wide, L'/', L'\\');
    return wide;
}

// A program folder with the real library in its side folder and a skin file.
class SkinnedProgram {
public:
    explicit SkinnedProgram(const std::string& skin) {
        std::filesystem::create_directories(folder_ / L"PLXE");
        EXPECT_TRUE(CopyFileW(WindowsPath(QUILLORY_SKIN_DLL).c_str(), (folder_ / L"PLXE\\SkinH_EL.dll").c_str(), FALSE));
        WriteBytes(folder_ / L"PLXE\\skinh.she", skin);
    }
    std::string Folder() const { return Utf8(folder_.Path()); }
    std::string SkinFile() const { return Utf8(folder_ / L"PLXE\\skinh.she"); }
    std::wstring Path(const std::wstring& name) const { return folder_ / name; }

private:
    TestFolder folder_;
};

void Pump() {
    for (int round = 0; round < 20; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
}

// A window with a control of each kind the skin treats; some carry colours of
// the program's own, given the usual way through WM_CTLCOLOR*.
class TestWindow {
public:
    TestWindow() {
        static const ATOM windowClass = [] {
            // The list view's class is the test's own business, not the skin library's.
            const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
            InitCommonControlsEx(&controls);
            WNDCLASSW description{};
            description.lpfnWndProc = &TestWindow::Proc;
            description.hInstance = GetModuleHandleW(nullptr);
            description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            description.lpszClassName = L"SkinTestWindow";
            return RegisterClassW(&description);
        }();
        HMENU bar = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, 1, L"退出 &Q");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件 &F");
        window_ = CreateWindowExW(0, MAKEINTATOM(windowClass), L"Skin test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40,
                                  40, 420, 320, nullptr, bar, GetModuleHandleW(nullptr), nullptr);
        Add(L"STATIC", L"plain", 0, 0, 10, 10, 100, 20, kPlainLabel);
        Add(L"STATIC", L"red", 0, 0, 10, 40, 100, 20, kRedLabel);
        Add(L"STATIC", L"yellow", 0, 0, 10, 70, 100, 20, kYellowLabel);
        Add(L"EDIT", L"plain", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL, 120, 10, 100, 22, kPlainEdit);
        Add(L"EDIT", L"1", WS_EX_CLIENTEDGE, ES_CENTER, 120, 40, 100, 22, kBlueEdit);
        Add(L"BUTTON", L"全选", 0, BS_PUSHBUTTON, 120, 70, 100, 26, kButton);
        Add(L"BUTTON", L"参数设置框", 0, BS_GROUPBOX, 10, 110, 210, 80, kGroupBox);
        Add(WC_LISTVIEWW, L"", WS_EX_CLIENTEDGE, LVS_LIST, 230, 10, 150, 180, kList);
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
    ~TestWindow() {
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Child(ChildId id) const { return GetDlgItem(window_, id); }

    // The colour on screen at a point of the window's client area, after a full repaint.
    COLORREF PixelAt(int x, int y) const {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        POINT point{x, y};
        ClientToScreen(window_, &point);
        const HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, point.x, point.y);
        ReleaseDC(nullptr, screen);
        return colour;
    }

private:
    void Add(const wchar_t* className, const wchar_t* text, DWORD extended, DWORD style, int x, int y, int width,
             int height, ChildId id) {
        CreateWindowExW(extended, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        static const HBRUSH paleYellow = CreateSolidBrush(kPaleYellow);
        const auto dc = reinterpret_cast<HDC>(wParam);
        const int id = lParam ? GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) : 0;
        if (message == WM_CTLCOLORSTATIC && id == kRedLabel) {
            const LRESULT brush = DefWindowProcW(window, message, wParam, lParam);
            SetTextColor(dc, kDarkRed);
            return brush;
        }
        if (message == WM_CTLCOLORSTATIC && id == kYellowLabel) return reinterpret_cast<LRESULT>(paleYellow);
        if (message == WM_CTLCOLOREDIT && id == kBlueEdit) {
            SetTextColor(dc, kBlue);
            SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

struct ColourAnswer {
    COLORREF text;
    COLORREF background;
    COLORREF brush;
    HBRUSH brushHandle;
};

// What the window answers when its control asks for its colours.
ColourAnswer AskColours(const TestWindow& window, UINT message, ChildId id) {
    const HWND control = window.Child(id);
    const HDC dc = GetDC(control);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(window.Handle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH description{};
    GetObjectW(brush, sizeof description, &description);
    const ColourAnswer answer{GetTextColor(dc), GetBkColor(dc), description.lbColor, brush};
    ReleaseDC(control, dc);
    return answer;
}

COLORREF MenuBackground(HWND window) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    GetMenuInfo(GetMenu(window), &info);
    if (!info.hbrBack) return CLR_INVALID;
    LOGBRUSH description{};
    GetObjectW(info.hbrBack, sizeof description, &description);
    return description.lbColor;
}

// Where the window's pixels show which colour: away from texts and focus marks.
constexpr POINT kBackgroundSpot{300, 250};
constexpr POINT kButtonFaceSpot{125, 92};
constexpr POINT kGroupFrameSpot{10, 150};
constexpr POINT kEditEdgeSpot{120, 20};  // the outer line of the edit box's sunken edge

TEST(SkinLibrary, PaintsAWindowMadeAfterAttachingInTheSkinsColours) {
    SkinnedProgram program(kRoseSkin);
    LoadedSkinLibrary library(program.Folder());
    library.SkinH_Attach();
    library.SkinH_AttachEx(program.SkinFile(), "");
    library.SkinH_AdjustHSV(0, 0, 0);
    TestWindow window;

    const ColourAnswer label = AskColours(window, WM_CTLCOLORSTATIC, kPlainLabel);
    EXPECT_EQ(label.brush, kRoseWindow);
    EXPECT_EQ(label.background, kRoseWindow);
    EXPECT_EQ(label.text, kRoseText);
    const ColourAnswer edit = AskColours(window, WM_CTLCOLOREDIT, kPlainEdit);
    EXPECT_EQ(edit.brush, kRoseField);
    EXPECT_EQ(edit.text, kRoseText);
    EXPECT_EQ(ListView_GetBkColor(window.Child(kList)), kRoseField);
    EXPECT_EQ(ListView_GetTextColor(window.Child(kList)), kRoseText);
    EXPECT_EQ(MenuBackground(window.Handle()), kRoseMenu);

    EXPECT_EQ(window.PixelAt(kBackgroundSpot.x, kBackgroundSpot.y), kRoseWindow);
    EXPECT_EQ(window.PixelAt(kButtonFaceSpot.x, kButtonFaceSpot.y), kRoseFace);
    EXPECT_EQ(window.PixelAt(kGroupFrameSpot.x, kGroupFrameSpot.y), kRoseFrame);
    EXPECT_EQ(window.PixelAt(kEditEdgeSpot.x, kEditEdgeSpot.y), kRoseFrame);
}

TEST(SkinLibrary, AHueShiftRecoloursTheSkinnedWindow) {
    SkinnedProgram program(kRoseSkin);
    LoadedSkinLibrary library(program.Folder());
    library.SkinH_AttachEx(program.SkinFile(), "");
    TestWindow window;
    ASSERT_EQ(window.PixelAt(kBackgroundSpot.x, kBackgroundSpot.y), kRoseWindow);

    library.SkinH_AdjustHSV(-120, 0, 0);
    EXPECT_EQ(AskColours(window, WM_CTLCOLORSTATIC, kPlainLabel).brush, kBlueWindow);
    EXPECT_EQ(window.PixelAt(kBackgroundSpot.x, kBackgroundSpot.y), kBlueWindow);
    EXPECT_EQ(window.PixelAt(kButtonFaceSpot.x, kButtonFaceSpot.y), kBlueFace);
    EXPECT_EQ(window.PixelAt(kGroupFrameSpot.x, kGroupFrameSpot.y), kBlueFrame);

    // The shift is from the skin's own colours, not from the last shift; out of range values wrap and clamp.
    library.SkinH_AdjustHSV(240, 0, 0);
    EXPECT_EQ(AskColours(window, WM_CTLCOLORSTATIC, kPlainLabel).brush, kBlueWindow);
    library.SkinH_AdjustHSV(0, -1000, 0);
    EXPECT_EQ(AskColours(window, WM_CTLCOLORSTATIC, kPlainLabel).brush, RGB(0xF0, 0xF0, 0xF0));
    library.SkinH_AdjustHSV(0, 0, 0);
    EXPECT_EQ(window.PixelAt(kBackgroundSpot.x, kBackgroundSpot.y), kRoseWindow);
}

// Looks at the thread's message box from inside its loop, then closes it.
COLORREF g_messageBoxBackground = CLR_INVALID;

void CALLBACK InspectMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND box = FindWindowW(L"#32770", L"Velkor工作室提醒您");
    if (!box) return;
    const HDC dc = GetDC(box);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(box, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
    LOGBRUSH description{};
    GetObjectW(brush, sizeof description, &description);
    g_messageBoxBackground = description.lbColor;
    ReleaseDC(box, dc);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(SkinLibrary, SkinsTheThreadsMessageBoxes) {
    SkinnedProgram program(kRoseSkin);
    LoadedSkinLibrary library(program.Folder());
    library.SkinH_AttachEx(program.SkinFile(), "");
    SetTimer(nullptr, 0, 300, &InspectMessageBox);
    EXPECT_EQ(MessageBoxW(nullptr, L"提取成功，所在目录为:", L"Velkor工作室提醒您", MB_OK), IDOK);
    EXPECT_EQ(g_messageBoxBackground, kRoseWindow);
}

TEST(SkinLibrary, KeepsTheColoursTheProgramGivesItsControls) {
    SkinnedProgram program(kRoseSkin);
    LoadedSkinLibrary library(program.Folder());
    library.SkinH_Attach();
    library.SkinH_AttachEx(program.SkinFile(), "");
    TestWindow window;
    const HWND list = window.Child(kList);
    ListView_SetBkColor(list, kPaleYellow);

    library.SkinH_AdjustHSV(-120, 0, 0);
    const ColourAnswer red = AskColours(window, WM_CTLCOLORSTATIC, kRedLabel);
    EXPECT_EQ(red.text, kDarkRed);
    EXPECT_EQ(red.brush, kBlueWindow);  // no background of its own: the skin's
    const ColourAnswer yellow = AskColours(window, WM_CTLCOLORSTATIC, kYellowLabel);
    EXPECT_EQ(yellow.brush, kPaleYellow);
    EXPECT_EQ(yellow.background, kPaleYellow);
    EXPECT_EQ(yellow.text, RGB(0x10, 0x10, 0x30));  // no text colour of its own: the skin's, turned
    const ColourAnswer blue = AskColours(window, WM_CTLCOLOREDIT, kBlueEdit);
    EXPECT_EQ(blue.text, kBlue);
    EXPECT_EQ(blue.background, RGB(255, 255, 255));
    EXPECT_EQ(blue.brushHandle, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(ListView_GetBkColor(list), kPaleYellow);
}

TEST(SkinLibrary, LeavesTextsStylesAndMenuItemsAsTheyAre) {
    SkinnedProgram program(kRoseSkin);
    TestWindow window;
    std::vector<std::pair<LONG, std::wstring>> before;
    for (int id = kPlainLabel; id <= kList; ++id) {
        wchar_t text[64] = {};
        GetWindowTextW(window.Child(static_cast<ChildId>(id)), text, 64);
        before.emplace_back(GetWindowLongW(window.Child(static_cast<ChildId>(id)), GWL_STYLE), text);
    }
    LoadedSkinLibrary library(program.Folder());
    library.SkinH_Attach();
    library.SkinH_AttachEx(program.SkinFile(), "");
    library.SkinH_AdjustHSV(55, 0, 0);
    window.PixelAt(0, 0);

    for (int id = kPlainLabel; id <= kList; ++id) {
        wchar_t text[64] = {};
        GetWindowTextW(window.Child(static_cast<ChildId>(id)), text, 64);
        EXPECT_EQ(GetWindowLongW(window.Child(static_cast<ChildId>(id)), GWL_STYLE), before[id - kPlainLabel].first);
        EXPECT_EQ(text, before[id - kPlainLabel].second);
    }
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STRING;
    wchar_t caption[32] = {};
    item.dwTypeData = caption;
    item.cch = 32;
    ASSERT_TRUE(GetMenuItemInfoW(GetSubMenu(GetMenu(window.Handle()), 0), 0, TRUE, &item));
    EXPECT_EQ(item.fType & MFT_OWNERDRAW, 0u);
    EXPECT_STREQ(caption, L"退出 &Q");
}

TEST(SkinLibrary, SkinsTheWindowsThatAlreadyExist) {
    SkinnedProgram program(kRoseSkin);
    TestWindow window;
    LoadedSkinLibrary library(program.Folder());
    library.SkinH_Attach();
    library.SkinH_AttachEx(program.SkinFile(), "");
    EXPECT_EQ(AskColours(window, WM_CTLCOLORSTATIC, kPlainLabel).brush, kRoseWindow);
    EXPECT_EQ(ListView_GetBkColor(window.Child(kList)), kRoseField);
    EXPECT_EQ(MenuBackground(window.Handle()), kRoseMenu);
    EXPECT_EQ(window.PixelAt(kButtonFaceSpot.x, kButtonFaceSpot.y), kRoseFace);
}

TEST(SkinLibrary, AnUnreadableSkinFileLeavesThePaletteAsItWas) {
    SkinnedProgram program(kRoseSkin);
    LoadedSkinLibrary library(program.Folder());
    library.SkinH_Attach();
    library.SkinH_AttachEx(Utf8(program.Path(L"no-such.she")), "");
    TestWindow window;
    // The built-in palette: light greys, though drawn by the skin.
    const ColourAnswer builtIn = AskColours(window, WM_CTLCOLORSTATIC, kPlainLabel);
    EXPECT_EQ(builtIn.brush, RGB(240, 240, 240));
    EXPECT_NE(builtIn.brushHandle, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(window.PixelAt(kButtonFaceSpot.x, kButtonFaceSpot.y), RGB(225, 225, 225));

    library.SkinH_AttachEx(program.SkinFile(), "");
    library.SkinH_AttachEx(Utf8(program.Path(L"PLXE")), "");  // a folder, not a file
    library.SkinH_AttachEx(Utf8(program.Path(L"no-such.she")), "");
    EXPECT_EQ(AskColours(window, WM_CTLCOLORSTATIC, kPlainLabel).brush, kRoseWindow);
}

TEST(SkinLibrary, TakesItsHooksBackWhenUnloaded) {
    SkinnedProgram program(kRoseSkin);
    const std::wstring libraryPath = program.Path(L"PLXE\\SkinH_EL.dll");
    auto library = std::make_unique<LoadedSkinLibrary>(program.Folder());
    library->SkinH_AttachEx(program.SkinFile(), "");
    auto before = std::make_unique<TestWindow>();
    ASSERT_EQ(AskColours(*before, WM_CTLCOLORSTATIC, kPlainLabel).brush, kRoseWindow);

    library.reset();
    ASSERT_EQ(GetModuleHandleW(libraryPath.c_str()), nullptr);
    // The window made under the skin goes on, unskinned; new ones are made as ever.
    EXPECT_EQ(AskColours(*before, WM_CTLCOLORSTATIC, kPlainLabel).brushHandle, GetSysColorBrush(COLOR_BTNFACE));
    before->PixelAt(0, 0);
    const TestWindow after;
    EXPECT_EQ(AskColours(after, WM_CTLCOLORSTATIC, kPlainLabel).brushHandle, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(MenuBackground(after.Handle()), CLR_INVALID);
    before.reset();
}

// Set in a copy of this program started by the test below.
constexpr wchar_t kProbeVariable[] = L"QUILLORY_SKIN_PROBE";

std::wstring OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

DWORD RunProbe(const std::wstring& program, const std::wstring& currentFolder) {
    std::wstring commandLine = L"\"" + program + L"\" --gtest_filter=" +
                               Wide(::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name()) + L"." +
                               Wide(::testing::UnitTest::GetInstance()->current_test_info()->name());
    SetEnvironmentVariableW(kProbeVariable, L"1");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = StartProcess(program.c_str(), commandLine.data(), FALSE, 0, currentFolder.c_str(), &startup, &process);
    SetEnvironmentVariableW(kProbeVariable, nullptr);
    if (!started) return static_cast<DWORD>(-1);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

TEST(SkinLibrary, ReadsARelativeSkinFileFromTheProgramFolderNotTheCurrentOne) {
    if (GetEnvironmentVariableW(kProbeVariable, nullptr, 0) > 0) {
        // The copy: its program folder holds the rose skin, its current folder another.
        const std::wstring self = OwnPath();
        LoadedSkinLibrary library(Utf8(self.substr(0, self.find_last_of(L'\\'))));
        library.SkinH_Attach();
        library.SkinH_AttachEx("PLXE\\skinh.she", "");
        TestWindow window;
        EXPECT_EQ(AskColours(window, WM_CTLCOLORSTATIC, kPlainLabel).brush, kRoseWindow);
        return;
    }
    SkinnedProgram program(kRoseSkin);
    const std::wstring copy = program.Path(L"probe.exe");
    ASSERT_TRUE(CopyFileW(OwnPath().c_str(), copy.c_str(), FALSE));
    TestFolder current;
    std::filesystem::create_directories(current / L"PLXE");
    WriteBytes(current / L"PLXE\\skinh.she", "window = #102030\r\n");
    EXPECT_EQ(RunProbe(copy, current.Path()), 0u);
}

}  // namespace
}  // namespace quillory::win32
