// Files handed to the desktop: the text handler and the file manager.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"
#include "platform/win32/win32_services.h"

namespace quillory::win32 {

namespace {

bool SelectInFileManager(const std::wstring& file) {
    PIDLIST_ABSOLUTE item = nullptr;
    if (FAILED(SHParseDisplayName(file.c_str(), nullptr, &item, 0, nullptr))) return false;
    const TaskMemory<ITEMIDLIST> owned(item);
    return SUCCEEDED(SHOpenFolderAndSelectItems(item, 0, nullptr, 0));
}

}  // namespace

void Win32Services::OpenFile(const std::string& path) {
    const std::wstring file = Wide(path);
    const HINSTANCE result = ShellExecuteW(messageOwner_, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // A fresh system may know no handler for text files; Notepad is always there.
    if (reinterpret_cast<INT_PTR>(result) != SE_ERR_NOASSOC) return;
    const std::wstring quoted = L"\"" + file + L"\"";
    ShellExecuteW(messageOwner_, L"open", L"notepad.exe", quoted.c_str(), nullptr, SW_SHOWNORMAL);
}

void Win32Services::ShowInFolder(const std::string& path) {
    const std::wstring file = Wide(path);
    if (SelectInFileManager(file)) return;
    const std::wstring folder = FolderPart(file);
    ShellExecuteW(messageOwner_, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quillory::win32
