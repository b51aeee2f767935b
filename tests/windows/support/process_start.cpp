#include "process_start.h"

namespace quillory::testing {

BOOL StartProcess(const wchar_t* application, wchar_t* commandLine, BOOL inheritHandles, DWORD flags,
                  const wchar_t* currentFolder, STARTUPINFOW* startup, PROCESS_INFORMATION* process) {
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(application, commandLine, nullptr, nullptr, inheritHandles, flags, nullptr, currentFolder,
                           startup, process)) {
            return TRUE;
        }
        if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 3) return FALSE;
        Sleep(200);
    }
}

}  // namespace quillory::testing
