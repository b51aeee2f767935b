// The shell's folder dialog, driven from a second thread while the test's
// thread waits in it.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/win32/encoding.h"
#include "platform/win32/win32_services.h"
#include "support/test_folder.h"

namespace quillory::win32 {
namespace {

using testing::TestFolder;

constexpr wchar_t kTitle[] = L"选择目录";
constexpr std::uint32_t kNewDialogStyle = 0x40;
constexpr DWORD kWaitMs = 10000;
constexpr DWORD kPollMs = 50;

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

BOOL CALLBACK FindTitleText(HWND child, LPARAM found) {
    if (TextOf(child) != kTitle) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

BOOL CALLBACK FindBrowseDialog(HWND window, LPARAM dialog) {
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    bool hasTitle = false;
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) EnumChildWindows(window, FindTitleText, reinterpret_cast<LPARAM>(&hasTitle));
    if (!hasTitle) return TRUE;
    *reinterpret_cast<HWND*>(dialog) = window;
    return FALSE;
}

BOOL CALLBACK FindTree(HWND child, LPARAM tree) {
    wchar_t className[32] = L"";
    GetClassNameW(child, className, 32);
    if (std::wstring(className) != WC_TREEVIEWW) return TRUE;
    *reinterpret_cast<HWND*>(tree) = child;
    return FALSE;
}

std::wstring SelectedItemText(HWND dialog) {
    HWND tree = nullptr;
    EnumChildWindows(dialog, FindTree, reinterpret_cast<LPARAM>(&tree));
    if (!tree) return {};
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return {};
    wchar_t text[MAX_PATH] = L"";
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
    return text;
}

// What the second thread saw of the dialog before it pressed the button.
struct Seen {
    HWND owner = nullptr;
    std::wstring selected;
    bool found = false;
};

class BrowseTest : public ::testing::Test {
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

    // Opens the dialog; the second thread waits for it, looks at it, waits
    // until the tree shows `selection` when one is awaited, and presses `button`.
    std::string Browse(const std::string& startFolder, const std::wstring& selection, int button) {
        const DWORD testThread = GetCurrentThreadId();
        std::thread presser([&, testThread] {
            HWND dialog = nullptr;
            for (DWORD waited = 0; !dialog && waited < kWaitMs; waited += kPollMs) {
                Sleep(kPollMs);
                EnumThreadWindows(testThread, FindBrowseDialog, reinterpret_cast<LPARAM>(&dialog));
            }
            if (!dialog) return;
            seen_.found = true;
            seen_.owner = GetWindow(dialog, GW_OWNER);
            for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
                seen_.selected = SelectedItemText(dialog);
                if (selection.empty() || seen_.selected == selection) break;
                Sleep(kPollMs);
            }
            SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        });
        Win32Services services("C:\\");
        const std::string chosen =
            services.BrowseForFolder(reinterpret_cast<NativeHandle>(owner_), Utf8(kTitle), startFolder, kNewDialogStyle);
        presser.join();
        return chosen;
    }

    HWND owner_ = nullptr;
    Seen seen_;
    TestFolder folder_;
};

TEST_F(BrowseTest, OpensOnTheStartFolderAndReturnsItOnOk) {
    const std::wstring start = folder_ / L"桌面文件夹";
    ASSERT_TRUE(CreateDirectoryW(start.c_str(), nullptr));
    const std::string chosen = Browse(Utf8(start) + "\\", L"桌面文件夹", IDOK);
    ASSERT_TRUE(seen_.found);
    EXPECT_EQ(seen_.owner, owner_);
    EXPECT_EQ(seen_.selected, L"桌面文件夹");
    EXPECT_EQ(chosen, Utf8(start));
}

TEST_F(BrowseTest, CancelGivesTheEmptyText) {
    const std::string chosen = Browse(Utf8(folder_.Path()) + "\\", folder_.Path().substr(folder_.Path().rfind(L'\\') + 1),
                                      IDCANCEL);
    ASSERT_TRUE(seen_.found);
    EXPECT_EQ(chosen, "");
}

TEST_F(BrowseTest, MissingStartFolderStillOpensTheDialog) {
    const std::string chosen = Browse(Utf8(folder_ / L"missing") + "\\", L"", IDCANCEL);
    ASSERT_TRUE(seen_.found);
    EXPECT_NE(seen_.selected, L"missing");
    EXPECT_EQ(chosen, "");
}

}  // namespace
}  // namespace quillory::win32
