#include "app/win32/number_edit.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "app/win32/window_values.h"
#include "platform/win32/clipboard_text.h"

namespace quillory::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;

bool IsIntegerForm(std::wstring_view text) {
    if (text.starts_with(L'-')) text.remove_prefix(1);
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

}  // namespace

NumberEdit::NumberEdit(HWND handle) : handle_(handle) {
    SendMessageW(handle_, EM_SETLIMITTEXT, 0, 0);  // 0: as long as the system allows
    SetWindowSubclass(handle_, &NumberEdit::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

NumberEdit::~NumberEdit() { Detach(); }

void NumberEdit::Detach() {
    if (handle_) RemoveWindowSubclass(handle_, &NumberEdit::Proc, kSubclassId);
    handle_ = nullptr;
}

LRESULT CALLBACK NumberEdit::Proc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<NumberEdit*>(self)->HandleMessage(message, wParam, lParam);
}

LRESULT NumberEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND handle = handle_;
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: {
        const auto typed = static_cast<wchar_t>(wParam);
        // Below a blank are the control keys: backspace, copy, cut, paste, select all, undo.
        if (typed >= L' ' && !Accepts(std::wstring(1, typed))) {
            MessageBeep(MB_OK);
            return 0;
        }
        break;
    }
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
        // The edit box would insert a composition's result itself, unchecked;
        // the system's composition window sends it as WM_IME_CHAR, checked above.
        return DefWindowProcW(handle, message, wParam, lParam);
    case WM_PASTE: {
        const std::optional<std::wstring> pasted = TextOnClipboard(handle);
        if (pasted && !Accepts(*pasted)) {
            MessageBeep(MB_OK);
            return 0;
        }
        break;
    }
    case WM_NCDESTROY:
        Detach();
        break;
    }
    return DefSubclassProc(handle, message, wParam, lParam);
}

// The text the box would hold with `inserted` in place of its selection.
bool NumberEdit::Accepts(const std::wstring& inserted) const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::wstring text = WindowTextOf(handle_);
    text.replace(std::min<std::size_t>(start, text.size()), end - start, inserted);
    return IsIntegerForm(text);
}

}  // namespace quillory::win32
