#include "browse/folder_view.h"

#include <unordered_set>

#include "browse/folder_listing.h"
#include "platform/text.h"

namespace quillory {

void FolderView::DriveChange() {
    // Setting the folder raises the directory box's change event, which scans.
    controls_.目录框文件名提取.SetCurrentFolder(controls_.驱动器框文件名提取.CurrentDrive() + ":");
}

void FolderView::FolderScan() {
    CheckList& list = controls_.选择列表框文件列表;
    list.ListClear();
    const std::string folder = controls_.目录框文件名提取.CurrentFolder();
    table_.MarkAllEmpty();
    std::int32_t count = 0;
    // The directory box shows the subfolders of this same listing.
    FolderListing listing = ListFolder(services_, folder, options_, [&](const std::string& name) {
        ++count;
        list.ListAdd(name);
        // The table holds 200 names; later files are listed but not tabled.
        if (count <= FileNameTable::kSlots) table_.SetSlot(count, name);
    });
    listedFileCount_ = count;
    for (int i = 0; i < count; ++i) list.ListSetChecked(i, true);
    controls_.目录框文件名提取.ShowSubfolders(std::move(listing.subfolders));
    TellFailure(folder, listing);
}

void FolderView::CopyTickedNames(NameForm form) {
    const CheckList& list = controls_.选择列表框文件列表;
    const std::string folder = controls_.目录框文件名提取.CurrentFolder();
    std::string lines;
    bool anyTicked = false;
    for (int i = 0; i < list.ListCount(); ++i) {
        if (!list.ListIsChecked(i)) continue;
        // CR LF between names and none after the last, so a single name
        // pastes into a one-line box as it is.
        if (anyTicked) lines += "\r\n";
        const std::string name = list.ListItemText(i);
        lines += OnOneLine(FormedName(name, folder, form));
        if (form == NameForm::Details) lines += DetailsColumns(services_, name, folder);
        anyTicked = true;
    }
    if (anyTicked) services_.PutTextOnClipboard(lines);
}

// Only the unticked names need remembering: every other name comes ticked.
void FolderView::Relist() {
    CheckList& list = controls_.选择列表框文件列表;
    std::unordered_set<std::string> unticked;
    for (int i = 0; i < list.ListCount(); ++i) {
        if (!list.ListIsChecked(i)) unticked.insert(list.ListItemText(i));
    }
    list.ListRenew();
    const std::string folder = controls_.目录框文件名提取.CurrentFolder();
    std::int32_t count = 0;
    FolderListing listing = ListFolder(services_, folder, options_, [&](const std::string& name) {
        list.ListAdd(name);
        list.ListSetChecked(count++, !unticked.contains(name));
    });
    listedFileCount_ = count;
    controls_.目录框文件名提取.ShowSubfolders(std::move(listing.subfolders));
    TableRebuild();
    TellFailure(folder, listing);
}

void FolderView::TellFailure(const std::string& folder, const FolderListing& listing) {
    if (const std::string told = ListingFailureMessage(folder, listing); !told.empty()) {
        services_.ShowWarning(told, kMessageTitle);
    }
}

void FolderView::ItemSelected() {
    CheckList& list = controls_.选择列表框文件列表;
    list.ListItemExtension(list.WindowHandle(), list.ListItemText(list.ListCurrentIndex()), true, false);
    TableRebuild();
}

void FolderView::TableRebuild() {
    const CheckList& list = controls_.选择列表框文件列表;
    table_.MarkAllEmpty();
    int slot = 0;
    const int count = list.ListCount();
    for (int i = 0; i < count && slot < FileNameTable::kSlots; ++i) {
        if (list.ListIsChecked(i)) table_.SetSlot(++slot, list.ListItemText(i));
    }
}

template <typename NewTick>
void FolderView::SetEveryTick(NewTick newTick) {
    CheckList& list = controls_.选择列表框文件列表;
    for (int i = 0; i < listedFileCount_; ++i) list.ListSetChecked(i, newTick(list.ListIsChecked(i)));
    ItemSelected();
}

void FolderView::TickMatching(const NamePatterns& patterns, bool tick) {
    CheckList& list = controls_.选择列表框文件列表;
    for (int i = 0; i < list.ListCount(); ++i) {
        if (patterns.AnyMatches(list.ListItemText(i))) list.ListSetChecked(i, tick);
    }
    TableRebuild();
}

void FolderView::SelectAll() {
    SetEveryTick([](bool) { return true; });
}

void FolderView::SelectNone() {
    SetEveryTick([](bool) { return false; });
}

void FolderView::Invert() {
    SetEveryTick([](bool ticked) { return !ticked; });
}

}  // namespace quillory
