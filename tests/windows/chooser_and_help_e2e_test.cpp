// The folder chooser and the help items in the real window: the shell's
// dialog answered from a helper thread, the browser replaced by a recorder.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/encoding.h"
#include "support/folder_dialog_answerer.h"
#include "support/test_app.h"
#include "support/window_queries.h"

namespace quillory::testing {
namespace {

using win32::Utf8;
using win32::Wide;

std::wstring ComputerName() {
    wchar_t name[256] = L"";
    DWORD size = sizeof(name);
    RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName",
                 L"ComputerName", RRF_RT_REG_SZ, nullptr, name, &size);
    return name;
}

std::string Joined(const std::vector<std::wstring>& chain) {
    std::string text;
    for (const std::wstring& item : chain) text += Utf8(item) + " < ";
    return text;
}

int ItemCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string DriveBoxText(HWND box) {
    const LRESULT selected = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (selected < 0) return {};
    wchar_t text[MAX_PATH] = L"";
    SendMessageW(box, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
    return Utf8(text);
}

class ChooserEndToEnd : public ::testing::Test {
protected:
    std::optional<ShownFolderDialog> Choose(std::optional<std::wstring> folder) {
        FolderDialogAnswerer dialog(std::move(folder));
        app_.Choose(Command::ChooseFolder);
        return dialog.Answered();
    }

    ProgramFolder folder_;
    TestApp app_{folder_.Path()};
};

// The start folder selected: the computer's folder under C:\users holds it.
bool IsStartFolder(const std::vector<std::wstring>& selectionChain) {
    return selectionChain.size() >= 2 && _wcsicmp(selectionChain[1].c_str(), ComputerName().c_str()) == 0;
}

std::optional<ShownFolderDialog> ShowChooserOfANewStart() {
    ProgramFolder folder;
    TestApp app(folder.Path());
    FolderDialogAnswerer dialog(std::nullopt);
    app.Choose(Command::ChooseFolder);
    auto shown = dialog.Answered();
    if (shown) {
        EXPECT_EQ(shown->owner, app.Window());
    }
    return shown;
}

TEST(ChooserStartFolder, DialogOpensOverTheMainWindowOnTheStartFolderOnlyWhenItExists) {
    const std::wstring desktop = L"C:\\users\\" + ComputerName() + L"\\Desktop";
    if (std::filesystem::exists(desktop)) GTEST_SKIP() << "the computer name is also a profile name here";
    std::filesystem::create_directories(desktop);
    // Wine's first folder dialog in a process may come up before its tree can
    // take a selection; one shown before makes the check about the program.
    ShowChooserOfANewStart();
    const auto withStart = ShowChooserOfANewStart();
    std::filesystem::remove(desktop);
    ASSERT_TRUE(withStart.has_value());
    EXPECT_TRUE(IsStartFolder(withStart->initialSelection)) << Joined(withStart->initialSelection);

    const auto withoutStart = ShowChooserOfANewStart();
    ASSERT_TRUE(withoutStart.has_value());
    EXPECT_FALSE(IsStartFolder(withoutStart->initialSelection)) << Joined(withoutStart->initialSelection);
}

TEST_F(ChooserEndToEnd, ChosenFolderIsListedAndBothBoxesFollowIt) {
    TestFolder chosen;
    WriteBytes(chosen / L"one.txt", "1");
    WriteBytes(chosen / L"两.txt", "2");
    ASSERT_TRUE(Choose(chosen.Path()).has_value());

    EXPECT_EQ(ItemCount(app_.Control(ControlId::选择列表框文件列表)), 2);
    const std::string drive = DriveBoxText(app_.Control(ControlId::驱动器框文件名提取));
    ASSERT_FALSE(drive.empty());
    EXPECT_EQ(std::toupper(static_cast<unsigned char>(drive[0])), std::toupper(chosen.Path()[0]));
    const std::wstring leaf = chosen.Path().substr(chosen.Path().rfind(L'\\') + 1);
    bool shown = false;
    for (HWND child : ChildrenOf(app_.Control(ControlId::目录框文件名提取))) {
        const int rows = static_cast<int>(SendMessageW(child, LB_GETCOUNT, 0, 0));
        for (int row = 0; row < rows && !shown; ++row) {
            wchar_t text[MAX_PATH] = L"";
            if (SendMessageW(child, LB_GETTEXTLEN, row, 0) < MAX_PATH) {
                SendMessageW(child, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
            }
            shown = std::wstring(text).find(leaf) != std::wstring::npos;
        }
    }
    EXPECT_TRUE(shown) << "the directory box shows the chosen folder";
}

TEST_F(ChooserEndToEnd, CancelChangesNothing) {
    TestFolder first;
    WriteBytes(first / L"kept.txt", "k");
    ASSERT_TRUE(Choose(first.Path()).has_value());
    const HWND list = app_.Control(ControlId::选择列表框文件列表);
    ASSERT_EQ(ItemCount(list), 1);
    const std::string drive = DriveBoxText(app_.Control(ControlId::驱动器框文件名提取));

    ASSERT_TRUE(Choose(std::nullopt).has_value());
    EXPECT_EQ(ItemCount(list), 1);
    EXPECT_EQ(DriveBoxText(app_.Control(ControlId::驱动器框文件名提取)), drive);
}

// Wine hands web addresses to the programs its browser setting names.
class BrowserRecorder {
public:
    BrowserRecorder() {
        const std::string script = QUILLORY_URL_RECORDER;
        log_ = L"Z:" + Wide(script.substr(0, script.rfind('/'))) + L"/opened-urls.txt";
        for (wchar_t& c : log_) c = c == L'/' ? L'\\' : c;
        DeleteFileW(log_.c_str());
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
        const std::wstring browsers = Wide(script);
        RegSetValueExW(key_, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(browsers.c_str()),
                       static_cast<DWORD>((browsers.size() + 1) * sizeof(wchar_t)));
    }
    ~BrowserRecorder() {
        RegDeleteValueW(key_, L"Browsers");
        RegCloseKey(key_);
        DeleteFileW(log_.c_str());
    }

    // The addresses recorded, once `count` have arrived (or after a while).
    std::vector<std::string> Opened(std::size_t count) const {
        std::vector<std::string> lines;
        for (int wait = 0; wait < 150 && lines.size() < count; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            lines.clear();
            std::string text = ReadBytes(log_);
            for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
                lines.push_back(text.substr(start, end - start));
            }
        }
        return lines;
    }

private:
    HKEY key_ = nullptr;
    std::wstring log_;
};

TEST(HelpEndToEnd, EachItemHandsItsExactAddressToTheBrowser) {
    ProgramFolder folder;
    TestApp app(folder.Path());
    BrowserRecorder browser;
    // One at a time: the browser runs in processes of its own, in any order.
    const std::pair<Command, std::string> items[] = {
        {Command::UsagePage, "https://www.velkor.example/aboutsoftbrimfold.html"},
        {Command::DonationPage, "https://www.velkor.example/juanxian"},
        {Command::UpdatePage, "https://www.velkor.example/softbrimfold.html"},
        {Command::UpdatePage, "https://www.velkor.example/softbrimfold.html"},
    };
    std::vector<std::string> expected;
    for (const auto& [command, address] : items) {
        app.Choose(command);
        expected.push_back(address);
        EXPECT_EQ(browser.Opened(expected.size()), expected);
    }
    EXPECT_FALSE(app.Ended());
}

}  // namespace
}  // namespace quillory::testing
