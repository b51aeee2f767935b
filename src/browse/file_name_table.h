#pragma once
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillory {

// The ticked names, packed from slot 1 in list order. Every name is a name,
// "0" too: the table knows how many slots it holds, and how many names were
// ticked in all, so that a list beyond its slots is told.
class FileNameTable {
public:
    static constexpr int kSlots = 200;

    // The slots held, from 1.
    int Count() const { return count_; }
    // Every name added, those beyond the slots too.
    int Ticked() const { return ticked_; }
    // Slots count from 1; an index outside 1..Count() is a programming error.
    const std::string& Slot(int slot) const {
        if (slot < 1 || slot > count_) throw std::out_of_range("FileNameTable::Slot");
        return slots_[static_cast<std::size_t>(slot - 1)];
    }
    // Into the next slot while one is free; counted either way.
    void Add(std::string_view name) {
        if (count_ < kSlots) slots_[static_cast<std::size_t>(count_++)] = name;
        ++ticked_;
    }
    void Clear() { count_ = ticked_ = 0; }
    void Release() {
        slots_.fill(std::string());
        Clear();
    }

private:
    std::array<std::string, kSlots> slots_{};
    int count_ = 0;
    int ticked_ = 0;
};

}  // namespace quillory
