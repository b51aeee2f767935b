#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "app/scripted_extraction.h"
#include "harness.h"

namespace quillory::testing {
namespace {

using Arguments = std::vector<std::string>;
constexpr const char* kFolder = "D:\\Photos";

// Each line as the system hands it over, the program's name first: what a
// start shows or extracts, or why it refuses the line.
TEST(ScriptedArguments, EachLineTakenAsMeantOrRefusedNamingTheArgument) {
    struct Case {
        const char* line;
        bool scripted;
        std::optional<std::string> folder;
        std::string fault;
    };
    const std::string empty = "文件夹参数为空，应为一个文件夹的路径。";
    const std::string pattern = "--include 后须跟文件名模式";
    const Case cases[] = {
        {R"(Q.exe --extract D:\Photos)", true, R"(D:\Photos)", ""},
        {R"("C:\Program Files\Q.exe" "D:\" --forward --blank -3 --extract)", true, R"(D:\)", ""},
        {R"(Q.exe "D:\照片\" --include "*.a *.b" --extract)", true, R"(D:\照片\)", ""},
        {R"(Q.exe --extract "D:\\" --blank "2")", true, R"(D:\)", ""},
        {R"(Q.exe "D:\某个 文件夹\" E:\)", false, R"(D:\某个 文件夹\)", ""},
        {R"(Q.exe)", false, std::nullopt, ""},
        {R"(Q.exe -extract D:\x)", true, "", "未知的选项：-extract（应为 --extract）"},
        {R"(Q.exe /extract D:\x)", true, "", "未知的选项：/extract（应为 --extract）"},
        {R"(Q.exe --Extract D:\x)", true, "", "未知的选项：--Extract（应为 --extract）"},
        {R"(Q.exe —extract D:\x)", true, "", "未知的选项：—extract（应为 --extract）"},
        {R"(Q.exe D:\x –extract)", true, "", "未知的选项：–extract（应为 --extract）"},
        {R"(Q.exe --extract D:\x -forward)", true, "", "未知的选项：-forward（应为 --forward）"},
        {R"(Q.exe --extract D:\x -b)", true, "", "未知的选项：-b"},
        {R"(Q.exe /x D:\x)", false, std::nullopt, "未知的选项：/x"},
        {R"(Q.exe D:\x --recurse)", false, std::nullopt, "--recurse 只能与 --extract 或 --list 同用。"},
        {R"(Q.exe "")", false, std::nullopt, empty},
        {R"(Q.exe --extract ")", true, "", empty},
        {R"(Q.exe --extract \")", true, "", empty},
        {R"(Q.exe --extract "\"")", true, "", empty},
        {R"(Q.exe --extract)", true, "", "缺少要提取的文件夹。"},
        {R"(Q.exe --extract D:\x E:\)", true, "", R"(多余的参数：E:\)"},
        {R"(Q.exe --extract D:\x --include --recurse)", true, "", pattern},
        {R"(Q.exe --extract D:\x --include ";;")", true, "", pattern},
        {R"(Q.exe --extract D:\x --include " ")", true, "", pattern},
        {R"(Q.exe --extract D:\x --include)", true, "", pattern},
        {R"(Q.exe --extract D:\x --blank 2.9)", true, "", "--blank 后须跟一个整数（每个名称前的空白行数）"},
        {R"(Q.exe --extract --blank --forward D:\x)", true, "", "--blank 后须跟一个整数（每个名称前的空白行数）"},
        {R"(Q.exe --extract D:\x --name --sort)", true, "", "--name 后须跟name、stem、path 或 details（名称格式）"},
        {R"(Q.exe --list D:\x --utf8 --recurse)", true, R"(D:\x)", ""},
        {R"(Q.exe --extract D:\x --utf8)", true, "", "--utf8 只能与 --list 同用。"},
        {R"(Q.exe --extract D:\x --list)", true, "", "--extract 与 --list 不能同用。"},
    };
    for (const Case& c : cases) {
        const CommandLine parsed = ParseCommandLine(SplitCommandLine(c.line));
        EXPECT_EQ(parsed.extraction.has_value(), c.scripted) << c.line;
        if (parsed.extraction) {
            EXPECT_EQ(parsed.extraction->fault, c.fault) << c.line;
            if (c.fault.empty()) {
                EXPECT_EQ(parsed.extraction->folder, c.folder) << c.line;
            }
        } else {
            EXPECT_EQ(parsed.fault, c.fault) << c.line;
            EXPECT_EQ(parsed.folder, c.folder) << c.line;
        }
    }

    const auto extraction = [](const char* line) { return *ParseCommandLine(SplitCommandLine(line)).extraction; };
    const ScriptedExtraction root = extraction(R"(Q.exe "D:\" --forward --blank -3 --extract)");
    EXPECT_TRUE(root.forward);
    EXPECT_EQ(root.blankLines, -3);
    EXPECT_EQ(extraction(R"(Q.exe "D:\照片\" --include "*.a *.b" --extract)").include, ";*.a *.b");
    EXPECT_EQ(extraction(R"(Q.exe --extract D:\P --blank +99999999999)").blankLines, INT32_MAX);
}

class ScriptedRun : public ::testing::Test {
protected:
    ScriptedRun() { services.AddFolder(std::string(kProgramFolder) + "\\PLXE"); }
    ScriptedOutcome Run(const Arguments& arguments) {
        return RunScriptedExtraction(services, *ParseCommandLine(arguments).extraction);
    }
    std::string Day() const { return services.FileBytes(kDayFile); }

    fake::FakeServices services{kProgramFolder};
};

// The bytes 立即提取 leaves after the same folder was opened in the window.
std::string WindowWrites(const std::vector<std::string>& names, bool forward, const std::string& blankLines) {
    Harness h;
    h.services.AddFolder(kStorageFolder);
    h.services.AddFile(kDayFile);
    h.ui.storageLabel.SetText(kStorageFolder);
    h.services.AddFile(std::string(kFolder) + "\\hidden.txt", "", true);
    h.OpenFolderWith(kFolder, names);
    if (forward) h.Choose(Command::ForwardOrder);
    h.ui.blankLines.SetText(blankLines);
    h.Click(ControlId::按钮提取文件名);
    return h.services.FileBytes(kDayFile);
}

TEST_F(ScriptedRun, WritesWhatTheWindowWritesWithEveryListedFileTickedAndShowsNothing) {
    std::vector<std::string> names;
    for (int i = 0; i < 205; ++i) names.push_back("文件" + std::to_string(i));
    services.AddFile(std::string(kFolder) + "\\hidden.txt", "", true);
    for (const std::string& name : names) services.AddFile(std::string(kFolder) + "\\" + name);
    services.SetIniFileText(kSettingsFile, "[输出编码]\r\n编码=UTF-8\r\n");

    std::string older = "\xEF\xBB\xBF";  // the setting was read when the day's file was made
    for (const auto& [arguments, windowBytes] :
         {std::pair{Arguments{"--extract", kFolder}, WindowWrites(names, false, "1")},
          std::pair{Arguments{"--blank", "-1", "--forward", "--extract", kFolder}, WindowWrites(names, true, "-1")}}) {
        const ScriptedOutcome outcome = Run(arguments);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_EQ(outcome.output, kDayFile);
        ASSERT_NE(windowBytes.find("文件199\r\n"), std::string::npos);
        EXPECT_EQ(Day(), "\xEF\xBB\xBF" + windowBytes + older.substr(3));
        older = Day();
    }
    EXPECT_NE(services.IniFileText(kSettingsFile).find(std::string("路径=") + kStorageFolder), std::string::npos);
    EXPECT_NE(std::ranges::find(services.Calls(), std::string("RemoveLeftoverTemporaryFiles ") + kStorageFolder),
              services.Calls().end());
    EXPECT_TRUE(services.Messages().empty());
}

// --list: what --extract would write, all of it, with no storage made (the
// end-to-end test checks that nothing at all is written, and the exit codes).
TEST_F(ScriptedRun, ListHandsOverWhatExtractWouldWriteBeyondTheTwoHundred) {
    for (int i = 0; i < 205; ++i) services.AddFile(std::string(kFolder) + "\\n" + std::to_string(i) + ".txt");
    services.AddFile(std::string(kFolder) + "\\skip.log");
    const ScriptedOutcome listed =
        Run({"--list", kFolder, "--forward", "--blank", "2", "--name", "stem", "--exclude", "*.log"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.output, "");
    EXPECT_EQ(listed.error, "");
    ASSERT_EQ(listed.names.names.size(), 205u);
    EXPECT_EQ(listed.names.names.front(), "n0");
    EXPECT_EQ(listed.names.names.back(), "n204");
    EXPECT_EQ(listed.names.blankLinesBefore, 2);
    EXPECT_EQ(Run({"--list", kFolder, "--exclude", "*.log"}).names.names.front(), "n204.txt") << "reverse unless --forward";
    EXPECT_FALSE(services.FolderExists(kStorageFolder));
}

TEST_F(ScriptedRun, FollowsTheStoredChoicesAndTheFlagsOverrideThemForThisRunAlone) {
    for (const char* name : {"f10.txt", "f2.txt", "f1.txt"}) services.AddFile(std::string(kFolder) + "\\" + name);
    services.AddFile(std::string(kFolder) + "\\h.txt", "", true);
    services.SetIniFileText(kSettingsFile, "[选项]\r\n名称格式=完整路径\r\n排列顺序=名称\r\n");

    ASSERT_EQ(Run({"--extract", kFolder, "--forward", "--blank", "0"}).exitCode, 0);
    const std::string stored = "D:\\Photos\\f1.txt\r\nD:\\Photos\\f2.txt\r\nD:\\Photos\\f10.txt\r\n";
    EXPECT_EQ(Day(), stored);
    ASSERT_EQ(Run({"--extract", kFolder, "--forward", "--blank", "0", "--name", "stem", "--sort", "fs", "--hidden"})
                  .exitCode,
              0);
    EXPECT_EQ(Day(), "f10\r\nf2\r\nf1\r\nh\r\n" + stored);
    EXPECT_NE(services.IniFileText(kSettingsFile).find("排列顺序=名称"), std::string::npos);  // not rewritten
    EXPECT_EQ(Run({"--extract", kFolder, "--sort", "size"}).exitCode, 2);
}

TEST_F(ScriptedRun, RecurseIncludeAndExcludePickTheTreesNamesAndABadPatternIsABadArgument) {
    for (const char* name : {"a.jpg", "b.png", "tmp\\c.jpg", "照片\\d.JPG", "照片\\tmp\\e.jpg"}) {
        services.AddFile(std::string(kFolder) + "\\" + name, "123");
    }
    services.MakeUnreadable(std::string(kFolder) + "\\照片\\tmp", {false, 5, "拒绝访问。"});
    const ScriptedOutcome written =
        Run({"--extract", kFolder, "--recurse", "--include", "*.jpg", "--exclude", "tmp\\*", "--forward", "--blank", "0"});
    EXPECT_EQ(written.exitCode, 0);
    EXPECT_EQ(Day(), "a.jpg\r\n照片\\d.JPG\r\n");
    // Written, and what could not be read is told beside it.
    EXPECT_EQ(written.error.rfind("有 1 个子文件夹无法读取，其中的文件未列出。第一个是：\nD:\\Photos\\照片\\tmp\n", 0), 0u);

    // A tab in a name is a control character of the name; the columns' tabs are the program's own.
    services.AddFile(std::string(kFolder) + "\\t\tb.png", "12");
    ASSERT_EQ(Run({"--extract", kFolder, "--include", "*.png", "--include", "*.jpg", "--name", "details", "--forward",
                   "--blank", "0"})
                  .exitCode,
              0);
    EXPECT_EQ(Day(), "a.jpg\t3\t1601-01-01 00:00:00\r\nb.png\t3\t1601-01-01 00:00:00\r\nt?b.png\t2\t1601-01-01 00:00:00\r\n"
                     "a.jpg\r\n照片\\d.JPG\r\n");

    const ScriptedOutcome bad = Run({"--extract", kFolder, "--exclude", "a:b"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.error.rfind("模式无效：a:b\n", 0), 0u) << bad.error;
    EXPECT_EQ(ParseCommandLine(Arguments{"--extract", kFolder, "--include"}).extraction->fault, "--include 后须跟文件名模式");
}

TEST_F(ScriptedRun, ExitOneWhenNothingWasWrittenAndTwoForBadArgumentsBeforeAnythingIsTouched) {
    services.AddFolder(kFolder);
    EXPECT_EQ(Run({"--extract", "D:\\Missing"}).exitCode, 2);
    const ScriptedOutcome bad = Run({"--extract", kFolder, "--x"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.error.find("用法：Quillory.exe --extract 文件夹"), std::string::npos) << bad.error;
    EXPECT_FALSE(services.FolderExists(kStorageFolder));

    EXPECT_EQ(Run({"--extract", kFolder}).error, std::string("所选待提取名称为空！\n") + kFolder);
    services.AddFile(std::string(kFolder) + "\\a");
    const ScriptedOutcome large = Run({"--extract", kFolder, "--blank", "33554432"});  // 64 MiB + 3 bytes
    EXPECT_EQ(large.exitCode, 1);
    EXPECT_NE(large.error.find("65 MB"), std::string::npos) << large.error;
    EXPECT_EQ(Day(), "");
    EXPECT_TRUE(services.Messages().empty());
}

}  // namespace
}  // namespace quillory::testing
