#include "extract/extraction.h"

#include "extract/day_file.h"
#include "platform/text.h"

namespace quillory {

namespace {

// The leading run of names, up to the first empty slot.
int CountLeadingNames(const FileNameTable& table) {
    int count = 0;
    while (count < FileNameTable::kSlots && table.Slot(count + 1) != FileNameTable::kEmptySlot) ++count;
    return count;
}

// Each name goes in front of the file, so writing the slots from first to
// last leaves them reversed in the file: the block is built in file order.
std::vector<std::string> NamesInFileOrder(const FileNameTable& table, int count, bool reverse, NameForm form,
                                          const std::string& folder) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int m = 1; m <= count; ++m) names.push_back(FormedName(table.Slot(reverse ? count - m + 1 : m), folder, form));
    return names;
}

// The block's size in the file, near enough for the question: the names are
// counted in UTF-8, which the blank lines outweigh in any block that large.
std::uint64_t BlockBytes(const LineBlock& block) {
    constexpr std::uint64_t kLineEnd = 2;
    const std::uint64_t blankLines =
        block.blankLinesBefore > 0 ? static_cast<std::uint64_t>(block.blankLinesBefore) : 0;
    std::uint64_t bytes = 0;
    for (const std::string& name : block.names) bytes += blankLines * kLineEnd + name.size() + kLineEnd;
    return bytes;
}

bool AgreedToSize(Services& services, const LineBlock& block) {
    const std::uint64_t bytes = BlockBytes(block);
    return bytes <= kLargeBlockBytes || services.AskYesNo(LargeBlockQuestion(bytes), kMessageTitle);
}

WriteOutcome WriteBlock(Services& services, const std::string& storageFolder, const std::string& dayFile,
                        const LineBlock& block, OutputEncoding encoding) {
    if (WriteOutcome made = MakeDayFileIfMissing(services, storageFolder, dayFile, encoding); !made) return made;
    return services.InsertLine(dayFile, block);
}

}  // namespace

void Extract(Services& services, Controls& controls, const FileNameTable& table, ExtractionState state,
             OutputEncoding encoding, NameForm form) {
    state.lineWritten = 0;
    if (controls.选择列表框文件列表.ListCount() == 0) {
        services.ShowMessage(kEmptyListMessage, kMessageTitle);
        return;
    }
    const std::string blankLineText = controls.编辑框参数2.Text();
    if (blankLineText.empty() || blankLineText == "0") {
        services.ShowMessage(kMissingCountMessage, kMessageTitle);
        return;
    }
    const bool reverse = controls.单选框逆序.IsChecked();
    const int count = CountLeadingNames(table);
    if (!reverse) state.collectedNameCount = count;
    if (count == 0) return;

    const std::string storageFolder = controls.标签存放路径.Text();
    const LineBlock block{NamesInFileOrder(table, count, reverse, form, controls.目录框文件名提取.CurrentFolder()),
                          TextToInt32(blankLineText)};
    if (!AgreedToSize(services, block)) return;
    // The block goes in whole or not at all.
    const std::string dayFile = DayFilePath(storageFolder, services.TodayText());
    const WriteOutcome outcome = WriteBlock(services, storageFolder, dayFile, block, encoding);
    if (outcome) state.lineWritten = 1;

    if (state.lineWritten == 1) {
        services.ShowMessage(SuccessMessage(DayFilePath(storageFolder, services.TodayText()),
                                            outcome.namesWithLostCharacters),
                             kMessageTitle);
    } else {
        services.ShowWarning(WriteFailureMessage(outcome, dayFile), kMessageTitle);
    }
}

void ForwardStep(Controls& controls) { controls.单选框逆序.SetChecked(!controls.单选框正序.IsChecked()); }

void ReverseStep(Controls& controls) { controls.单选框正序.SetChecked(!controls.单选框逆序.IsChecked()); }

void DefaultSettings(Controls& controls) {
    controls.编辑框参数2.SetText(kDefaultBlankLines);
    controls.单选框逆序.SetChecked(true);
    controls.单选框正序.SetChecked(false);
}

}  // namespace quillory
