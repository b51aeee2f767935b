#pragma once
// The real program, started in-process on a program folder, driven the way
// the user and the system drive it, for the end-to-end tests.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/ids.h"
#include "app/win32/program.h"
#include "support/message_box_answerer.h"
#include "support/test_folder.h"

namespace quillory::testing {

// A fresh program folder with its side folder "PLXE", as the program ships.
class ProgramFolder : public TestFolder {
public:
    ProgramFolder();
    std::wstring SettingsFile() const { return *this / L"PLXE\\PLXE.ini"; }
    std::wstring StorageFolder() const { return *this / L"Quillory-存储"; }
    // Today's output file in the storage folder.
    std::wstring DayFile() const;
};

// Today's local date as YYYY-MM-DD.
std::wstring TodayStem();

// The control with the identifier, on the main window or in one of its group
// boxes, of this process or another.
HWND ControlOf(HWND window, ControlId id);

class TestApp {
public:
    // Starts the program on the folder as the program start does, its window
    // shown, and pumps until the start has settled; message boxes of the
    // start-up, until then, are answered (StartupMessages).
    // `arguments` follow the program's name on its command line, as typed.
    explicit TestApp(const std::wstring& programFolder, const std::wstring& arguments = L"");
    // Closes the window if it is still there.
    ~TestApp();
    TestApp(const TestApp&) = delete;
    TestApp& operator=(const TestApp&) = delete;

    // The main window; null once it has been destroyed.
    HWND Window() const;
    // The control with the identifier, on the window or in one of its group boxes.
    HWND Control(ControlId id) const;
    std::string Text(ControlId id) const;

    // Each of these returns when the program has handled the input and every
    // message it caused; a modal box or menu on the way needs an answerer.
    void Click(ControlId id);
    void Choose(Command command);  // as the menu sends it
    // The right mouse button pressed and released over the control's centre,
    // with the mouse pointer moved there.
    void RightClick(ControlId id);
    // The folder shown and listed as one dropped on the window; the tests
    // whose subject is not how a folder is chosen take this quick road.
    void ShowFolder(const std::wstring& folder);
    // A key pressed and released in the control that has the focus.
    void PressKey(UINT key);
    // Runs the program's message loop until no listing runs and no change
    // on disk waits to be shown, and every message is handled.
    void Pump();
    // Runs only the messages pending now, whatever runs in the background.
    void PumpPending();
    // Runs the messages as they come until `done` holds, at most for
    // `milliseconds`; false when it did not come to hold.
    bool PumpUntil(const std::function<bool()>& done, ULONGLONG milliseconds);
    // Runs one message, if one is pending; false when none was.
    bool PumpOne();

    // True once the message loop would have ended.
    bool Ended() const { return ended_; }
    int ExitCode() const { return exitCode_; }
    const std::vector<ShownMessage>& StartupMessages() const { return startupMessages_; }
    win32::Program& Program() { return *program_; }

private:
    std::unique_ptr<win32::Program> program_;
    std::vector<ShownMessage> startupMessages_;
    bool ended_ = false;
    int exitCode_ = -1;
};

}  // namespace quillory::testing
