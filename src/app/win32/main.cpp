#include <windows.h>

#include "app/command_line.h"
#include "app/scripted_extraction.h"
#include "app/win32/command_line_arguments.h"
#include "app/win32/program.h"
#include "app/win32/starting_console.h"

namespace {

// No window, no box: what there is to tell goes to the starting console.
int RunWithoutWindow(const quillory::ScriptedExtraction& request) {
    quillory::win32::Win32Services services(quillory::win32::ExecutableFolder());
    const quillory::ScriptedOutcome outcome = quillory::RunScriptedExtraction(services, request);
    const quillory::win32::StartingConsole console;
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
