#pragma once
// What a path that the shell hands over names as the folder to list: a drop
// on the window or a path on the command line.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

namespace quillory::win32 {

// The first dropped path: a folder as it is, a file as its folder; nothing
// when it is no file-system folder or file. Releases the drop, whatever it held.
std::optional<std::string> TakeDroppedFolder(HDROP drop);

// A path from the command line by the drop's rules; a relative one is taken
// from the current folder, one with the \\?\ prefix exactly as given.
std::optional<std::string> FolderOnCommandLine(const std::string& path);

// A path pasted: the first of the files copied in the file manager, or the
// clipboard's text (its first line, quotes around it dropped, as "Copy as
// path" gives it; a file:/// address as the path it names).
struct PastedPath {
    std::string path;
    // What it names by the drop's rules; nothing when it names nothing.
    std::optional<std::string> folder;
};

// Nothing when the clipboard holds no path.
std::optional<PastedPath> PathOnClipboard(HWND owner);

}  // namespace quillory::win32
