#pragma once
// The path the shell hands over, to be taken as the folder to list (see
// HandedFolder, which asks the disk in the background): a drop on the
// window, a paste, or a path on the command line. Nothing here asks the disk.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

namespace quillory::win32 {

// The first dropped path; nothing when the drop holds none. Releases the
// drop, whatever it held.
std::optional<std::string> TakeDroppedPath(HDROP drop);

// A path from the command line: a relative one is taken from the current
// folder, one with the \\?\ prefix exactly as given.
std::string PathOnCommandLine(const std::string& path);

// A pasted path: the first of the files copied in the file manager, or the
// clipboard's text (its first line, quotes around it dropped, as "Copy as
// path" gives it; a file:/// address as the path it names), as on the
// command line. Nothing when the clipboard holds no path.
struct PastedPath {
    std::string path;      // as pasted, to tell the user
    std::string absolute;  // as on the command line, to look for
};
std::optional<PastedPath> PathOnClipboard(HWND owner);

}  // namespace quillory::win32
