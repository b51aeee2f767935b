#include "app/win32/command_line_arguments.h"

#include "app/command_line.h"
#include "platform/win32/encoding.h"

namespace quillory::win32 {

std::vector<std::string> CommandLineArguments(const wchar_t* commandLine) {
    return SplitCommandLine(Utf8(commandLine ? commandLine : L""));
}

}  // namespace quillory::win32
