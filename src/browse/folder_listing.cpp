#include "browse/folder_listing.h"

#include "platform/text.h"

namespace quillory {

namespace {

bool IsDotEntry(const FoundEntry& entry) { return entry.name == "." || entry.name == ".."; }

}  // namespace

bool IsListedFile(const FoundEntry& entry) {
    return !entry.isFolder && !entry.isHidden && !entry.isSystem && !IsDotEntry(entry);
}

bool IsShownSubfolder(const FoundEntry& entry) { return entry.isFolder && !entry.isHidden && !IsDotEntry(entry); }

std::vector<std::string> ListFolder(Services& services, const std::string& folder,
                                    const std::function<void(const std::string& name)>& takeFile) {
    std::vector<std::string> subfolders;
    services.FindFiles(JoinPath(folder, "*.*"), [&](const FoundEntry& entry) {
        if (IsListedFile(entry)) {
            takeFile(entry.name);
        } else if (IsShownSubfolder(entry)) {
            subfolders.push_back(entry.name);
        }
    });
    return subfolders;
}

}  // namespace quillory
