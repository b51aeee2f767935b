#include "browse/folder_listing.h"

#include <algorithm>
#include <unordered_set>

#include "platform/text.h"

namespace quillory {

namespace {

bool IsDotEntry(const FoundEntry& entry) { return entry.name == "." || entry.name == ".."; }

// A link is never followed, so the walk stays inside the tree and ends.
bool IsEnteredFolder(const FoundEntry& entry, bool showHidden) {
    if (!entry.isFolder || entry.isReparsePoint || IsDotEntry(entry)) return false;
    return showHidden || (!entry.isHidden && !entry.isSystem);
}

std::string Below(const std::string& relative, const std::string& name) {
    return relative.empty() ? name : relative + '\\' + name;
}

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

// Depth first without recursion, so no depth of tree exhausts the stack:
// the folders still to list wait on a stack, the next one last.
class TreeWalk {
public:
    TreeWalk(Services& services, const std::string& top, const ListingOptions& options,
             const std::function<void(const std::string& name)>& takeFile)
        : services_(services), top_(top), options_(options), takeFile_(takeFile) {}

    FolderListing Walk(const GoOn& goOn) {
        pending_.push_back({});
        while (!pending_.empty() && (!goOn || goOn())) {
            const std::string relative = std::move(pending_.back());
            pending_.pop_back();
            ListOne(relative);
        }
        if (Sorted() && pending_.empty()) {
            for (std::size_t position : SortedOrder(services_, held_, options_.order)) takeFile_(held_.names[position]);
        }
        return std::move(listing_);
    }

private:
    bool Sorted() const { return options_.order != ListOrder::FileSystem; }

    // A link the system does not mark as one leads to a folder already entered.
    bool FirstVisit(const std::string& path) {
        if (!options_.includeSubfolders) return true;
        std::string identity = services_.FolderIdentity(path);
        return identity.empty() || entered_.insert(std::move(identity)).second;
    }

    void ListOne(const std::string& relative) {
        const bool isTop = relative.empty();
        const std::string path = isTop ? top_ : JoinPath(top_, relative);
        if (!FirstVisit(path)) return;
        std::vector<std::string> below;
        const ListingOutcome outcome = services_.FindFiles(JoinPath(path, "*.*"), [&](const FoundEntry& entry) {
            if (IsListedFile(entry, options_.showHidden)) return Take(relative, entry);
            if (isTop && IsShownSubfolder(entry)) listing_.subfolders.push_back(entry.name);
            if (options_.includeSubfolders && IsEnteredFolder(entry, options_.showHidden)) {
                below.push_back(Below(relative, entry.name));
            }
        });
        if (isTop) {
            listing_.outcome = outcome;
        } else if (!outcome && listing_.unreadable.count++ == 0) {
            listing_.unreadable.first = path;
            listing_.unreadable.why = outcome;
        }
        pending_.insert(pending_.end(), below.rbegin(), below.rend());
    }

    // A file of the shown folder itself goes as it is, without a copy of its name.
    void Take(const std::string& relative, const FoundEntry& file) {
        if (!Sorted() && relative.empty()) return takeFile_(file.name);
        if (!Sorted()) return takeFile_(Below(relative, file.name));
        held_.names.push_back(Below(relative, file.name));
        held_.modified.push_back(file.modified);
    }

    Services& services_;
    const std::string& top_;
    const ListingOptions& options_;
    const std::function<void(const std::string& name)>& takeFile_;
    std::vector<std::string> pending_;
    std::unordered_set<std::string> entered_;
    HeldFiles held_;
    FolderListing listing_;
};

}  // namespace

bool IsListedFile(const FoundEntry& entry, bool showHidden) {
    if (entry.isFolder || IsDotEntry(entry)) return false;
    return showHidden || (!entry.isHidden && !entry.isSystem);
}

bool IsShownSubfolder(const FoundEntry& entry) { return entry.isFolder && !entry.isHidden && !IsDotEntry(entry); }

FolderListing ListFolder(Services& services, const std::string& folder, const ListingOptions& options,
                         const std::function<void(const std::string& name)>& takeFile, const GoOn& goOn) {
    return TreeWalk(services, folder, options, takeFile).Walk(goOn);
}

std::string UnreadableFolderMessage(const std::string& folder, const ListingOutcome& outcome) {
    return "无法列出文件夹中的文件：\n" + folder + "\n" + SystemReason(outcome.systemError, outcome.systemText);
}

std::string ListingFailureMessage(const std::string& folder, const FolderListing& listing) {
    if (!listing.outcome) return UnreadableFolderMessage(folder, listing.outcome);
    const UnreadableSubfolders& unreadable = listing.unreadable;
    if (unreadable.count == 0) return {};
    return "有 " + std::to_string(unreadable.count) + " 个子文件夹无法读取，其中的文件未列出。第一个是：\n" +
           unreadable.first + "\n" + SystemReason(unreadable.why.systemError, unreadable.why.systemText);
}

}  // namespace quillory
