// Taking back a block that InsertLine put in front of the day's file: one
// edit of the day's file, allowed only while its content, after the
// byte-order mark, still begins with the block's bytes in its encoding.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "platform/block_place.h"
#include "platform/win32/day_file_rewrite.h"
#include "platform/win32/encoded_block.h"
#include "platform/win32/long_path.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/write_outcome.h"
#include "platform/window_thread.h"

namespace quillory::win32 {

namespace {

// The whole content after the mark; nothing when it cannot be read. The
// reader is back at the start afterwards.
std::optional<std::string> ContentAfterMark(HANDLE reader, const OldContent& old) {
    std::string content(static_cast<std::size_t>(old.size), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
        if (!ReadFile(reader, content.data() + done, wanted, &read, nullptr) || read == 0) return std::nullopt;
        done += read;
    }
    if (SetFilePointer(reader, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return std::nullopt;
    return content.substr(static_cast<std::size_t>(old.head));
}

// The mark, then the old content after the block.
class BlockRemovalEdit : public ContentEdit {
public:
    explicit BlockRemovalEdit(const LineBlock& lines) : lines_(lines) {}

    // Anything but the block at the start leaves the file as it is.
    WriteOutcome Prepare(const OldContent& old, HANDLE file) override {
        old_ = old;
        block_ = EncodedBlock(lines_, old.encoding).Bytes();
        const std::optional<std::string> content = ContentAfterMark(file, old);
        if (!content) return FailureOf(GetLastError());
        place_ = PlaceOfBlock(*content, block_);
        if (place_ == BlockPlace::AtStart) return {};
        WriteOutcome left;
        left.fault = WriteFault::Other;  // a refusal: told by the place, not as a failure
        return left;
    }
    std::uint64_t NewSize() const override { return old_.size - block_.size(); }
    void WriteNew(ChunkWriter& out, HANDLE old) const override {
        out.AppendFrom(old, old_.head);
        out.SkipIn(old, block_.size());
        out.AppendFrom(old, old_.size - old_.head - block_.size());
    }
    void WriteOld(ChunkWriter& out, HANDLE written) const override {
        out.AppendFrom(written, old_.head);
        out.Append(block_);
        out.AppendFrom(written, old_.size - old_.head - block_.size());
    }

    BlockPlace Place() const { return place_; }

private:
    const LineBlock& lines_;
    OldContent old_{};
    std::string block_;
    BlockPlace place_ = BlockPlace::AtStart;
};

}  // namespace

BlockRemoval Win32Services::RemoveLeadingBlock(const std::string& path, const LineBlock& block) {
    window_thread::CheckFileSystemCall("RemoveLeadingBlock");
    BlockRemovalEdit removal(block);
    const WriteOutcome outcome = RewriteDayFile(ExtendedPath(path), removal);
    if (removal.Place() != BlockPlace::AtStart) return {removal.Place(), {}};
    return {BlockPlace::AtStart, outcome};
}

}  // namespace quillory::win32
