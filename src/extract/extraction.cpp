#include "extract/extraction.h"

#include <algorithm>

#include "extract/day_file.h"

namespace quillory {

ShortfallCounts Shortfalls(const FileNameTable& table, const LineBlock& block, const WriteOutcome& written) {
    const auto withoutDetails = std::ranges::count(block.columns, std::string_view(kNoDetailsColumns));
    return {table.Ticked(), written.namesWithLostCharacters, static_cast<int>(withoutDetails)};
}

// Each name goes in front of the file, so writing the slots from first to
// last leaves them reversed in the file: the block is built in file order.
LineBlock ExtractionBlock(FileSystem& files, const FileNameTable& table, bool reverse,
                          std::int32_t blankLinesBefore, NameForm form, const std::string& folder) {
    const int count = table.Count();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int m = 1; m <= count; ++m) names.push_back(table.Slot(m));
    return ExtractionBlock(files, names, reverse, blankLinesBefore, form, folder);
}

LineBlock ExtractionBlock(FileSystem& files, std::span<const std::string> names, bool reverse,
                          std::int32_t blankLinesBefore, NameForm form, const std::string& folder) {
    LineBlock block;
    block.blankLinesBefore = blankLinesBefore;
    block.names.reserve(names.size());
    for (std::size_t m = 0; m < names.size(); ++m) {
        const std::string& name = names[reverse ? names.size() - 1 - m : m];
        block.names.push_back(FormedName(name, folder, form));
        if (form == NameForm::Details) block.columns.push_back(DetailsColumns(files, name, folder));
    }
    return block;
}

std::uint64_t BlockBytes(FileSystem& files, const std::string& dayFile, const LineBlock& block,
                         OutputEncoding encoding) {
    const TextEncoding made = encoding == OutputEncoding::Utf8 ? TextEncoding::Utf8 : TextEncoding::Ansi;
    return files.EncodedBytes(block, files.FileEncoding(dayFile).value_or(made));
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

// The date is asked for once: the file weighed, written and named is one.
ExtractionResult WriteExtraction(FileSystem& files, Locale& locale, const ExtractionOrder& order, bool largeAgreed) {
    ExtractionResult result;
    const LineBlock block =
        ExtractionBlock(files, order.table, order.reverse, order.blankLines, order.form, order.folder);
    result.names = static_cast<int>(block.names.size());
    if (result.names == 0) return result;
    const std::string day = locale.TodayText();
    result.dayFile = DayFilePath(order.storageFolder, day);
    if (const std::uint64_t bytes = BlockBytes(files, result.dayFile, block, order.encoding);
        bytes > kLargeBlockBytes && !largeAgreed) {
        result.unagreedBytes = bytes;
        return result;
    }
    // The block goes in whole or not at all.
    result.outcome = WriteBlock(files, order.storageFolder, result.dayFile, block, order.encoding);
    result.shortfalls = Shortfalls(order.table, block, result.outcome);
    if (result.outcome) result.written = WrittenBlock{result.dayFile, day, block};
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
