#include "browse/folder_chooser.h"

#include "platform/text.h"

namespace quillory {

void ChooseFolder(Desktop& desktop, Controls& controls, NativeHandle owner, const std::string& startFolder) {
    const std::string chosen = desktop.BrowseForFolder(owner, kChooserTitle, startFolder, kChooserFlags);
    if (!chosen.empty()) ShowChosenFolder(controls, chosen);
}

std::optional<std::string> HandedFolder(FileSystem& files, const std::string& path) {
    if (path.empty()) return std::nullopt;
    if (files.FolderExists(path)) return path;
    if (!files.FileExists(path)) return std::nullopt;
    std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
    // No trailing backslash but on a root, where "C:" alone would name the
    // drive's current folder.
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/') && folder[folder.size() - 2] != ':') {
        folder.pop_back();
    }
    return folder;
}

void ShowChosenFolder(Controls& controls, const std::string& folder) {
    controls.目录框文件名提取.SetCurrentFolder(folder);
    controls.驱动器框文件名提取.SetCurrentDrive(LeftText(controls.目录框文件名提取.CurrentFolder(), 3));
}

}  // namespace quillory
