#include "browse/file_url.h"

#include <algorithm>

namespace quillory {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A "%" that starts no escape stays as it is.
std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const int high = at + 2 < text.size() && text[at] == '%' ? HexValue(text[at + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[at + 2]) : -1;
        if (low < 0) {
            decoded += text[at];
            continue;
        }
        decoded += static_cast<char>(high * 16 + low);
        at += 2;
    }
    return decoded;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return a == (b >= 'A' && b <= 'Z' ? char(b - 'A' + 'a') : b);
           });
}

}  // namespace

std::optional<std::string> PathOfFileUrl(std::string_view text) {
    constexpr std::string_view kScheme = "file:";
    if (!StartsWithNoCase(text, kScheme)) return std::nullopt;
    text.remove_prefix(kScheme.size());
    std::string path;
    if (text.starts_with("///")) {
        text.remove_prefix(3);  // the local computer: file:///D:/...
    } else if (text.starts_with("//")) {
        text.remove_prefix(2);
        if (StartsWithNoCase(text, "localhost/")) {
            text.remove_prefix(10);
        } else {
            path = "\\\\";  // a share's server: file://server/share/...
        }
    }
    path += PercentDecoded(text);
    std::ranges::replace(path, '/', '\\');
    return path;
}

}  // namespace quillory
