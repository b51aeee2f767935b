#include "app/actions.h"

#include "app/places.h"
#include "app/storage_setup.h"
#include "browse/folder_chooser.h"
#include "browse/name_pattern.h"
#include "browse/recent_folders.h"
#include "extract/extraction.h"
#include "extract/extraction_undo.h"
#include "extract/outcome_messages.h"
#include "help/help_links.h"
#include "settings/settings_file.h"
#include "platform/window_thread.h"
#include "skin/skin_setup.h"

namespace quillory {

namespace {

constexpr const char* kTickTitle = "按模式勾选";
constexpr const char* kUntickTitle = "按模式取消勾选";
constexpr const char* kPatternLabel = "文件名模式，多个以“;”或空格分隔（如 *.jpg;*.png）：";

}  // namespace

void Actions::WindowCreated() {
    ReadStartValues();
    RunStorageSetup(services_, controls_, globals_.computerName);
    PrepareStorage();
    userShowsFolders_ = true;
    MarkUndo();
}

// Before the window shows, so that it shows as the settings say; the start
// folder's name comes from the registry. From then on the disk is the
// workers'.
void Actions::ReadStartValues() {
    const window_thread::WorkScope beforeTheWindowShows;
    SettingsFile settings(services_);
    settingsOutOfReach_ = settings.OutOfReach();
    if (settingsOutOfReach_) services_.ShowMessage(OutOfReachMessage(settings.Path()), kMessageTitle);
    RunSkinSetup(skin_, settings);
    outputEncoding_ = settings.ReadOutputEncoding();
    nameForm_ = settings.ReadNameForm();
    listing_ = settings.ReadListingOptions();
    MarkOptions();
    tickPattern_ = settings.ReadTickPattern();
    recentFolders_ = settings.ReadRecentFolders();
    window_.ShowRecentFolders(recentFolders_);
    globals_.computerName = ReadComputerName(services_);
}

// First in the storage's line: a write, an undo or a day's-file errand asked
// for meanwhile runs after it and finds the storage ready.
void Actions::PrepareStorage() {
    preparation_.Start(
        [&services = services_, storageFolder = controls_.标签存放路径.Text(),
         encoding = outputEncoding_](const Job<WriteOutcome>::Hand& hand) {
            SettingsFile settings(services);
            hand(quillory::PrepareStorage(services, services, settings, storageFolder, encoding));
        },
        AtExit::Finish);
}

void Actions::TakePreparation() {
    for (const WriteOutcome& prepared : preparation_.Take()) {
        preparation_.Over();
        if (!prepared) {
            services_.ShowMessage(WriteProbeMessage(controls_.标签存放路径.Text(), prepared), kMessageTitle);
        }
    }
}

void Actions::DriveChange() { view_.DriveChange(); }

void Actions::FolderScan() {
    view_.FolderScan();
    if (userShowsFolders_) RememberShownFolder();
}

void Actions::RememberShownFolder() {
    const std::string shown = controls_.目录框文件名提取.CurrentFolder();
    if (shown.empty()) return;
    std::vector<std::string> folders =
        WithRecentFolder(recentFolders_, shown, [this](std::string_view text) { return services_.UpperCase(text); });
    if (folders != recentFolders_) WriteRecentFolders(std::move(folders));
}

void Actions::WriteRecentFolders(std::vector<std::string> folders) {
    errands_.WriteSettings([folders, listedBefore = recentFolders_.size()](SettingsFile& settings) {
        return settings.WriteRecentFolders(folders, listedBefore);
    });
    recentFolders_ = std::move(folders);
    window_.ShowRecentFolders(recentFolders_);
}

// The drive may only be unplugged for now: the folder keeps its place.
void Actions::ShowRecentFolderAt(std::size_t position) {
    if (position < recentFolders_.size()) errands_.ShowRecentFolder(recentFolders_[position]);
}

void Actions::ClearRecentFolders() { WriteRecentFolders({}); }
void Actions::Relist() { view_.Relist(RelistCause::User); }
// The undo before the write: a write pressed during an undo runs after it,
// so its block is the one to take back next.
void Actions::TakeBackgroundNews() {
    TakePreparation();
    view_.TakeNews();
    TakeUndoNews();
    KeepWritten(extraction_.TakeNews());
    errands_.TakeNews();
    if (errands_.TakeNotKept()) TellIfNotKept(false);
}
void Actions::FolderChanged(FolderChanges changes) { view_.FolderChanged(std::move(changes)); }
void Actions::StopWork() {
    view_.StopWork();
    extraction_.WindowGone();
    undo_.WindowGone();
}
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

// A press while a block is being written adds nothing: the user pressed
// again only because nothing seemed to happen.
void Actions::Extract() {
    if (extraction_.Writing()) return;
    if (view_.NamesToCome()) return ExtractWhenListed();
    extraction_.Start(ReadExtractionRequest(controls_, nameForm_), controls_.选择列表框文件列表.ListCount(),
                      globals_.fileNames, outputEncoding_);
}

// Only a block written replaces the one to take back.
void Actions::KeepWritten(std::optional<WrittenBlock> written) {
    if (!written) return;
    lastBlock_ = std::move(written);
    MarkUndo();
}

void Actions::MenuOpening() { MarkUndo(); }

void Actions::MarkUndo() {
    if (lastBlock_ && lastBlock_->day != services_.TodayText()) lastBlock_.reset();
    window_.SetMenuItemEnabled(MenuItem::UndoExtraction,
                               lastBlock_.has_value() && !extraction_.Writing() && !undo_.Running());
}

// While a write runs the block to take back is about to change, and a
// second undo would find nothing of its own to take.
void Actions::UndoExtraction() {
    MarkUndo();
    if (!lastBlock_ || extraction_.Writing() || undo_.Running()) return;
    undo_.Start(*lastBlock_);
    MarkUndo();
}

// A refusal is final (the file will not begin with the block again); a
// failed write may be tried again. What is kept is settled before the
// message: news taken while it shows must find it so.
void Actions::TakeUndoNews() {
    const std::optional<BackgroundUndo::Ended> ended = undo_.TakeNews();
    if (!ended) return;
    if (EndOf(ended->removal) != UndoEnd::Failed) lastBlock_.reset();
    MarkUndo();
    TellUndo(services_, ended->written, ended->removal);
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
            extraction_.Start(request, controls_.选择列表框文件列表.ListCount(), view_.TableOf(ticks), outputEncoding_);
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

void Actions::DropFolder(const std::string& path) { errands_.ShowHandedFolder(path); }

void Actions::PastePath(const std::string& path, const std::string& asPasted) {
    errands_.ShowPastedFolder(path, asPasted);
}

void Actions::Quit() { window_.CloseMainWindow(); }

void Actions::OpenUsagePage() { OpenHelpPage(services_, HelpPage::Usage); }
void Actions::OpenDonationPage() { OpenHelpPage(services_, HelpPage::Donation); }
void Actions::OpenUpdatePage() { OpenHelpPage(services_, HelpPage::Update); }

void Actions::OpenDayFile() { errands_.OpenDayFile(outputEncoding_); }

void Actions::OpenStorageFolder() { errands_.ShowDayFileInFolder(outputEncoding_); }

void Actions::ChooseNameFormName() { ChooseNameForm(NameForm::Name); }
void Actions::ChooseNameFormStem() { ChooseNameForm(NameForm::Stem); }
void Actions::ChooseNameFormPath() { ChooseNameForm(NameForm::FullPath); }
void Actions::ChooseNameFormDetails() { ChooseNameForm(NameForm::Details); }
void Actions::ChooseFileSystemOrder() { ChooseListOrder(ListOrder::FileSystem); }
void Actions::ChooseNameOrder() { ChooseListOrder(ListOrder::Name); }
void Actions::ChooseTimeOrder() { ChooseListOrder(ListOrder::ModificationTime); }

void Actions::ToggleHiddenFiles() { ToggleListingOption(listing_.showHidden, &SettingsFile::WriteShowHidden); }

void Actions::ToggleIncludeSubfolders() {
    ToggleListingOption(listing_.includeSubfolders, &SettingsFile::WriteIncludeSubfolders);
}

void Actions::CopyTickedNames() { view_.CopyTickedNames(nameForm_); }

void Actions::TickByPattern() { TickMatching(kTickTitle, true); }
void Actions::UntickByPattern() { TickMatching(kUntickTitle, false); }

// What was typed is kept even when it is no pattern, so it can be mended.
void Actions::TickMatching(const char* title, bool tick) {
    const std::optional<std::string> typed =
        services_.AskText(window_.WindowHandle(), title, kPatternLabel, tickPattern_);
    if (!typed) return;
    tickPattern_ = *typed;
    errands_.WriteSettings([typed = *typed](SettingsFile& settings) { return settings.WriteTickPattern(typed); });
    const NamePatterns patterns(services_, *typed);
    if (!patterns.Fault().empty()) {
        services_.ShowMessage(patterns.Fault(), kMessageTitle);
    } else if (!patterns.Empty()) {
        view_.TickMatching(patterns, tick);
    }
}

void Actions::ToggleListingOption(bool& option, bool (SettingsFile::*write)(bool)) {
    option = !option;
    errands_.WriteSettings([write, option](SettingsFile& settings) { return (settings.*write)(option); });
    MarkOptions();
    view_.Relist(RelistCause::User);
}

void Actions::ChooseNameForm(NameForm form) {
    if (form == nameForm_) return;
    nameForm_ = form;
    errands_.WriteSettings([form](SettingsFile& settings) { return settings.WriteNameForm(form); });
    MarkOptions();
}

void Actions::ChooseListOrder(ListOrder order) {
    if (order == listing_.order) return;
    listing_.order = order;
    errands_.WriteSettings([order](SettingsFile& settings) { return settings.WriteListOrder(order); });
    MarkOptions();
    view_.Relist(RelistCause::User);
}

// A file out of reach was told at start, and is never written.
void Actions::TellIfNotKept(bool kept) {
    if (kept || notKeptTold_) return;
    notKeptTold_ = true;
    if (!settingsOutOfReach_) services_.ShowWarning(NotKeptMessage(SettingsFile(services_).Path()), kMessageTitle);
}

void Actions::MarkOptions() {
    window_.SetMenuItemChecked(MenuItem::NameFormName, nameForm_ == NameForm::Name);
    window_.SetMenuItemChecked(MenuItem::NameFormStem, nameForm_ == NameForm::Stem);
    window_.SetMenuItemChecked(MenuItem::NameFormPath, nameForm_ == NameForm::FullPath);
    window_.SetMenuItemChecked(MenuItem::NameFormDetails, nameForm_ == NameForm::Details);
    window_.SetMenuItemChecked(MenuItem::OrderFileSystem, listing_.order == ListOrder::FileSystem);
    window_.SetMenuItemChecked(MenuItem::OrderName, listing_.order == ListOrder::Name);
    window_.SetMenuItemChecked(MenuItem::OrderTime, listing_.order == ListOrder::ModificationTime);
    window_.SetMenuItemChecked(MenuItem::ShowHiddenFiles, listing_.showHidden);
    window_.SetMenuItemChecked(MenuItem::IncludeSubfolders, listing_.includeSubfolders);
}

}  // namespace quillory
