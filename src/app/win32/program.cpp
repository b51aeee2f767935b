#include "app/win32/program.h"

#include <commctrl.h>
#include <ole2.h>

#include <chrono>

#include "app/win32/dropped_folder.h"

namespace quillory::win32 {

GuiThread::GuiThread() : oleStarted_(SUCCEEDED(OleInitialize(nullptr))) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
}

GuiThread::~GuiThread() {
    if (oleStarted_) OleUninitialize();
}

Program::Program(std::string programFolder, int show, const CommandLine& commandLine)
    : services_(programFolder), skin_(programFolder), window_(services_, skin_, globals_) {
    window_.Show(show);
    if (!commandLine.folder) return;
    window_.ShowHandedFolder(PathOnCommandLine(*commandLine.folder));
}

// Settings are written as they change, so once the window has gone only a
// write to the day's file holds the process; work that waits on a share
// that stopped answering (20 s and more on Windows) is cut off.
int Program::Run() {
    if (!window_.Handle()) return 1;  // the window could not be made
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Deliver(message);
    const int exitCode = static_cast<int>(message.wParam);  // WM_QUIT's, posted when the window went
    // Ended at once: an orderly exit would detach the libraries, which may
    // want a lock a cut-off thread holds; nothing is left to write.
    if (!window_.Workers().EndBy(std::chrono::steady_clock::now() + kLastWait)) {
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    }
    return exitCode;
}

void Program::Deliver(const MSG& message) {
    if (window_.HandleKey(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace quillory::win32
