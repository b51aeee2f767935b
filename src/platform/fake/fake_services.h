#pragma once
// In-memory system for the native tests: files, folders, INI files, registry,
// clock, message log, browser and folder dialog.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/services.h"

namespace quillory::fake {

enum class MessageKind { Plain, Warning, Question };

struct ShownMessage {
    std::string text;
    std::string title;
    MessageKind kind = MessageKind::Plain;
};

struct TextQuestion {
    std::string title;
    std::string label;
    std::string initial;
};

struct BrowseCall {
    NativeHandle owner;
    std::string title;
    std::string startFolder;
    std::uint32_t flags;
};

class FakeServices : public Services {
public:
    explicit FakeServices(std::string programFolder = "C:\\Tools\\Quillory");

    // Setting up the world.
    void AddFolder(const std::string& path, bool hidden = false, bool system = false);  // and its parents
    void AddFile(const std::string& path, std::string bytes = {}, bool hidden = false,
                 bool system = false);
    void MakeUnwritable(const std::string& folder) { unwritable_.insert(folder); }
    // Listing the folder fails so from now on: at once, or once its entries
    // are yielded, as a share that goes away part way.
    void MakeUnreadable(const std::string& folder, ListingOutcome outcome, bool partWay = false) {
        unreadable_[folder] = {std::move(outcome), partWay};
    }
    // A folder entry that leads to `target`, marked as a reparse point or,
    // as a share's server or a bind mount shows one, not.
    void AddFolderLink(const std::string& path, const std::string& target, bool marked);
    void SetModified(const std::string& path, std::uint64_t modified);
    void RemoveFile(const std::string& path);
    void RemoveFolder(const std::string& path);  // and everything in it
    // Every later write into the file fails so.
    void FailWrites(const std::string& path, WriteOutcome outcome) { failingWrites_[path] = std::move(outcome); }
    // A file some running program holds open.
    void HoldOpen(const std::string& path) { held_.insert(path); }
    // What AskYesNo answers from now on.
    void AnswerQuestions(bool yes) { answerYes_ = yes; }
    void SetRegistryText(RegistryRoot root, const std::string& path, std::string value);
    void SetToday(std::string today) { today_ = std::move(today); }
    // Midnight comes right after the date is next asked for.
    void PassMidnightAfterNextAsk(std::string nextDay) { nextDay_ = std::move(nextDay); }
    void SetIniFileText(const std::string& file, const std::string& text);  // parsed as INI
    void SetNextBrowseResult(std::string path) { nextBrowseResult_ = std::move(path); }
    // What AskText answers from now on; nothing is 取消.
    void AnswerText(std::optional<std::string> answer) { textAnswer_ = std::move(answer); }
    // Runs before FindFiles yields each entry of a folder, so a test acts
    // while a listing is under way.
    using ListingStep = std::function<void(const std::string& folder, const FoundEntry& entry)>;
    void WhileListing(ListingStep step) { whileListing_ = std::move(step); }

    // Reading what happened.
    std::string FileBytes(const std::string& path) const;
    bool HasFile(const std::string& path) const { return files_.count(path) != 0; }
    std::string IniFileText(const std::string& file) const;  // as the profile functions would write it
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    const std::vector<std::string>& OpenedUrls() const { return openedUrls_; }
    const std::vector<BrowseCall>& BrowseCalls() const { return browseCalls_; }
    const std::vector<TextQuestion>& TextQuestions() const { return textQuestions_; }
    // Every service call by name, in order ("CreateFolder C:\\x").
    const std::vector<std::string>& Calls() const { return calls_; }
    int FindFilesCalls() const { return findFilesCalls_; }
    const std::string& ClipboardText() const { return clipboard_; }

    // Services
    std::string ProgramFolder() const override { return programFolder_; }
    bool CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) const override;
    bool FolderExists(const std::string& path) const override;
    bool WriteWholeFile(const std::string& path, std::string_view bytes) override;
    WriteOutcome CreateNewFile(const std::string& path, std::string_view bytes) override;
    void RemoveLeftoverTemporaryFiles(const std::string& folder) override;
    WriteOutcome CanWriteInFolder(const std::string& folder) override;
    using FileSystem::InsertLine;
    // Writes the names as they are but for control characters, which become
    // "?" and are counted; after the UTF-8 mark where the file has one.
    WriteOutcome InsertLine(const std::string& path, const LineBlock& block) override;
    BlockRemoval RemoveLeadingBlock(const std::string& path, const LineBlock& block) override;
    // By the mark as InsertLine reads it; the sizes of ANSI text are those of UTF-8.
    std::optional<TextEncoding> FileEncoding(const std::string& path) override;
    std::uint64_t EncodedBytes(const LineBlock& block, TextEncoding encoding) override;
    ListingOutcome FindFiles(const std::string& folder,
                             const std::function<bool(const FoundEntry&)>& visit) override;
    // The folder's path once every link on the way is followed.
    std::string FolderIdentity(const std::string& path) override;
    // The size of the bytes; the time as UTC, without the system's time zone.
    std::optional<FileDetails> DescribeFile(const std::string& path) override;
    // Digit runs by their value, other characters without regard to ASCII case.
    std::vector<std::uint32_t> NaturalOrder(const NameList& names) override;
    bool NaturallyBefore(std::string_view left, std::string_view right) override;
    // ASCII, Latin-1 and Cyrillic letters: enough to tell the system's folding from ASCII's.
    std::string UpperCase(std::string_view text) override;
    void PutTextOnClipboard(const std::string& text) override { clipboard_ = text; }
    // The path as it is while it has fewer characters than MAX_PATH; there are no short names.
    std::string ProfilePath(const std::string& file) override;
    std::string ReadIniText(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override;
    bool WriteIniText(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value) override;
    std::string ReadRegistryText(RegistryRoot root, const std::string& path) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    void ShowWarning(const std::string& text, const std::string& title) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    std::optional<std::string> AskText(NativeHandle owner, const std::string& title, const std::string& label,
                                       const std::string& initial) override;
    std::string TodayText() override;
    void OpenUrl(const std::string& address) override;
    std::string BrowseForFolder(NativeHandle owner, const std::string& title,
                                const std::string& startFolder, std::uint32_t flags) override;
    void OpenFile(const std::string& path) override { calls_.push_back("OpenFile " + path); }
    void ShowInFolder(const std::string& path) override { calls_.push_back("ShowInFolder " + path); }

private:
    static std::string BlockBytes(const LineBlock& block);
    struct Entry {
        std::string name;
        bool isFolder;
        bool hidden;
        bool system;
        bool reparse = false;
        std::uint64_t modified = 0;
    };
    using Section = std::vector<std::pair<std::string, std::string>>;  // in file order
    using IniFile = std::vector<std::pair<std::string, Section>>;

    static std::string ParentOf(const std::string& path);
    std::string Resolved(std::string path) const;
    const Entry* EntryOf(const std::string& path) const;
    bool Writable(const std::string& folder) const;
    void AddEntry(const std::string& path, bool isFolder, bool hidden, bool system);

    std::string programFolder_;
    std::set<std::string> folders_;
    std::map<std::string, std::string> files_;
    std::map<std::string, std::vector<Entry>> entries_;  // folder -> entries in creation order
    std::map<std::string, std::string> links_;           // link -> target
    std::set<std::string> unwritable_;
    std::map<std::string, std::pair<ListingOutcome, bool>> unreadable_;  // with whether part way
    std::string clipboard_;
    std::map<std::string, WriteOutcome> failingWrites_;
    std::set<std::string> held_;
    bool answerYes_ = false;
    std::map<std::string, IniFile> iniFiles_;
    std::map<std::pair<RegistryRoot, std::string>, std::string> registry_;
    std::string today_ = "2026-12-08";
    std::optional<std::string> nextDay_;
    std::string nextBrowseResult_;
    ListingStep whileListing_;
    std::vector<ShownMessage> messages_;
    std::vector<std::string> openedUrls_;
    std::vector<BrowseCall> browseCalls_;
    std::optional<std::string> textAnswer_;
    std::vector<TextQuestion> textQuestions_;
    std::vector<std::string> calls_;
    int findFilesCalls_ = 0;
};

}  // namespace quillory::fake
