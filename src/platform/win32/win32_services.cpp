#include "platform/win32/win32_services.h"

#include <cstdio>
#include <utility>

#include "platform/win32/clipboard_text.h"
#include "platform/win32/encoding.h"
#include "platform/win32/long_path.h"

namespace quillory::win32 {

std::string ExecutableFolder() {
    // GetModuleFileNameW cuts the name short, without saying so by its result,
    // when the buffer is too small: grow until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::wstring file = WithoutExtendedPrefix(path);
    return Utf8(file.substr(0, file.find_last_of(L'\\')));
}

Win32Services::Win32Services(std::string programFolder) : programFolder_(std::move(programFolder)) {}

void Win32Services::ShowMessage(const std::string& text, const std::string& title) {
    MessageBoxW(messageOwner_, Wide(text).c_str(), Wide(title).c_str(), MB_OK);
}

void Win32Services::ShowWarning(const std::string& text, const std::string& title) {
    MessageBoxW(messageOwner_, Wide(text).c_str(), Wide(title).c_str(), MB_OK | MB_ICONWARNING);
}

void Win32Services::PutTextOnClipboard(const std::string& text) { win32::PutTextOnClipboard(messageOwner_, Wide(text)); }

// No is the default button: a slip of the Enter key writes nothing.
bool Win32Services::AskYesNo(const std::string& text, const std::string& title) {
    return MessageBoxW(messageOwner_, Wide(text).c_str(), Wide(title).c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

std::string Win32Services::UpperCase(std::string_view text) {
    const std::wstring wide = Wide(text);
    const int length = static_cast<int>(wide.size());
    const int size = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(), length, nullptr, 0, nullptr,
                                   nullptr, 0);
    std::wstring upper(static_cast<std::size_t>(size), L'\0');
    if (size == 0 || LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(), length, upper.data(), size,
                                   nullptr, nullptr, 0) != size) {
        return std::string(text);
    }
    return Utf8(upper);
}

std::string Win32Services::TodayText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

}  // namespace quillory::win32
