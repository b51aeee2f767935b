#pragma once
// Writing the ticked names to the day's file, and the order and blank-line
// inputs that go with it.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "browse/file_name_table.h"
#include "browse/name_form.h"
#include "extract/outcome_messages.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "settings/settings_file.h"

namespace quillory {

inline constexpr const char* kEmptyListMessage = "所选待提取名称为空！";
inline constexpr const char* kMissingCountMessage = "请输入空白行数目，不为空且不为零！";
inline constexpr const char* kDefaultBlankLines = "1";
// An extraction asked for while the folder was being listed waits for the
// listing's end; these tell why it then wrote nothing.
inline constexpr const char* kExtractionAbandonedMessage = "已选择另一个文件夹，等待中的提取已取消，未写入任何内容。";
inline constexpr const char* kExtractionOfPartListMessage = "文件夹未能完整列出，提取已取消，未写入任何内容。";

struct ExtractionState {
    std::int32_t& lineWritten;
    std::int32_t& collectedNameCount;
};

// The block an extraction of the table writes: the leading run of names, up
// to the first empty slot, in the order they stand in the file, each in
// `form` (a full path on `folder`).
LineBlock ExtractionBlock(FileSystem& files, const FileNameTable& table, bool reverse,
                          std::int32_t blankLinesBefore, NameForm form, const std::string& folder);
// The same of names in the order they were listed, however many.
LineBlock ExtractionBlock(FileSystem& files, std::span<const std::string> names, bool reverse,
                          std::int32_t blankLinesBefore, NameForm form, const std::string& folder);

// What the written block fell short of: names beyond the table, names with
// lost characters, names whose details the system no longer had.
ShortfallCounts Shortfalls(const FileNameTable& table, const LineBlock& block, const WriteOutcome& written);

// The bytes the block takes in the day's file: in the file's own encoding, or
// in `encoding` when the file is still to be made with it.
std::uint64_t BlockBytes(FileSystem& files, const std::string& dayFile, const LineBlock& block,
                         OutputEncoding encoding);

// Puts the block in front of the day's file, made with `encoding` first when
// it is missing; all or nothing.
WriteOutcome WriteBlock(FileSystem& files, const std::string& storageFolder, const std::string& dayFile,
                        const LineBlock& block, OutputEncoding encoding);

// What an extraction takes from the window at the moment it is asked for.
struct ExtractionRequest {
    std::string blankLineText;
    bool reverse = true;
    std::string folder;  // the directory box's, for full paths
    std::string storageFolder;
    NameForm form = NameForm::Name;
};

ExtractionRequest ReadExtractionRequest(Controls& controls, NameForm form);

struct WrittenBlock {
    std::string dayFile;
    std::string day;  // the date the file is named after
    LineBlock block;
};

// An extraction as it goes to the background: all it needs, taken at once.
struct ExtractionOrder {
    FileNameTable table;
    bool reverse = true;
    std::int32_t blankLines = 0;
    NameForm form = NameForm::Name;
    std::string folder;  // for full paths and details
    std::string storageFolder;
    OutputEncoding encoding = OutputEncoding::Ansi;
};

struct ExtractionResult {
    int names = 0;                    // in the block; none, and nothing was written
    std::uint64_t unagreedBytes = 0;  // a block above kLargeBlockBytes not agreed to: not written
    std::string dayFile;
    WriteOutcome outcome{};
    ShortfallCounts shortfalls{};
    std::optional<WrittenBlock> written{};  // to take back
};

// The one way from an order to the day's file, for 立即提取 and the scripted
// run alike: the block in file order, written in front of the day's file,
// which is made first when it is missing. A block above kLargeBlockBytes is
// written only when `largeAgreed`. Waits for the disk: never on the window's thread.
ExtractionResult WriteExtraction(FileSystem& files, Locale& locale, const ExtractionOrder& order, bool largeAgreed);

// The two radios sit in different containers, so these keep them exclusive.
void ForwardStep(Controls& controls);
void ReverseStep(Controls& controls);

void DefaultSettings(Controls& controls);

}  // namespace quillory
