#pragma once
// The one place that knows the settings file: its location, sections, keys
// and defaults.
#include <cstdint>
#include <string>
#include <vector>

#include "browse/folder_listing.h"
#include "browse/name_form.h"
#include "platform/file_system.h"

namespace quillory {

struct SettingsEntry {
    const char* section;
    const char* key;
    const char* fallback;  // used when the key is missing
};

inline constexpr SettingsEntry kStoragePathEntry{"存放路径", "路径", ""};
inline constexpr SettingsEntry kHueEntry{"皮肤颜色变化-色调", "色调", "55"};
inline constexpr SettingsEntry kSaturationEntry{"皮肤颜色变化-饱和度", "饱和度", "0"};
inline constexpr SettingsEntry kBrightnessEntry{"皮肤颜色变化-亮度", "亮度", "0"};
inline constexpr SettingsEntry kOutputEncodingEntry{"输出编码", "编码", "ANSI"};
inline constexpr SettingsEntry kNameFormEntry{"选项", "名称格式", "文件名"};
inline constexpr SettingsEntry kListOrderEntry{"选项", "排列顺序", "文件系统"};
inline constexpr SettingsEntry kShowHiddenEntry{"选项", "显示隐藏文件", "0"};
inline constexpr SettingsEntry kIncludeSubfoldersEntry{"选项", "包含子文件夹", "0"};
inline constexpr SettingsEntry kTickPatternEntry{"选项", "勾选模式", ""};
// Keys "1" to "10", the newest first.
inline constexpr const char* kRecentFoldersSection = "最近的文件夹";

// The encoding a new day's file is made with.
enum class OutputEncoding { Ansi, Utf8 };

// What the first write that fails tells: the choices last until the program ends.
std::string NotKeptMessage(const std::string& settingsFile);

// What a start tells when the settings file is out of reach.
std::string OutOfReachMessage(const std::string& settingsFile);

class SettingsFile {
public:
    explicit SettingsFile(FileSystem& files);

    const std::string& Path() const { return path_; }

    // The program folder lies too deep for the profile functions to reach the
    // file: every entry reads as its default and nothing is written.
    bool OutOfReach();

    // The stored colour value as an integer, truncated toward zero.
    std::int32_t ReadColourValue(const SettingsEntry& entry);

    // "UTF-8" asks for UTF-8; anything else, or nothing, keeps ANSI. The
    // program never writes this entry.
    OutputEncoding ReadOutputEncoding();

    // Nobody reads the storage path back, so a failed write is not reported.
    void WriteStoragePath(const std::string& storageFolder);

    // The options menu's choices; a missing or unknown value is the default.
    // Each write is true when the file holds the value.
    NameForm ReadNameForm();
    ListingOptions ReadListingOptions();
    bool WriteNameForm(NameForm form);
    bool WriteListOrder(ListOrder order);
    bool WriteShowHidden(bool showHidden);
    bool WriteIncludeSubfolders(bool includeSubfolders);

    // The last pattern typed to tick or untick by.
    std::string ReadTickPattern();
    bool WriteTickPattern(const std::string& pattern);

    // The folders the user showed lately, newest first; a key left empty ends
    // the list. Each write empties the keys of a longer list it follows, so
    // no older entry lingers.
    std::vector<std::string> ReadRecentFolders();
    bool WriteRecentFolders(const std::vector<std::string>& folders, std::size_t listedBefore);

private:
    std::string Read(const SettingsEntry& entry);
    bool Write(const SettingsEntry& entry, const std::string& value);

    FileSystem& files_;
    std::string path_;
};

}  // namespace quillory
