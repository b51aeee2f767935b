#pragma once
// Writing the ticked names to the day's file, and the order and blank-line
// inputs that go with it.
#include <cstdint>

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

struct ExtractionState {
    std::int32_t& lineWritten;
    std::int32_t& collectedNameCount;
};

// The block an extraction of the table writes: the leading run of names, up
// to the first empty slot, in the order they stand in the file, each in
// `form` (a full path on `folder`).
LineBlock ExtractionBlock(Services& services, const FileNameTable& table, bool reverse,
                          std::int32_t blankLinesBefore, NameForm form, const std::string& folder);

// The block's size in the file, near enough to weigh it against kLargeBlockBytes.
std::uint64_t BlockBytes(const LineBlock& block);

// Puts the block in front of the day's file, made with `encoding` first when
// it is missing; all or nothing.
WriteOutcome WriteBlock(Services& services, const std::string& storageFolder, const std::string& dayFile,
                        const LineBlock& block, OutputEncoding encoding);

// A missing day's file is made with `encoding` first. A failure is told with
// the warning icon; a block above kLargeBlockBytes is asked for first. The
// names are written in `form`, a full path on the directory box's folder.
void Extract(Services& services, Controls& controls, const FileNameTable& table, ExtractionState state,
             OutputEncoding encoding, NameForm form = NameForm::Name);

// The two radios sit in different containers, so these keep them exclusive.
void ForwardStep(Controls& controls);
void ReverseStep(Controls& controls);

void DefaultSettings(Controls& controls);

}  // namespace quillory
