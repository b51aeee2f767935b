#pragma once
// Conversions at the boundary between the program's UTF-8 and Windows.
#include <string>
#include <string_view>

namespace quillory::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// Utf8 into a text whose buffer is kept, for conversions one after the other.
void Utf8Into(std::wstring_view wide, std::string& utf8);
// Bytes in the system's ANSI code page, for the stored formats that need them.
std::string Ansi(std::string_view utf8);
std::string InCodePage(std::string_view utf8, unsigned codePage);
// The text's UTF-16 code units as bytes, little- or big-endian, without a mark.
std::string Utf16Bytes(std::string_view utf8, bool bigEndian);
// The same in UTF-32: each character in four bytes.
std::string Utf32Bytes(std::string_view utf8, bool bigEndian);
// True when the code page holds every character of the text exactly, not
// only something like it or the default character.
bool FitsAnsi(std::string_view utf8);

}  // namespace quillory::win32
