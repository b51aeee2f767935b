#pragma once
// The built program started as a process of its own, as a script starts it,
// with its standard output and error read back.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace quillory::testing {

// A path of the build tree, as this side of Wine names it.
std::wstring WindowsPath(const std::string& unixPath);

// The program as it ships (the executable and its side folder, taken from
// the dist folder of the build) copied into a folder, made if missing.
bool CopyShippedProgram(const std::string& distFolder, const std::wstring& programFolder);

// The bytes a text becomes when the program prints it to a redirected handle:
// in the console's code page, which it shares with this process, or the ANSI one without.
std::string AsPrinted(const std::string& utf8);

struct Finished {
    DWORD exitCode = 259;
    std::string output;  // bytes as printed
    std::string error;
    bool windowSeen = false;
};

// Started at construction, its standard output and error redirected to pipes
// or left to the console this process has; several may run at once.
class StartedProgram {
public:
    StartedProgram(const std::wstring& exe, const std::wstring& arguments, bool redirected = true);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool Ended() const { return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0; }
    bool EndsWithin(DWORD milliseconds) const {
        return WaitForSingleObject(process_.Get(), milliseconds) == WAIT_OBJECT_0;
    }
    // Its first shown window, waited for up to 20 s; null if none came.
    HWND AwaitWindow() const;
    // Waits for the end, up to 20 s, watching for a window meanwhile; then
    // ends the process (a window or a box would hold it) and fails the test.
    Finished Finish();

private:
    win32::FileHandle outputRead_, errorRead_;
    win32::KernelHandle process_;
    DWORD thread_ = 0;
};

// Waits up to 5 s for another process's window to be destroyed. Wine takes
// two seconds to hide a window where no window manager runs, as under Xvfb,
// so the tests count from the window's end.
bool WindowGoes(HWND window);

// Starts the program and finishes it.
Finished RunProgram(const std::wstring& exe, const std::wstring& arguments, bool redirected = true);

}  // namespace quillory::testing
