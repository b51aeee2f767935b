#pragma once
#include <array>
#include <string>

namespace quillory {

// The ticked names, packed from slot 1 in list order; "0" marks an empty slot.
class FileNameTable {
public:
    static constexpr int kSlots = 200;
    static constexpr const char* kEmptySlot = "0";

    // Slots count from 1; an index outside 1..200 is a programming error.
    const std::string& Slot(int slot) const { return slots_.at(static_cast<std::size_t>(slot - 1)); }
    void SetSlot(int slot, std::string text) { slots_.at(static_cast<std::size_t>(slot - 1)) = std::move(text); }
    void MarkAllEmpty() { slots_.fill(kEmptySlot); }
    void Release() { slots_.fill(std::string()); }

private:
    std::array<std::string, kSlots> slots_{};
};

}  // namespace quillory
