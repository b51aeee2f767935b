#include "platform/win32/encoding.h"

#include <windows.h>

#include <cstdint>

namespace quillory::win32 {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    std::string utf8;
    Utf8Into(wide, utf8);
    return utf8;
}

// One UTF-16 unit never needs more than three bytes, so a single call does.
void Utf8Into(std::wstring_view wide, std::string& utf8) {
    utf8.resize(wide.size() * 3);
    if (wide.empty()) return;
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(length));
}

std::string Ansi(std::string_view utf8) { return InCodePage(utf8, CP_ACP); }

std::string InCodePage(std::string_view utf8, unsigned codePage) {
    const std::wstring wide = Wide(utf8);
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::string Utf16Bytes(std::string_view utf8, bool bigEndian) {
    std::string bytes;
    for (const wchar_t unit : Wide(utf8)) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>((unit >> 8) & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::string Utf32Bytes(std::string_view utf8, bool bigEndian) {
    const std::wstring wide = Wide(utf8);
    std::string bytes;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        std::uint32_t point = static_cast<std::uint16_t>(wide[i]);
        const bool pair = point >= 0xD800 && point < 0xDC00 && i + 1 < wide.size() &&
                          static_cast<std::uint16_t>(wide[i + 1]) >= 0xDC00 &&
                          static_cast<std::uint16_t>(wide[i + 1]) < 0xE000;
        if (pair) point = 0x10000 + ((point - 0xD800) << 10) + (static_cast<std::uint16_t>(wide[++i]) - 0xDC00);
        for (int byte = 0; byte < 4; ++byte) {
            bytes += static_cast<char>((point >> (8 * (bigEndian ? 3 - byte : byte))) & 0xFF);
        }
    }
    return bytes;
}

bool FitsAnsi(std::string_view utf8) {
    const std::wstring wide = Wide(utf8);
    if (wide.empty()) return true;
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                        &usedDefault);
    return !usedDefault;
}

}  // namespace quillory::win32
