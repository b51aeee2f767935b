#include <windows.h>

#include "app/command_line.h"
#include "app/scripted_extraction.h"
#include "app/win32/command_line_arguments.h"
#include "app/win32/program.h"
#include "app/win32/starting_console.h"
#include "platform/win32/long_path.h"

namespace {

// No window, no box: what there is to tell goes to the starting console.
int RunWithoutWindow(quillory::ScriptedExtraction request) {
    using namespace quillory::win32;
    // A relative folder is taken from the current folder, so full paths are written whole.
    if (!request.folder.empty()) request.folder = PathAsGiven(request.folder);
    Win32Services services(ExecutableFolder());
    const quillory::ScriptedOutcome outcome = quillory::RunScriptedExtraction(services, request);
    const StartingConsole console;
    console.Print(STD_OUTPUT_HANDLE, outcome.output);
    console.Print(STD_ERROR_HANDLE, outcome.error);
    return outcome.exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    const quillory::CommandLine commandLine =
        quillory::ParseCommandLine(quillory::win32::CommandLineArguments(GetCommandLineW()));
    if (commandLine.extraction) return RunWithoutWindow(*commandLine.extraction);
    quillory::win32::Program program(quillory::win32::ExecutableFolder(), show, commandLine);
    return program.Run();
}
