#include "support/control_host.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/encoding.h"

namespace quillory::testing {

namespace {

constexpr wchar_t kHostClass[] = L"QuilloryControlHost";
constexpr UINT_PTR kReflectionId = 1;

HWND SharedWindow() {
    static const HWND window = [] {
        WNDCLASSEXW host{};
        host.cbSize = sizeof host;
        host.lpfnWndProc = DefWindowProcW;
        host.hInstance = GetModuleHandleW(nullptr);
        host.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        host.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        host.lpszClassName = kHostClass;
        RegisterClassExW(&host);
        return CreateWindowExW(0, kHostClass, L"Quillory control test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                               460, 380, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }();
    return window;
}

}  // namespace

ControlHost::ControlHost()
    : window_(SharedWindow()),
      groupBox_(CreateWindowExW(0, L"BUTTON", L"控件", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 4, 0, 430, 320,
                                window_, nullptr, GetModuleHandleW(nullptr), nullptr)) {
    SetWindowSubclass(groupBox_, GroupBoxProcedure, kReflectionId, reinterpret_cast<DWORD_PTR>(this));
    const std::wstring face = win32::Wide(kNormalFont.face);
    font_.Reset(CreateFontW(kNormalFont.height, 0, 0, 0, kFontWeight, FALSE, FALSE, FALSE, kFontCharset,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str()));
    SetForegroundWindow(window_);
    Pump();
}

ControlHost::~ControlHost() {
    DestroyWindow(groupBox_);
    Pump();
}

win32::EventSink ControlHost::Recorder() {
    return [this](Event event) { events.push_back(event); };
}

void ControlHost::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int ControlHost::Count(Event event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}

LRESULT CALLBACK ControlHost::GroupBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self) {
    auto* host = reinterpret_cast<ControlHost*>(self);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, GroupBoxProcedure, kReflectionId);
    LRESULT result = 0;
    if ((message == WM_COMMAND || message == WM_NOTIFY) && host->control_ &&
        host->control_->OnReflectedMessage(message, wParam, lParam, result)) {
        return result;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace quillory::testing
