#pragma once
// What the command line asks of a start, read in one place so that each way
// of starting is told apart here.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "browse/folder_listing.h"
#include "browse/name_form.h"

namespace quillory {

// The runs without a window, each named by a command word.
// --extract writes the names in the day's file; --list prints them and
// touches nothing.
enum class ScriptedCommand { Extract, List };

// Names written without a window: those --extract FOLDER or --list FOLDER asks for.
struct ScriptedExtraction {
    ScriptedCommand command = ScriptedCommand::Extract;
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
    // --list into a file or pipe: UTF-8 bytes in place of the console's code page.
    bool utf8 = false;
    // Why the arguments cannot be run as they stand; empty when they can.
    std::string fault;
};

struct CommandLine {
    // A path to show once the window is up, taken as a drop on the window takes it.
    std::optional<std::string> folder;
    // Set when the program is to run without a window.
    std::optional<ScriptedExtraction> extraction;
    // Why a start with the window cannot go ahead as asked; empty when it can.
    std::string fault;
};

// How the program is started, for the messages about wrong arguments.
extern const char* const kCommandLineUsage;

// The arguments of a whole command line, the program's own name left out.
// Split as the system splits them, except that a quote is never part of an
// argument: no path or pattern holds one, so in cmd's "D:\照片\" --forward
// the backslash ends the folder, as the user meant, and does not swallow
// the quote and the rest of the line. An argument of nothing but quotes and
// backslashes ('"' from PowerShell gives \") comes out empty.
std::vector<std::string> SplitCommandLine(std::string_view line);

CommandLine ParseCommandLine(std::span<const std::string> arguments);

}  // namespace quillory
