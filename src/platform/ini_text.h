#pragma once
// The INI format read and written as text, for a settings file saved in an
// encoding the system's profile functions do not read (UTF-8, which Notepad
// saves by default). Names match without regard to ASCII case and blanks
// around names and values are dropped, as the profile functions have it.
#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// The key's value in the section; nothing when either is missing.
std::optional<std::string> IniValue(std::string_view text, std::string_view section, std::string_view key);

// The text with the key set: in its line when it is there, else after the
// section's last entry, else in a new section at the end. Every other line
// stays as it is; new lines end in CR LF.
std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace quillory
