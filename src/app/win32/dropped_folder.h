#pragma once
// What a drop from the file manager names as the folder to list.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

namespace quillory::win32 {

// The first dropped path: a folder as it is, a file as its folder; nothing
// when it is no file-system folder or file. Releases the drop, whatever it held.
std::optional<std::string> TakeDroppedFolder(HDROP drop);

}  // namespace quillory::win32
