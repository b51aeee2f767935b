#include "browse/listing_job.h"

#include <algorithm>
#include <utility>

namespace quillory {

namespace {

// Batches grow from the first to the largest, so a fast folder costs the
// window few of them; a slow one sends what it has when the time is up,
// the first time soon after the start, so its first names show at once.
constexpr int kFirstBatch = 256;
constexpr int kLargestBatch = 4096;
constexpr auto kFirstNewsTime = std::chrono::milliseconds(25);
constexpr auto kBatchTime = std::chrono::milliseconds(100);

// Sends the news of one listing: names in batches, or only how many have
// been listed where the names wait for the end.
class NewsSender {
public:
    NewsSender(ListingMailbox& mailbox, const std::function<void()>& wake, const ListingClock& now)
        : mailbox_(mailbox), wake_(wake), now_(now), lastSent_(now()) {}

    void Add(std::string_view name) {
        batch_.Add(name);
        ++listed_;
        if (batch_.Count() >= batchSize_ || Due()) Send({});
    }
    void Count() {
        ++listed_;
        if (Due()) Send({});
    }
    // The batch goes as it is: names that come with the news itself come
    // only where the batch is held back, so it is empty then.
    void Send(ListingNews news) {
        if (batch_.Count() > 0) news.names = std::exchange(batch_, {});
        news.listed = listed_;
        mailbox_.Put(std::move(news));
        wake_();
        batchSize_ = std::min(2 * batchSize_, kLargestBatch);
        lastSent_ = now_();
        wait_ = kBatchTime;
    }

private:
    bool Due() const { return now_() - lastSent_ >= wait_; }

    ListingMailbox& mailbox_;
    const std::function<void()>& wake_;
    const ListingClock& now_;
    NameList batch_;
    int batchSize_ = kFirstBatch;
    std::int64_t listed_ = 0;
    std::chrono::steady_clock::time_point lastSent_;
    std::chrono::milliseconds wait_ = kFirstNewsTime;
};

}  // namespace

// A first listing in the file system's order sends the names as they come;
// any other holds them until the folder is through, to order them or to
// match them with the shown list.
void RunListing(FileSystem& files, Locale& locale, const ListingRequest& request, std::stop_token stop,
                ListingMailbox& mailbox, const std::function<void()>& wake, const ListingClock& now) {
    const ListOrder order = request.options.order;
    const bool held = request.shown || order != ListOrder::FileSystem;
    NewsSender sender(mailbox, wake, now);
    NameList names;
    std::vector<std::uint64_t> modified;
    FolderListing listing = FindListedFiles(
        files, request.folder, request.options,
        [&](std::string_view name, const FoundEntry& file) {
            if (!held) return sender.Add(name);
            names.Add(name);
            if (order == ListOrder::ModificationTime) modified.push_back(file.modified);
            sender.Count();
        },
        stop);
    if (stop.stop_requested()) return;
    if (held) names = InListOrder(locale, std::move(names), modified, order);
    if (stop.stop_requested()) return;
    ListingNews last;
    if (request.shown) {
        last.previous = PlacesAmong(*request.shown, names);
        last.names = std::move(names);
    } else {
        for (int i = 0; i < names.Count(); ++i) sender.Add(names.Name(i));
    }
    last.end = std::move(listing);
    sender.Send(std::move(last));
}

// Sorted by their bytes once, the shown names are found by halving.
std::vector<std::int32_t> PlacesAmong(const NameList& shown, const NameList& names) {
    std::vector<std::int32_t> byName(static_cast<std::size_t>(shown.Count()));
    for (std::size_t i = 0; i < byName.size(); ++i) byName[i] = static_cast<std::int32_t>(i);
    std::sort(byName.begin(), byName.end(),
              [&](std::int32_t left, std::int32_t right) { return shown.Name(left) < shown.Name(right); });
    std::vector<std::int32_t> places;
    places.reserve(static_cast<std::size_t>(names.Count()));
    for (int i = 0; i < names.Count(); ++i) {
        const std::string_view name = names.Name(i);
        const auto found =
            std::lower_bound(byName.begin(), byName.end(), name,
                             [&](std::int32_t place, std::string_view wanted) { return shown.Name(place) < wanted; });
        places.push_back(found != byName.end() && shown.Name(*found) == name ? *found : -1);
    }
    return places;
}

}  // namespace quillory
