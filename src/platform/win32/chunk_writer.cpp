#include "platform/win32/chunk_writer.h"

#include <algorithm>
#include <cstring>

#include "platform/write_progress.h"

namespace quillory::win32 {

ChunkWriter::ChunkWriter(HANDLE file) : file_(file), buffer_(kChunkSize) {}

void ChunkWriter::Drain() {
    if (!ok_ || used_ == 0) return;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(used_);
    if (!WriteFile(file_, buffer_.data(), size, &written, nullptr)) {
        Fail(GetLastError());
    } else if (written != size) {
        Fail(ERROR_DISK_FULL);  // a short write is the disk running out
    } else {
        written_ += written;
        write_progress::Report(written_);
    }
    used_ = 0;
}

void ChunkWriter::Fail(DWORD error) {
    ok_ = false;
    error_ = error;
}

void ChunkWriter::Append(std::string_view bytes) {
    while (!bytes.empty() && ok_) {
        if (Room() == 0) Drain();
        const std::size_t size = std::min(bytes.size(), Room());
        std::memcpy(buffer_.data() + used_, bytes.data(), size);
        used_ += size;
        bytes.remove_prefix(size);
    }
}

void ChunkWriter::AppendRepeated(std::string_view unit, std::uint64_t count) {
    if (unit.empty()) return;
    if (unit.size() > kChunkSize) {
        for (; count > 0 && ok_; --count) Append(unit);
        return;
    }
    while (count > 0 && ok_) {
        if (Room() < unit.size()) Drain();
        const std::size_t copies = static_cast<std::size_t>(std::min<std::uint64_t>(count, Room() / unit.size()));
        const std::size_t total = copies * unit.size();
        // One copy of the unit, then the filled part doubled until it is all there.
        char* const start = buffer_.data() + used_;
        std::memcpy(start, unit.data(), unit.size());
        for (std::size_t filled = unit.size(); filled < total;) {
            const std::size_t size = std::min(filled, total - filled);
            std::memcpy(start + filled, start, size);
            filled += size;
        }
        used_ += total;
        count -= copies;
    }
}

void ChunkWriter::AppendFrom(HANDLE source, std::uint64_t count) {
    while (count > 0 && ok_) {
        if (Room() == 0) Drain();
        const DWORD wanted = static_cast<DWORD>(std::min<std::uint64_t>(count, Room()));
        DWORD read = 0;
        if (!ReadFile(source, buffer_.data() + used_, wanted, &read, nullptr)) {
            Fail(GetLastError());
            return;
        }
        if (read == 0) {
            Fail(ERROR_HANDLE_EOF);  // the source is shorter than it was
            return;
        }
        used_ += read;
        count -= read;
    }
}

void ChunkWriter::SkipIn(HANDLE source, std::uint64_t count) {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(count);
    if (ok_ && !SetFilePointerEx(source, distance, nullptr, FILE_CURRENT)) Fail(GetLastError());
}

bool ChunkWriter::Flush() {
    Drain();
    return ok_;
}

}  // namespace quillory::win32
