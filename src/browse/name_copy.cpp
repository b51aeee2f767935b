#include "browse/name_copy.h"

#include <utility>
#include <vector>

#include "platform/text.h"

namespace quillory {

// CR LF between names and none after the last, so a single name pastes into
// a one-line box as it is.
std::string CopiedLines(FileSystem& files, const NameList& names, const std::string& folder, NameForm form,
                        std::stop_token stop) {
    std::string lines;
    bool anyTicked = false;
    for (int i = 0; i < names.Count() && !stop.stop_requested(); ++i) {
        if (!names.Ticked(i)) continue;
        if (anyTicked) lines += "\r\n";
        const std::string name(names.Name(i));
        lines += OnOneLine(FormedName(name, folder, form));
        if (form == NameForm::Details) lines += DetailsColumns(files, name, folder);
        anyTicked = true;
    }
    return lines;
}

void NameCopy::Start(const NameList& names, const std::string& folder, NameForm form) {
    job_.Start([&files = static_cast<FileSystem&>(services_), names, folder, form](const Job<std::string>::Hand& hand) {
        hand(CopiedLines(files, names, folder, form, hand.Stop()));
    });
}

void NameCopy::TakeText() {
    std::vector<std::string> copied = job_.Take();
    if (copied.empty()) return;
    job_.Over();
    if (!copied.front().empty()) services_.PutTextOnClipboard(copied.front());
}

}  // namespace quillory
