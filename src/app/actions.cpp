#include "app/actions.h"

#include "app/places.h"
#include "app/storage_setup.h"
#include "browse/folder_chooser.h"
#include "extract/day_file.h"
#include "extract/extraction.h"
#include "extract/outcome_messages.h"
#include "help/help_links.h"
#include "settings/settings_file.h"
#include "skin/skin_setup.h"

namespace quillory {

namespace {

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
    nameForm_ = settings.ReadNameForm();
    listing_ = settings.ReadListingOptions();
    MarkOptions();
    RunStorageSetup(services_, controls_, settings, globals_.computerName, outputEncoding_);
}

void Actions::DriveChange() { view_.DriveChange(); }
void Actions::FolderScan() { view_.FolderScan(); }
void Actions::Relist() { view_.Relist(); }
void Actions::TakeListingNews() { view_.TakeListingNews(); }
void Actions::FolderChanged(FolderChanges changes) { view_.FolderChanged(std::move(changes)); }
void Actions::StopListing() { view_.StopListing(); }
void Actions::ItemSelected() { view_.ItemSelected(); }
void Actions::TableRebuild() { view_.TableRebuild(); }
void Actions::SelectAll() { view_.SelectAll(); }
void Actions::SelectNone() { view_.SelectNone(); }
void Actions::Invert() { view_.Invert(); }

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
    if (view_.NamesToCome()) return ExtractWhenListed();
    quillory::Extract(services_, ReadExtractionRequest(controls_, nameForm_), controls_.选择列表框文件列表.ListCount(),
                      globals_.fileNames, ExtractionState{globals_.lineWritten, globals_.collectedNameCount},
                      outputEncoding_);
}

// What the click would have written had the whole listing been there: the
// window's values and the ticks as they are now, the names when they are all
// in. Never a part of the list as if it were all.
void Actions::ExtractWhenListed() {
    if (extractionWaits_) return;
    extractionWaits_ = true;
    view_.WhenListed([this, request = ReadExtractionRequest(controls_, nameForm_),
                      ticks = view_.Ticks()](ListingEnd end) {
        extractionWaits_ = false;
        switch (end) {
        case ListingEnd::Whole:
            quillory::Extract(services_, request, controls_.选择列表框文件列表.ListCount(), view_.TableOf(ticks),
                              ExtractionState{globals_.lineWritten, globals_.collectedNameCount}, outputEncoding_);
            break;
        case ListingEnd::Failed:
            services_.ShowMessage(kExtractionOfPartListMessage, kMessageTitle);
            break;
        case ListingEnd::Abandoned:
            services_.ShowMessage(kExtractionAbandonedMessage, kMessageTitle);
            break;
        }
    });
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

void Actions::ChooseNameFormName() { ChooseNameForm(NameForm::Name); }
void Actions::ChooseNameFormStem() { ChooseNameForm(NameForm::Stem); }
void Actions::ChooseNameFormPath() { ChooseNameForm(NameForm::FullPath); }
void Actions::ChooseFileSystemOrder() { ChooseListOrder(ListOrder::FileSystem); }
void Actions::ChooseNameOrder() { ChooseListOrder(ListOrder::Name); }
void Actions::ChooseTimeOrder() { ChooseListOrder(ListOrder::ModificationTime); }

void Actions::ToggleHiddenFiles() {
    listing_.showHidden = !listing_.showHidden;
    SettingsFile(services_).WriteShowHidden(listing_.showHidden);
    MarkOptions();
    view_.Relist();
}

void Actions::CopyTickedNames() { view_.CopyTickedNames(nameForm_); }

void Actions::ChooseNameForm(NameForm form) {
    if (form == nameForm_) return;
    nameForm_ = form;
    SettingsFile(services_).WriteNameForm(form);
    MarkOptions();
}

void Actions::ChooseListOrder(ListOrder order) {
    if (order == listing_.order) return;
    listing_.order = order;
    SettingsFile(services_).WriteListOrder(order);
    MarkOptions();
    view_.Relist();
}

void Actions::MarkOptions() {
    window_.SetMenuItemChecked(MenuItem::NameFormName, nameForm_ == NameForm::Name);
    window_.SetMenuItemChecked(MenuItem::NameFormStem, nameForm_ == NameForm::Stem);
    window_.SetMenuItemChecked(MenuItem::NameFormPath, nameForm_ == NameForm::FullPath);
    window_.SetMenuItemChecked(MenuItem::OrderFileSystem, listing_.order == ListOrder::FileSystem);
    window_.SetMenuItemChecked(MenuItem::OrderName, listing_.order == ListOrder::Name);
    window_.SetMenuItemChecked(MenuItem::OrderTime, listing_.order == ListOrder::ModificationTime);
    window_.SetMenuItemChecked(MenuItem::ShowHiddenFiles, listing_.showHidden);
}

}  // namespace quillory
