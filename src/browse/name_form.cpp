#include "browse/name_form.h"

#include "platform/text.h"

namespace quillory {

std::string StemOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return std::string(name);
    return std::string(name.substr(0, dot));
}

std::string FormedName(const std::string& name, std::string_view folder, NameForm form) {
    switch (form) {
        case NameForm::Stem: return StemOf(name);
        case NameForm::FullPath: return JoinPath(folder, name);
        case NameForm::Name: break;
    }
    return name;
}

}  // namespace quillory
