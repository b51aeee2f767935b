#include <windows.h>

#include "app/win32/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    quillory::win32::Program program(quillory::win32::ExecutableFolder(), show);
    return program.Run();
}
