#pragma once
// How a listed name is written out: the extraction's block and the names
// copied from the check-list. The list itself always shows the bare name.
#include <string>
#include <string_view>

namespace quillory {

enum class NameForm {
    Name,      // as listed
    Stem,      // without the last extension
    FullPath,  // the shown folder's path and the name
};

// "报告.final.docx" gives "报告.final"; a name without a dot, or whose only
// dot leads it (".gitignore"), stays whole.
std::string StemOf(std::string_view name);

std::string FormedName(const std::string& name, std::string_view folder, NameForm form);

}  // namespace quillory
