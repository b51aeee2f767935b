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

// The work may be done before Run returns (the native tests' runner), so
// nothing here follows it.
void NameCopy::Start(const NameList& names, const std::string& folder, NameForm form) {
    Stop();
    work_ = Work{{}, std::make_shared<Mailbox<std::string>>()};
    runner_.Run([&services = services_, &runner = runner_, names, folder, form, stop = work_->stop.get_token(),
                 mailbox = work_->mailbox] {
        std::string lines = CopiedLines(services, names, folder, form, stop);
        if (stop.stop_requested()) return;
        mailbox->Put(std::move(lines));
        runner.Wake();
    });
}

void NameCopy::TakeText() {
    if (!work_) return;
    std::vector<std::string> copied = work_->mailbox->Take();
    if (copied.empty()) return;
    work_.reset();
    if (!copied.front().empty()) services_.PutTextOnClipboard(copied.front());
}

void NameCopy::Stop() {
    if (!work_) return;
    work_->stop.request_stop();
    work_.reset();
}

}  // namespace quillory
