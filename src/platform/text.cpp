#include "platform/text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quillory {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// A UTF-8 sequence never holds these bytes but for the ASCII characters themselves.
bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// Length of the longest prefix that is a decimal number, so strtod never sees
// hexadecimal, "inf" or "nan", which are not numbers a user types.
std::size_t DecimalPrefixLength(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

}  // namespace

double TextToNumber(std::string_view text) {
    const std::size_t length = DecimalPrefixLength(text);
    if (length == 0) return 0.0;
    const std::string number(text.substr(0, length));
    return std::strtod(number.c_str(), nullptr);
}

std::int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
    if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::trunc(value));
}

std::int32_t TextToInt32(std::string_view text) { return TruncateToInt32(TextToNumber(text)); }

std::string LeftText(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t taken = 0; taken < count && end < text.size(); ++taken) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    return std::string(text.substr(0, end));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '\\') path += '\\';
    path += name;
    return path;
}

std::string OnOneLine(std::string_view name) {
    std::string line(name);
    std::ranges::replace_if(line, IsControl, '?');
    return line;
}

bool HasControlCharacters(std::string_view name) { return std::ranges::any_of(name, IsControl); }

std::string SystemReason(std::uint32_t error, const std::string& systemText) {
    const std::string words = systemText.empty() ? "未知错误" : systemText;
    return "系统提示：" + words + "（错误代码 " + std::to_string(error) + "）";
}

}  // namespace quillory
