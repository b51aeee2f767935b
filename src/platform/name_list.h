#pragma once
// Names with a tick each, as the check-list holds them: every name in one
// UTF-8 buffer, where each ends, and a bit a tick, so a million names are a
// few allocations and a few bytes a name beyond their own.
#include <cstddef>
#include <cstdint>
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
    // The list's own buffers: the removed names' room is taken by those
    // behind them, then the inserted ones open room from the back.
    void Apply(const NameEdit& edit);

private:
    void Remove(const std::vector<int>& removed);
    // `at`: where each goes in front of, in the list as it is now.
    void Insert(const std::vector<NameEdit::Insertion>& inserted, const std::vector<std::size_t>& at);

    std::string bytes_;
    std::vector<std::uint32_t> ends_;
    std::vector<bool> ticks_;
};

// Where the name that stood at `position` before the edit stands after it; -1 once removed.
int PositionAfter(const NameEdit& edit, int position);

}  // namespace quillory
