#include "browse/win32/drive_box_control.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "support/control_host.h"

namespace quillory {
namespace {

using testing::ControlHost;
using win32::DriveBoxControl;

class DriveBoxTest : public ::testing::Test {
protected:
    DriveBoxTest() { host.Reflect(box); }

    HWND Combo() const { return box.Handle(); }

    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        const int count = static_cast<int>(SendMessageW(Combo(), CB_GETCOUNT, 0, 0));
        for (int item = 0; item < count; ++item) {
            wchar_t text[MAX_PATH + 8] = {};
            SendMessageW(Combo(), CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
            texts.push_back(win32::Utf8(text));
        }
        return texts;
    }

    std::string Selected() const {
        const auto item = SendMessageW(Combo(), CB_GETCURSEL, 0, 0);
        return item < 0 ? std::string() : Shown().at(static_cast<std::size_t>(item));
    }

    void PressKey(UINT key) {
        PostMessageW(Combo(), WM_KEYDOWN, key, 1);
        PostMessageW(Combo(), WM_KEYUP, key, 0xC0000001);
        host.Pump();
    }

    // As the combo box tells its parent of a new selection.
    void UserSelects(int item) {
        SendMessageW(Combo(), CB_SETCURSEL, item, 0);
        SendMessageW(host.Parent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo()), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Combo()));
    }

    ControlHost host;
    DriveBoxControl box{host.Parent(), RowOf(ControlId::驱动器框文件名提取), host.Font(), host.Recorder()};
};

TEST_F(DriveBoxTest, ListsEveryDriveOfTheComputerWithItsLetter) {
    std::vector<std::string> letters;
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (drives & (1u << (letter - 'a'))) letters.push_back(std::string{letter, ':'});
    }
    const std::vector<std::string> shown = Shown();
    ASSERT_EQ(shown.size(), letters.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].substr(0, 2), letters[i]);
        EXPECT_TRUE(shown[i].size() == 2 || shown[i].substr(2, 2) == " [") << shown[i];
    }
    EXPECT_NE(std::find(letters.begin(), letters.end(), "z:"), letters.end()) << "Wine maps Z: to /";
}

TEST_F(DriveBoxTest, TakesALetterOrAPathsFirstThreeCharactersAndRaisesNothing) {
    box.SetCurrentDrive("Z:\\");
    EXPECT_EQ(box.CurrentDrive(), "Z");
    EXPECT_EQ(Selected().substr(0, 2), "z:");

    box.SetCurrentDrive("c");
    EXPECT_EQ(box.CurrentDrive(), "C");
    EXPECT_EQ(Selected().substr(0, 2), "c:");
    EXPECT_TRUE(host.events.empty());
}

TEST_F(DriveBoxTest, ATextNamingNoDriveLeavesItUnchangedAndUsable) {
    box.SetCurrentDrive("Z");
    box.SetCurrentDrive("\\\\s");
    EXPECT_EQ(box.CurrentDrive(), "Z");
    box.SetCurrentDrive("");
    EXPECT_EQ(box.CurrentDrive(), "Z");
    EXPECT_TRUE(IsWindowEnabled(Combo()));

    box.SetCurrentDrive("C");
    EXPECT_EQ(box.CurrentDrive(), "C");
}

TEST_F(DriveBoxTest, AUserChoiceRaisesDriveChangedOnce) {
    box.SetCurrentDrive("C");
    const auto drives = Shown();
    const auto z = std::find_if(drives.begin(), drives.end(), [](const std::string& text) { return text[0] == 'z'; });
    ASSERT_NE(z, drives.end());

    UserSelects(static_cast<int>(z - drives.begin()));
    EXPECT_EQ(host.events, std::vector<Event>{Event::DriveChanged});
    EXPECT_EQ(box.CurrentDrive(), "Z");

    UserSelects(static_cast<int>(z - drives.begin()));
    EXPECT_EQ(host.Count(Event::DriveChanged), 1) << "the same drive again is no change";
}

TEST_F(DriveBoxTest, ArrowKeysChooseAtOnceWhileClosedButOnlyOnEnterWhileOpen) {
    box.SetCurrentDrive("C");
    PressKey(VK_DOWN);
    EXPECT_EQ(host.Count(Event::DriveChanged), 1);
    const std::string chosen = box.CurrentDrive();
    EXPECT_NE(chosen, "C");

    PressKey(VK_UP);
    EXPECT_EQ(host.Count(Event::DriveChanged), 2);

    SendMessageW(Combo(), CB_SHOWDROPDOWN, TRUE, 0);
    PressKey(VK_DOWN);
    EXPECT_EQ(host.Count(Event::DriveChanged), 2) << "browsing the open list";
    PressKey(VK_RETURN);
    EXPECT_EQ(host.Count(Event::DriveChanged), 3);
    EXPECT_EQ(box.CurrentDrive(), chosen);
    EXPECT_FALSE(SendMessageW(Combo(), CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(DriveBoxTest, OpeningTheListReadsTheDrivesAgainAndKeepsTheChoice) {
    box.SetCurrentDrive("Z");
    const auto before = Shown();

    SendMessageW(Combo(), CB_SHOWDROPDOWN, TRUE, 0);
    host.Pump();
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(box.CurrentDrive(), "Z");
    SendMessageW(Combo(), CB_SHOWDROPDOWN, FALSE, 0);
    host.Pump();
    EXPECT_TRUE(host.events.empty()) << "closing on the same drive chooses nothing";
}

}  // namespace
}  // namespace quillory
