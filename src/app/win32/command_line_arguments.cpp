#include "app/win32/command_line_arguments.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "platform/win32/encoding.h"

namespace quillory::win32 {

namespace {

struct LocalMemoryFree {
    void operator()(wchar_t** words) const { LocalFree(words); }
};

}  // namespace

std::vector<std::string> CommandLineArguments(const wchar_t* commandLine) {
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalMemoryFree> words(CommandLineToArgvW(commandLine, &count));
    std::vector<std::string> arguments;
    for (int word = 1; words && word < count; ++word) arguments.push_back(Utf8(words.get()[word]));
    return arguments;
}

}  // namespace quillory::win32
