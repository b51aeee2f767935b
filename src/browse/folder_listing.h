#pragma once
// One pass over a folder gives everything the folder view shows of it: the
// files for the check-list and the subfolders for the directory box.
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "platform/name_list.h"
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

    bool operator==(const ListingOptions&) const = default;
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

// The listing step: enumerates the folder once, and hands every listed file
// to `found` in the order the file system yields them, until `stop` is
// asked for. Runs on any thread.
FolderListing FindListedFiles(Services& services, const std::string& folder, const ListingOptions& options,
                              const std::function<void(const FoundEntry& file)>& found, std::stop_token stop = {});

// The names in the chosen order; `modified` holds each name's time where
// the order is by time.
NameList InListOrder(Services& services, NameList names, const std::vector<std::uint64_t>& modified,
                     ListOrder order);

// The listing step on the calling thread: every listed file goes to
// `takeFile` in the chosen order; in the file system's own order as it is
// yielded, so a large folder is never held twice.
FolderListing ListFolder(Services& services, const std::string& folder, const ListingOptions& options,
                         const std::function<void(const std::string& name)>& takeFile);

// What the user is told when the folder could not be listed.
std::string UnreadableFolderMessage(const std::string& folder, const ListingOutcome& outcome);

}  // namespace quillory
