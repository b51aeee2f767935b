#pragma once
// A block of name lines in the bytes of the day's file's own encoding, which
// the byte-order mark at the file's start tells.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services.h"
#include "platform/win32/chunk_writer.h"

namespace quillory::win32 {

struct ByteOrderMark {
    std::string_view bytes;
    TextEncoding encoding;
};

inline constexpr std::size_t kLongestMark = 4;

// The mark the bytes begin with; none for ANSI text.
std::optional<ByteOrderMark> MarkAt(std::string_view head);

// The mark the file begins with, read through `reader`, which is at the file's
// start before and after; none for ANSI text and when it cannot be read.
std::optional<ByteOrderMark> MarkOf(HANDLE reader);

// The bytes of one code unit: the file's length is a multiple of it.
std::uint64_t UnitBytes(TextEncoding encoding);

class EncodedBlock {
public:
    // Control characters in the names become "?", so that each name stays on its line.
    EncodedBlock(const LineBlock& block, TextEncoding encoding);

    std::uint64_t Size() const;
    // Those that lost characters: control characters, or those the ANSI code page lacks.
    int NamesWithLostCharacters() const { return namesWithLostCharacters_; }
    void WriteTo(ChunkWriter& writer) const;
    // What WriteTo writes, as one text: to look for the block in a file.
    std::string Bytes() const;

private:
    std::uint64_t blankLines_;
    std::string lineEnd_;
    std::vector<std::string> names_;
    int namesWithLostCharacters_ = 0;
};

}  // namespace quillory::win32
