#pragma once
#include <string>
#include <vector>

namespace quillory::win32 {

// The command line split by SplitCommandLine, without the program's own
// name, as UTF-8.
std::vector<std::string> CommandLineArguments(const wchar_t* commandLine);

}  // namespace quillory::win32
