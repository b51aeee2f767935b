#include "settings/settings_file.h"

#include <algorithm>

#include "browse/recent_folders.h"
#include "platform/text.h"

namespace quillory {

namespace {

template <typename Value>
struct Spelling {
    Value value;
    const char* text;
};

// The first of each table is the default.
constexpr Spelling<NameForm> kNameForms[] = {
    {NameForm::Name, "文件名"}, {NameForm::Stem, "不含扩展名"}, {NameForm::FullPath, "完整路径"},
    {NameForm::Details, "名称大小时间"}};
constexpr Spelling<ListOrder> kListOrders[] = {
    {ListOrder::FileSystem, "文件系统"}, {ListOrder::Name, "名称"}, {ListOrder::ModificationTime, "修改时间"}};

template <typename Value, std::size_t N>
Value ValueOf(const Spelling<Value> (&spellings)[N], const std::string& text) {
    for (const Spelling<Value>& spelling : spellings) {
        if (text == spelling.text) return spelling.value;
    }
    return spellings[0].value;
}

template <typename Value, std::size_t N>
const char* TextOf(const Spelling<Value> (&spellings)[N], Value value) {
    for (const Spelling<Value>& spelling : spellings) {
        if (spelling.value == value) return spelling.text;
    }
    return spellings[0].text;
}

}  // namespace

std::string NotKeptMessage(const std::string& settingsFile) {
    return "设置文件无法写入：\n" + settingsFile + "\n所作的选择在本次运行中有效，但不会保存到下次启动。";
}

std::string OutOfReachMessage(const std::string& settingsFile) {
    return "程序所在文件夹的路径太深，无法读写设置文件：\n" + settingsFile +
           "\n本次运行使用默认设置，所作的选择也不会保存。";
}

SettingsFile::SettingsFile(FileSystem& files)
    : files_(files), path_(files.ProgramFolder() + "\\PLXE\\PLXE.ini") {}

bool SettingsFile::OutOfReach() { return files_.ProfilePath(path_).empty(); }

std::int32_t SettingsFile::ReadColourValue(const SettingsEntry& entry) {
    return TextToInt32(Read(entry));
}

OutputEncoding SettingsFile::ReadOutputEncoding() {
    return Read(kOutputEncodingEntry) == "UTF-8" ? OutputEncoding::Utf8 : OutputEncoding::Ansi;
}

void SettingsFile::WriteStoragePath(const std::string& storageFolder) { Write(kStoragePathEntry, storageFolder); }

NameForm SettingsFile::ReadNameForm() { return ValueOf(kNameForms, Read(kNameFormEntry)); }

ListingOptions SettingsFile::ReadListingOptions() {
    return ListingOptions{ValueOf(kListOrders, Read(kListOrderEntry)), Read(kShowHiddenEntry) == "1",
                          Read(kIncludeSubfoldersEntry) == "1"};
}

bool SettingsFile::WriteNameForm(NameForm form) { return Write(kNameFormEntry, TextOf(kNameForms, form)); }
bool SettingsFile::WriteListOrder(ListOrder order) { return Write(kListOrderEntry, TextOf(kListOrders, order)); }
bool SettingsFile::WriteShowHidden(bool showHidden) { return Write(kShowHiddenEntry, showHidden ? "1" : "0"); }
bool SettingsFile::WriteIncludeSubfolders(bool includeSubfolders) {
    return Write(kIncludeSubfoldersEntry, includeSubfolders ? "1" : "0");
}

std::string SettingsFile::ReadTickPattern() { return Read(kTickPatternEntry); }
bool SettingsFile::WriteTickPattern(const std::string& pattern) { return Write(kTickPatternEntry, pattern); }

std::vector<std::string> SettingsFile::ReadRecentFolders() {
    std::vector<std::string> folders;
    for (std::size_t key = 1; key <= kRecentFolderCount; ++key) {
        std::string folder = files_.ReadIniText(path_, kRecentFoldersSection, std::to_string(key), "");
        if (folder.empty()) break;
        folders.push_back(std::move(folder));
    }
    return folders;
}

bool SettingsFile::WriteRecentFolders(const std::vector<std::string>& folders, std::size_t listedBefore) {
    bool written = true;
    for (std::size_t key = 1; key <= std::max(folders.size(), listedBefore) && written; ++key) {
        written = files_.WriteIniText(path_, kRecentFoldersSection, std::to_string(key),
                               key <= folders.size() ? folders[key - 1] : std::string());
    }
    return written;
}

std::string SettingsFile::Read(const SettingsEntry& entry) {
    return files_.ReadIniText(path_, entry.section, entry.key, entry.fallback);
}

bool SettingsFile::Write(const SettingsEntry& entry, const std::string& value) {
    return files_.WriteIniText(path_, entry.section, entry.key, value);
}

}  // namespace quillory
