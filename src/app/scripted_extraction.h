#pragma once
// Names written or printed without a window, for scripts: Quillory.exe
// --extract FOLDER and --list FOLDER.
#include <string>

#include "app/command_line.h"
#include "platform/services.h"

namespace quillory {

inline constexpr int kExitWritten = 0;
inline constexpr int kExitNotWritten = 1;
inline constexpr int kExitBadArguments = 2;

// What the run tells whoever started it; nothing is shown.
struct ScriptedOutcome {
    int exitCode = kExitWritten;
    std::string output;  // the day's file, once the names are in it
    std::string error;   // why nothing was written, or what to heed although it was
    LineBlock names{};   // --list: what --extract would write, to be printed
};

// Makes the storage ready as a start does, lists the folder as the window
// lists it and writes what 立即提取 writes with every listed file ticked.
// Nobody can be asked, so a block above kLargeBlockBytes is refused. A
// settings file out of reach is told first among the error's lines.
// --list reads the settings as --extract does, and lists the folder alike,
// but writes nothing: every name the filter passes, beyond the 200 of the
// day's file, is handed over in `names` in the order --extract writes them.
ScriptedOutcome RunScriptedExtraction(Services& services, const ScriptedExtraction& request);

// What the error output tells when names printed in the console's code page
// lost characters to "?".
std::string ListedLostCharactersNote(int names);

}  // namespace quillory
