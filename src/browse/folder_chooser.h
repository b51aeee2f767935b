#pragma once
#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/desktop.h"

namespace quillory {

inline constexpr const char* kChooserTitle = "选择目录";
inline constexpr std::uint32_t kChooserFlags = 0x40;  // the new dialog style, nothing else

// Lets the user pick the folder in the shell's dialog, opened on the start
// folder; the chosen folder is listed and its drive shown.
void ChooseFolder(Desktop& desktop, Controls& controls, NativeHandle owner, const std::string& startFolder);

// The folder becomes the directory box's current folder, which lists it, and
// the drive box shows its drive: what a folder chosen in the dialog does.
void ShowChosenFolder(Controls& controls, const std::string& folder);

}  // namespace quillory
