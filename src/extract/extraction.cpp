#include "extract/extraction.h"

#include <algorithm>

#include "extract/day_file.h"
#include "platform/text.h"

namespace quillory {

namespace {

bool AgreedToSize(Services& services, const std::string& dayFile, const LineBlock& block, OutputEncoding encoding) {
    const std::uint64_t bytes = BlockBytes(services, dayFile, block, encoding);
    return bytes <= kLargeBlockBytes || services.AskYesNo(LargeBlockQuestion(bytes), kMessageTitle);
}

}  // namespace

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

std::optional<WrittenBlock> Extract(Services& services, const ExtractionRequest& request, int listed,
                                    const FileNameTable& table, ExtractionState state, OutputEncoding encoding) {
    state.lineWritten = 0;
    if (listed == 0) {
        services.ShowMessage(kEmptyListMessage, kMessageTitle);
        return std::nullopt;
    }
    const std::string& blankLineText = request.blankLineText;
    if (blankLineText.empty() || blankLineText == "0") {
        services.ShowMessage(kMissingCountMessage, kMessageTitle);
        return std::nullopt;
    }
    const bool reverse = request.reverse;
    const LineBlock block =
        ExtractionBlock(services, table, reverse, TextToInt32(blankLineText), request.form, request.folder);
    const int count = static_cast<int>(block.names.size());
    if (!reverse) state.collectedNameCount = count;
    if (count == 0) return std::nullopt;

    const std::string& storageFolder = request.storageFolder;
    // The date is asked for once: the file weighed, written and named is one.
    const std::string day = services.TodayText();
    const std::string dayFile = DayFilePath(storageFolder, day);
    if (!AgreedToSize(services, dayFile, block, encoding)) return std::nullopt;
    // The block goes in whole or not at all.
    const WriteOutcome outcome = WriteBlock(services, storageFolder, dayFile, block, encoding);
    if (!outcome) {
        services.ShowWarning(WriteFailureMessage(outcome, dayFile), kMessageTitle);
        return std::nullopt;
    }
    state.lineWritten = 1;
    services.ShowMessage(SuccessMessage(dayFile, Shortfalls(table, block, outcome)), kMessageTitle);
    return WrittenBlock{dayFile, day, block};
}

void ForwardStep(Controls& controls) { controls.单选框逆序.SetChecked(!controls.单选框正序.IsChecked()); }

void ReverseStep(Controls& controls) { controls.单选框正序.SetChecked(!controls.单选框逆序.IsChecked()); }

void DefaultSettings(Controls& controls) {
    controls.编辑框参数2.SetText(kDefaultBlankLines);
    controls.单选框逆序.SetChecked(true);
    controls.单选框正序.SetChecked(false);
}

}  // namespace quillory
