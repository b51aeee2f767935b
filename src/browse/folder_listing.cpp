#include "browse/folder_listing.h"

#include <algorithm>

#include "platform/text.h"

namespace quillory {

namespace {

bool IsDotEntry(const FoundEntry& entry) { return entry.name == "." || entry.name == ".."; }

}  // namespace

bool IsListedFile(const FoundEntry& entry, bool showHidden) {
    if (entry.isFolder || IsDotEntry(entry)) return false;
    return showHidden || (!entry.isHidden && !entry.isSystem);
}

bool IsShownSubfolder(const FoundEntry& entry) { return entry.isFolder && !entry.isHidden && !IsDotEntry(entry); }

FolderListing FindListedFiles(Services& services, const std::string& folder, const ListingOptions& options,
                              const std::function<void(const FoundEntry& file)>& found, std::stop_token stop) {
    FolderListing listing;
    listing.outcome = services.FindFiles(JoinPath(folder, "*.*"), [&](const FoundEntry& entry) {
        if (IsListedFile(entry, options.showHidden)) {
            found(entry);
        } else if (IsShownSubfolder(entry)) {
            listing.subfolders.push_back(entry.name);
        }
        return !stop.stop_requested();
    });
    return listing;
}

NameList InListOrder(Services& services, NameList names, const std::vector<std::uint64_t>& modified,
                     ListOrder order) {
    if (order == ListOrder::FileSystem) return names;
    std::vector<std::uint32_t> positions = services.NaturalOrder(names);
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

FolderListing ListFolder(Services& services, const std::string& folder, const ListingOptions& options,
                         const std::function<void(const std::string& name)>& takeFile) {
    const bool sorted = options.order != ListOrder::FileSystem;
    NameList held;
    std::vector<std::uint64_t> modified;
    FolderListing listing = FindListedFiles(services, folder, options, [&](const FoundEntry& file) {
        if (!sorted) return takeFile(file.name);
        held.Add(file.name);
        modified.push_back(file.modified);
    });
    const NameList ordered = InListOrder(services, std::move(held), modified, options.order);
    for (int i = 0; i < ordered.Count(); ++i) takeFile(std::string(ordered.Name(i)));
    return listing;
}

std::string UnreadableFolderMessage(const std::string& folder, const ListingOutcome& outcome) {
    return "无法列出文件夹中的文件：\n" + folder + "\n" + SystemReason(outcome.systemError, outcome.systemText);
}

}  // namespace quillory
