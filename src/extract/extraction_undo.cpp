#include "extract/extraction_undo.h"

#include "extract/outcome_messages.h"

namespace quillory {

std::string UndoneMessage(std::size_t names) { return "已撤销上次提取：" + std::to_string(names) + " 个名称"; }

UndoEnd UndoExtraction(Services& services, const WrittenBlock& written) {
    const BlockRemoval removal = services.RemoveLeadingBlock(written.dayFile, written.block);
    if (!removal.write) {
        services.ShowWarning("未能撤销上次提取：\n" + written.dayFile + "\n" + WriteFailureReason(removal.write),
                             kMessageTitle);
        return UndoEnd::Failed;
    }
    switch (removal.place) {
    case BlockPlace::AtStart:
        services.ShowMessage(UndoneMessage(written.block.names.size()), kMessageTitle);
        return UndoEnd::Undone;
    case BlockPlace::FurtherDown:
        services.ShowMessage(kUndoWrittenOverMessage, kMessageTitle);
        break;
    case BlockPlace::Gone:
        services.ShowMessage(kUndoEditedMessage, kMessageTitle);
        break;
    }
    return UndoEnd::Refused;
}

}  // namespace quillory
