#include "core/palette.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace skin {
namespace {

constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameKey(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<std::uint8_t> ParseHexByte(std::string_view digits) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

void ApplyLine(std::string_view line, Palette& palette) {
    line = Trim(line.substr(0, line.find(';')));
    if (line.empty() || line.front() == '#') return;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return;
    const std::string_view key = Trim(line.substr(0, equals));
    const auto colour = ParseColour(Trim(line.substr(equals + 1)));
    if (!colour) return;
    for (const auto& [name, member] : kPaletteKeys) {
        if (SameKey(name, key)) palette.*member = *colour;
    }
}

}  // namespace

Palette BuiltInPalette() {
    return {
        .window = {240, 240, 240},
        .face = {225, 225, 225},
        .frame = {160, 160, 160},
        .light = {255, 255, 255},
        .text = {0, 0, 0},
        .field = {255, 255, 255},
        .highlight = {0, 120, 215},
        .highlightText = {255, 255, 255},
        .menu = {240, 240, 240},
    };
}

std::optional<Rgb> ParseColour(std::string_view text) {
    if (text.size() != 7 || text.front() != '#') return std::nullopt;
    const auto red = ParseHexByte(text.substr(1, 2));
    const auto green = ParseHexByte(text.substr(3, 2));
    const auto blue = ParseHexByte(text.substr(5, 2));
    if (!red || !green || !blue) return std::nullopt;
    return Rgb{*red, *green, *blue};
}

Palette ParseSkin(std::string_view text, Palette base) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    while (!text.empty()) {
        const auto end = text.find('\n');
        ApplyLine(text.substr(0, end), base);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return base;
}

Palette Adjust(const Palette& palette, const Adjustment& adjustment) {
    Palette adjusted = palette;
    for (const auto& [name, member] : kPaletteKeys) adjusted.*member = Adjust(palette.*member, adjustment);
    return adjusted;
}

}  // namespace skin
