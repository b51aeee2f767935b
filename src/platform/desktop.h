#pragma once
// The half of the system services that belongs to the window: boxes and
// dialogs, the clipboard, and what the shell is handed. Called on the
// window's thread only; none of it waits for a disk.
#include <cstdint>
#include <optional>
#include <string>

namespace quillory {

// A native window handle as a number, so the logic stays free of <windows.h>.
using NativeHandle = std::uintptr_t;

// The title of every message the program shows.
inline constexpr const char* kMessageTitle = "Velkor工作室提醒您";

class Desktop {
public:
    virtual ~Desktop() = default;

    // Modal, one OK button, no icon.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    // Modal, the warning icon, one OK button.
    virtual void ShowWarning(const std::string& text, const std::string& title) = 0;
    // Modal question with the warning icon and the buttons Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;

    // A modal dialog titled `title`: the label, one edit box holding
    // `initial`, and the buttons 确定 (also Enter) and 取消 (also Esc). The
    // text as it stands at 确定; nothing at 取消.
    virtual std::optional<std::string> AskText(NativeHandle owner, const std::string& title,
                                               const std::string& label, const std::string& initial) = 0;

    // Replaces what the clipboard holds with the text, for other programs.
    virtual void PutTextOnClipboard(const std::string& text) = 0;

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
