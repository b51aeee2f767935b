#include "browse/folder_view.h"

#include <utility>

namespace quillory {

namespace {

// The first 200 names that `ticked` says are ticked, in list order, and how many are.
template <typename Ticked>
FileNameTable TableOfTicked(const NameList& names, Ticked ticked) {
    FileNameTable table;
    for (int i = 0; i < names.Count(); ++i) {
        if (ticked(i)) table.Add(names.Name(i));
    }
    return table;
}

}  // namespace

void FolderView::DriveChange() {
    // Setting the folder raises the directory box's change event, which scans.
    controls_.目录框文件名提取.SetCurrentFolder(controls_.驱动器框文件名提取.CurrentDrive() + ":");
}

// What waited for the listing of the folder before is let go once this one
// runs, so even a message it shows finds the new listing under way.
void FolderView::FolderScan() {
    std::vector<std::function<void(ListingEnd)>> abandoned = std::exchange(waiting_, {});
    ++firstListings_;
    Abandon();
    Watch();
    held_ = {};
    relistOwed_.reset();
    List().ListClear();
    table_.Clear();
    listedFileCount_ = 0;
    subfolders_.clear();
    arrivalTick_ = true;
    Start(Kind::First, RelistCause::User);
    for (auto& then : abandoned) then(ListingEnd::Abandoned);
}

// Watched before it is listed, so no change after the listing is missed.
void FolderView::Watch() {
    watchedSubfolders_ = options_.includeSubfolders;
    window_.FollowFolder(controls_.目录框文件名提取.CurrentFolder(), options_.includeSubfolders);
}

// A re-list asked for while another with other options runs starts over;
// the commands given meanwhile still count for the names it brings. What
// the user asked for stays the user's when it is owed or started over.
void FolderView::Relist(RelistCause cause) {
    if (watchedSubfolders_ && *watchedSubfolders_ != options_.includeSubfolders) Watch();
    if (running_ && (running_->kind == Kind::First || running_->options == options_)) {
        if (relistOwed_ != RelistCause::User) relistOwed_ = cause;
        return;
    }
    if (running_ && running_->cause == RelistCause::User) cause = RelistCause::User;
    if (!running_) arrivalTick_ = true;
    Start(Kind::Again, cause);
}

// The work may be done before Run returns (the native tests' runner), so
// nothing here follows it.
void FolderView::Start(Kind kind, RelistCause cause) {
    const bool startingOver = running_.has_value();
    Abandon();
    running_ = Running{kind, options_, cause};
    if (!startingOver) window_.ListingUnderWay(0);
    ListingRequest request{controls_.目录框文件名提取.CurrentFolder(), options_, std::nullopt};
    if (kind == Kind::Again) request.shown = List().ListNames();
    listing_.Start([&services = services_, request = std::move(request)](const Job<ListingNews>::Hand& hand) {
        RunListing(services, services, request, hand.Stop(), hand.Box(), [&hand] { hand.Wake(); });
    });
}

void FolderView::Abandon() {
    listing_.Stop();
    running_.reset();
}

void FolderView::StopWork() {
    Abandon();
    copy_.Stop();
    window_.ListingOver();
    held_ = {};
    waiting_.clear();
}

void FolderView::TakeNews() {
    copy_.TakeText();
    TakeListingNews();
}

void FolderView::TakeListingNews() {
    if (!running_) return;
    for (ListingNews& news : listing_.Take()) {
        window_.ListingUnderWay(news.listed);
        if (running_->kind == Kind::First) ShowArrived(news.names);
        if (!news.end) continue;
        if (running_->kind == Kind::Again) SwapIn(news);
        End(std::move(*news.end));
        return;
    }
}

void FolderView::ShowArrived(NameList& names) {
    if (names.Count() == 0) return;
    names.SetEveryTick(arrivalTick_ ? EveryTick::Set : EveryTick::Clear);
    List().ListAppend(names);
    listedFileCount_ = List().ListCount();
}

// The shown list has not changed meanwhile but for its ticks, which are the
// user's latest word on every name it shows.
void FolderView::SwapIn(ListingNews& news) {
    const NameList& shown = List().ListNames();
    const int current = List().ListCurrentIndex();
    int currentNow = -1;
    for (int i = 0; i < news.names.Count(); ++i) {
        const std::int32_t was = news.previous[static_cast<std::size_t>(i)];
        news.names.SetTicked(i, was >= 0 ? shown.Ticked(was) : arrivalTick_);
        if (was >= 0 && was == current) currentNow = i;
    }
    List().ListReplace(std::move(news.names), currentNow);
    listedFileCount_ = List().ListCount();
}

// What waited runs before the changes held meanwhile are applied: it acts
// on the list as the listing left it. A message box on the way lets the
// user choose another folder; what waited then counts as abandoned.
void FolderView::End(FolderListing listing) {
    const std::uint64_t listingAtEnd = firstListings_;
    const RelistCause cause = running_->cause;
    running_.reset();
    listing_.Over();
    window_.ListingOver();
    subfolders_ = listing.subfolders;
    controls_.目录框文件名提取.ShowSubfolders(std::move(listing.subfolders));
    TableRebuild();
    std::vector<std::function<void(ListingEnd)>> waiting = std::exchange(waiting_, {});
    FolderChanges held = std::exchange(held_, {});
    const std::optional<RelistCause> owed = std::exchange(relistOwed_, std::nullopt);
    TellFailure(listing, cause);
    for (auto& then : waiting) {
        if (firstListings_ != listingAtEnd) {
            then(ListingEnd::Abandoned);
        } else {
            then(listing.outcome ? ListingEnd::Whole : ListingEnd::Failed);
        }
    }
    if (firstListings_ != listingAtEnd) return;
    if (owed) {
        Relist(*owed);
    } else if (!held.Empty()) {
        FolderChanged(std::move(held));
    }
}

void FolderView::FolderChanged(FolderChanges changes) {
    if (running_) {
        held_.Add(std::move(changes));
    } else if (changes.lost) {
        Relist(RelistCause::LiveList);
    } else {
        ApplyChanges(changes.changes);
    }
}

void FolderView::ApplyChanges(const std::vector<NameChange>& changes) {
    ShownChange change = ChangeOfShown(services_, List().ListNames(), subfolders_, changes, options_);
    if (change.relist) return Relist(RelistCause::LiveList);
    if (!change.names.Empty()) {
        List().ListEdit(change.names);
        listedFileCount_ = List().ListCount();
        TableRebuild();
    }
    if (change.subfolders) {
        subfolders_ = *change.subfolders;
        controls_.目录框文件名提取.ShowSubfolders(std::move(*change.subfolders));
    }
}

TickSnapshot FolderView::Ticks() const { return {List().ListNames().Ticks(), arrivalTick_}; }

FileNameTable FolderView::TableOf(const TickSnapshot& ticks) const {
    return TableOfTicked(List().ListNames(), [&](int i) {
        const auto index = static_cast<std::size_t>(i);
        return index < ticks.listed.size() ? ticks.listed[index] : ticks.later;
    });
}

void FolderView::CopyTickedNames(NameForm form) {
    if (NamesToCome()) {
        WhenListed([this, form](ListingEnd end) {
            if (end != ListingEnd::Abandoned) CopyTickedNames(form);
        });
        return;
    }
    copy_.Start(List().ListNames(), controls_.目录框文件名提取.CurrentFolder(), form);
}

// Kept before the message shows: the user may choose another folder meanwhile.
void FolderView::TellFailure(const FolderListing& listing, RelistCause cause) {
    const std::string failure = ListingFailureMessage(controls_.目录框文件名提取.CurrentFolder(), listing);
    const bool tell = !failure.empty() && (cause == RelistCause::User || failure != lastFailure_);
    lastFailure_ = failure;
    if (tell) services_.ShowWarning(failure, kMessageTitle);
}

void FolderView::ItemSelected() {
    CheckList& list = List();
    list.ListItemExtension(list.WindowHandle(), list.ListItemText(list.ListCurrentIndex()), true, false);
    TableRebuild();
}

void FolderView::TableRebuild() {
    const NameList& names = List().ListNames();
    table_ = TableOfTicked(names, [&](int i) { return names.Ticked(i); });
}

// During a listing the command holds for the names still to come too.
void FolderView::SetEveryTick(EveryTick change) {
    List().ListSetEveryTick(change);
    switch (change) {
    case EveryTick::Set:
        arrivalTick_ = true;
        break;
    case EveryTick::Clear:
        arrivalTick_ = false;
        break;
    case EveryTick::Flip:
        arrivalTick_ = !arrivalTick_;
        break;
    }
    ItemSelected();
}

void FolderView::TickMatching(const NamePatterns& patterns, bool tick) {
    if (NamesToCome()) {
        WhenListed([this, patterns, tick](ListingEnd end) {
            if (end != ListingEnd::Abandoned) TickMatching(patterns, tick);
        });
        return;
    }
    CheckList& list = List();
    for (int i = 0; i < list.ListCount(); ++i) {
        if (patterns.AnyMatches(list.ListItemText(i))) list.ListSetChecked(i, tick);
    }
    TableRebuild();
}

void FolderView::SelectAll() { SetEveryTick(EveryTick::Set); }

void FolderView::SelectNone() { SetEveryTick(EveryTick::Clear); }

void FolderView::Invert() { SetEveryTick(EveryTick::Flip); }

}  // namespace quillory
