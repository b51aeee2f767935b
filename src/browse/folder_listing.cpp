#include "browse/folder_listing.h"

#include <algorithm>

#include "platform/text.h"

namespace quillory {

namespace {

bool IsDotEntry(const FoundEntry& entry) { return entry.name == "." || entry.name == ".."; }

struct HeldFiles {
    std::vector<std::string> names;
    std::vector<std::uint64_t> modified;
};

std::vector<std::size_t> SortedOrder(Services& services, const HeldFiles& files, ListOrder order) {
    std::vector<std::size_t> positions = services.NaturalOrder(files.names);
    if (order == ListOrder::ModificationTime) {
        std::stable_sort(positions.begin(), positions.end(), [&](std::size_t left, std::size_t right) {
            return files.modified[left] < files.modified[right];
        });
    }
    return positions;
}

}  // namespace

bool IsListedFile(const FoundEntry& entry, bool showHidden) {
    if (entry.isFolder || IsDotEntry(entry)) return false;
    return showHidden || (!entry.isHidden && !entry.isSystem);
}

bool IsShownSubfolder(const FoundEntry& entry) { return entry.isFolder && !entry.isHidden && !IsDotEntry(entry); }

FolderListing ListFolder(Services& services, const std::string& folder, const ListingOptions& options,
                         const std::function<void(const std::string& name)>& takeFile) {
    const bool sorted = options.order != ListOrder::FileSystem;
    FolderListing listing;
    HeldFiles held;
    listing.outcome = services.FindFiles(JoinPath(folder, "*.*"), [&](const FoundEntry& entry) {
        if (IsListedFile(entry, options.showHidden)) {
            if (!sorted) return takeFile(entry.name);
            held.names.push_back(entry.name);
            held.modified.push_back(entry.modified);
        } else if (IsShownSubfolder(entry)) {
            listing.subfolders.push_back(entry.name);
        }
    });
    if (sorted) {
        for (std::size_t position : SortedOrder(services, held, options.order)) takeFile(held.names[position]);
    }
    return listing;
}

std::string UnreadableFolderMessage(const std::string& folder, const ListingOutcome& outcome) {
    return "无法列出文件夹中的文件：\n" + folder + "\n" + SystemReason(outcome.systemError, outcome.systemText);
}

}  // namespace quillory
