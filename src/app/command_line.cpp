#include "app/command_line.h"

namespace quillory {

namespace {

// The system's splitting reads the backslash of a quoted "C:\" as escaping
// the closing quote, which is then kept with all that follows. A file name
// never holds a quote, so the quote stands for that backslash.
std::string WithTrailingBackslashMended(std::string argument) {
    const std::size_t quote = argument.find('"');
    if (quote == std::string::npos) return argument;
    argument.resize(quote);
    return argument + '\\';
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> arguments) {
    CommandLine line;
    // Several paths ("Send to" with many items) show the first, as a drop does.
    if (!arguments.empty() && !arguments.front().empty()) line.folder = WithTrailingBackslashMended(arguments.front());
    return line;
}

}  // namespace quillory
