#include "extract/extraction_undo.h"

#include "extract/outcome_messages.h"

namespace quillory {

std::string UndoneMessage(std::size_t names) { return "已撤销上次提取：" + std::to_string(names) + " 个名称"; }

UndoEnd EndOf(const BlockRemoval& removal) {
    if (!removal.write) return UndoEnd::Failed;
    return removal.place == BlockPlace::AtStart ? UndoEnd::Undone : UndoEnd::Refused;
}

void TellUndo(Desktop& desktop, const WrittenBlock& written, const BlockRemoval& removal) {
    if (!removal.write) {
        desktop.ShowWarning("未能撤销上次提取：\n" + written.dayFile + "\n" + WriteFailureReason(removal.write),
                            kMessageTitle);
        return;
    }
    switch (removal.place) {
    case BlockPlace::AtStart:
        desktop.ShowMessage(UndoneMessage(written.block.names.size()), kMessageTitle);
        break;
    case BlockPlace::FurtherDown:
        desktop.ShowMessage(kUndoWrittenOverMessage, kMessageTitle);
        break;
    case BlockPlace::Gone:
        desktop.ShowMessage(kUndoEditedMessage, kMessageTitle);
        break;
    }
}

}  // namespace quillory
