#include "browse/folder_chooser.h"

#include "platform/text.h"

namespace quillory {

void ChooseFolder(Desktop& desktop, Controls& controls, NativeHandle owner, const std::string& startFolder) {
    const std::string chosen = desktop.BrowseForFolder(owner, kChooserTitle, startFolder, kChooserFlags);
    if (!chosen.empty()) ShowChosenFolder(controls, chosen);
}

void ShowChosenFolder(Controls& controls, const std::string& folder) {
    controls.目录框文件名提取.SetCurrentFolder(folder);
    controls.驱动器框文件名提取.SetCurrentDrive(LeftText(controls.目录框文件名提取.CurrentFolder(), 3));
}

}  // namespace quillory
