#include "platform/name_list.h"

#include <algorithm>
#include <atomic>

namespace quillory {

std::string_view NameList::Name(int index) const {
    const auto slot = static_cast<std::size_t>(index);
    const std::size_t end = ends_[slot];
    if (end == (slot == 0 ? 0 : ends_[slot - 1])) return {};
    const std::size_t block = (end - 1) / kBlockBytes;
    // Where the one before ends, unless this one moved on to a block of its own.
    const std::size_t begin = std::max<std::size_t>(slot == 0 ? 0 : ends_[slot - 1], block * kBlockBytes);
    return std::string_view(*blocks_[block]).substr(begin - block * kBlockBytes, end - begin);
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

std::shared_ptr<std::string> NameList::NewBlock(std::string_view content) {
    auto block = std::make_shared<std::string>();
    block->reserve(kBlockBytes);
    block->assign(content);
    return block;
}

std::string& NameList::LastBlockToWrite() {
    std::shared_ptr<std::string>& last = blocks_.back();
    if (last.use_count() > 1) {
        last = NewBlock(*last);
    } else {
        // The copy that let go of it read it on another thread.
        std::atomic_thread_fence(std::memory_order_acquire);
    }
    return *last;
}

void NameList::Add(std::string_view name, bool ticked) {
    if (blocks_.empty() || blocks_.back()->size() + name.size() > kBlockBytes) blocks_.push_back(NewBlock({}));
    std::string& last = LastBlockToWrite();
    last += name;
    ends_.push_back(static_cast<std::uint32_t>((blocks_.size() - 1) * kBlockBytes + last.size()));
    ticks_.push_back(ticked);
}

void NameList::Append(const NameList& other) {
    const int count = other.Count();
    for (int i = 0; i < count; ++i) Add(other.Name(i), other.Ticked(i));
}

void NameList::Clear() {
    blocks_.clear();
    ends_.clear();
    ticks_.clear();
}

void NameList::KeepFirst(int count) {
    const auto kept = static_cast<std::size_t>(count);
    const std::size_t bytes = kept == 0 ? 0 : ends_[kept - 1];
    blocks_.resize((bytes + kBlockBytes - 1) / kBlockBytes);
    const std::size_t lastBytes = bytes - (blocks_.empty() ? 0 : (blocks_.size() - 1) * kBlockBytes);
    if (!blocks_.empty() && blocks_.back()->size() != lastBytes) LastBlockToWrite().resize(lastBytes);
    ends_.resize(kept);
    ticks_.resize(kept);
}

void NameList::Apply(const NameEdit& edit) {
    if (edit.Empty()) return;
    int first = Count();
    if (!edit.removed.empty()) first = std::min(first, edit.removed.front());
    if (!edit.inserted.empty()) first = std::min(first, edit.inserted.front().before);
    NameList after;
    auto removed = std::lower_bound(edit.removed.begin(), edit.removed.end(), first);
    auto inserted = edit.inserted.begin();
    for (int position = first; position <= Count(); ++position) {
        for (; inserted != edit.inserted.end() && inserted->before == position; ++inserted) {
            after.Add(inserted->name, inserted->ticked);
        }
        if (removed != edit.removed.end() && *removed == position) {
            ++removed;
        } else if (position < Count()) {
            after.Add(Name(position), Ticked(position));
        }
    }
    KeepFirst(first);
    Append(after);
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
