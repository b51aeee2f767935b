#pragma once
// What the command line asks of a start, read in one place so that each way
// of starting is told apart here.
#include <optional>
#include <span>
#include <string>

namespace quillory {

struct CommandLine {
    // A path to show once the window is up, taken as a drop on the window takes it.
    std::optional<std::string> folder;
};

// `arguments` as the system splits them, without the program's own name.
CommandLine ParseCommandLine(std::span<const std::string> arguments);

}  // namespace quillory
