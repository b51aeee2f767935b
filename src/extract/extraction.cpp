#include "extract/extraction.h"

#include "extract/day_file.h"

namespace quillory {

int LeadingNameCount(const FileNameTable& table) {
    int count = 0;
    while (count < FileNameTable::kSlots && table.Slot(count + 1) != FileNameTable::kEmptySlot) ++count;
    return count;
}

// Each name goes in front of the file, so writing the slots from first to
// last leaves them reversed in the file: the block is built in file order.
LineBlock ExtractionBlock(FileSystem& files, const FileNameTable& table, bool reverse,
                          std::int32_t blankLinesBefore, NameForm form, const std::string& folder) {
    const int count = LeadingNameCount(table);
    LineBlock block;
    block.blankLinesBefore = blankLinesBefore;
    block.names.reserve(static_cast<std::size_t>(count));
    for (int m = 1; m <= count; ++m) {
        const std::string& name = table.Slot(reverse ? count - m + 1 : m);
        block.names.push_back(FormedName(name, folder, form));
        if (form == NameForm::Details) block.columns.push_back(DetailsColumns(files, name, folder));
    }
    return block;
}

// The names are counted in UTF-8, which the blank lines outweigh in any block that large.
std::uint64_t BlockBytes(const LineBlock& block) {
    constexpr std::uint64_t kLineEnd = 2;
    const std::uint64_t blankLines =
        block.blankLinesBefore > 0 ? static_cast<std::uint64_t>(block.blankLinesBefore) : 0;
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < block.names.size(); ++i) {
        bytes += blankLines * kLineEnd + block.names[i].size() + block.ColumnsOf(i).size() + kLineEnd;
    }
    return bytes;
}

WriteOutcome WriteBlock(FileSystem& files, const std::string& storageFolder, const std::string& dayFile,
                        const LineBlock& block, OutputEncoding encoding) {
    if (WriteOutcome made = MakeDayFileIfMissing(files, storageFolder, dayFile, encoding); !made) return made;
    return files.InsertLine(dayFile, block);
}

ExtractionRequest ReadExtractionRequest(Controls& controls, NameForm form) {
    return {controls.编辑框参数2.Text(), controls.单选框逆序.IsChecked(), controls.目录框文件名提取.CurrentFolder(),
            controls.标签存放路径.Text(), form};
}

ExtractionResult WriteExtraction(FileSystem& files, Locale& locale, const ExtractionOrder& order, bool largeAgreed) {
    ExtractionResult result;
    const LineBlock block =
        ExtractionBlock(files, order.table, order.reverse, order.blankLines, order.form, order.folder);
    result.names = static_cast<int>(block.names.size());
    if (result.names == 0) return result;
    if (const std::uint64_t bytes = BlockBytes(block); bytes > kLargeBlockBytes && !largeAgreed) {
        result.unagreedBytes = bytes;
        return result;
    }
    // The block goes in whole or not at all.
    result.dayFile = DayFilePath(order.storageFolder, locale.TodayText());
    result.outcome = WriteBlock(files, order.storageFolder, result.dayFile, block, order.encoding);
    return result;
}

void ForwardStep(Controls& controls) { controls.单选框逆序.SetChecked(!controls.单选框正序.IsChecked()); }

void ReverseStep(Controls& controls) { controls.单选框正序.SetChecked(!controls.单选框逆序.IsChecked()); }

void DefaultSettings(Controls& controls) {
    controls.编辑框参数2.SetText(kDefaultBlankLines);
    controls.单选框逆序.SetChecked(true);
    controls.单选框正序.SetChecked(false);
}

}  // namespace quillory
