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
std::vector<std::string> NamesInFileOrder(const FileNameTable& table, int count, bool reverse) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int m = 1; m <= count; ++m) names.push_back(table.Slot(reverse ? count - m + 1 : m));
    return names;
}

}  // namespace

void Extract(Services& services, Controls& controls, const FileNameTable& table, ExtractionState state) {
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
    const LineBlock block{NamesInFileOrder(table, count, reverse), TextToInt32(blankLineText)};
    // The block goes in whole or not at all; only an existing day's file is written.
    if (services.InsertLine(DayFilePath(storageFolder, services.TodayText()), block)) state.lineWritten = 1;

    if (state.lineWritten == 1) {
        services.ShowMessage(kSuccessMessage + DayFilePath(storageFolder, services.TodayText()), kMessageTitle);
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
