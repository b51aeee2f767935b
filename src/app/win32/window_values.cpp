#include "app/win32/window_values.h"

#include "platform/win32/encoding.h"

namespace quillory::win32 {

std::wstring WindowTextOf(HWND handle) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(handle, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string WindowText::Text() const { return Utf8(WindowTextOf(handle_)); }

void WindowText::SetText(const std::string& text) { SetWindowTextW(handle_, Wide(text).c_str()); }

bool RadioState::IsChecked() const { return SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void RadioState::SetChecked(bool checked) {
    SendMessageW(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace quillory::win32
