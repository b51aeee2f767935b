#pragma once
// A listing on a thread of its own, and what it hands to the window's
// thread: the names in batches while they come, so the list grows as the
// user watches, and then the folder's subfolders and whether it could be
// listed. A re-list hands over the whole new list at once, with where each
// name stood in the list shown meanwhile, so the window keeps the ticks by
// name without looking a name up.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "browse/folder_listing.h"
#include "platform/mailbox.h"
#include "platform/name_list.h"
#include "platform/file_system.h"
#include "platform/locale.h"

namespace quillory {

struct ListingNews {
    NameList names;                      // the next names, or a re-list's whole list; unticked
    std::vector<std::int32_t> previous;  // a re-list: each name's place in the shown list, -1 for a new one
    std::int64_t listed = 0;             // names listed so far
    std::optional<FolderListing> end;    // on the last news
};

// Where the listing's thread puts its news and the window's thread takes it.
using ListingMailbox = Mailbox<ListingNews>;

struct ListingRequest {
    std::string folder;
    ListingOptions options;
    std::optional<NameList> shown;  // a re-list: the names the list shows
};

// What paces the news; read at every name, so it must be cheap. The tests
// give one of their own.
using ListingClock = std::function<std::chrono::steady_clock::time_point()>;

// The listing's work: lists the folder, puts its news in the mailbox and
// calls `wake` after each. A batch goes when it is full or when 100 ms have
// passed since the last news, so the first names of a slow folder show at
// once. Once `stop` is asked for it puts nothing more.
void RunListing(FileSystem& files, Locale& locale, const ListingRequest& request, std::stop_token stop,
                ListingMailbox& mailbox, const std::function<void()>& wake,
                const ListingClock& now = std::chrono::steady_clock::now);

// Each name's place among `shown`, -1 where it is not there.
std::vector<std::int32_t> PlacesAmong(const NameList& shown, const NameList& names);

}  // namespace quillory
