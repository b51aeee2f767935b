#include "platform/fake/fake_services.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <utility>

#include "platform/text.h"
#include "platform/window_thread.h"

namespace quillory::fake {

namespace {

std::string TrimTrailingBackslash(std::string path) {
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

WriteOutcome Fault(WriteFault fault) {
    WriteOutcome outcome;
    outcome.fault = fault;
    return outcome;
}

template <typename Pairs>
auto FindByName(Pairs& pairs, const std::string& name) {
    return std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) { return pair.first == name; });
}

}  // namespace

FakeServices::FakeServices(std::string programFolder) : programFolder_(std::move(programFolder)) {
    AddFolder(programFolder_);
}

std::string FakeServices::ParentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return {};
    if (slash == 2 && path[1] == ':') return path.substr(0, 3);  // "C:\"
    return path.substr(0, slash);
}

void FakeServices::AddEntry(const std::string& path, bool isFolder, bool hidden, bool system) {
    const std::string parent = ParentOf(path);
    if (parent.empty() || parent == path) return;
    auto& siblings = entries_[parent];
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    if (std::none_of(siblings.begin(), siblings.end(), [&](const Entry& e) { return e.name == name; })) {
        siblings.push_back({name, isFolder, hidden, system});
    }
}

void FakeServices::AddFolder(const std::string& rawPath, bool hidden, bool system) {
    const std::string path = TrimTrailingBackslash(rawPath);
    if (path.empty() || folders_.count(path)) return;
    const std::string parent = ParentOf(path);
    if (!parent.empty() && parent != path) AddFolder(parent);
    folders_.insert(path);
    AddEntry(path, true, hidden, system);
}

void FakeServices::AddFile(const std::string& path, std::string bytes, bool hidden, bool system) {
    AddFolder(ParentOf(path));
    files_[path] = std::move(bytes);
    AddEntry(path, false, hidden, system);
}

void FakeServices::SetRegistryText(RegistryRoot root, const std::string& path, std::string value) {
    registry_[{root, path}] = std::move(value);
}

std::string FakeServices::FileBytes(const std::string& path) const {
    const auto found = files_.find(path);
    return found == files_.end() ? std::string() : found->second;
}

bool FakeServices::Writable(const std::string& folder) const {
    return folders_.count(folder) != 0 && unwritable_.count(folder) == 0;
}

bool FakeServices::CreateFolder(const std::string& path) {
    window_thread::CheckFileSystemCall("CreateFolder");
    calls_.push_back("CreateFolder " + path);
    if (folders_.count(path)) return true;
    if (!Writable(ParentOf(path))) return false;
    AddFolder(path);
    return true;
}

bool FakeServices::FolderExists(const std::string& path) const {
    window_thread::CheckFileSystemCall("FolderExists");
    return folders_.count(path) != 0;
}

bool FakeServices::FileExists(const std::string& path) const {
    window_thread::CheckFileSystemCall("FileExists");
    return files_.count(path) != 0;
}

bool FakeServices::WriteWholeFile(const std::string& path, std::string_view bytes) {
    window_thread::CheckFileSystemCall("WriteWholeFile");
    calls_.push_back("WriteWholeFile " + path);
    if (!Writable(ParentOf(path))) return false;
    AddFile(path, std::string(bytes));
    return true;
}

void FakeServices::RemoveFile(const std::string& path) {
    files_.erase(path);
    auto& siblings = entries_[ParentOf(path)];
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [&](const Entry& e) { return e.name == name; }),
                   siblings.end());
}

void FakeServices::RemoveFolder(const std::string& path) {
    for (auto file = files_.lower_bound(path + "\\"); file != files_.end() && file->first.rfind(path + "\\", 0) == 0;) {
        file = files_.erase(file);
    }
    for (auto folder = folders_.lower_bound(path); folder != folders_.end() && folder->rfind(path, 0) == 0;) {
        entries_.erase(*folder);
        folder = folders_.erase(folder);
    }
    RemoveFile(path);
}

WriteOutcome FakeServices::CreateNewFile(const std::string& path, std::string_view bytes) {
    window_thread::CheckFileSystemCall("CreateNewFile");
    calls_.push_back("CreateNewFile " + path);
    if (files_.count(path)) return Fault(WriteFault::AlreadyExists);
    if (!Writable(ParentOf(path))) return Fault(WriteFault::FolderUnwritable);
    AddFile(path, std::string(bytes));
    return {};
}

void FakeServices::RemoveLeftoverTemporaryFiles(const std::string& folder) {
    window_thread::CheckFileSystemCall("RemoveLeftoverTemporaryFiles");
    calls_.push_back("RemoveLeftoverTemporaryFiles " + folder);
    std::vector<std::string> leftovers;
    for (const auto& [path, bytes] : files_) {
        const std::string name = path.substr(path.find_last_of('\\') + 1);
        if (ParentOf(path) == folder && name.rfind("~quillory-", 0) == 0 &&
            (name.ends_with(".tmp") || name.ends_with(".lock")) && !held_.count(path)) {
            leftovers.push_back(path);
        }
    }
    for (const std::string& path : leftovers) RemoveFile(path);
}

WriteOutcome FakeServices::CanWriteInFolder(const std::string& folder) {
    window_thread::CheckFileSystemCall("CanWriteInFolder");
    calls_.push_back("CanWriteInFolder " + folder);
    return Writable(folder) ? WriteOutcome{} : Fault(WriteFault::FolderUnwritable);
}

WriteOutcome FakeServices::InsertLine(const std::string& path, const LineBlock& block) {
    window_thread::CheckFileSystemCall("InsertLine");
    calls_.push_back("InsertLine " + path);
    if (const auto failing = failingWrites_.find(path); failing != failingWrites_.end()) return failing->second;
    const auto found = files_.find(path);
    if (found == files_.end()) return Fault(WriteFault::Other);
    if (!Writable(ParentOf(path))) return Fault(WriteFault::FolderUnwritable);
    const bool utf8 = found->second.starts_with(kUtf8Mark);
    WriteOutcome written;
    for (const std::string& name : block.names) {
        if (HasControlCharacters(name)) ++written.namesWithLostCharacters;
    }
    found->second.insert(utf8 ? kUtf8Mark.size() : 0, BlockBytes(block));
    return written;
}

BlockRemoval FakeServices::RemoveLeadingBlock(const std::string& path, const LineBlock& block) {
    window_thread::CheckFileSystemCall("RemoveLeadingBlock");
    calls_.push_back("RemoveLeadingBlock " + path);
    if (const auto failing = failingWrites_.find(path); failing != failingWrites_.end()) {
        return {BlockPlace::AtStart, failing->second};
    }
    const auto found = files_.find(path);
    if (found == files_.end()) return {BlockPlace::AtStart, Fault(WriteFault::Other)};
    const std::size_t head = found->second.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    const std::string bytes = BlockBytes(block);
    const BlockPlace place = PlaceOfBlock(std::string_view(found->second).substr(head), bytes);
    if (place == BlockPlace::AtStart) found->second.erase(head, bytes.size());
    return {place, {}};
}

// The block as the fake writes it: UTF-8 whatever the file, control characters as "?".
std::string FakeServices::BlockBytes(const LineBlock& block) {
    std::string bytes;
    for (std::size_t n = 0; n < block.names.size(); ++n) {
        for (std::int32_t i = 0; i < block.blankLinesBefore; ++i) bytes += "\r\n";
        bytes += OnOneLine(block.names[n]) + std::string(block.ColumnsOf(n)) + "\r\n";
    }
    return bytes;
}

std::optional<TextEncoding> FakeServices::FileEncoding(const std::string& path) {
    window_thread::CheckFileSystemCall("FileEncoding");
    const auto found = files_.find(path);
    if (found == files_.end()) return std::nullopt;
    const std::pair<std::string_view, TextEncoding> marks[] = {
        {kUtf8Mark, TextEncoding::Utf8},
        {std::string_view("\xFF\xFE\0\0", 4), TextEncoding::Utf32Le},
        {std::string_view("\0\0\xFE\xFF", 4), TextEncoding::Utf32Be},
        {"\xFF\xFE", TextEncoding::Utf16Le},
        {"\xFE\xFF", TextEncoding::Utf16Be}};
    for (const auto& [mark, encoding] : marks) {
        if (found->second.starts_with(mark)) return encoding;
    }
    return TextEncoding::Ansi;
}

std::uint64_t FakeServices::EncodedBytes(const LineBlock& block, TextEncoding encoding) {
    // Every character counted from its UTF-8 lead byte.
    const auto size = [encoding](std::string_view text) {
        std::uint64_t bytes = 0;
        for (const unsigned char c : text) {
            const bool lead = (c & 0xC0) != 0x80;
            switch (encoding) {
                case TextEncoding::Ansi:
                case TextEncoding::Utf8: ++bytes; break;
                case TextEncoding::Utf16Le:
                case TextEncoding::Utf16Be: bytes += lead ? (c >= 0xF0 ? 4 : 2) : 0; break;
                case TextEncoding::Utf32Le:
                case TextEncoding::Utf32Be: bytes += lead ? 4 : 0; break;
            }
        }
        return bytes;
    };
    const std::uint64_t lineEnd = size("\r\n");
    const std::uint64_t blankLines = block.blankLinesBefore > 0 ? static_cast<std::uint64_t>(block.blankLinesBefore) : 0;
    std::uint64_t bytes = 0;
    for (std::size_t n = 0; n < block.names.size(); ++n) {
        bytes += blankLines * lineEnd + size(OnOneLine(block.names[n])) + size(block.ColumnsOf(n)) + lineEnd;
    }
    return bytes;
}

ListingOutcome FakeServices::FindFiles(const std::string& listed,
                                       const std::function<bool(const FoundEntry&)>& visit) {
    window_thread::CheckFileSystemCall("FindFiles");
    ++findFilesCalls_;
    calls_.push_back("FindFiles " + listed);
    std::string folder = Resolved(TrimTrailingBackslash(listed));
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';  // "C:\" names the root
    const auto unreadable = unreadable_.find(folder);
    if (unreadable != unreadable_.end() && !unreadable->second.second) return unreadable->second.first;
    if (!folders_.count(folder)) return {};
    // A copy: the step may change the folder, as another program would.
    std::vector<FoundEntry> entries{{".", true, false, false}, {"..", true, false, false}};
    if (const auto found = entries_.find(folder); found != entries_.end()) {
        for (const Entry& entry : found->second) {
            entries.push_back({entry.name, entry.isFolder, entry.hidden, entry.system, entry.reparse, entry.modified,
                               entry.isFolder ? FolderIdentity(JoinPath(folder, entry.name)) : std::string()});
        }
    }
    for (const FoundEntry& entry : entries) {
        if (whileListing_) whileListing_(folder, entry);
        if (!visit(entry)) return {};
    }
    return unreadable == unreadable_.end() ? ListingOutcome{} : unreadable->second.first;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view DigitRun(std::string_view text, std::size_t& at) {
    const std::size_t begin = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    std::string_view run = text.substr(begin, at - begin);
    while (run.size() > 1 && run.front() == '0') run.remove_prefix(1);
    return run;
}

}  // namespace

std::vector<std::uint32_t> FakeServices::NaturalOrder(const NameList& names) {
    std::vector<std::uint32_t> positions(static_cast<std::size_t>(names.Count()));
    for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = static_cast<std::uint32_t>(i);
    std::stable_sort(positions.begin(), positions.end(), [&](std::uint32_t a, std::uint32_t b) {
        return NaturallyBefore(names.Name(static_cast<int>(a)), names.Name(static_cast<int>(b)));
    });
    return positions;
}

bool FakeServices::NaturallyBefore(std::string_view left, std::string_view right) {
    std::size_t l = 0, r = 0;
    while (l < left.size() && r < right.size()) {
        if (IsDigit(left[l]) && IsDigit(right[r])) {
            const std::string_view a = DigitRun(left, l), b = DigitRun(right, r);
            if (a.size() != b.size()) return a.size() < b.size();
            if (a != b) return a < b;
        } else {
            if (Lower(left[l]) != Lower(right[r])) return Lower(left[l]) < Lower(right[r]);
            ++l, ++r;
        }
    }
    return left.size() - l < right.size() - r;
}

void FakeServices::AddFolderLink(const std::string& path, const std::string& target, bool marked) {
    AddFolder(ParentOf(path));
    auto& siblings = entries_[ParentOf(path)];
    siblings.push_back({path.substr(path.find_last_of('\\') + 1), true, false, false, marked});
    links_[path] = target;
}

// A link may lead into another, so the path is followed until no link is left on it.
std::string FakeServices::Resolved(std::string path) const {
    for (bool followed = true; followed;) {
        followed = false;
        for (const auto& [link, target] : links_) {
            if (path == link || path.starts_with(link + "\\")) {
                path = target + path.substr(link.size());
                followed = true;
                break;
            }
        }
    }
    return path;
}

const FakeServices::Entry* FakeServices::EntryOf(const std::string& path) const {
    const auto siblings = entries_.find(ParentOf(path));
    if (siblings == entries_.end()) return nullptr;
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    const auto found = std::ranges::find(siblings->second, name, &Entry::name);
    return found == siblings->second.end() ? nullptr : &*found;
}

std::string FakeServices::FolderIdentity(const std::string& path) {
    window_thread::CheckFileSystemCall("FolderIdentity");
    std::string resolved = Resolved(TrimTrailingBackslash(path));
    return folders_.count(resolved) ? resolved : std::string();
}

std::optional<FileDetails> FakeServices::DescribeFile(const std::string& rawPath) {
    window_thread::CheckFileSystemCall("DescribeFile");
    const std::string path = Resolved(rawPath);
    const auto file = files_.find(path);
    if (file == files_.end()) return std::nullopt;
    const Entry* entry = EntryOf(path);
    // 100-ns steps since 1601, the system's file time, as calendar time.
    using namespace std::chrono;
    const sys_seconds time{seconds(static_cast<std::int64_t>((entry ? entry->modified : 0) / 10'000'000) -
                                   11'644'473'600)};
    const year_month_day date{floor<days>(time)};
    const hh_mm_ss clock{time - floor<days>(time)};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return FileDetails{file->second.size(), text};
}

std::string FakeServices::UpperCase(std::string_view text) {
    std::string upper(text);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        auto& c = reinterpret_cast<unsigned char&>(upper[i]);
        if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
        if (i + 1 == upper.size()) break;
        auto& next = reinterpret_cast<unsigned char&>(upper[i + 1]);
        if (c == 0xC3 && next >= 0xA0 && next <= 0xBE && next != 0xB7) {
            next -= 0x20;  // à..þ without ÷
        } else if (c == 0xD0 && next >= 0xB0 && next <= 0xBF) {
            next -= 0x20;  // а..п
        } else if (c == 0xD1 && next >= 0x80 && next <= 0x8F) {
            c = 0xD0, next += 0x20;  // р..я
        } else {
            continue;
        }
        ++i;
    }
    return upper;
}

std::optional<std::string> FakeServices::AskText(NativeHandle, const std::string& title, const std::string& label,
                                                 const std::string& initial) {
    calls_.push_back("AskText " + title);
    textQuestions_.push_back({title, label, initial});
    return textAnswer_;
}

void FakeServices::SetModified(const std::string& path, std::uint64_t modified) {
    for (Entry& entry : entries_[ParentOf(path)]) {
        if (path.ends_with("\\" + entry.name)) entry.modified = modified;
    }
}

void FakeServices::SetIniFileText(const std::string& file, const std::string& text) {
    AddFile(file, text);
    IniFile ini;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            ini.push_back({line.substr(1, line.size() - 2), {}});
        } else if (const std::size_t eq = line.find('='); eq != std::string::npos && !ini.empty()) {
            ini.back().second.push_back({line.substr(0, eq), line.substr(eq + 1)});
        }
    }
    iniFiles_[file] = std::move(ini);
}

std::string FakeServices::IniFileText(const std::string& file) const {
    const auto found = iniFiles_.find(file);
    if (found == iniFiles_.end()) return {};
    std::string text;
    for (const auto& [section, keys] : found->second) {
        text += "[" + section + "]\r\n";
        for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
    }
    return text;
}

std::string FakeServices::ProfilePath(const std::string& file) {
    window_thread::CheckFileSystemCall("ProfilePath");
    constexpr std::size_t kMaxPath = 260;
    const auto characters = std::ranges::count_if(file, [](char c) { return (c & 0xC0) != 0x80; });
    return static_cast<std::size_t>(characters) < kMaxPath ? file : std::string();
}

std::string FakeServices::ReadIniText(const std::string& file, const std::string& section,
                                      const std::string& key, const std::string& fallback) {
    window_thread::CheckFileSystemCall("ReadIniText");
    calls_.push_back("ReadIniText " + section + " " + key);
    if (ProfilePath(file).empty()) return fallback;
    const auto ini = iniFiles_.find(file);
    if (ini == iniFiles_.end() || !files_.count(file)) return fallback;
    const auto keys = FindByName(ini->second, section);
    if (keys == ini->second.end()) return fallback;
    const auto value = FindByName(keys->second, key);
    return value == keys->second.end() ? fallback : value->second;
}

bool FakeServices::WriteIniText(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& value) {
    window_thread::CheckFileSystemCall("WriteIniText");
    calls_.push_back("WriteIniText " + section + " " + key + " " + value);
    if (ProfilePath(file).empty() || !Writable(ParentOf(file))) return false;
    IniFile& ini = iniFiles_[file];
    auto keys = FindByName(ini, section);
    if (keys == ini.end()) keys = ini.insert(ini.end(), {section, {}});
    auto existing = FindByName(keys->second, key);
    if (existing == keys->second.end()) {
        keys->second.push_back({key, value});
    } else {
        existing->second = value;
    }
    AddFile(file, IniFileText(file));
    return true;
}

std::string FakeServices::ReadRegistryText(RegistryRoot root, const std::string& path) {
    window_thread::CheckFileSystemCall("ReadRegistryText");
    calls_.push_back("ReadRegistryText " + path);
    const auto found = registry_.find({root, path});
    return found == registry_.end() ? std::string() : found->second;
}

void FakeServices::ShowMessage(const std::string& text, const std::string& title) {
    calls_.push_back("ShowMessage " + text);
    messages_.push_back({text, title});
}

void FakeServices::ShowWarning(const std::string& text, const std::string& title) {
    calls_.push_back("ShowWarning " + text);
    messages_.push_back({text, title, MessageKind::Warning});
}

bool FakeServices::AskYesNo(const std::string& text, const std::string& title) {
    calls_.push_back("AskYesNo " + text);
    messages_.push_back({text, title, MessageKind::Question});
    return answerYes_;
}

std::string FakeServices::TodayText() {
    std::string today = today_;
    if (nextDay_) today_ = *std::exchange(nextDay_, std::nullopt);
    return today;
}

void FakeServices::OpenUrl(const std::string& address) {
    calls_.push_back("OpenUrl " + address);
    openedUrls_.push_back(address);
}

std::string FakeServices::BrowseForFolder(NativeHandle owner, const std::string& title,
                                          const std::string& startFolder, std::uint32_t flags) {
    calls_.push_back("BrowseForFolder " + startFolder);
    browseCalls_.push_back({owner, title, startFolder, flags});
    return std::exchange(nextBrowseResult_, std::string());
}

}  // namespace quillory::fake
