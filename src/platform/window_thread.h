#pragma once
// The window's thread never waits for a disk. Every file-system call asks
// here first; the test programs have such a call on the window's thread
// reported, so the test that made it fails. The shipped program reports
// nothing.
#include <string_view>

namespace quillory::window_thread {

// The calling thread is the window's from now on, until Unmark.
void Mark();
void Unmark();
// Whether the calling thread is the window's and is not, for the moment,
// doing the work of a job (the native tests run jobs on it; see WorkScope).
bool OnIt();

using Report = void (*)(std::string_view call);
// Every later file-system call on the window's thread goes to `report`;
// null for none.
void ReportCallsThrough(Report report);

// At the start of every file-system call: `call` names it for the report.
void CheckFileSystemCall(std::string_view call);

// While it lives, the calling thread does a job's work, wherever it runs.
class WorkScope {
public:
    WorkScope();
    ~WorkScope();
    WorkScope(const WorkScope&) = delete;
    WorkScope& operator=(const WorkScope&) = delete;
};

}  // namespace quillory::window_thread
