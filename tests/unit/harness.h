#pragma once
// The whole program's logic wired to the fake platform as the window wires it.
#include <string>
#include <vector>

#include "app/actions.h"
#include "app/event_table.h"
#include "app/globals.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/fake_runner.h"
#include "platform/fake/fake_services.h"
#include "skin/fake/fake_skin_library.h"

namespace quillory::testing {

inline constexpr const char* kProgramFolder = "C:\\Tools\\Quillory";
inline constexpr const char* kStorageFolder = "C:\\Tools\\Quillory\\Quillory-存储";
inline constexpr const char* kSettingsFile = "C:\\Tools\\Quillory\\PLXE\\PLXE.ini";
inline constexpr const char* kToday = "2026-12-08";
inline constexpr const char* kDayFile = "C:\\Tools\\Quillory\\Quillory-存储\\2026-12-08.txt";
inline constexpr const char* kComputerNameKey =
    "System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName\\ComputerName";

class Harness {
public:
    explicit Harness(const std::string& programFolder = kProgramFolder) : services(programFolder) {
        services.SetToday(kToday);
        ui.folders.onChanged = [this] { Fire(ControlId::目录框文件名提取, Event::FolderChanged); };
        runner.onWake = [this] { Dispatch(actions, SourceId(Source::MainWindow), Event::BackgroundNews); };
    }

    void Start() { Dispatch(actions, SourceId(Source::MainWindow), Event::Created); }
    void Fire(ControlId control, Event event) { Dispatch(actions, SourceId(control), event); }
    void Click(ControlId control) { Fire(control, Event::Clicked); }
    void Choose(Command command) { Dispatch(actions, SourceId(command), Event::Chosen); }

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
};

}  // namespace quillory::testing
