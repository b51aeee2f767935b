#pragma once
// Taking back the block the window's last extraction wrote.
#include <string>

#include "extract/extraction.h"
#include "platform/services.h"

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

// Takes the block out of the front of its day's file only if the file
// still begins with it, and tells what came of it.
UndoEnd UndoExtraction(Services& services, const WrittenBlock& written);

}  // namespace quillory
