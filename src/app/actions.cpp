#include "app/actions.h"

#include "app/places.h"
#include "app/storage_setup.h"
#include "browse/folder_chooser.h"
#include "browse/folder_view.h"
#include "extract/day_file.h"
#include "extract/extraction.h"
#include "extract/outcome_messages.h"
#include "help/help_links.h"
#include "settings/settings_file.h"
#include "skin/skin_setup.h"

namespace quillory {

namespace {

FolderView ViewOf(Services& services, Controls& controls, Globals& globals) {
    return FolderView(services, controls, globals.fileNames, globals.listedFileCount);
}

struct DayFileAtHand {
    std::string path;
    bool exists;
};

// Today's file at this moment, in the storage folder the label shows, made as
// the extraction makes it; a failure to make it is told as the extraction tells it.
DayFileAtHand MakeDayFileAtHand(Services& services, Controls& controls, OutputEncoding encoding) {
    const std::string storageFolder = controls.标签存放路径.Text();
    const std::string dayFile = DayFilePath(storageFolder, services.TodayText());
    const WriteOutcome made = MakeDayFileIfMissing(services, storageFolder, dayFile, encoding);
    if (!made.Written()) services.ShowWarning(WriteFailureMessage(made, dayFile), kMessageTitle);
    return {dayFile, made.Written()};
}

}  // namespace

void Actions::WindowCreated() {
    SettingsFile settings(services_);
    RunSkinSetup(skin_, settings);
    outputEncoding_ = settings.ReadOutputEncoding();
    RunStorageSetup(services_, controls_, settings, globals_.computerName, outputEncoding_);
}

void Actions::DriveChange() { ViewOf(services_, controls_, globals_).DriveChange(); }
void Actions::FolderScan() { ViewOf(services_, controls_, globals_).FolderScan(); }
void Actions::Relist() { ViewOf(services_, controls_, globals_).Relist(); }
void Actions::ItemSelected() { ViewOf(services_, controls_, globals_).ItemSelected(); }
void Actions::TableRebuild() { ViewOf(services_, controls_, globals_).TableRebuild(); }
void Actions::SelectAll() { ViewOf(services_, controls_, globals_).SelectAll(); }
void Actions::SelectNone() { ViewOf(services_, controls_, globals_).SelectNone(); }
void Actions::Invert() { ViewOf(services_, controls_, globals_).Invert(); }

void Actions::DirectoryContextMenu() {
    window_.SetMenuItemVisible(MenuItem::Quit, false);
    window_.PopupMenu(TopMenu::File);
}

void Actions::FileListContextMenu() { window_.PopupMenu(TopMenu::Select); }

void Actions::ForwardStep() { quillory::ForwardStep(controls_); }
void Actions::ReverseStep() { quillory::ReverseStep(controls_); }

// The menu items select the order their captions name.
void Actions::ChooseForwardOrder() {
    controls_.单选框正序.SetChecked(true);
    ForwardStep();
}

void Actions::ChooseReverseOrder() {
    controls_.单选框逆序.SetChecked(true);
    ReverseStep();
}

void Actions::DefaultSettings() { quillory::DefaultSettings(controls_); }

void Actions::Extract() {
    quillory::Extract(services_, controls_, globals_.fileNames,
                      ExtractionState{globals_.lineWritten, globals_.collectedNameCount}, outputEncoding_);
}

void Actions::ChooseFolder() {
    quillory::ChooseFolder(services_, controls_, window_.WindowHandle(), StartFolder(globals_.computerName));
}

void Actions::DropFolder(const std::string& folder) { ShowChosenFolder(controls_, folder); }

void Actions::Quit() { window_.CloseMainWindow(); }

void Actions::OpenUsagePage() { OpenHelpPage(services_, HelpPage::Usage); }
void Actions::OpenDonationPage() { OpenHelpPage(services_, HelpPage::Donation); }
void Actions::OpenUpdatePage() { OpenHelpPage(services_, HelpPage::Update); }

void Actions::OpenDayFile() {
    const DayFileAtHand dayFile = MakeDayFileAtHand(services_, controls_, outputEncoding_);
    if (dayFile.exists) services_.OpenFile(dayFile.path);
}

// The storage folder is worth showing even when the day's file could not be made.
void Actions::OpenStorageFolder() {
    services_.ShowInFolder(MakeDayFileAtHand(services_, controls_, outputEncoding_).path);
}

}  // namespace quillory
