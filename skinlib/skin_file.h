#pragma once
#include <optional>
#include <string>

namespace skin {

// The text of a skin file named in the ANSI code page; a relative name is taken
// from the program's folder, wherever the process's current folder is.
std::optional<std::string> ReadSkinFile(const char* name);

}  // namespace skin
