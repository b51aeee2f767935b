#include "platform/ini_text.h"

#include <algorithm>
#include <vector>

namespace quillory {

namespace {

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r";
    const std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

bool SameName(std::string_view left, std::string_view right) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(left, right, [&](char a, char b) { return lower(a) == lower(b); });
}

// A line as the format reads it: a section's head, an entry, or neither.
struct Line {
    std::string_view whole;  // without its line end
    std::optional<std::string_view> section;
    std::optional<std::string_view> key;
    std::string_view value;
};

Line Read(std::string_view whole) {
    Line line{whole, {}, {}, {}};
    const std::string_view text = Trimmed(whole);
    if (text.starts_with('[')) {
        line.section = Trimmed(text.substr(1, text.find(']') - 1));
    } else if (const std::size_t equals = text.find('='); equals != std::string_view::npos && !text.starts_with(';')) {
        line.key = Trimmed(text.substr(0, equals));
        line.value = Trimmed(text.substr(equals + 1));
        if (line.value.size() >= 2 && line.value.front() == '"' && line.value.back() == '"') {
            line.value = line.value.substr(1, line.value.size() - 2);
        }
    }
    return line;
}

// Each line with what ends it, so that a line left alone keeps its bytes.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

std::string_view WithoutLineEnd(std::string_view line) {
    while (line.ends_with('\n') || line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

}  // namespace

std::optional<std::string> IniValue(std::string_view text, std::string_view section, std::string_view key) {
    bool inSection = false;
    for (const std::string_view raw : Lines(text)) {
        const Line line = Read(WithoutLineEnd(raw));
        if (line.section) inSection = SameName(*line.section, section);
        if (inSection && line.key && SameName(*line.key, key)) return std::string(line.value);
    }
    return std::nullopt;
}

std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::string entry = std::string(key) + "=" + std::string(value) + "\r\n";
    const std::vector<std::string_view> lines = Lines(text);
    bool inSection = false;
    std::optional<std::size_t> after;  // the line after which a new entry goes
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line line = Read(WithoutLineEnd(lines[i]));
        if (line.section) inSection = SameName(*line.section, section);
        if (!inSection) continue;
        if (line.key && SameName(*line.key, key)) {
            std::string changed;
            for (std::size_t j = 0; j < lines.size(); ++j) changed += j == i ? std::string_view(entry) : lines[j];
            return changed;
        }
        if (line.section || !Trimmed(line.whole).empty()) after = i;
    }
    std::string changed;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        changed += lines[j];
        if (after && j == *after) {
            if (!changed.ends_with('\n')) changed += "\r\n";
            changed += entry;
        }
    }
    if (after) return changed;
    if (!changed.empty() && !changed.ends_with('\n')) changed += "\r\n";
    return changed + "[" + std::string(section) + "]\r\n" + entry;
}

}  // namespace quillory
