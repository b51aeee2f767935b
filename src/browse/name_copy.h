#pragma once
// Ctrl+C in the check-list: the ticked names are gathered on a thread of
// their own, since the details form asks the disk about every one of them,
// and go to the clipboard on the window's thread once they are all there.
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "browse/name_form.h"
#include "platform/mailbox.h"
#include "platform/name_list.h"
#include "platform/runner.h"
#include "platform/services.h"

namespace quillory {

// The ticked names in list order, one a line, in the name form, a control
// character in a name copied as "?" as the day's file gets it; empty when
// none is ticked. Stops part way, with what it has, once `stop` is asked for.
std::string CopiedLines(FileSystem& files, const NameList& names, const std::string& folder, NameForm form,
                        std::stop_token stop = {});

class NameCopy {
public:
    NameCopy(Services& services, Runner& runner) : services_(services), runner_(runner) {}
    ~NameCopy() { Stop(); }
    NameCopy(const NameCopy&) = delete;
    NameCopy& operator=(const NameCopy&) = delete;

    // The names as they are now; a copy still being gathered is dropped.
    void Start(const NameList& names, const std::string& folder, NameForm form);
    // Puts the text on the clipboard once it is all there.
    void TakeText();
    bool Gathering() const { return work_.has_value(); }
    // Nothing more reaches the clipboard.
    void Stop();

private:
    struct Work {
        std::stop_source stop;
        std::shared_ptr<Mailbox<std::string>> mailbox;
    };

    Services& services_;
    Runner& runner_;
    std::optional<Work> work_;
};

}  // namespace quillory
