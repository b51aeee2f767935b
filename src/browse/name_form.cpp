#include "browse/name_form.h"

#include "platform/text.h"

namespace quillory {

std::string StemOf(std::string_view name) {
    const std::size_t nameStart = name.find_last_of('\\') + 1;  // 0 without a folder part
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart) return std::string(name);
    return std::string(name.substr(0, dot));
}

std::string FormedName(const std::string& name, std::string_view folder, NameForm form) {
    switch (form) {
        case NameForm::Stem: return StemOf(name);
        case NameForm::FullPath: return JoinPath(folder, name);
        case NameForm::Details:
        case NameForm::Name: break;
    }
    return name;
}

std::string DetailsColumns(FileSystem& files, const std::string& name, std::string_view folder) {
    const std::optional<FileDetails> details = files.DescribeFile(JoinPath(folder, name));
    if (!details) return kNoDetailsColumns;
    return '\t' + std::to_string(details->size) + '\t' + details->modified;
}

}  // namespace quillory
