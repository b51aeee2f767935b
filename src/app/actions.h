#pragma once
#include <string>

#include "app/errands.h"
#include "app/globals.h"
#include "browse/folder_changes.h"
#include "browse/folder_listing.h"
#include "browse/folder_view.h"
#include "browse/name_form.h"
#include "extract/background_extraction.h"
#include "extract/background_undo.h"
#include "extract/extraction.h"
#include "platform/controls.h"
#include "platform/job.h"
#include "platform/runner.h"
#include "platform/serial_work.h"
#include "platform/services.h"
#include "settings/settings_file.h"
#include "skin/skin_library.h"

namespace quillory {

// Every action the event table can run. Free of window handles, so the whole
// behaviour runs natively against the fake platform.
class Actions {
public:
    Actions(Services& services, Controls& controls, MainWindow& window, SkinLibrary& skin, Globals& globals,
            Runner& runner)
        : services_(services),
          controls_(controls),
          window_(window),
          skin_(skin),
          globals_(globals),
          storageWork_(runner, AtExit::Finish),
          view_(services, controls, window, runner, globals.fileNames, globals.listedFileCount, listing_),
          extraction_(services, window, storageWork_,
                      ExtractionState{globals.lineWritten, globals.collectedNameCount}),
          errands_(services, controls, runner, storageWork_),
          preparation_(storageWork_),
          undo_(services, storageWork_) {}

    // The settings, the skin and the start folder, then the storage made
    // ready in the background.
    void WindowCreated();
    void DriveChange();
    void FolderScan();
    void Relist();  // the shown folder as it is on disk now, ticks kept
    void TakeBackgroundNews();
    // Names that came, went or were renamed in the shown folder or below it.
    void FolderChanged(FolderChanges changes);
    // The window goes: what runs in the background stops, but for a write,
    // which ends first.
    void StopWork();
    // Something runs in the background: a listing, a copy, the storage made
    // ready, a write, an undo, an errand.
    bool Working() const {
        return view_.Working() || preparation_.Running() || extraction_.Writing() || undo_.Running() ||
               errands_.Working();
    }
    void DirectoryContextMenu();
    void ItemSelected();
    void TableRebuild();
    void FileListContextMenu();
    void SelectAll();
    void SelectNone();
    void Invert();
    void ForwardStep();
    void ReverseStep();
    void ChooseForwardOrder();
    void ChooseReverseOrder();
    void DefaultSettings();
    void Extract();
    void ChooseFolder();
    // A path dropped on the window, pasted or named on the command line: the
    // folder it names is taken as if chosen in the folder dialog.
    void DropFolder(const std::string& path);
    // A path pasted as text may name nothing, which is told with the path as pasted.
    void PastePath(const std::string& path, const std::string& asPasted);
    void Quit();
    void OpenUsagePage();
    void OpenDonationPage();
    void OpenUpdatePage();
    // The day's file, made first when it is missing, in its text handler and
    // selected in the file manager.
    void OpenDayFile();
    void OpenStorageFolder();
    // The options menu: each choice is kept in the settings file; the order
    // and the hidden files list the shown folder again, keeping the ticks.
    void ChooseNameFormName();
    void ChooseNameFormStem();
    void ChooseNameFormPath();
    void ChooseNameFormDetails();
    void ChooseFileSystemOrder();
    void ChooseNameOrder();
    void ChooseTimeOrder();
    void ToggleHiddenFiles();
    void ToggleIncludeSubfolders();
    void CopyTickedNames();
    // The select menu's last two: a pattern asked for in a dialog, kept in
    // the settings file, ticks or unticks the names it matches.
    void TickByPattern();
    void UntickByPattern();
    // The 文件 menu's recent folders: the one at `position`, newest first,
    // shown as a dropped folder is; a folder gone is told and stays listed.
    template <std::size_t position>
    void ShowRecentFolder() {
        ShowRecentFolderAt(position);
    }
    void ClearRecentFolders();
    // 撤销上次提取: the block this window wrote last, taken back while the
    // day's file still begins with it; offered until the day changes, and
    // not while a write or another undo runs.
    void UndoExtraction();
    void MenuOpening();

private:
    void ReadStartValues();
    void PrepareStorage();
    void TakePreparation();
    void TakeUndoNews();
    void ExtractWhenListed();
    void ChooseNameForm(NameForm form);
    void ChooseListOrder(ListOrder order);
    // The hidden files and the subfolders: kept, marked, and the list made anew.
    void ToggleListingOption(bool& option, bool (SettingsFile::*write)(bool));
    void WriteRecentFolders(std::vector<std::string> folders);
    // A settings file that cannot be written is told at the first write that
    // fails; the choices then last until the program ends.
    void TellIfNotKept(bool kept);
    void TickMatching(const char* title, bool tick);
    void MarkOptions();
    void ShowRecentFolderAt(std::size_t position);
    void KeepWritten(std::optional<WrittenBlock> written);
    // The item offered while the block is there to take back, and on its day.
    void MarkUndo();
    // The folder the user chose goes to the top of the recent folders.
    void RememberShownFolder();

    Services& services_;
    Controls& controls_;
    MainWindow& window_;
    SkinLibrary& skin_;
    Globals& globals_;
    // Read once at start, with the other settings.
    OutputEncoding outputEncoding_ = OutputEncoding::Ansi;
    // Read at start, changed by the options menu.
    NameForm nameForm_ = NameForm::Name;
    ListingOptions listing_;
    // Read at start, changed by the select menu's patterns.
    std::string tickPattern_;
    // Everything that writes the storage folder or the settings file runs
    // here, one piece at a time in the order asked for: the start's
    // preparation first, so that nothing finds the storage unready, and no
    // write, undo or day's-file errand interleaves with another.
    SerialWork storageWork_;
    FolderView view_;
    BackgroundExtraction extraction_;
    Errands errands_;
    // Not Written() when the storage folder cannot be written.
    Job<WriteOutcome> preparation_;
    BackgroundUndo undo_;
    bool extractionWaits_ = false;
    bool notKeptTold_ = false;
    // Asked once at start: the file's path never changes.
    bool settingsOutOfReach_ = false;
    std::vector<std::string> recentFolders_;
    std::optional<WrittenBlock> lastBlock_;
    // The start folder is shown before this is set, and is no choice of the user's.
    bool userShowsFolders_ = false;
};

}  // namespace quillory
