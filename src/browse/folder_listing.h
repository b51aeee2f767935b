#pragma once
// One pass over a folder gives everything the folder view shows of it: the
// files for the check-list and the subfolders for the directory box.
#include <functional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace quillory {

enum class ListOrder {
    FileSystem,        // as the file system yields the files
    Name,              // natural order, as the file manager sorts
    ModificationTime,  // oldest first, natural order where times are equal
};

struct ListingOptions {
    ListOrder order = ListOrder::FileSystem;
    bool showHidden = false;  // hidden and system files too
};

// The files as the file manager shows them by default: no subfolders, no
// hidden or system entries unless asked for.
bool IsListedFile(const FoundEntry& entry, bool showHidden = false);

// The subfolders as the file manager shows them: hidden ones are left out,
// while system ones stay (customised folders carry that mark).
bool IsShownSubfolder(const FoundEntry& entry);

struct FolderListing {
    std::vector<std::string> subfolders;  // in the file system's order
    ListingOutcome outcome;
};

// Enumerates the folder once. Every listed file goes to `takeFile` in the
// chosen order; in the file system's own order as it is yielded, so a large
// folder is never held twice.
FolderListing ListFolder(Services& services, const std::string& folder, const ListingOptions& options,
                         const std::function<void(const std::string& name)>& takeFile);

// What the user is told when the folder could not be listed.
std::string UnreadableFolderMessage(const std::string& folder, const ListingOutcome& outcome);

}  // namespace quillory
