#include <gtest/gtest.h>

#include "harness.h"

namespace quillory::testing {
namespace {

using Names = std::vector<std::string>;

class ChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.services.SetRegistryText(RegistryRoot::LocalMachine, kComputerNameKey, "BOB");
        h.services.AddFolder(std::string(kProgramFolder) + "\\PLXE");
        h.Start();
        scansAfterStart = h.services.FindFilesCalls();
    }
    void ChooseReturning(const std::string& path) {
        h.services.SetNextBrowseResult(path);
        h.Choose(Command::ChooseFolder);
    }

    Harness h;
    int scansAfterStart = 0;
};

TEST_F(ChooserTest, OpensTheDialogOnTheStartFolderOwnedByTheMainWindow) {
    ChooseReturning("");
    ChooseReturning("");
    ASSERT_EQ(h.services.BrowseCalls().size(), 2u);
    for (const auto& call : h.services.BrowseCalls()) {
        EXPECT_EQ(call.owner, h.window.WindowHandle());
        EXPECT_EQ(call.title, "选择目录");
        EXPECT_EQ(call.startFolder, "C:\\Users\\BOB\\Desktop\\");
        EXPECT_EQ(call.flags, 0x40u);
    }
}

TEST_F(ChooserTest, ChosenFolderIsListedOnceAndItsDriveShown) {
    h.services.AddFile("E:\\Music\\song.mp3");
    ChooseReturning("E:\\Music");
    EXPECT_EQ(h.ui.folders.CurrentFolder(), "E:\\Music");
    EXPECT_EQ(h.ui.drives.LastSetText(), "E:\\");
    EXPECT_EQ(h.ui.drives.CurrentDrive(), "E");
    EXPECT_EQ(h.ListedNames(), Names{"song.mp3"});
    EXPECT_EQ(h.services.FindFilesCalls(), scansAfterStart + 1);
}

TEST_F(ChooserTest, DriveRootGoesToBothBoxes) {
    h.services.AddFile("D:\\top.txt");
    ChooseReturning("D:\\");
    EXPECT_EQ(h.ui.folders.CurrentFolder(), "D:\\");
    EXPECT_EQ(h.ui.drives.LastSetText(), "D:\\");
    EXPECT_EQ(h.ListedNames(), Names{"top.txt"});
}

TEST_F(ChooserTest, NetworkPathKeepsTheChosenFolderAndHandsTheDriveBoxItsFirstThreeCharacters) {
    ChooseReturning("\\\\server\\share\\docs");
    EXPECT_EQ(h.ui.folders.CurrentFolder(), "\\\\server\\share\\docs");
    EXPECT_EQ(h.ui.drives.LastSetText(), "\\\\s");
}

TEST_F(ChooserTest, CancelChangesNothing) {
    const std::string folderBefore = h.ui.folders.CurrentFolder();
    ChooseReturning("");
    EXPECT_EQ(h.ui.folders.CurrentFolder(), folderBefore);
    EXPECT_EQ(h.ui.drives.LastSetText(), "C");
    EXPECT_EQ(h.services.FindFilesCalls(), scansAfterStart);
}

TEST(HelpLinks, EachItemOpensItsPageEveryTimeItIsChosen) {
    Harness h;
    for (int twice = 0; twice < 2; ++twice) {
        h.Choose(Command::UsagePage);
        h.Choose(Command::DonationPage);
        h.Choose(Command::UpdatePage);
    }
    const Names pages{"https://www.velkor.example/aboutsoftbrimfold.html", "https://www.velkor.example/juanxian",
                      "https://www.velkor.example/softbrimfold.html"};
    Names expected = pages;
    expected.insert(expected.end(), pages.begin(), pages.end());
    EXPECT_EQ(h.services.OpenedUrls(), expected);
    EXPECT_TRUE(h.services.Messages().empty());
}

}  // namespace
}  // namespace quillory::testing
