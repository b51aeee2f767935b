#include "app/win32/program.h"

#include <commctrl.h>
#include <ole2.h>

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

int Program::Run() {
    if (!window_.Handle()) return 1;  // the window could not be made
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Deliver(message);
    return static_cast<int>(message.wParam);  // WM_QUIT's, posted when the window went
}

void Program::Deliver(const MSG& message) {
    if (window_.HandleKey(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace quillory::win32
