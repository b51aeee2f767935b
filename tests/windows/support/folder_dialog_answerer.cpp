#include "support/folder_dialog_answerer.h"

#include <commctrl.h>
#include <shlobj.h>

#include <chrono>

#include "platform/win32/encoding.h"
#include "support/window_queries.h"

namespace quillory::testing {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(20);
constexpr int kPolls = 500;
constexpr UINT kSetUpTimeoutMs = 10000;

bool ShowsTitle(HWND dialog) {
    for (HWND child : ChildrenOf(dialog)) {
        if (TextOf(child) == "选择目录") return true;
    }
    return false;
}

HWND TreeOf(HWND dialog) {
    for (HWND child : ChildrenOf(dialog)) {
        if (ClassOf(child) == "SysTreeView32") return child;
    }
    return nullptr;
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = L"";
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
    return text;
}

HTREEITEM Selected(HWND tree) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::wstring SelectedItemText(HWND tree) {
    const HTREEITEM item = Selected(tree);
    return item ? ItemText(tree, item) : std::wstring();
}

std::vector<std::wstring> SelectedItemChain(HWND tree) {
    std::vector<std::wstring> chain;
    for (HTREEITEM item = Selected(tree); item;
         item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)))) {
        chain.push_back(ItemText(tree, item));
    }
    return chain;
}

}  // namespace

FolderDialogAnswerer::FolderDialogAnswerer(std::optional<std::wstring> folder)
    : folder_(std::move(folder)), thread_(GetCurrentThreadId()), helper_([this] { Answer(); }) {}

FolderDialogAnswerer::~FolderDialogAnswerer() {
    if (helper_.joinable()) helper_.join();
}

std::optional<ShownFolderDialog> FolderDialogAnswerer::Answered() {
    if (helper_.joinable()) helper_.join();
    return shown_;
}

void FolderDialogAnswerer::Answer() {
    const auto isDialog = [](HWND window) {
        return IsWindowVisible(window) && ClassOf(window) == "#32770" && ShowsTitle(window);
    };
    HWND dialog = nullptr;
    for (int i = 0; i < kPolls && !dialog; ++i) {
        std::this_thread::sleep_for(kPoll);
        dialog = FindThreadWindow(thread_, isDialog);
    }
    if (!dialog) return;
    // The dialog takes a message only once its set-up is done, and with it
    // the selection the program asks for when it is told the dialog is there.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kSetUpTimeoutMs, &ignored);
    const HWND tree = TreeOf(dialog);
    shown_ = ShownFolderDialog{GetWindow(dialog, GW_OWNER), tree ? SelectedItemChain(tree) : std::vector<std::wstring>()};
    if (folder_ && tree) {
        // OK takes the tree's selection, so wait until the folder is selected.
        const std::wstring leaf = folder_->substr(folder_->find_last_of(L'\\') + 1);
        // The tree opens the folders on the way as its own messages come, so
        // asking once may stop short of the folder.
        for (int i = 0; i < kPolls && SelectedItemText(tree) != leaf; ++i) {
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder_->c_str()));
            if (SelectedItemText(tree) != leaf) std::this_thread::sleep_for(kPoll);
        }
    }
    const int button = folder_ ? IDOK : IDCANCEL;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace quillory::testing
