#pragma once
// The whole program's logic wired to the fake platform as the window wires it.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/actions.h"
#include "app/event_table.h"
#include "app/globals.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/fake_runner.h"
#include "platform/fake/fake_services.h"
#include "platform/window_thread.h"
#include "skin/fake/fake_skin_library.h"

namespace quillory::testing {

inline constexpr const char* kProgramFolder = "C:\\Tools\\Quillory";
inline constexpr const char* kStorageFolder = "C:\\Tools\\Quillory\\Quillory-存储";
inline constexpr const char* kSettingsFile = "C:\\Tools\\Quillory\\PLXE\\PLXE.ini";
inline constexpr const char* kToday = "2026-12-08";
inline constexpr const char* kDayFile = "C:\\Tools\\Quillory\\Quillory-存储\\2026-12-08.txt";
inline constexpr const char* kComputerNameKey =
    "System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName\\ComputerName";

inline void FailTheTest(std::string_view call) {
    ADD_FAILURE() << "the window's thread called the file system: " << std::string(call);
}

class Harness {
public:
    explicit Harness(const std::string& programFolder = kProgramFolder) : services(programFolder) {
        services.SetToday(kToday);
        ui.folders.onChanged = [this] { Fire(ControlId::目录框文件名提取, Event::FolderChanged); };
        runner.onWake = [this] { Dispatched(SourceId(Source::MainWindow), Event::BackgroundNews); };
    }
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Guarded as every later event: only the settings read before the
    // window shows may touch the disk on the window's thread.
    void Start() {
        started_ = true;
        Dispatched(SourceId(Source::MainWindow), Event::Created);
    }
    void Fire(ControlId control, Event event) { Dispatched(SourceId(control), event); }
    void Click(ControlId control) { Fire(control, Event::Clicked); }
    void Choose(Command command) { Dispatched(SourceId(command), Event::Chosen); }

    // A folder with these files, listed as the user would open it.
    void OpenFolderWith(const std::string& folder, const std::vector<std::string>& names) {
        services.AddFolder(folder);
        for (const std::string& name : names) services.AddFile(folder + "\\" + name);
        ui.folders.SetCurrentFolder(folder);
    }

    // The user ticks or unticks an item with the mouse.
    void UserTick(int index, bool ticked) {
        ui.fileList.ListSetChecked(index, ticked);
        Fire(ControlId::选择列表框文件列表, Event::TickChanged);
    }

    // Slots up to the first empty one.
    std::vector<std::string> TabledNames() const {
        std::vector<std::string> names;
        for (int slot = 1; slot <= globals.fileNames.Count(); ++slot) {
            names.push_back(globals.fileNames.Slot(slot));
        }
        return names;
    }

    std::vector<std::string> ListedNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < ui.fileList.ListCount(); ++i) names.push_back(ui.fileList.ListItemText(i));
        return names;
    }

    std::vector<bool> Ticks() const {
        std::vector<bool> ticks;
        for (int i = 0; i < ui.fileList.ListCount(); ++i) ticks.push_back(ui.fileList.ListIsChecked(i));
        return ticks;
    }

    fake::FakeServices services;
    fake::FakeControlSet ui;
    fake::FakeMainWindow window;
    fake::FakeSkinLibrary skin;
    Globals globals;
    fake::FakeRunner runner;
    Actions actions{services, ui.controls, window, skin, globals, runner};

private:
    // From the start on, the test's thread is the window's while an event runs,
    // as in the program: a file-system call on it fails the test, but for
    // the jobs the fake runner runs there.
    void Dispatched(int source, Event event) {
        const bool guarded = dispatching_++ == 0 && started_;
        if (guarded) {
            window_thread::ReportCallsThrough(FailTheTest);
            window_thread::Mark();
        }
        Dispatch(actions, source, event);
        --dispatching_;
        if (guarded) window_thread::Unmark();
    }

    bool started_ = false;
    int dispatching_ = 0;
};

}  // namespace quillory::testing
