#include <windows.h>

#include "app/command_line.h"
#include "app/scripted_extraction.h"
#include "app/win32/command_line_arguments.h"
#include "app/win32/program.h"
#include "app/win32/starting_console.h"
#include "platform/win32/encoding.h"
#include "platform/win32/long_path.h"

namespace {

// No window, no box: what there is to tell goes to the starting console.
int RunWithoutWindow(quillory::ScriptedExtraction request) {
    using namespace quillory::win32;
    // A relative folder is taken from the current folder, so full paths are written whole.
    if (!request.folder.empty()) request.folder = PathAsGiven(request.folder);
    Win32Services services(ExecutableFolder());
    quillory::ScriptedOutcome outcome = quillory::RunScriptedExtraction(services, request);
    const StartingConsole console;
    console.Print(STD_OUTPUT_HANDLE, outcome.output);
    if (const int lost = console.PrintNames(outcome.names, request.utf8); lost > 0) {
        outcome.error += (outcome.error.empty() ? "" : "\n") + quillory::ListedLostCharactersNote(lost);
    }
    console.Print(STD_ERROR_HANDLE, outcome.error);
    return outcome.exitCode;
}

// Told where the starter looks: its console when it has one, a box when
// the program was started as a window is (a shortcut, a double click).
int RefuseArguments(const std::string& fault) {
    const std::string message = fault + "\n\n" + quillory::kCommandLineUsage;
    const quillory::win32::StartingConsole console;
    if (console.Reaches(STD_ERROR_HANDLE)) {
        console.Print(STD_ERROR_HANDLE, message);
    } else {
        MessageBoxW(nullptr, quillory::win32::Wide(message).c_str(), quillory::win32::Wide(quillory::kMessageTitle).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
    return quillory::kExitBadArguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    const quillory::CommandLine commandLine =
        quillory::ParseCommandLine(quillory::win32::CommandLineArguments(GetCommandLineW()));
    if (commandLine.extraction) return RunWithoutWindow(*commandLine.extraction);
    if (!commandLine.fault.empty()) return RefuseArguments(commandLine.fault);
    quillory::win32::Program program(quillory::win32::ExecutableFolder(), show, commandLine);
    return program.Run();
}
