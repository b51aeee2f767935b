#pragma once
// One pass over a folder gives everything the folder view shows of it: the
// files for the check-list and the subfolders for the directory box. With
// its subfolders included, the pass walks the whole tree below it.
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "platform/name_list.h"
#include "platform/file_system.h"
#include "platform/locale.h"

namespace quillory {

enum class ListOrder {
    FileSystem,        // as the file system yields the files; a folder's own before its subfolders'
    Name,              // natural order, as the file manager sorts
    ModificationTime,  // oldest first, natural order where times are equal
};

struct ListingOptions {
    ListOrder order = ListOrder::FileSystem;
    bool showHidden = false;         // hidden and system files, and folders, too
    bool includeSubfolders = false;  // the files of every folder below, by their relative paths

    bool operator==(const ListingOptions&) const = default;
};

// The files as the file manager shows them by default: no subfolders, no
// hidden or system entries unless asked for.
bool IsListedFile(const FoundEntry& entry, bool showHidden = false);

// The folders the walk below the shown folder enters: a link is never
// followed, so the walk stays inside the tree and ends; hidden and system
// ones only with `showHidden`.
bool IsEnteredFolder(const FoundEntry& entry, bool showHidden);

// The subfolders as the file manager shows them: hidden ones are left out,
// while system ones stay (customised folders carry that mark).
bool IsShownSubfolder(const FoundEntry& entry);

// Subfolders below the shown folder that could not be listed; the rest of
// the tree was.
struct UnreadableSubfolders {
    int count = 0;
    std::string first;  // full path of the first one met
    ListingOutcome why;
};

struct FolderListing {
    std::vector<std::string> subfolders;  // the shown folder's own, in the file system's order
    ListingOutcome outcome;               // of the shown folder itself
    UnreadableSubfolders unreadable;
};

// Takes each listed file: its path relative to the shown folder (the bare
// name for the folder's own files) and what the system said of it.
using FoundFile = std::function<void(std::string_view name, const FoundEntry& file)>;

// The listing step: enumerates the folder once, or the tree below it depth
// first, and hands every listed file to `found` in the order the file system
// yields them, until `stop` is asked for. Only FindFiles and FolderIdentity
// are used, so it runs on any thread.
FolderListing FindListedFiles(FileSystem& files, const std::string& folder, const ListingOptions& options,
                              const FoundFile& found, std::stop_token stop = {});

// The names in the chosen order; `modified` holds each name's time where
// the order is by time.
NameList InListOrder(Locale& locale, NameList names, const std::vector<std::uint64_t>& modified,
                     ListOrder order);

// The listing step on the calling thread: every listed file goes to
// `takeFile` in the chosen order; in the file system's own order as it is
// yielded, so a large folder is never held twice.
FolderListing ListFolder(FileSystem& files, Locale& locale, const std::string& folder, const ListingOptions& options,
                         const std::function<void(const std::string& name)>& takeFile);

// What the user is told when the folder could not be listed.
std::string UnreadableFolderMessage(const std::string& folder, const ListingOutcome& outcome);

// What the user is told after a listing: the shown folder that could not be
// listed, or the subfolders that could not; empty when all was listed.
std::string ListingFailureMessage(const std::string& folder, const FolderListing& listing);

}  // namespace quillory
