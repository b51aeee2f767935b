#pragma once
// One pass over a folder gives everything the folder view shows of it: the
// files for the check-list and the subfolders for the directory box.
#include <functional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace quillory {

// The files as the file manager shows them by default: no subfolders, no
// hidden or system entries.
bool IsListedFile(const FoundEntry& entry);

// The subfolders as the file manager shows them: hidden ones are left out,
// while system ones stay (customised folders carry that mark).
bool IsShownSubfolder(const FoundEntry& entry);

// Enumerates the folder once. Every listed file goes to `takeFile` as the file
// system yields it, so a large folder is never held twice; the shown
// subfolders come back in the file system's order.
std::vector<std::string> ListFolder(Services& services, const std::string& folder,
                                    const std::function<void(const std::string& name)>& takeFile);

}  // namespace quillory
