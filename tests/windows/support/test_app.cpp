#include "support/test_app.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/win32/command_line_arguments.h"
#include "platform/win32/encoding.h"
#include "support/window_queries.h"

namespace quillory::testing {

namespace {

void PostKeyStroke(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// The innermost visible window under a point of `window`'s client area.
HWND DeepestAt(HWND window, POINT& point) {
    for (;;) {
        const HWND child = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == window) return window;
        MapWindowPoints(window, child, &point, 1);
        window = child;
    }
}

}  // namespace

ProgramFolder::ProgramFolder() { CreateDirectoryW((*this / L"PLXE").c_str(), nullptr); }

std::wstring ProgramFolder::DayFile() const { return StorageFolder() + L"\\" + TodayStem() + L".txt"; }

std::wstring TodayStem() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t stem[16];
    std::swprintf(stem, 16, L"%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return stem;
}

TestApp::TestApp(const std::wstring& programFolder, const std::wstring& arguments) {
    MessageBoxAnswerer answerer;
    const std::wstring commandLine = L"\"" + programFolder + L"\\Quillory.exe\" " + arguments;
    program_ = std::make_unique<win32::Program>(win32::Utf8(programFolder), SW_SHOWNORMAL,
                                                ParseCommandLine(win32::CommandLineArguments(commandLine.c_str())));
    // The storage is made ready in the background: its message comes as the
    // start settles, after the window shows.
    Pump();
    startupMessages_ = answerer.Answered();
}

TestApp::~TestApp() {
    program_->Window().CloseMainWindow();
    Pump();  // takes the quit message, which would end the next test's loop
}

HWND TestApp::Window() const { return program_->Window().Handle(); }

HWND ControlOf(HWND window, ControlId id) {
    const int identifier = static_cast<int>(id);
    if (const HWND onWindow = GetDlgItem(window, identifier)) return onWindow;
    for (HWND child : ChildrenOf(window)) {
        if (const HWND inBox = GetDlgItem(child, identifier)) return inBox;
    }
    return nullptr;
}

HWND TestApp::Control(ControlId id) const { return ControlOf(Window(), id); }

std::string TestApp::Text(ControlId id) const { return TextOf(Control(id)); }

void TestApp::Click(ControlId id) {
    SendMessageW(Control(id), BM_CLICK, 0, 0);
    Pump();
}

void TestApp::Choose(Command command) {
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(static_cast<int>(command), 0), 0);
    Pump();
}

void TestApp::RightClick(ControlId id) {
    const HWND control = Control(id);
    RECT rect{};
    GetClientRect(control, &rect);
    POINT point{rect.right / 2, rect.bottom / 2};
    POINT onScreen = point;
    ClientToScreen(control, &onScreen);
    SetCursorPos(onScreen.x, onScreen.y);
    const HWND target = DeepestAt(control, point);
    PostMessageW(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(target, WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    Pump();
}

void TestApp::ShowFolder(const std::wstring& folder) {
    program_->Window().ShowHandedFolder(win32::Utf8(folder));
    Pump();
}

void TestApp::PressKey(UINT key) {
    const HWND focus = GetFocus();
    PostKeyStroke(focus ? focus : Window(), key);
    Pump();
}

void TestApp::Pump() {
    // Far beyond what any test's listing takes; a listing that never ends fails the test.
    const ULONGLONG giveUp = GetTickCount64() + 60'000;
    for (;;) {
        PumpPending();
        if (ended_ || program_->Settled() || GetTickCount64() > giveUp) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void TestApp::PumpPending() {
    while (PumpOne()) {
    }
}

bool TestApp::PumpUntil(const std::function<bool()>& done, ULONGLONG milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

bool TestApp::PumpOne() {
    MSG message;
    if (ended_ || !PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        ended_ = true;
        exitCode_ = static_cast<int>(message.wParam);
        return false;
    }
    program_->Deliver(message);
    return true;
}

}  // namespace quillory::testing
