#include <windows.h>

#include "app/command_line.h"
#include "app/win32/command_line_arguments.h"
#include "app/win32/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    const quillory::CommandLine commandLine =
        quillory::ParseCommandLine(quillory::win32::CommandLineArguments(GetCommandLineW()));
    quillory::win32::Program program(quillory::win32::ExecutableFolder(), show, commandLine);
    return program.Run();
}
