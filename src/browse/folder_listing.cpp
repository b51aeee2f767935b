#include "browse/folder_listing.h"

#include <algorithm>
#include <unordered_set>

#include "platform/text.h"

namespace quillory {

namespace {

bool IsDotEntry(const FoundEntry& entry) { return entry.name == "." || entry.name == ".."; }

std::string Below(const std::string& relative, const std::string& name) {
    return relative.empty() ? name : relative + '\\' + name;
}

// Depth first without recursion, so no depth of tree exhausts the stack:
// the folders still to list wait on a stack, the next one last.
class TreeWalk {
public:
    TreeWalk(FileSystem& files, const std::string& top, const ListingOptions& options, const FoundFile& found,
             std::stop_token stop)
        : files_(files), top_(top), options_(options), found_(found), stop_(std::move(stop)) {}

    FolderListing Walk() {
        pending_.push_back({{}, options_.includeSubfolders ? files_.FolderIdentity(top_) : std::string()});
        while (!pending_.empty() && !stop_.stop_requested()) {
            const Pending next = std::move(pending_.back());
            pending_.pop_back();
            // A link the system does not mark as one leads to a folder already entered.
            if (next.identity.empty() || entered_.insert(next.identity).second) ListOne(next.relative);
        }
        return std::move(listing_);
    }

private:
    struct Pending {
        std::string relative;
        std::string identity;  // as the listing of the folder above told it
    };

    void ListOne(const std::string& relative) {
        const bool isTop = relative.empty();
        const std::string path = isTop ? top_ : JoinPath(top_, relative);
        std::vector<Pending> below;
        const ListingOutcome outcome = files_.FindFiles(path, [&](const FoundEntry& entry) {
            if (IsListedFile(entry, options_.showHidden)) {
                // A file of the shown folder itself goes as it is, without a copy of its name.
                if (isTop) {
                    found_(entry.name, entry);
                } else {
                    found_(Below(relative, entry.name), entry);
                }
            } else {
                if (isTop && IsShownSubfolder(entry)) listing_.subfolders.push_back(entry.name);
                if (options_.includeSubfolders && IsEnteredFolder(entry, options_.showHidden)) {
                    below.push_back({Below(relative, entry.name), entry.identity});
                }
            }
            return !stop_.stop_requested();
        });
        if (isTop) {
            listing_.outcome = outcome;
        } else if (!outcome && listing_.unreadable.count++ == 0) {
            listing_.unreadable.first = path;
            listing_.unreadable.why = outcome;
        }
        pending_.insert(pending_.end(), below.rbegin(), below.rend());
    }

    FileSystem& files_;
    const std::string& top_;
    const ListingOptions& options_;
    const FoundFile& found_;
    std::stop_token stop_;
    std::vector<Pending> pending_;
    std::unordered_set<std::string> entered_;
    FolderListing listing_;
};

}  // namespace

bool IsListedFile(const FoundEntry& entry, bool showHidden) {
    if (entry.isFolder || IsDotEntry(entry)) return false;
    return showHidden || (!entry.isHidden && !entry.isSystem);
}

bool IsEnteredFolder(const FoundEntry& entry, bool showHidden) {
    if (!entry.isFolder || entry.isReparsePoint || IsDotEntry(entry)) return false;
    return showHidden || (!entry.isHidden && !entry.isSystem);
}

bool IsShownSubfolder(const FoundEntry& entry) { return entry.isFolder && !entry.isHidden && !IsDotEntry(entry); }

FolderListing FindListedFiles(FileSystem& files, const std::string& folder, const ListingOptions& options,
                              const FoundFile& found, std::stop_token stop) {
    return TreeWalk(files, folder, options, found, std::move(stop)).Walk();
}

NameList InListOrder(Locale& locale, NameList names, const std::vector<std::uint64_t>& modified,
                     ListOrder order) {
    if (order == ListOrder::FileSystem) return names;
    std::vector<std::uint32_t> positions = locale.NaturalOrder(names);
    if (order == ListOrder::ModificationTime) {
        std::stable_sort(positions.begin(), positions.end(),
                         [&](std::uint32_t left, std::uint32_t right) { return modified[left] < modified[right]; });
    }
    NameList ordered;
    for (std::uint32_t position : positions) {
        const auto index = static_cast<int>(position);
        ordered.Add(names.Name(index), names.Ticked(index));
    }
    return ordered;
}

FolderListing ListFolder(FileSystem& files, Locale& locale, const std::string& folder, const ListingOptions& options,
                         const std::function<void(const std::string& name)>& takeFile) {
    const bool sorted = options.order != ListOrder::FileSystem;
    NameList held;
    std::vector<std::uint64_t> modified;
    FolderListing listing = FindListedFiles(files, folder, options, [&](std::string_view name, const FoundEntry& file) {
        if (!sorted) return takeFile(std::string(name));
        held.Add(name);
        modified.push_back(file.modified);
    });
    const NameList ordered = InListOrder(locale, std::move(held), modified, options.order);
    for (int i = 0; i < ordered.Count(); ++i) takeFile(std::string(ordered.Name(i)));
    return listing;
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
