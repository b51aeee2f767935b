#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/file_system.h"

namespace quillory {

inline constexpr const char* kChooserTitle = "选择目录";
inline constexpr std::uint32_t kChooserFlags = 0x40;  // the new dialog style, nothing else

// Lets the user pick the folder in the shell's dialog, opened on the start
// folder; the chosen folder is listed and its drive shown.
void ChooseFolder(Desktop& desktop, Controls& controls, NativeHandle owner, const std::string& startFolder);

// The folder becomes the directory box's current folder, which lists it, and
// the drive box shows its drive: what a folder chosen in the dialog does.
void ShowChosenFolder(Controls& controls, const std::string& folder);

// What a path the shell hands over (a drop, a paste, the command line) names
// as the folder to list: a folder as it is, a file as its folder, named as
// the folder dialog names one; nothing when it names neither.
std::optional<std::string> HandedFolder(FileSystem& files, const std::string& path);

}  // namespace quillory
