#include "app/win32/dropped_folder.h"

#include "browse/file_url.h"
#include "platform/win32/clipboard_text.h"
#include "platform/win32/encoding.h"
#include "platform/win32/long_path.h"

namespace quillory::win32 {

namespace {

constexpr UINT kFileCount = 0xFFFFFFFF;

std::wstring FirstPath(HDROP drop) {
    if (DragQueryFileW(drop, kFileCount, nullptr, 0) == 0) return {};
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
    return path;
}

std::wstring FirstLineUnquoted(std::wstring_view text) {
    constexpr std::wstring_view kBlanks = L" \t\r\n";
    const std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::wstring_view::npos) return {};
    text.remove_prefix(begin);
    text = text.substr(0, text.find_first_of(L"\r\n"));
    text = text.substr(0, text.find_last_not_of(kBlanks) + 1);
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') text = text.substr(1, text.size() - 2);
    return std::wstring(text);
}

}  // namespace

std::optional<std::string> TakeDroppedPath(HDROP drop) {
    const std::wstring path = FirstPath(drop);
    DragFinish(drop);
    if (path.empty()) return std::nullopt;
    return Utf8(path);
}

std::string PathOnCommandLine(const std::string& path) { return PathAsGiven(path); }

std::optional<PastedPath> PathOnClipboard(HWND owner) {
    std::wstring copied;
    if (UseFilesOnClipboard(owner, [&](HDROP files) { copied = FirstPath(files); })) {
        if (copied.empty()) return std::nullopt;
        return PastedPath{Utf8(copied), Utf8(copied)};
    }
    const std::wstring line = FirstLineUnquoted(TextOnClipboard(owner).value_or(L""));
    if (line.empty()) return std::nullopt;
    const std::string path = PathOfFileUrl(Utf8(line)).value_or(Utf8(line));
    return PastedPath{path, PathOnCommandLine(path)};
}

}  // namespace quillory::win32
