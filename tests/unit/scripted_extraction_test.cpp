#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "app/scripted_extraction.h"
#include "extract/outcome_messages.h"
#include "harness.h"

namespace quillory::testing {
namespace {

using Arguments = std::vector<std::string>;
constexpr const char* kFolder = "D:\\Photos";

ScriptedExtraction Parsed(const Arguments& arguments) {
    const CommandLine line = ParseCommandLine(arguments);
    EXPECT_FALSE(line.folder);
    return line.extraction.value_or(ScriptedExtraction{"", false, 0, "not a scripted run"});
}

TEST(ScriptedArguments, OptionsComeInAnyOrderAroundTheOneFolder) {
    const ScriptedExtraction plain = Parsed({"--extract", kFolder});
    EXPECT_EQ(plain.folder, kFolder);
    EXPECT_FALSE(plain.forward);
    EXPECT_EQ(plain.blankLines, 1);
    EXPECT_EQ(plain.fault, "");

    // "D:\" --forward "--blank" -3 --extract, as the system splits it: one argument.
    const ScriptedExtraction mixed = Parsed({"D:\" --forward --blank -3 --extract"});
    EXPECT_EQ(mixed.folder, "D:\\");
    EXPECT_TRUE(mixed.forward);
    EXPECT_EQ(mixed.blankLines, -3);
    EXPECT_EQ(mixed.fault, "");

    EXPECT_EQ(Parsed({"--extract", kFolder, "--blank", "+99999999999"}).blankLines, INT32_MAX);
    // Without --extract the first argument is the folder to show, as before.
    EXPECT_EQ(ParseCommandLine(Arguments{"--forward"}).folder, "--forward");
    EXPECT_FALSE(ParseCommandLine(Arguments{kFolder, "--blank"}).extraction);
}

TEST(ScriptedArguments, EachFaultIsNamed) {
    const std::pair<Arguments, std::string> cases[] = {
        {{"--extract"}, "缺少要提取的文件夹。"},
        {{"--extract", kFolder, "E:\\"}, "多余的参数：E:\\"},
        {{"--extract", kFolder, "--backward"}, "未知的选项：--backward"},
        {{"--extract", kFolder, "-b"}, "未知的选项：-b"},
        {{"--extract", kFolder, "--blank"}, "--blank 后须跟一个整数（每个名称前的空白行数）"},
        {{"--extract", kFolder, "--blank", "2.9"}, "--blank 后须跟一个整数（每个名称前的空白行数）"},
        {{"--extract", "--blank", "--forward", kFolder}, "--blank 后须跟一个整数（每个名称前的空白行数）"},
        {{"--extract", kFolder, "--blank", ""}, "--blank 后须跟一个整数（每个名称前的空白行数）"},
    };
    for (const auto& [arguments, fault] : cases) EXPECT_EQ(Parsed(arguments).fault, fault) << arguments.back();
}

class ScriptedRun : public ::testing::Test {
protected:
    ScriptedRun() {
        services.SetToday(kToday);
        services.AddFolder(std::string(kProgramFolder) + "\\PLXE");
    }
    ScriptedOutcome Run(const Arguments& arguments) {
        return RunScriptedExtraction(services, *ParseCommandLine(arguments).extraction);
    }
    std::string Day() const { return services.FileBytes(kDayFile); }

    fake::FakeServices services{kProgramFolder};
};

// The bytes a press of 立即提取 leaves after the same folder was opened in the window.
std::string WindowWrites(const std::vector<std::string>& names, bool forward, const std::string& blankLines) {
    Harness h;
    h.services.AddFolder(kStorageFolder);
    h.services.AddFile(kDayFile);
    h.ui.storageLabel.SetText(kStorageFolder);
    h.services.AddFile(std::string(kFolder) + "\\hidden.txt", "", true);
    h.services.AddFolder(std::string(kFolder) + "\\sub");
    h.OpenFolderWith(kFolder, names);
    if (forward) h.Choose(Command::ForwardOrder);
    h.ui.blankLines.SetText(blankLines);
    h.Click(ControlId::按钮提取文件名);
    return h.services.FileBytes(kDayFile);
}

TEST_F(ScriptedRun, WritesWhatTheWindowWritesWithEveryListedFileTicked) {
    std::vector<std::string> names;
    for (int i = 0; i < 205; ++i) names.push_back("文件" + std::to_string(i));
    services.AddFile(std::string(kFolder) + "\\hidden.txt", "", true);
    services.AddFolder(std::string(kFolder) + "\\sub");
    for (const std::string& name : names) services.AddFile(std::string(kFolder) + "\\" + name);

    const std::pair<Arguments, std::string> runs[] = {
        {{"--extract", kFolder}, WindowWrites(names, false, "1")},
        {{"--extract", kFolder, "--forward", "--blank", "2"}, WindowWrites(names, true, "2")},
        {{"--blank", "-1", "--extract", kFolder}, WindowWrites(names, false, "-1")},
    };
    std::string older;
    for (const auto& [arguments, windowBytes] : runs) {
        const ScriptedOutcome outcome = Run(arguments);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_EQ(outcome.output, kDayFile);
        EXPECT_EQ(outcome.error, "");
        ASSERT_NE(windowBytes.find("文件199\r\n"), std::string::npos);
        ASSERT_EQ(windowBytes.find("文件200"), std::string::npos);
        EXPECT_EQ(Day(), windowBytes + older);  // each block in front of the one before
        older = Day();
    }
    // Made ready as a start makes it, with no box at any point.
    EXPECT_EQ(services.IniFileText(kSettingsFile), std::string("[存放路径]\r\n路径=") + kStorageFolder + "\r\n");
    EXPECT_NE(std::ranges::find(services.Calls(), std::string("RemoveLeftoverTemporaryFiles ") + kStorageFolder),
              services.Calls().end());
    EXPECT_TRUE(services.Messages().empty());
}

TEST_F(ScriptedRun, TheOutputEncodingSettingMakesTheNewDaysFile) {
    services.SetIniFileText(kSettingsFile, "[输出编码]\r\n编码=UTF-8\r\n");
    services.AddFile(std::string(kFolder) + "\\a");
    EXPECT_EQ(Run({"--extract", kFolder}).exitCode, 0);
    EXPECT_EQ(Day(), "\xEF\xBB\xBF\r\na\r\n");
}

TEST_F(ScriptedRun, NothingWrittenGivesExitOneAndTheReasonWithoutABox) {
    services.AddFolder(kFolder);
    ScriptedOutcome empty = Run({"--extract", kFolder});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.error, std::string("所选待提取名称为空！\n") + kFolder);
    EXPECT_EQ(Day(), "");  // the storage was made ready all the same

    services.AddFile(std::string(kFolder) + "\\a");
    const ScriptedOutcome large = Run({"--extract", kFolder, "--blank", "33554432"});  // 64 MiB + 3 bytes
    EXPECT_EQ(large.exitCode, 1);
    EXPECT_NE(large.error.find("65 MB"), std::string::npos) << large.error;

    WriteOutcome held;
    held.fault = WriteFault::Held;
    services.FailWrites(kDayFile, held);
    const ScriptedOutcome failed = Run({"--extract", kFolder});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.error, WriteFailureMessage(held, kDayFile));
    EXPECT_EQ(failed.output, "");

    EXPECT_EQ(Day(), "");
    EXPECT_TRUE(services.Messages().empty());
}

TEST_F(ScriptedRun, BadArgumentsGiveExitTwoWithUsageAndTouchNothing) {
    services.AddFile(std::string(kFolder) + "\\a.txt");
    for (const Arguments& arguments : {Arguments{"--extract", "D:\\Missing"}, Arguments{"--extract", kFolder, "--x"},
                                       Arguments{"--extract", std::string(kFolder) + "\\a.txt"}}) {
        const ScriptedOutcome outcome = Run(arguments);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_NE(outcome.error.find("用法：Quillory.exe --extract 文件夹"), std::string::npos) << outcome.error;
    }
    EXPECT_FALSE(services.FolderExists(kStorageFolder));
    EXPECT_EQ(services.IniFileText(kSettingsFile), "");
    EXPECT_TRUE(services.Messages().empty());
}

}  // namespace
}  // namespace quillory::testing
