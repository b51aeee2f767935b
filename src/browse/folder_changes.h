#pragma once
// The changes the system reports in the shown folder, and with its
// subfolders listed in the folders below it, and what they do to the
// check-list and the directory box: applied where they fall, without
// listing the folder again.
#include <optional>
#include <string>
#include <vector>

#include "browse/folder_listing.h"
#include "platform/name_list.h"
#include "platform/file_system.h"
#include "platform/locale.h"

namespace quillory {

// One name that went, came or was renamed; below the shown folder, named
// by its path relative to it.
struct NameChange {
    std::string left;  // the name that went, or a renamed one's old name; empty for none
    // The name that came, or a renamed one's new one, as it is now; none once gone again.
    std::optional<FoundEntry> came;
    // The folders between the shown folder and the name that came, outermost first.
    std::vector<FoundEntry> way{};
};

// Beyond this many changes at once, listing the folder again is quicker
// than applying them one by one.
inline constexpr std::size_t kMostChangesApplied = 10'000;

struct FolderChanges {
    std::vector<NameChange> changes;  // in the order they happened
    // The system lost some changes, or the folder itself went or came back:
    // only listing it again shows it as it is.
    bool lost = false;

    bool Empty() const { return changes.empty() && !lost; }
    // Those that happened after these; too many of them are as lost.
    void Add(FolderChanges later);
};

struct ShownChange {
    NameEdit names;
    std::optional<std::vector<std::string>> subfolders;  // when they changed
    // With the subfolders listed, a folder the walk enters came, or one went
    // that held listed names: their files came or went with it unreported,
    // so only listing again shows them. Nothing else is applied then.
    bool relist = false;
};

// What the changes do to the shown names (listed in `options`) and
// subfolders. A name already there is not added again; a new one comes
// ticked; a renamed one keeps its tick. New names go where the order puts
// them: in natural order at their place, otherwise last; a renamed one
// keeps its place unless the order is by name. A file in a folder the walk
// does not enter is left out, as the walk leaves it out; the directory box
// keeps the shown folder's own subfolders alone.
ShownChange ChangeOfShown(Locale& locale, const NameList& names, const std::vector<std::string>& subfolders,
                          const std::vector<NameChange>& changes, const ListingOptions& options);

}  // namespace quillory
