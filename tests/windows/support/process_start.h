#pragma once
#include <windows.h>

namespace quillory::testing {

// CreateProcessW without security attributes or environment of its own. Wine
// on a loaded machine now and then fails a start with an internal error that
// the same start a moment later does not meet; such a start is tried again.
BOOL StartProcess(const wchar_t* application, wchar_t* commandLine, BOOL inheritHandles, DWORD flags,
                  const wchar_t* currentFolder, STARTUPINFOW* startup, PROCESS_INFORMATION* process);

}  // namespace quillory::testing
