#pragma once
// How a listed name is written out: the extraction's block and the names
// copied from the check-list. The list itself always shows the listed name:
// the file's name, or its path relative to the shown folder when subfolders
// are listed.
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quillory {

enum class NameForm {
    Name,      // as listed
    Stem,      // without the last extension of the file's name
    FullPath,  // the shown folder's path and the name
    Details,   // as listed, a tab, the size in bytes, a tab, the local last-write time
};

// "报告.final.docx" gives "报告.final"; a name without a dot, or whose only
// dot leads it (".gitignore"), stays whole. A dot in a folder part of a
// relative path ("v1.2\README") is no extension.
std::string StemOf(std::string_view name);

// The name as the form writes it; the details form writes it as listed and
// adds DetailsColumns after it.
std::string FormedName(const std::string& name, std::string_view folder, NameForm form);

// The columns of a name whose file the system no longer has.
inline constexpr const char* kNoDetailsColumns = "\t\t";

// A tab, the size in bytes, a tab, the local last-write time, asked of the
// system as the file is now; a file gone meanwhile keeps its tabs with
// nothing between them.
std::string DetailsColumns(FileSystem& files, const std::string& name, std::string_view folder);

}  // namespace quillory
