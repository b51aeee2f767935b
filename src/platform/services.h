#pragma once
// The system services the logic uses. Realised with the Win32 API in
// platform/win32 and in memory in platform/fake for the native tests.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// A native window handle as a number, so the logic stays free of <windows.h>.
using NativeHandle = std::uintptr_t;

// The title of every message the program shows.
inline constexpr const char* kMessageTitle = "Velkor工作室提醒您";

enum class RegistryRoot { LocalMachine, CurrentUser };

struct FoundEntry {
    std::string name;  // without its folder
    bool isFolder = false;
    bool isHidden = false;
    bool isSystem = false;
};

// Lines to put in front of a file: for each name, `blankLinesBefore` empty
// lines, then the name; every line ends in CR LF. Names are written in the
// system's ANSI code page.
struct LineBlock {
    std::vector<std::string> names;
    std::int32_t blankLinesBefore = 0;
};

class Services {
public:
    virtual ~Services() = default;

    // Folder of the running executable, without a trailing backslash.
    virtual std::string ProgramFolder() const = 0;

    // True when the folder exists afterwards (an existing folder is no error).
    virtual bool CreateFolder(const std::string& path) = 0;

    virtual bool FileExists(const std::string& path) const = 0;

    // Creates or replaces the file; true when it holds exactly `bytes`.
    virtual bool WriteWholeFile(const std::string& path, std::string_view bytes) = 0;

    // True when a file can be created in the folder; leaves nothing behind.
    virtual bool CanWriteInFolder(const std::string& folder) = 0;

    // Puts the block in front of an existing file's content, all or nothing:
    // false (file unchanged) when the file is missing or cannot be rewritten.
    // Never creates the file.
    virtual bool InsertLine(const std::string& path, const LineBlock& block) = 0;

    // One text and CR LF in front of the file's content.
    bool InsertLine(const std::string& path, const std::string& text) {
        return InsertLine(path, LineBlock{{text}, 0});
    }

    // Every entry matching the pattern ("C:\dir\*.*"), in the order the file
    // system yields them, "." and ".." included when it yields them.
    virtual void FindFiles(const std::string& pattern,
                           const std::function<void(const FoundEntry&)>& visit) = 0;

    // The stored value; `fallback` when the file, section or key is missing.
    virtual std::string ReadIniText(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& fallback) = 0;
    virtual bool WriteIniText(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& value) = 0;

    // `path` is key path + "\" + value name; the empty text when missing.
    virtual std::string ReadRegistryText(RegistryRoot root, const std::string& path) = 0;

    // Modal, one OK button, no icon.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;

    // Today's local date as YYYY-MM-DD.
    virtual std::string TodayText() = 0;

    // Hands the address to the default browser; does not wait.
    virtual void OpenUrl(const std::string& address) = 0;

    // The shell's folder dialog; the chosen file-system folder, or the empty
    // text on cancel or for a folder without a file-system path.
    virtual std::string BrowseForFolder(NativeHandle owner, const std::string& title,
                                        const std::string& startFolder, std::uint32_t flags) = 0;

    // A file handed to the desktop; neither waits for what it starts.
    // The system's handler for the file's type opens it, Notepad where none is registered.
    virtual void OpenFile(const std::string& path) = 0;
    // The file manager shows the file's folder with the file selected, or the
    // folder alone where it cannot select.
    virtual void ShowInFolder(const std::string& path) = 0;
};

}  // namespace quillory
