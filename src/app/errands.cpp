#include "app/errands.h"

#include <utility>

#include "browse/folder_chooser.h"
#include "browse/recent_folders.h"
#include "extract/day_file.h"
#include "extract/outcome_messages.h"

namespace quillory {

namespace {

constexpr const char* kPastedPathMissing = "剪贴板上的路径不存在：";

}  // namespace

void Errands::ShowHandedFolder(std::string path) { CheckFolder(path, path, Handed::Dropped); }

void Errands::ShowPastedFolder(std::string path, std::string asPasted) {
    CheckFolder(std::move(path), std::move(asPasted), Handed::Pasted);
}

void Errands::ShowRecentFolder(std::string folder) { CheckFolder(folder, folder, Handed::Recent); }

// The drive of a recent folder may only be unplugged for now: it is taken
// only as the folder it was.
void Errands::CheckFolder(std::string path, std::string told, Handed how) {
    folderCheck_.Start([&files = static_cast<FileSystem&>(services_), path = std::move(path), told = std::move(told),
                        how](const Job<FolderFound>::Hand& hand) {
        std::optional<std::string> folder = how == Handed::Recent
                                                ? (files.FolderExists(path) ? std::optional(path) : std::nullopt)
                                                : HandedFolder(files, path);
        hand({told, std::move(folder), how});
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

void Errands::WriteSettings(std::function<bool(SettingsFile&)> write) {
    settingsWrites_.Post([&files = static_cast<FileSystem&>(services_), &runner = runner_, notKept = notKept_,
                          write = std::move(write)] {
        SettingsFile settings(files);
        if (write(settings)) return;
        *notKept = true;
        runner.Wake();
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
        } else if (found.how == Handed::Recent) {
            services_.ShowMessage(RecentFolderGoneMessage(found.told), kMessageTitle);
        } else if (found.how == Handed::Pasted) {
            services_.ShowMessage(kPastedPathMissing + found.told, kMessageTitle);
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
