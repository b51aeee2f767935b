#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "app/scripted_extraction.h"
#include "harness.h"

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.services.AddFolder(std::string(kProgramFolder) + "\\PLXE");
        h.services.SetRegistryText(RegistryRoot::LocalMachine, kComputerNameKey, "ALICE");
    }
    void Start() { h.Start(); }

    Harness h;
};

TEST_F(StartupTest, CreatedEventRunsSkinThenStorageSetUpInOrder) {
    h.services.AddFile("C:\\Users\\ALICE\\Desktop\\notes.txt");
    Start();

    EXPECT_THAT(h.skin.calls, ElementsAre("SkinH_Attach", "SkinH_AttachEx PLXE\\skinh.she|", "SkinH_AdjustHSV 55 0 0"));
    EXPECT_EQ(h.globals.computerName, "ALICE");
    EXPECT_EQ(h.ui.drives.LastSetText(), "C");
    EXPECT_EQ(h.ui.folders.CurrentFolder(), "C:\\Users\\ALICE\\Desktop\\");
    EXPECT_EQ(h.ui.folders.Changes(), 1);
    EXPECT_EQ(h.ListedNames(), std::vector<std::string>{"notes.txt"});
    EXPECT_TRUE(h.services.FolderExists(kStorageFolder));
    EXPECT_EQ(h.ui.storageLabel.Text(), kStorageFolder);
    EXPECT_EQ(h.services.IniFileText(kSettingsFile), std::string("[存放路径]\r\n路径=") + kStorageFolder + "\r\n");
    EXPECT_TRUE(h.services.FileExists(kDayFile));
    EXPECT_EQ(h.services.FileBytes(kDayFile), "");
    EXPECT_TRUE(h.services.Messages().empty());

    // The registry is read before the folder is scanned, the storage folder
    // created before the settings file is written, the probe last.
    const auto& calls = h.services.Calls();
    auto position = [&](const std::string& prefix) {
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
        }
        return -1;
    };
    EXPECT_LT(position("ReadRegistryText"), position("FindFiles"));
    EXPECT_LT(position("FindFiles"), position("CreateFolder"));
    EXPECT_LT(position("CreateFolder"), position("RemoveLeftoverTemporaryFiles"));
    EXPECT_LT(position("RemoveLeftoverTemporaryFiles"), position("WriteIniText"));
    EXPECT_LT(position("WriteIniText"), position("CreateNewFile"));
}

// The storage is made ready in the background; a block or a choice asked
// for meanwhile waits behind it, so that nothing is written before the
// leftovers of a crash are dealt with or beside the start's settings write.
TEST_F(StartupTest, WhatIsAskedOfTheStorageBeforeItIsReadyRunsAfterIt) {
    h.runner.holdWork = true;
    Start();
    h.runner.holdWork = false;
    h.OpenFolderWith("D:\\K", {"a"});
    h.Click(ControlId::按钮提取文件名);
    h.Choose(Command::OrderName);
    EXPECT_FALSE(h.services.FileExists(kDayFile));
    EXPECT_TRUE(h.actions.Working());

    std::exchange(h.runner.held, {}).back()();  // the storage's line; the start folder's listing is let go
    EXPECT_EQ(h.services.FileBytes(kDayFile), "\r\na\r\n");
    const auto& calls = h.services.Calls();
    const auto first = [&](const std::string& prefix) {
        return std::ranges::find_if(calls, [&](const std::string& call) { return call.starts_with(prefix); });
    };
    EXPECT_LT(first("RemoveLeftoverTemporaryFiles"), first("CreateNewFile"));
    EXPECT_LT(first("CreateNewFile"), first("InsertLine"));
    EXPECT_LT(first("WriteIniText 存放路径"), first("WriteIniText 选项"));
}

TEST_F(StartupTest, MissingComputerNameGivesTheDoubleBackslashAndNoMessage) {
    h.services.SetRegistryText(RegistryRoot::LocalMachine, kComputerNameKey, "");
    Start();
    EXPECT_EQ(h.globals.computerName, "");
    EXPECT_EQ(h.ui.folders.CurrentFolder(), "C:\\Users\\\\Desktop\\");
    EXPECT_EQ(h.ui.fileList.ListCount(), 0);
    EXPECT_TRUE(h.services.Messages().empty());
}

TEST_F(StartupTest, ExistingDayFileKeepsItsContentAndIsNotRewritten) {
    h.services.AddFile(kDayFile, "earlier\r\n");
    Start();
    EXPECT_EQ(h.services.FileBytes(kDayFile), "earlier\r\n");
    for (const std::string& call : h.services.Calls()) EXPECT_EQ(call.find("CreateNewFile"), std::string::npos);
    EXPECT_TRUE(h.services.Messages().empty());
}

// The first line as it always was, then the folder and the reason as a scripted run gives them.
TEST_F(StartupTest, UnwritableProgramFolderShowsThePermissionMessageOnceAndTheLabelStillShowsThePath) {
    h.services.MakeUnwritable(kProgramFolder);
    Start();
    ASSERT_EQ(h.services.Messages().size(), 1u);
    const std::string firstLine = "您好，请确认文件夹所在磁盘具有写入权限！\n";
    const std::string& text = h.services.Messages()[0].text;
    EXPECT_EQ(text.substr(0, firstLine.size()), firstLine);
    EXPECT_EQ(h.services.Messages()[0].title, "Velkor工作室提醒您");
    EXPECT_EQ(h.ui.storageLabel.Text(), kStorageFolder);

    fake::FakeServices scripted(kProgramFolder);
    scripted.AddFile("D:\\K\\a");
    scripted.MakeUnwritable(kProgramFolder);
    const std::string refused = RunScriptedExtraction(scripted, *ParseCommandLine(std::vector<std::string>{
                                                                     "--extract", "D:\\K"}).extraction).error;
    const std::string reason = refused.substr(refused.find_last_of('\n') + 1);
    EXPECT_EQ(text, firstLine + kStorageFolder + "\n" + reason);
}

TEST_F(StartupTest, ExistingDayFileInAReadOnlyStorageFolderFailsTheProbe) {
    h.services.AddFile(kDayFile, "kept");
    h.services.MakeUnwritable(kStorageFolder);
    Start();
    ASSERT_EQ(h.services.Messages().size(), 1u);
    EXPECT_NE(h.services.Messages()[0].text.find(std::string("\n") + kStorageFolder + "\n"), std::string::npos);
    EXPECT_EQ(h.services.FileBytes(kDayFile), "kept");
}

// Beyond MAX_PATH the profile functions cannot reach the settings file: the
// start says so once, before anything else, and goes on with the defaults.
TEST(DeepProgramFolder, SettingsOutOfReachAreToldOnceAndTheDefaultsUsedInTheWindowAndTheScriptedRun) {
    const std::string deep = "C:\\" + std::string(250, 'd');
    const std::string settingsFile = deep + "\\PLXE\\PLXE.ini";
    const std::string storage = deep + "\\Quillory-存储";
    const std::string told = "程序所在文件夹的路径太深，无法读写设置文件：\n" + settingsFile;

    Harness h(deep);
    fake::FakeServices& services = h.services;
    services.SetIniFileText(settingsFile, "[皮肤颜色变化-色调]\r\n色调=-30\r\n[选项]\r\n名称格式=完整路径\r\n");
    h.Start();
    ASSERT_EQ(services.Messages().size(), 1u);
    EXPECT_EQ(services.Messages()[0].text.substr(0, told.size()), told);
    EXPECT_EQ(services.Messages()[0].title, "Velkor工作室提醒您");
    EXPECT_EQ(h.skin.calls.back(), "SkinH_AdjustHSV 55 0 0");
    EXPECT_EQ(services.IniFileText(settingsFile).find(storage), std::string::npos);
    EXPECT_TRUE(services.FileExists(storage + "\\" + kToday + ".txt"));

    services.AddFile("D:\\K\\a");
    const ScriptedOutcome run =
        RunScriptedExtraction(services, *ParseCommandLine(std::vector<std::string>{"--extract", "D:\\K"}).extraction);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.error.substr(0, told.size()), told);
    EXPECT_EQ(services.FileBytes(storage + "\\" + kToday + ".txt"), "\r\na\r\n");  // the name alone: the default form
}

TEST_F(StartupTest, MissingSideFolderLeavesNoSettingsFileAndReportsNothing) {
    Harness bare;
    bare.services.SetRegistryText(RegistryRoot::LocalMachine, kComputerNameKey, "ALICE");
    bare.Start();
    EXPECT_FALSE(bare.services.FileExists(kSettingsFile));
    EXPECT_TRUE(bare.services.Messages().empty());
    EXPECT_THAT(bare.skin.calls.back(), "SkinH_AdjustHSV 55 0 0");
}

TEST_F(StartupTest, SecondStartRewritesTheStoragePathAndKeepsTheColourEntries) {
    h.services.SetIniFileText(kSettingsFile,
                              "[存放路径]\r\n路径=D:\\old\r\n[皮肤颜色变化-色调]\r\n色调=-30\r\n");
    Start();
    EXPECT_EQ(h.services.IniFileText(kSettingsFile),
              std::string("[存放路径]\r\n路径=") + kStorageFolder + "\r\n[皮肤颜色变化-色调]\r\n色调=-30\r\n");
    EXPECT_EQ(h.skin.calls.back(), "SkinH_AdjustHSV -30 0 0");
}

TEST_F(StartupTest, OnlyTheExactUtf8SettingMakesTheDayFileWithTheMarkAndItIsNeverWritten) {
    for (const char* value : {"UTF-8", "utf8", "GBK"}) {
        Harness one;
        one.services.SetRegistryText(RegistryRoot::LocalMachine, kComputerNameKey, "ALICE");
        const std::string ini = std::string("[输出编码]\r\n编码=") + value + "\r\n";
        one.services.SetIniFileText(kSettingsFile, ini);
        one.Start();
        EXPECT_EQ(one.services.FileBytes(kDayFile), value == std::string("UTF-8") ? "\xEF\xBB\xBF" : "") << value;
        EXPECT_NE(one.services.IniFileText(kSettingsFile).find(ini), std::string::npos);
    }
}

TEST_F(StartupTest, UnderUtf8AnAnsiDayFileMadeEarlierStaysAnsi) {
    h.services.SetIniFileText(kSettingsFile, "[输出编码]\r\n编码=UTF-8\r\n");
    h.services.AddFile(kDayFile, "ansi\r\n");
    Start();
    h.OpenFolderWith("D:\\K", {"a"});
    h.Click(ControlId::按钮提取文件名);
    EXPECT_EQ(h.services.FileBytes(kDayFile), "\r\na\r\nansi\r\n");
}

TEST_F(StartupTest, QuitClosesTheWindow) {
    h.Choose(Command::Quit);
    EXPECT_TRUE(h.window.closed);
}

}  // namespace
}  // namespace quillory::testing
