#include <gtest/gtest.h>

#include <utility>

#include "browse/folder_chooser.h"
#include "harness.h"

namespace quillory::testing {
namespace {

constexpr const char* kFolder = "D:\\Photos";

// The write held as a slow disk would hold it, and let go when the test says.
class WriteUnderWay : public ::testing::Test {
protected:
    void SetUp() override {
        h.services.AddFolder(kStorageFolder);
        h.services.AddFile(kDayFile, "old\r\n");
        h.ui.storageLabel.SetText(kStorageFolder);
        h.OpenFolderWith(kFolder, {"a", "b"});
        h.Choose(Command::ForwardOrder);
        h.runner.holdWork = true;
        h.Click(ControlId::按钮提取文件名);
        h.runner.holdWork = false;
    }
    void WriteEnds() {
        ASSERT_EQ(h.runner.held.size(), 1u);
        std::exchange(h.runner.held, {}).front()();
    }
    std::string Day() const { return h.services.FileBytes(kDayFile); }

    Harness h;
};

TEST_F(WriteUnderWay, APressOrAnotherFolderMeanwhileLeavesTheBlockAsItWasAndItsMessageComesAtItsEnd) {
    EXPECT_EQ(h.window.writtenSoFar, 0u);
    h.Click(ControlId::按钮提取文件名);
    EXPECT_EQ(h.runner.held.size(), 1u) << "a second press adds nothing";
    h.OpenFolderWith("E:\\Other", {"x"});
    EXPECT_EQ(Day(), "old\r\n");
    EXPECT_TRUE(h.services.Messages().empty());

    WriteEnds();
    EXPECT_EQ(Day(), "\r\na\r\n\r\nb\r\nold\r\n");
    ASSERT_EQ(h.services.Messages().size(), 1u);
    EXPECT_EQ(h.services.Messages()[0].text, std::string("提取成功，所在目录为:") + kDayFile);
    EXPECT_FALSE(h.window.writtenSoFar);

    // Once it has ended, the next press writes the folder shown now.
    h.Click(ControlId::按钮提取文件名);
    EXPECT_EQ(Day(), "\r\nx\r\n\r\na\r\n\r\nb\r\nold\r\n");
    EXPECT_EQ(h.services.Messages().size(), 2u);
}

// The window may go at once; the block still goes in whole, and only a
// failure, which nobody would otherwise learn of, is told.
TEST_F(WriteUnderWay, TheWindowGoingLetsTheWriteEndAndTellsOnlyAFailure) {
    h.actions.StopWork();
    WriteEnds();
    EXPECT_EQ(Day(), "\r\na\r\n\r\nb\r\nold\r\n");
    EXPECT_TRUE(h.services.Messages().empty());

    Harness failing;
    failing.services.AddFolder(kStorageFolder);
    failing.services.AddFile(kDayFile, "old\r\n");
    failing.services.FailWrites(kDayFile, {WriteFault::DiskFull, 112, "磁盘空间不足。", 10, 5});
    failing.ui.storageLabel.SetText(kStorageFolder);
    failing.OpenFolderWith(kFolder, {"a"});
    failing.runner.holdWork = true;
    failing.Click(ControlId::按钮提取文件名);
    failing.actions.StopWork();
    std::exchange(failing.runner.held, {}).front()();
    ASSERT_EQ(failing.services.Messages().size(), 1u);
    EXPECT_EQ(failing.services.Messages()[0].kind, fake::MessageKind::Warning);
    EXPECT_EQ(failing.services.FileBytes(kDayFile), "old\r\n");
}

TEST(HandedFolder, IsTheFolderItselfOrTheFileFolderAndNothingForAPathThatNamesNeither) {
    fake::FakeServices services;
    services.AddFile("E:\\Music\\song.mp3");
    services.AddFile("D:\\top.txt");
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"E:\\Music", "E:\\Music"},
        {"E:\\Music\\song.mp3", "E:\\Music"},
        {"D:\\top.txt", "D:\\"},
        {"E:\\Music\\gone.mp3", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(HandedFolder(services, path), folder) << path;
}

}  // namespace
}  // namespace quillory::testing
