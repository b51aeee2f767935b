#pragma once
// What the command line asks of a start, read in one place so that each way
// of starting is told apart here.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "browse/folder_listing.h"
#include "browse/name_form.h"

namespace quillory {

// Names written without a window: those --extract FOLDER asks for.
struct ScriptedExtraction {
    std::string folder;
    bool forward = false;
    std::int32_t blankLines = 1;
    // Overrides of the stored 选项 choices for this run alone.
    std::optional<NameForm> nameForm;
    std::optional<ListOrder> order;
    bool showHidden = false;
    bool includeSubfolders = false;
    // Patterns of the names written (all when empty) and of those left out;
    // an option given twice adds to the patterns.
    std::string include;
    std::string exclude;
    // Why the arguments cannot be run as they stand; empty when they can.
    std::string fault;
};

struct CommandLine {
    // A path to show once the window is up, taken as a drop on the window takes it.
    std::optional<std::string> folder;
    // Set when the program is to run without a window.
    std::optional<ScriptedExtraction> extraction;
};

// `arguments` as the system splits them, without the program's own name.
CommandLine ParseCommandLine(std::span<const std::string> arguments);

}  // namespace quillory
