// The message box and the shell's folder dialog, each driven from a second
// thread while the test's thread waits in it.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/encoding.h"
#include "platform/win32/win32_services.h"
#include "support/test_folder.h"

namespace quillory::win32 {
namespace {

using testing::TestFolder;

constexpr wchar_t kBrowseTitle[] = L"选择目录";
constexpr std::uint32_t kNewDialogStyle = 0x40;
constexpr DWORD kWaitMs = 10000;
constexpr DWORD kPollMs = 50;

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM children) {
    reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

struct DialogSearch {
    std::wstring childText;
    HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<DialogSearch*>(search);
    if (ClassOf(window) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    for (HWND child : ChildrenOf(window)) {
        if (TextOf(child) == wanted.childText) {
            wanted.found = window;
            return FALSE;
        }
    }
    return TRUE;
}

// The visible dialog of `thread` that shows `childText`, once it is there.
HWND WaitForDialog(DWORD thread, const std::wstring& childText) {
    DialogSearch search{childText};
    for (DWORD waited = 0; !search.found && waited < kWaitMs; waited += kPollMs) {
        Sleep(kPollMs);
        EnumThreadWindows(thread, MatchDialog, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

// Runs `show` on this thread while a second thread waits for the dialog,
// hands it to `inspect` and presses `button`. False when no dialog came.
bool WithDialog(const std::wstring& childText, int button, const std::function<void()>& show,
                const std::function<void(HWND)>& inspect) {
    const DWORD thread = GetCurrentThreadId();
    bool found = false;
    std::thread presser([&] {
        const HWND dialog = WaitForDialog(thread, childText);
        if (!dialog) return;
        found = true;
        inspect(dialog);
        SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    });
    show();
    presser.join();
    return found;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        CoUninitialize();
    }

    HWND owner_ = nullptr;
    Win32Services services_{"C:\\"};
    TestFolder folder_;
};

TEST_F(DialogTest, MessageHasItsTextTitleOwnerAndOnlyAnOkButton) {
    const std::wstring text = L"提取成功，所在目录为:C:\\Quillory-存储\\2026-12-08.txt";
    HWND owner = nullptr;
    std::wstring title;
    std::vector<std::wstring> classes;
    bool hasIcon = false;
    services_.SetMessageOwner(owner_);
    const bool shown = WithDialog(
        text, IDOK, [&] { services_.ShowMessage(Utf8(text), "Velkor工作室提醒您"); },
        [&](HWND dialog) {
            owner = GetWindow(dialog, GW_OWNER);
            title = TextOf(dialog);
            for (HWND child : ChildrenOf(dialog)) {
                classes.push_back(ClassOf(child));
                const LONG style = GetWindowLongW(child, GWL_STYLE);
                hasIcon = hasIcon || (ClassOf(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON &&
                                      IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0) != 0);
            }
        });
    ASSERT_TRUE(shown);
    EXPECT_EQ(owner, owner_);
    EXPECT_EQ(title, L"Velkor工作室提醒您");
    EXPECT_EQ(std::count(classes.begin(), classes.end(), L"Button"), 1);
    EXPECT_FALSE(hasIcon);
}

std::wstring SelectedTreeItemText(HWND dialog) {
    for (HWND child : ChildrenOf(dialog)) {
        if (ClassOf(child) != WC_TREEVIEWW) continue;
        const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(child, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (!item) return {};
        wchar_t text[MAX_PATH] = L"";
        TVITEMW request{};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = text;
        request.cchTextMax = MAX_PATH;
        SendMessageW(child, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
        return text;
    }
    return {};
}

class BrowseTest : public DialogTest {
protected:
    // Shows the dialog, waits until its tree selects `selection` (when one
    // is awaited) and presses `button`.
    std::string Browse(const std::string& startFolder, const std::wstring& selection, int button) {
        std::string chosen;
        found_ = WithDialog(
            kBrowseTitle, button,
            [&] {
                chosen = services_.BrowseForFolder(reinterpret_cast<NativeHandle>(owner_), Utf8(kBrowseTitle),
                                                   startFolder, kNewDialogStyle);
            },
            [&](HWND dialog) {
                seenOwner_ = GetWindow(dialog, GW_OWNER);
                for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
                    selected_ = SelectedTreeItemText(dialog);
                    if (selection.empty() || selected_ == selection) break;
                    Sleep(kPollMs);
                }
            });
        return chosen;
    }

    bool found_ = false;
    HWND seenOwner_ = nullptr;
    std::wstring selected_;
};

TEST_F(BrowseTest, OpensOnTheStartFolderAndReturnsItOnOk) {
    const std::wstring start = folder_ / L"桌面文件夹";
    ASSERT_TRUE(CreateDirectoryW(start.c_str(), nullptr));
    // Wine's first folder dialog in a process may come up before its tree can
    // take a selection; one shown before makes the check about the service.
    Browse(Utf8(start) + "\\", L"", IDCANCEL);
    const std::string chosen = Browse(Utf8(start) + "\\", L"桌面文件夹", IDOK);
    ASSERT_TRUE(found_);
    EXPECT_EQ(seenOwner_, owner_);
    EXPECT_EQ(selected_, L"桌面文件夹");
    EXPECT_EQ(chosen, Utf8(start));
}

TEST_F(BrowseTest, CancelGivesTheEmptyText) {
    const std::wstring& path = folder_.Path();
    const std::string chosen = Browse(Utf8(path) + "\\", path.substr(path.rfind(L'\\') + 1), IDCANCEL);
    ASSERT_TRUE(found_);
    EXPECT_EQ(chosen, "");
}

TEST_F(BrowseTest, MissingStartFolderStillOpensTheDialog) {
    const std::string chosen = Browse(Utf8(folder_ / L"missing") + "\\", L"", IDCANCEL);
    ASSERT_TRUE(found_);
    EXPECT_NE(selected_, L"missing");
    EXPECT_EQ(chosen, "");
}

}  // namespace
}  // namespace quillory::win32
