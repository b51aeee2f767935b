#pragma once
// Text helpers shared by every layer. Texts are UTF-8 inside the program.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillory {

// A decimal number (optional leading blanks, sign, fraction and exponent) read
// from the start of the text; 0 when the text does not begin with a number.
double TextToNumber(std::string_view text);

// Truncation toward zero into 32 bits, saturating instead of overflowing.
std::int32_t TruncateToInt32(double value);

// TextToNumber followed by TruncateToInt32: how typed and stored numbers become integers.
std::int32_t TextToInt32(std::string_view text);

// The first `count` characters; never splits a UTF-8 sequence.
std::string LeftText(std::string_view text, std::size_t count);

// Folder + "\" + name, without doubling a backslash the folder already ends in.
std::string JoinPath(std::string_view folder, std::string_view name);

// The name with every control character (CR, LF, tab and the others below
// 0x20, and DEL) as "?", so that it stays on its one line.
std::string OnOneLine(std::string_view name);
bool HasControlCharacters(std::string_view name);

// How a failure the system reported is told: its own words and its code.
std::string SystemReason(std::uint32_t error, const std::string& systemText);

}  // namespace quillory
