#include "extract/outcome_messages.h"

#include <cstdio>
#include <vector>

#include "browse/file_name_table.h"
#include "platform/text.h"

namespace quillory {

namespace {

constexpr std::uint64_t kMegabyte = 1u << 20;

std::string SizeText(std::uint64_t bytes) {
    if (bytes < 1024) return std::to_string(bytes) + " 字节";
    const char* const units[] = {"KB", "MB", "GB", "TB"};
    double size = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    for (; size >= 1024 && unit + 1 < std::size(units); ++unit) size /= 1024;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", size, units[unit]);
    return text;
}

std::string MegabytesText(std::uint64_t bytes) { return std::to_string((bytes + kMegabyte - 1) / kMegabyte); }

}  // namespace

std::string WriteFailureReason(const WriteOutcome& outcome) {
    switch (outcome.fault) {
        case WriteFault::Held: return "该文件正被其他程序占用。请关闭占用它的程序后再试。";
        case WriteFault::ReadOnly: return "该文件是只读文件。请在文件属性中取消“只读”后再试。";
        case WriteFault::DiskFull:
            return "磁盘空间不足：需要 " + SizeText(outcome.bytesNeeded) + "，可用 " + SizeText(outcome.bytesFree) +
                   "。请腾出磁盘空间后再试。";
        case WriteFault::FolderUnwritable: return "存储文件夹不存在或无法写入。请确认文件夹所在磁盘具有写入权限。";
        case WriteFault::OtherCopyWriting: return "本程序的另一个副本写入该文件已超过 30 秒，仍未写完。请稍后再试。";
        case WriteFault::KeptChanging: return "写入期间该文件一再被其他程序修改。请关闭修改它的程序后再试。";
        case WriteFault::BrokenUtf16:
            return "该文件以 UTF-16 的字节顺序标记开头，长度却不是偶数个字节，可能已经损坏。为免损坏更多，文件未作改动。";
        case WriteFault::BrokenUtf32:
            return "该文件以 UTF-32 的字节顺序标记开头，长度却不是 4 的倍数，可能已经损坏。为免损坏更多，文件未作改动。";
        case WriteFault::DayFileIsFolder:
            return "该位置上是一个文件夹，而不是当日文件。请删除该文件夹或为它改名后再试。";
        case WriteFault::ClaimNameTaken:
            return "本程序写入时用来轮流占用的文件名已被" + std::string(outcome.pathIsFolder ? "一个文件夹" : "一个其他文件") +
                   "占用：\n" + outcome.path + "\n请删除它后再试。";
        case WriteFault::None:
        case WriteFault::AlreadyExists:
        case WriteFault::Other: break;
    }
    return SystemReason(outcome.systemError, outcome.systemText);
}

std::string ShortfallNotes(const ShortfallCounts& counts) {
    std::vector<std::string> lines;
    if (counts.ticked > FileNameTable::kSlots) {
        lines.push_back("共勾选了 " + std::to_string(counts.ticked) + " 个名称，每次最多提取 " +
                        std::to_string(FileNameTable::kSlots) + " 个：已写入列表中前 " +
                        std::to_string(FileNameTable::kSlots) + " 个勾选的名称，按所选顺序排列。");
    }
    if (counts.namesWithLostCharacters > 0) {
        lines.push_back("有 " + std::to_string(counts.namesWithLostCharacters) +
                        " 个名称含有 ANSI 编码无法表示的字符，已写成“?”。在 PLXE\\PLXE.ini 的 [输出编码] 中设置 "
                        "编码=UTF-8，此后新建的当日文件可完整保留这些名称。");
    }
    if (counts.namesWithoutDetails > 0) {
        lines.push_back("有 " + std::to_string(counts.namesWithoutDetails) +
                        " 个名称未能取得大小和修改时间（文件已不存在或无法读取），这些行只有名称。");
    }
    std::string notes;
    for (const std::string& line : lines) notes += (notes.empty() ? "" : "\n") + line;
    return notes;
}

std::string SuccessMessage(const std::string& dayFile, const ShortfallCounts& counts) {
    const std::string notes = ShortfallNotes(counts);
    return kSuccessMessage + dayFile + (notes.empty() ? "" : "\n" + notes);
}

std::string WriteFailureMessage(const WriteOutcome& outcome, const std::string& dayFile) {
    return "名称未能写入当日文件：\n" + dayFile + "\n" + WriteFailureReason(outcome);
}

std::string LargeBlockQuestion(std::uint64_t blockBytes) {
    return "本次提取将写入约 " + MegabytesText(blockBytes) + " MB 的内容，写入期间窗口会暂停响应。确定要写入吗？";
}

std::string LargeBlockRefusal(std::uint64_t blockBytes) {
    return "本次提取将写入约 " + MegabytesText(blockBytes) + " MB 的内容，超过 " + MegabytesText(kLargeBlockBytes) +
           " MB 的内容须在窗口中确认后才写入。未写入任何名称。";
}

}  // namespace quillory
