#include "platform/name_list.h"

#include <algorithm>
#include <cstring>

namespace quillory {

std::string_view NameList::Name(int index) const {
    const auto slot = static_cast<std::size_t>(index);
    const std::size_t begin = slot == 0 ? 0 : ends_[slot - 1];
    return std::string_view(bytes_).substr(begin, ends_[slot] - begin);
}

// Whole words of bits at a time.
void NameList::SetEveryTick(EveryTick change) {
    switch (change) {
    case EveryTick::Set:
        std::fill(ticks_.begin(), ticks_.end(), true);
        break;
    case EveryTick::Clear:
        std::fill(ticks_.begin(), ticks_.end(), false);
        break;
    case EveryTick::Flip:
        ticks_.flip();
        break;
    }
}

void NameList::Add(std::string_view name, bool ticked) {
    bytes_ += name;
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    ticks_.push_back(ticked);
}

void NameList::Append(const NameList& other) {
    const auto offset = static_cast<std::uint32_t>(bytes_.size());
    bytes_ += other.bytes_;
    // No reserve of the exact size: at every batch it would copy the whole list.
    for (std::uint32_t end : other.ends_) ends_.push_back(offset + end);
    ticks_.insert(ticks_.end(), other.ticks_.begin(), other.ticks_.end());
}

void NameList::Clear() {
    bytes_.clear();
    ends_.clear();
    ticks_.clear();
}

void NameList::Apply(const NameEdit& edit) {
    std::vector<std::size_t> at;
    at.reserve(edit.inserted.size());
    for (const NameEdit::Insertion& insertion : edit.inserted) {
        const auto removedInFront = std::lower_bound(edit.removed.begin(), edit.removed.end(), insertion.before);
        at.push_back(static_cast<std::size_t>(insertion.before - (removedInFront - edit.removed.begin())));
    }
    Remove(edit.removed);
    Insert(edit.inserted, at);
}

// Front to back: every name moves down over the room the removed ones left,
// and is read before anything is written where it stood.
void NameList::Remove(const std::vector<int>& removed) {
    if (removed.empty()) return;
    auto next = removed.begin();
    auto kept = static_cast<std::size_t>(removed.front());
    std::size_t keptBytes = kept == 0 ? 0 : ends_[kept - 1];
    std::size_t begin = keptBytes;
    for (std::size_t position = kept; position < ends_.size(); ++position) {
        const std::size_t end = ends_[position];
        if (next != removed.end() && static_cast<std::size_t>(*next) == position) {
            ++next;
        } else {
            std::memmove(bytes_.data() + keptBytes, bytes_.data() + begin, end - begin);
            keptBytes += end - begin;
            ends_[kept] = static_cast<std::uint32_t>(keptBytes);
            ticks_[kept] = ticks_[position];
            ++kept;
        }
        begin = end;
    }
    bytes_.resize(keptBytes);
    ends_.resize(kept);
    ticks_.resize(kept);
}

// Back to front: the buffers grow once, and every name moves up by the
// insertions in front of it, the last first.
void NameList::Insert(const std::vector<NameEdit::Insertion>& inserted, const std::vector<std::size_t>& at) {
    if (inserted.empty()) return;
    std::size_t addedBytes = 0;
    for (const NameEdit::Insertion& insertion : inserted) addedBytes += insertion.name.size();
    std::size_t read = ends_.size();
    std::size_t write = read + inserted.size();
    std::size_t writeBytes = bytes_.size() + addedBytes;
    bytes_.resize(writeBytes);
    ends_.resize(write);
    ticks_.resize(write);
    // `name` may lie in the buffer itself, below where it goes.
    auto place = [&](std::string_view name, bool ticked) {
        --write;
        writeBytes -= name.size();
        std::memmove(bytes_.data() + writeBytes, name.data(), name.size());
        ends_[write] = static_cast<std::uint32_t>(writeBytes + name.size());
        ticks_[write] = ticked;
    };
    for (std::size_t k = inserted.size(); k-- > 0;) {
        while (read > at[k]) {
            --read;
            const std::size_t begin = read == 0 ? 0 : ends_[read - 1];
            place(std::string_view(bytes_.data() + begin, ends_[read] - begin), ticks_[read]);
        }
        place(inserted[k].name, inserted[k].ticked);
    }
}

int PositionAfter(const NameEdit& edit, int position) {
    const auto removedInFront = std::lower_bound(edit.removed.begin(), edit.removed.end(), position);
    if (removedInFront != edit.removed.end() && *removedInFront == position) return -1;
    const auto insertedInFront = std::upper_bound(
        edit.inserted.begin(), edit.inserted.end(), position,
        [](int at, const NameEdit::Insertion& insertion) { return at < insertion.before; });
    return position - static_cast<int>(removedInFront - edit.removed.begin()) +
           static_cast<int>(insertedInFront - edit.inserted.begin());
}

}  // namespace quillory
