#pragma once
// Taking back the block the window's last extraction wrote.
#include <string>

#include "extract/extraction.h"
#include "platform/desktop.h"
#include "platform/file_system.h"

namespace quillory {

std::string UndoneMessage(std::size_t names);
inline constexpr const char* kUndoWrittenOverMessage =
    "未撤销任何内容：上次提取的名称之后，今日文件的开头又写入了新的内容（另一个 Quillory 或其他程序所写）。";
inline constexpr const char* kUndoEditedMessage =
    "未撤销任何内容：今日文件已被修改，开头不再是上次提取写入的名称。";

enum class UndoEnd {
    Undone,
    Refused,  // the file no longer begins with the block, and never will again
    Failed,   // the file could not be written now; it may be tried again
};

// The block taken out of the front of its day's file only if the file still
// begins with it. Waits for the disk: never on the window's thread.
inline BlockRemoval TakeBlockBack(FileSystem& files, const WrittenBlock& written) {
    return files.RemoveLeadingBlock(written.dayFile, written.block);
}

UndoEnd EndOf(const BlockRemoval& removal);

// What came of taking the block back, told.
void TellUndo(Desktop& desktop, const WrittenBlock& written, const BlockRemoval& removal);

}  // namespace quillory
