#pragma once
// Ctrl+C in the check-list: the ticked names are gathered on a thread of
// their own, since the details form asks the disk about every one of them,
// and go to the clipboard on the window's thread once they are all there.
#include <stop_token>
#include <string>

#include "browse/name_form.h"
#include "platform/job.h"
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
    NameCopy(Services& services, Runner& runner) : services_(services), job_(runner) {}

    // The names as they are now; a copy still being gathered is dropped.
    void Start(const NameList& names, const std::string& folder, NameForm form);
    // Puts the text on the clipboard once it is all there.
    void TakeText();
    bool Gathering() const { return job_.Running(); }
    // Nothing more reaches the clipboard.
    void Stop() { job_.Stop(); }

private:
    Services& services_;
    Job<std::string> job_;
};

}  // namespace quillory
