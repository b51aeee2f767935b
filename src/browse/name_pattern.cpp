#include "browse/name_pattern.h"

#include <algorithm>

namespace quillory {

namespace {

constexpr std::u32string_view kNotInNames = U"<>:\"|";

constexpr std::string_view kSeparators = "; ";

bool IsAscii(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Texts inside the program are well-formed UTF-8.
std::u32string CodePoints(std::string_view utf8) {
    std::u32string points;
    points.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at++]);
        const int following = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t point = following == 0 ? lead : lead & (0x3F >> following);
        for (int i = 0; i < following && at < utf8.size(); ++i) {
            point = (point << 6) | (static_cast<unsigned char>(utf8[at++]) & 0x3F);
        }
        points.push_back(point);
    }
    return points;
}

// "*" takes any run, "?" one character; the last "*" met is where a
// mismatch resumes, which is enough for patterns of this kind.
bool WildcardMatches(std::u32string_view pattern, std::u32string_view text) {
    std::size_t p = 0, t = 0;
    std::size_t star = std::u32string_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == text[t])) {
            ++p, ++t;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            resume = t;
        } else if (star != std::u32string_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
}

// As in the file manager and the command prompt, a trailing ".*" also takes
// a name without an extension: "*.*" is every name, "README.*" takes README.
bool PatternMatches(std::u32string_view pattern, std::u32string_view text) {
    if (WildcardMatches(pattern, text)) return true;
    return pattern.ends_with(U".*") && WildcardMatches(pattern.substr(0, pattern.size() - 2), text);
}

std::string FaultOf(std::u32string_view pattern) {
    if (std::ranges::any_of(pattern, [](char32_t c) { return c < 0x20 || kNotInNames.find(c) != kNotInNames.npos; })) {
        return "文件名不能含有 < > : \" | 这些字符。";
    }
    if (pattern.front() == U'\\' || pattern.back() == U'\\' || pattern.find(U"\\\\") != pattern.npos) {
        return "“\\”只用来分隔文件夹，不能在开头、结尾或连用。";
    }
    return {};
}

}  // namespace

NamePatterns::NamePatterns(Locale& locale, std::string_view text) : locale_(&locale) {
    std::size_t at = 0;
    while ((at = text.find_first_not_of(kSeparators, at)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(kSeparators, at), text.size());
        if (!Add(text.substr(at, end - at))) return;
        at = end;
    }
}

bool NamePatterns::Add(std::string_view written) {
    std::u32string folded = Folded(written);
    std::ranges::replace(folded, U'/', U'\\');
    if (const std::string why = FaultOf(folded); !why.empty()) {
        fault_ = "模式无效：" + std::string(written) + "\n" + why;
        patterns_.clear();
        return false;
    }
    const bool againstPath = folded.find(U'\\') != std::u32string::npos;
    patterns_.push_back({std::move(folded), againstPath});
    return true;
}

bool NamePatterns::AnyMatches(std::string_view listedName) const {
    const std::u32string path = Folded(listedName);
    const std::u32string_view name = std::u32string_view(path).substr(path.find_last_of(U'\\') + 1);
    return std::ranges::any_of(patterns_, [&](const Pattern& pattern) {
        return PatternMatches(pattern.folded, pattern.againstPath ? std::u32string_view(path) : name);
    });
}

// Most names are plain ASCII, which is folded here rather than by the system.
std::u32string NamePatterns::Folded(std::string_view text) const {
    if (!IsAscii(text)) return CodePoints(locale_->UpperCase(text));
    std::u32string folded(text.begin(), text.end());
    for (char32_t& c : folded) {
        if (c >= U'a' && c <= U'z') c -= U'a' - U'A';
    }
    return folded;
}

}  // namespace quillory
