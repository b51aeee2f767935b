// Putting a block of lines in front of the day's file's content: one edit of
// the day's file, in the encoding its byte-order mark names.
#include <windows.h>

#include <optional>

#include "platform/win32/day_file_rewrite.h"
#include "platform/win32/encoded_block.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"
#include "platform/win32/win32_services.h"
#include "platform/window_thread.h"

namespace quillory::win32 {

namespace {

// The mark, the block, then the rest of the old content.
class BlockInsertion : public ContentEdit {
public:
    explicit BlockInsertion(const LineBlock& lines) : lines_(lines) {}

    WriteOutcome Prepare(const OldContent& old, HANDLE) override {
        old_ = old;
        block_.emplace(lines_, old.encoding);
        return {};
    }
    std::uint64_t NewSize() const override { return block_->Size() + old_.size; }
    void WriteNew(ChunkWriter& out, HANDLE old) const override {
        out.AppendFrom(old, old_.head);
        block_->WriteTo(out);
        out.AppendFrom(old, old_.size - old_.head);
    }
    void WriteOld(ChunkWriter& out, HANDLE written) const override {
        out.AppendFrom(written, old_.head);
        out.SkipIn(written, block_->Size());
        out.AppendFrom(written, old_.size - old_.head);
    }

    int NamesWithLostCharacters() const { return block_ ? block_->NamesWithLostCharacters() : 0; }

private:
    const LineBlock& lines_;
    OldContent old_{};
    std::optional<EncodedBlock> block_;
};

}  // namespace

WriteOutcome Win32Services::InsertLine(const std::string& path, const LineBlock& lines) {
    window_thread::CheckFileSystemCall("InsertLine");
    BlockInsertion insertion(lines);
    WriteOutcome outcome = RewriteDayFile(ExtendedPath(path), insertion);
    if (outcome) outcome.namesWithLostCharacters = insertion.NamesWithLostCharacters();
    return outcome;
}

std::optional<TextEncoding> Win32Services::FileEncoding(const std::string& path) {
    window_thread::CheckFileSystemCall("FileEncoding");
    const FileHandle file(CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      0, nullptr));
    if (!file) return std::nullopt;
    const std::optional<ByteOrderMark> mark = MarkOf(file.Get());
    return mark ? mark->encoding : TextEncoding::Ansi;
}

std::uint64_t Win32Services::EncodedBytes(const LineBlock& block, TextEncoding encoding) {
    return EncodedBlock(block, encoding).Size();
}

}  // namespace quillory::win32
