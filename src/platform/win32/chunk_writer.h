#pragma once
// Sequential writing through one fixed buffer, so any amount of generated or
// copied text costs the same memory. Every write is checked; after the first
// failure nothing more is written and Flush() reports false. The bytes
// written so far are reported at every chunk (see write_progress.h).
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillory::win32 {

class ChunkWriter {
public:
    static constexpr std::size_t kChunkSize = 1 << 20;

    // Writes at the file's current position.
    explicit ChunkWriter(HANDLE file);

    void Append(std::string_view bytes);
    void AppendRepeated(std::string_view unit, std::uint64_t count);
    // Appends exactly `count` bytes read from `source` at its current
    // position; fails when the source ends sooner.
    void AppendFrom(HANDLE source, std::uint64_t count);
    // Passes over `count` bytes of `source` without appending them.
    void SkipIn(HANDLE source, std::uint64_t count);
    // Writes out what is buffered; true when every write so far succeeded.
    bool Flush();
    // Why the first failure happened.
    DWORD Error() const { return error_; }

private:
    std::size_t Room() const { return buffer_.size() - used_; }
    void Drain();
    void Fail(DWORD error);

    HANDLE file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;
    bool ok_ = true;
    DWORD error_ = ERROR_SUCCESS;
};

}  // namespace quillory::win32
