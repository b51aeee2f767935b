#include "platform/win32/encoded_block.h"

#include "platform/text.h"
#include "platform/win32/encoding.h"

namespace quillory::win32 {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// UTF-32 LE before UTF-16 LE, whose mark begins it.
constexpr ByteOrderMark kMarks[] = {{"\xEF\xBB\xBF", TextEncoding::Utf8},
                                    {std::string_view("\xFF\xFE\0\0", 4), TextEncoding::Utf32Le},
                                    {std::string_view("\0\0\xFE\xFF", 4), TextEncoding::Utf32Be},
                                    {"\xFF\xFE", TextEncoding::Utf16Le},
                                    {"\xFE\xFF", TextEncoding::Utf16Be}};

std::string Encoded(std::string_view text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Ansi: return Ansi(text);
        case TextEncoding::Utf8: break;
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: return Utf16Bytes(text, encoding == TextEncoding::Utf16Be);
        case TextEncoding::Utf32Le:
        case TextEncoding::Utf32Be: return Utf32Bytes(text, encoding == TextEncoding::Utf32Be);
    }
    return std::string(text);
}

bool LosesCharacters(std::string_view name, TextEncoding encoding) {
    return HasControlCharacters(name) || (encoding == TextEncoding::Ansi && !FitsAnsi(name));
}

}  // namespace

std::optional<ByteOrderMark> MarkAt(std::string_view head) {
    for (const ByteOrderMark& mark : kMarks) {
        if (head.starts_with(mark.bytes)) return mark;
    }
    return std::nullopt;
}

std::optional<ByteOrderMark> MarkOf(HANDLE reader) {
    char head[kLongestMark];
    DWORD read = 0;
    if (!ReadFile(reader, head, sizeof head, &read, nullptr)) return std::nullopt;
    if (SetFilePointer(reader, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return std::nullopt;
    return MarkAt(std::string_view(head, read));
}

std::uint64_t UnitBytes(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: return 2;
        case TextEncoding::Utf32Le:
        case TextEncoding::Utf32Be: return 4;
        case TextEncoding::Ansi:
        case TextEncoding::Utf8: break;
    }
    return 1;
}

EncodedBlock::EncodedBlock(const LineBlock& block, TextEncoding encoding)
    : blankLines_(block.blankLinesBefore > 0 ? block.blankLinesBefore : 0), lineEnd_(Encoded(kLineEnd, encoding)) {
    for (std::size_t i = 0; i < block.names.size(); ++i) {
        const std::string& name = block.names[i];
        names_.push_back(Encoded(OnOneLine(name) + std::string(block.ColumnsOf(i)), encoding));
        if (LosesCharacters(name, encoding)) ++namesWithLostCharacters_;
    }
}

std::uint64_t EncodedBlock::Size() const {
    std::uint64_t size = 0;
    for (const std::string& name : names_) size += blankLines_ * lineEnd_.size() + name.size() + lineEnd_.size();
    return size;
}

std::string EncodedBlock::Bytes() const {
    std::string bytes;
    for (const std::string& name : names_) {
        for (std::uint64_t blank = 0; blank < blankLines_; ++blank) bytes += lineEnd_;
        bytes += name + lineEnd_;
    }
    return bytes;
}

void EncodedBlock::WriteTo(ChunkWriter& writer) const {
    for (const std::string& name : names_) {
        writer.AppendRepeated(lineEnd_, blankLines_);
        writer.Append(name);
        writer.Append(lineEnd_);
    }
}

}  // namespace quillory::win32
