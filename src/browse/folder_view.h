#pragma once
// Keeps the drive box, the directory box, the check-list and the file-name
// table in step. A folder is listed on a thread of its own, so the window
// stays the user's: the check-list grows batch by batch, and what the user
// does meanwhile counts as if the whole listing had been there.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "browse/file_name_table.h"
#include "browse/folder_changes.h"
#include "browse/folder_listing.h"
#include "browse/listing_job.h"
#include "browse/name_copy.h"
#include "browse/name_form.h"
#include "browse/name_pattern.h"
#include "platform/controls.h"
#include "platform/job.h"
#include "platform/runner.h"
#include "platform/services.h"

namespace quillory {

// How a listing that something waited for ended.
enum class ListingEnd {
    Whole,
    Failed,     // the folder could not be listed to its end
    Abandoned,  // another folder was chosen
};

// Who asked for a re-list: the user, or the live list on its own, when the
// system lost changes or a folder below came or went. A failure to list is
// told again only to the user, or when it changed.
enum class RelistCause { User, LiveList };

// The ticks at a moment of a first listing: those of the names listed so
// far, and the one every later name will come with.
struct TickSnapshot {
    std::vector<bool> listed;
    bool later = true;
};

class FolderView {
public:
    FolderView(Services& services, Controls& controls, MainWindow& window, Runner& runner, FileNameTable& table,
               std::int32_t& listedFileCount, const ListingOptions& options)
        : services_(services),
          controls_(controls),
          window_(window),
          table_(table),
          listedFileCount_(listedFileCount),
          options_(options),
          listing_(runner),
          copy_(services, runner) {}
    ~FolderView() { Abandon(); }
    FolderView(const FolderView&) = delete;
    FolderView& operator=(const FolderView&) = delete;

    void DriveChange();
    // Watches the directory box's folder, then lists it from an empty list,
    // every name ticked. A folder that cannot be listed is told; an empty
    // one is not.
    void FolderScan();
    // Lists the shown folder again as it is now. The list stays as it is
    // until the new one is whole; then names still there keep their ticks,
    // new ones come ticked, gone ones leave. Asked for during a first
    // listing, or with the options of the one running, it follows that one.
    // The watch follows the subfolders option at once.
    void Relist(RelistCause cause);
    // What the work in the background has handed over: names, a listing's
    // end, the text to copy.
    void TakeNews();
    // Changes the system reported in the shown folder, or below it; held
    // while a listing runs.
    void FolderChanged(FolderChanges changes);
    // The window goes: nothing more is listed, copied or waited for.
    void StopWork();
    bool Working() const { return running_.has_value() || copy_.Gathering(); }
    // A first listing runs: names are still to come.
    bool NamesToCome() const { return running_ && running_->kind == Kind::First; }
    // Runs when the first listing running now ends, or another folder is chosen.
    void WhenListed(std::function<void(ListingEnd)> then) { waiting_.push_back(std::move(then)); }
    TickSnapshot Ticks() const;
    // The table the ticks would give over the names listed now.
    FileNameTable TableOf(const TickSnapshot& ticks) const;

    // The ticked names to the clipboard as CopiedLines gives them, gathered
    // in the background; during a first listing, once it has ended.
    void CopyTickedNames(NameForm form);
    void ItemSelected();
    void TableRebuild();
    void SelectAll();
    void SelectNone();
    void Invert();
    // Every listed name the patterns match gets the tick, the others keep
    // theirs; during a first listing, once it has ended.
    void TickMatching(const NamePatterns& patterns, bool tick);

private:
    enum class Kind { First, Again };
    // What the listing running was asked for; the job itself is listing_.
    struct Running {
        Kind kind;
        ListingOptions options;
        RelistCause cause;  // a first listing is the user's
    };

    void Watch();
    void Start(Kind kind, RelistCause cause);
    void Abandon();
    void TakeListingNews();
    void ShowArrived(NameList& names);
    void SwapIn(ListingNews& news);
    void End(FolderListing listing);
    void TellFailure(const FolderListing& listing, RelistCause cause);
    void ApplyChanges(const std::vector<NameChange>& changes);
    void SetEveryTick(EveryTick change);
    CheckList& List() { return controls_.选择列表框文件列表; }
    const CheckList& List() const { return controls_.选择列表框文件列表; }

    Services& services_;
    Controls& controls_;
    MainWindow& window_;
    FileNameTable& table_;
    std::int32_t& listedFileCount_;
    const ListingOptions& options_;

    std::optional<Running> running_;
    Job<ListingNews> listing_;
    std::uint64_t firstListings_ = 0;  // a first listing ends what waited for the one before
    bool arrivalTick_ = true;          // the tick of names still to come
    std::optional<RelistCause> relistOwed_;
    FolderChanges held_;
    std::string lastFailure_;  // what the last listing to end could not list, told or not
    std::optional<bool> watchedSubfolders_;  // once a folder is shown
    NameCopy copy_;
    std::vector<std::function<void(ListingEnd)>> waiting_;
    std::vector<std::string> subfolders_;  // as the directory box shows them
};

}  // namespace quillory
