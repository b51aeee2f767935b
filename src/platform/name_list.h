#pragma once
// Names with a tick each, as the check-list holds them: the names' UTF-8 in
// blocks of a fixed size that never move, where each ends, and a bit a tick,
// so a million names are a few allocations and a few bytes a name beyond
// their own, and a growing list never copies what it holds.
//
// A copy shares the blocks, so the window hands its list to a job without
// copying the names; a block is copied only when one side writes into it
// while the other still holds it. Each copy is used by one thread at a time.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

enum class EveryTick { Set, Clear, Flip };

// Names taken out of a list and put into it, applied in one pass.
struct NameEdit {
    struct Insertion {
        int before;  // the position, in the list before the edit, it goes in front of; the count for the end
        std::string name;
        bool ticked = true;
    };
    std::vector<int> removed;         // positions in the list before the edit, ascending
    std::vector<Insertion> inserted;  // `before` ascending; equal ones in their order

    bool Empty() const { return removed.empty() && inserted.empty(); }
};

class NameList {
public:
    int Count() const { return static_cast<int>(ends_.size()); }
    std::string_view Name(int index) const;
    bool Ticked(int index) const { return ticks_[static_cast<std::size_t>(index)]; }
    void SetTicked(int index, bool ticked) { ticks_[static_cast<std::size_t>(index)] = ticked; }
    void SetEveryTick(EveryTick change);
    const std::vector<bool>& Ticks() const { return ticks_; }

    void Add(std::string_view name, bool ticked = false);
    // The other list's names after these, with their ticks.
    void Append(const NameList& other);
    void Clear();
    // The names from the first one edited on are laid out again, so a
    // change near the end of a long list moves little.
    void Apply(const NameEdit& edit);

private:
    // A name never spans two blocks; one that does not fit in the rest of
    // the last block starts the next one. The longest path the system
    // allows, in UTF-8, fits in one block many times over.
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

    // Drops the names from `count` on.
    void KeepFirst(int count);
    static std::shared_ptr<std::string> NewBlock(std::string_view content);
    // The last block, made this list's own first when a copy shares it.
    std::string& LastBlockToWrite();

    // Each with room for kBlockBytes; shared with the list's copies.
    std::vector<std::shared_ptr<std::string>> blocks_;
    // Where each name ends, counted over the blocks laid end to end.
    std::vector<std::uint32_t> ends_;
    std::vector<bool> ticks_;
};

// Where the name that stood at `position` before the edit stands after it; -1 once removed.
int PositionAfter(const NameEdit& edit, int position);

}  // namespace quillory
