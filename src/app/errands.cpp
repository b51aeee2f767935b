#include "app/errands.h"

#include <utility>

#include "browse/folder_chooser.h"
#include "browse/recent_folders.h"
#include "extract/day_file.h"
#include "extract/outcome_messages.h"

namespace quillory {

void Errands::ShowHandedFolder(std::string path) { CheckFolder(std::move(path), false); }

void Errands::ShowRecentFolder(std::string folder) { CheckFolder(std::move(folder), true); }

// The drive of a recent folder may only be unplugged for now: it is taken
// only as the folder it was.
void Errands::CheckFolder(std::string path, bool recent) {
    folderCheck_.Start([&files = static_cast<FileSystem&>(services_), path = std::move(path),
                        recent](const Job<FolderFound>::Hand& hand) {
        std::optional<std::string> folder =
            recent ? (files.FolderExists(path) ? std::optional(path) : std::nullopt) : HandedFolder(files, path);
        hand({path, std::move(folder), recent});
    });
}

void Errands::OpenDayFile(OutputEncoding encoding) { PrepareDayFile(encoding, DayFileUse::Open); }

void Errands::ShowDayFileInFolder(OutputEncoding encoding) { PrepareDayFile(encoding, DayFileUse::ShowInFolder); }

// Today's file at this moment, in the storage folder the label shows, made as
// the extraction makes it.
void Errands::PrepareDayFile(OutputEncoding encoding, DayFileUse use) {
    dayFile_.Start(
        [&services = services_, storageFolder = controls_.标签存放路径.Text(), encoding,
         use](const Job<DayFileReady>::Hand& hand) {
            const std::string dayFile = DayFilePath(storageFolder, services.TodayText());
            hand({dayFile, MakeDayFileIfMissing(services, storageFolder, dayFile, encoding), use});
        },
        AtExit::Finish);
}

void Errands::WriteSettings(std::function<void(SettingsFile&)> write) {
    settingsWrites_.Post([&files = static_cast<FileSystem&>(services_), write = std::move(write)] {
        SettingsFile settings(files);
        write(settings);
    });
}

bool Errands::Working() const {
    return folderCheck_.Running() || dayFile_.Running() || !settingsWrites_.Idle();
}

void Errands::TakeNews() {
    TakeFolderFound();
    TakeDayFileReady();
}

void Errands::TakeFolderFound() {
    for (FolderFound& found : folderCheck_.Take()) {
        folderCheck_.Over();
        if (found.folder) {
            ShowChosenFolder(controls_, *found.folder);
        } else if (found.recent) {
            services_.ShowMessage(RecentFolderGoneMessage(found.path), kMessageTitle);
        }
    }
}

void Errands::TakeDayFileReady() {
    for (DayFileReady& ready : dayFile_.Take()) {
        dayFile_.Over();
        if (!ready.made) services_.ShowWarning(WriteFailureMessage(ready.made, ready.path), kMessageTitle);
        if (ready.use == DayFileUse::ShowInFolder) {
            services_.ShowInFolder(ready.path);
        } else if (ready.made) {
            services_.OpenFile(ready.path);
        }
    }
}

}  // namespace quillory
