// The shell: web addresses and the folder dialog.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "platform/win32/redirection_off.h"
#include "platform/win32/win32_services.h"

namespace quillory::win32 {

namespace {

constexpr std::size_t kPathBufferLength = 512;

// Opens the tree on the start folder, which arrives as the record's lParam:
// the folder the user named, not its WOW64 twin. Only the naming is done with
// the redirection off; the dialog loads the shell's libraries as it always does.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM startFolder) {
    const auto* const folder = reinterpret_cast<const wchar_t*>(startFolder);
    if (message != BFFM_INITIALIZED || !*folder) return 0;
    PIDLIST_ABSOLUTE named = nullptr;
    {
        const RedirectionOff redirectionOff;
        if (FAILED(SHParseDisplayName(folder, nullptr, &named, 0, nullptr))) return 0;
    }
    const TaskMemory<ITEMIDLIST> item(named);
    SendMessageW(dialog, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(item.Get()));
    return 0;
}

}  // namespace

void Win32Services::OpenUrl(const std::string& address) {
    ShellExecuteW(nullptr, L"open", Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string Win32Services::BrowseForFolder(NativeHandle owner, const std::string& title,
                                           const std::string& startFolder, std::uint32_t flags) {
    const std::wstring wideTitle = Wide(title);
    const std::wstring wideStartFolder = Wide(startFolder);
    BROWSEINFOW record{
        .hwndOwner = reinterpret_cast<HWND>(owner),
        .pidlRoot = nullptr,
        .pszDisplayName = nullptr,
        .lpszTitle = wideTitle.c_str(),
        .ulFlags = flags,
        .lpfn = BrowseCallback,
        .lParam = reinterpret_cast<LPARAM>(wideStartFolder.c_str()),
        .iImage = 0,
    };
    const TaskMemory<ITEMIDLIST> chosen(SHBrowseForFolderW(&record));
    wchar_t path[kPathBufferLength] = L"";
    if (!chosen || !SHGetPathFromIDListW(chosen.Get(), path)) return {};
    return Utf8(path);
}

}  // namespace quillory::win32
