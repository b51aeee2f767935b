#include <gtest/gtest.h>

#include "harness.h"

namespace quillory::testing {
namespace {

using Names = std::vector<std::string>;
constexpr const char* kFolder = "D:\\Photos";

class ExtractionTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.services.AddFolder(std::string(kProgramFolder) + "\\PLXE");
        h.services.AddFolder(kStorageFolder);
        h.ui.storageLabel.SetText(kStorageFolder);
    }
    void WithDayFile(const std::string& bytes = {}) { h.services.AddFile(kDayFile, bytes); }
    void List(const Names& names) { h.OpenFolderWith(kFolder, names); }
    void Forward() { h.Choose(Command::ForwardOrder); }
    void Extract() { h.Click(ControlId::按钮提取文件名); }
    std::string Day() const { return h.services.FileBytes(kDayFile); }
    const std::vector<fake::ShownMessage>& Messages() const { return h.services.Messages(); }

    Harness h;
};

TEST_F(ExtractionTest, ForwardAndReverseOrderGiveTheExampleBytes) {
    WithDayFile();
    List({"A", "B", "C"});
    Forward();
    Extract();
    EXPECT_EQ(Day(), "\r\nA\r\n\r\nB\r\n\r\nC\r\n");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, std::string("提取成功，所在目录为:") + kDayFile);
    EXPECT_EQ(Messages()[0].title, "Velkor工作室提醒您");
    EXPECT_EQ(h.globals.lineWritten, 1);
    EXPECT_EQ(h.globals.collectedNameCount, 3);

    Harness reverse;
    reverse.services.AddFolder(kStorageFolder);
    reverse.services.AddFile(kDayFile);
    reverse.ui.storageLabel.SetText(kStorageFolder);
    reverse.OpenFolderWith(kFolder, {"A", "B", "C"});
    reverse.Click(ControlId::按钮提取文件名);  // reverse is the initial order
    EXPECT_EQ(reverse.services.FileBytes(kDayFile), "\r\nC\r\n\r\nB\r\n\r\nA\r\n");
}

TEST_F(ExtractionTest, BlankLineCountComesFromTheEditBoxTruncatedTowardZero) {
    const std::pair<std::string, std::string> cases[] = {
        {"2", "\r\n\r\nX\r\n"}, {"2.9", "\r\n\r\nX\r\n"}, {"00", "X\r\n"}, {"-3", "X\r\n"}, {"abc", "X\r\n"}};
    for (const auto& [text, expected] : cases) {
        Harness one;
        one.services.AddFolder(kStorageFolder);
        one.services.AddFile(kDayFile);
        one.ui.storageLabel.SetText(kStorageFolder);
        one.OpenFolderWith(kFolder, {"X"});
        one.ui.blankLines.SetText(text);
        one.Choose(Command::Extract);
        EXPECT_EQ(one.services.FileBytes(kDayFile), expected) << "blank-line text " << text;
        EXPECT_EQ(one.services.Messages().size(), 1u);
    }
}

TEST_F(ExtractionTest, ZeroOrNegativeCountPutsNamesOnConsecutiveLines) {
    WithDayFile("old\r\n");
    List({"a", "b"});
    Forward();
    h.ui.blankLines.SetText("-3");
    Extract();
    EXPECT_EQ(Day(), "a\r\nb\r\nold\r\n");
}

TEST_F(ExtractionTest, EmptyOrZeroCountIsRefusedAndNothingIsWritten) {
    WithDayFile("old");
    List({"a"});
    for (const char* text : {"", "0"}) {
        h.ui.blankLines.SetText(text);
        Extract();
    }
    EXPECT_EQ(Day(), "old");
    ASSERT_EQ(Messages().size(), 2u);
    for (const auto& message : Messages()) {
        EXPECT_EQ(message.text, "请输入空白行数目，不为空且不为零！");
        EXPECT_EQ(message.title, "Velkor工作室提醒您");
    }
}

TEST_F(ExtractionTest, EmptyListIsRefusedFirst) {
    WithDayFile();
    h.ui.blankLines.SetText("");  // would be refused as well
    Extract();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "所选待提取名称为空！");
    EXPECT_EQ(Day(), "");
}

TEST_F(ExtractionTest, NoneTickedWritesNothingAndShowsNothing) {
    WithDayFile("old");
    List({"a", "b"});
    h.Click(ControlId::按钮全部选);
    Extract();
    EXPECT_EQ(Day(), "old");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(h.globals.lineWritten, 0);
}

TEST_F(ExtractionTest, UntickedNamesAreLeftOut) {
    WithDayFile();
    List({"a", "b", "c"});
    h.UserTick(1, false);
    Forward();
    h.ui.blankLines.SetText("-1");
    Extract();
    EXPECT_EQ(Day(), "a\r\nc\r\n");
}

TEST_F(ExtractionTest, SecondBlockGoesInFrontWithAndWithoutAGap) {
    WithDayFile();
    List({"a"});
    Extract();
    Extract();
    EXPECT_EQ(Day(), "\r\na\r\n\r\na\r\n");

    h.ui.blankLines.SetText("00");
    Extract();
    EXPECT_EQ(Day(), "a\r\n\r\na\r\n\r\na\r\n");
}

TEST_F(ExtractionTest, AFileNamedZeroIsWrittenLikeAnyOtherFirstOrBetween) {
    WithDayFile();
    List({"0", "a"});
    Extract();
    h.OpenFolderWith("D:\\Other", {"a", "0", "b"});
    Forward();
    Extract();
    EXPECT_EQ(Day(), "\r\na\r\n\r\n0\r\n\r\nb\r\n\r\na\r\n\r\n0\r\n");
    EXPECT_EQ(h.globals.collectedNameCount, 3);
}

TEST_F(ExtractionTest, TheFirst200TickedAreWrittenAndTheMessageTellsHowManyWereTicked) {
    WithDayFile();
    Names names;
    for (int i = 0; i < 230; ++i) names.push_back("n" + std::to_string(i));
    List(names);
    Forward();
    h.ui.blankLines.SetText("-1");
    Extract();
    std::string expected;
    for (int i = 0; i < 200; ++i) expected += "n" + std::to_string(i) + "\r\n";
    EXPECT_EQ(Day(), expected);
    EXPECT_EQ(h.globals.collectedNameCount, 200);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, std::string("提取成功，所在目录为:") + kDayFile +
                                      "\n共勾选了 230 个名称，每次最多提取 200 个：已写入列表中前 200 个勾选的名称，"
                                      "按所选顺序排列。");
}

TEST_F(ExtractionTest, ANameWhoseFileIsGoneKeepsItsLineWithEmptyDetailsAndIsCounted) {
    WithDayFile();
    List({"a.txt", "gone.txt", "b.txt"});
    h.services.RemoveFile(std::string(kFolder) + "\\gone.txt");
    h.Choose(Command::NameFormDetails);
    Forward();
    h.ui.blankLines.SetText("-1");
    Extract();
    EXPECT_EQ(Day(), "a.txt\t0\t1601-01-01 00:00:00\r\ngone.txt\t\t\r\nb.txt\t0\t1601-01-01 00:00:00\r\n");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, std::string("提取成功，所在目录为:") + kDayFile +
                                      "\n有 1 个名称未能取得大小和修改时间（文件已不存在或无法读取），这些行只有名称。");
}

TEST_F(ExtractionTest, MissingDayFileAndFolderAreMadeAndWritten) {
    List({"a"});
    h.services.RemoveFolder(kStorageFolder);
    Extract();
    EXPECT_EQ(Day(), "\r\na\r\n");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, std::string("提取成功，所在目录为:") + kDayFile);
    EXPECT_EQ(h.globals.lineWritten, 1);
}

TEST_F(ExtractionTest, AfterMidnightTheNewDaysFileIsMadeAndNamed) {
    WithDayFile("yesterday");
    List({"a"});
    h.services.SetToday("2026-12-09");
    Extract();
    const std::string newDay = std::string(kStorageFolder) + "\\2026-12-09.txt";
    EXPECT_EQ(Day(), "yesterday");
    EXPECT_EQ(h.services.FileBytes(newDay), "\r\na\r\n");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "提取成功，所在目录为:" + newDay);
}

TEST_F(ExtractionTest, MidnightDuringTheWriteNamesTheFileWritten) {
    WithDayFile("old");
    List({"a"});
    h.services.PassMidnightAfterNextAsk("2026-12-09");
    Extract();
    EXPECT_EQ(Day(), "\r\na\r\nold");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, std::string("提取成功，所在目录为:") + kDayFile);
}

TEST_F(ExtractionTest, FailuresAreToldWithTheWarningTheReasonAndThePath) {
    WriteOutcome held;
    held.fault = WriteFault::Held;
    WriteOutcome full;
    full.fault = WriteFault::DiskFull;
    full.bytesNeeded = 3u << 20;
    full.bytesFree = 512;
    WriteOutcome other;
    other.fault = WriteFault::Other;
    other.systemError = 1117;
    other.systemText = "设备 I/O 错误。";
    const std::pair<WriteOutcome, std::vector<std::string>> cases[] = {
        {held, {"其他程序"}}, {full, {"3.0 MB", "512 字节"}}, {other, {"设备 I/O 错误。", "1117"}}};
    WithDayFile("old");
    List({"a"});
    for (const auto& [outcome, words] : cases) {
        h.services.FailWrites(kDayFile, outcome);
        Extract();
        ASSERT_FALSE(Messages().empty());
        const auto& shown = Messages().back();
        EXPECT_EQ(shown.kind, fake::MessageKind::Warning);
        EXPECT_EQ(shown.title, "Velkor工作室提醒您");
        EXPECT_NE(shown.text.find(kDayFile), std::string::npos) << shown.text;
        for (const std::string& word : words) EXPECT_NE(shown.text.find(word), std::string::npos) << shown.text;
        EXPECT_EQ(h.globals.lineWritten, 0);
    }
    EXPECT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Day(), "old");
}

// A share of another system may hold such names; each stays on its one line.
TEST_F(ExtractionTest, ControlCharactersInNamesAreWrittenAndCopiedAsQuestionMarksAndCounted) {
    WithDayFile("old\r\n");
    List({"a\nb.txt", "plain", "c\rd\x7F\x01.txt"});
    Forward();
    h.ui.blankLines.SetText("-1");
    Extract();
    EXPECT_EQ(Day(), "a?b.txt\r\nplain\r\nc?d??.txt\r\nold\r\n");
    ASSERT_EQ(Messages().size(), 1u);
    const std::string told = std::string("提取成功，所在目录为:") + kDayFile + "\n有 2 个名称";
    EXPECT_EQ(Messages()[0].text.substr(0, told.size()), told);
    h.Fire(ControlId::选择列表框文件列表, Event::CopyKey);
    EXPECT_EQ(h.services.ClipboardText(), "a?b.txt\r\nplain\r\nc?d??.txt");
}

TEST_F(ExtractionTest, StorageFolderThatCannotBeMadeAgainIsTold) {
    List({"a"});
    h.services.RemoveFolder(kStorageFolder);
    h.services.MakeUnwritable(kProgramFolder);
    Extract();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].kind, fake::MessageKind::Warning);
    EXPECT_NE(Messages()[0].text.find("存储文件夹"), std::string::npos);
}

TEST_F(ExtractionTest, BlockJustAbove64MiBIsAskedForAndWrittenAfterYes) {
    WithDayFile("old");
    List({"a"});
    h.ui.blankLines.SetText("33554432");  // 64 MiB + 3 bytes
    h.services.AnswerQuestions(true);
    Extract();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0].kind, fake::MessageKind::Question);
    EXPECT_EQ(Messages()[1].text, std::string("提取成功，所在目录为:") + kDayFile);
    EXPECT_EQ(Day().size(), (64u << 20) + 3 + 3);
}

// A UTF-16 day's file takes the block in twice the bytes of UTF-8.
TEST_F(ExtractionTest, TheSizeQuestionWeighsTheBlockInTheDayFilesEncoding) {
    WithDayFile("\xFF\xFE");
    List({"a"});
    h.ui.blankLines.SetText("20000000");  // 40 MB in UTF-8
    h.services.AnswerQuestions(false);
    Extract();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].kind, fake::MessageKind::Question);
    EXPECT_NE(Messages()[0].text.find("约 77 MB"), std::string::npos) << Messages()[0].text;
    EXPECT_EQ(Day(), "\xFF\xFE");
}

TEST_F(ExtractionTest, ARefusalAfterASuccessShowsOnlyTheRefusal) {
    WithDayFile();
    List({"a"});
    Extract();
    h.ui.blankLines.SetText("0");
    Extract();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].text, "请输入空白行数目，不为空且不为零！");
}

TEST(OrderRadios, ClicksKeepTheRadiosExclusive) {
    Harness h;
    h.ui.forward.SetChecked(true);  // the click has checked it
    h.Click(ControlId::单选框正序);
    EXPECT_FALSE(h.ui.reverse.IsChecked());
    h.ui.reverse.SetChecked(true);
    h.Click(ControlId::单选框逆序);
    EXPECT_FALSE(h.ui.forward.IsChecked());
    h.Click(ControlId::单选框逆序);  // already on: nothing changes
    EXPECT_TRUE(h.ui.reverse.IsChecked());
    EXPECT_FALSE(h.ui.forward.IsChecked());
}

TEST(OrderRadios, MenuItemsSelectTheOrderTheyName) {
    Harness h;
    h.Choose(Command::ForwardOrder);
    EXPECT_TRUE(h.ui.forward.IsChecked());
    EXPECT_FALSE(h.ui.reverse.IsChecked());
    h.Choose(Command::ForwardOrder);
    EXPECT_TRUE(h.ui.forward.IsChecked());
    h.Choose(Command::ReverseOrder);
    EXPECT_TRUE(h.ui.reverse.IsChecked());
    EXPECT_FALSE(h.ui.forward.IsChecked());
}

TEST(DefaultSettings, ButtonAndMenuRestoreTheInitialValues) {
    for (bool byMenu : {false, true}) {
        Harness h;
        h.ui.blankLines.SetText("7");
        h.Choose(Command::ForwardOrder);
        if (byMenu) {
            h.Choose(Command::DefaultSettings);
        } else {
            h.Click(ControlId::按钮默认设置);
        }
        EXPECT_EQ(h.ui.blankLines.Text(), "1");
        EXPECT_TRUE(h.ui.reverse.IsChecked());
        EXPECT_FALSE(h.ui.forward.IsChecked());
        EXPECT_TRUE(h.services.Calls().empty());  // nothing stored
    }
}

}  // namespace
}  // namespace quillory::testing
