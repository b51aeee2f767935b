#pragma once
// The system services realised with the Win32 API. Texts cross the boundary
// as UTF-8; the W functions are called inside.
#include <windows.h>

#include <string>

#include "platform/services.h"

namespace quillory::win32 {

// Folder of the running executable, without a trailing backslash.
std::string ExecutableFolder();

class Win32Services final : public Services {
public:
    explicit Win32Services(std::string programFolder);

    // Owner of the message boxes and the clipboard: the main window once it exists.
    void SetMessageOwner(HWND owner) { messageOwner_ = owner; }

    std::string ProgramFolder() const override { return programFolder_; }
    bool CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) const override;
    bool FolderExists(const std::string& path) const override;
    bool WriteWholeFile(const std::string& path, std::string_view bytes) override;
    WriteOutcome CreateNewFile(const std::string& path, std::string_view bytes) override;
    void RemoveLeftoverTemporaryFiles(const std::string& folder) override;
    WriteOutcome CanWriteInFolder(const std::string& folder) override;
    using FileSystem::InsertLine;
    WriteOutcome InsertLine(const std::string& path, const LineBlock& block) override;
    BlockRemoval RemoveLeadingBlock(const std::string& path, const LineBlock& block) override;
    std::optional<TextEncoding> FileEncoding(const std::string& path) override;
    std::uint64_t EncodedBytes(const LineBlock& block, TextEncoding encoding) override;
    ListingOutcome FindFiles(const std::string& folder,
                             const std::function<bool(const FoundEntry&)>& visit) override;
    std::string FolderIdentity(const std::string& path) override;
    std::optional<FileDetails> DescribeFile(const std::string& path) override;
    std::vector<std::uint32_t> NaturalOrder(const NameList& names) override;
    bool NaturallyBefore(std::string_view left, std::string_view right) override;
    // The system's simple case mapping, the same in every locale.
    std::string UpperCase(std::string_view text) override;
    // The main window owns what it puts there.
    void PutTextOnClipboard(const std::string& text) override;
    std::string ProfilePath(const std::string& file) override;
    std::string ReadIniText(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override;
    bool WriteIniText(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value) override;
    std::string ReadRegistryText(RegistryRoot root, const std::string& path) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    void ShowWarning(const std::string& text, const std::string& title) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    // Owned by the main window, which it disables while it is up.
    std::optional<std::string> AskText(NativeHandle owner, const std::string& title, const std::string& label,
                                       const std::string& initial) override;
    std::string TodayText() override;
    void OpenUrl(const std::string& address) override;
    std::string BrowseForFolder(NativeHandle owner, const std::string& title, const std::string& startFolder,
                                std::uint32_t flags) override;
    void OpenFile(const std::string& path) override;
    void ShowInFolder(const std::string& path) override;

private:
    std::string programFolder_;
    HWND messageOwner_ = nullptr;
};

}  // namespace quillory::win32
