#include "platform/ini_text.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillory {
namespace {

TEST(TextToNumber, ReadsDecimalNumbersFromTheStart) {
    EXPECT_EQ(TextToNumber("55"), 55.0);
    EXPECT_EQ(TextToNumber("12.9"), 12.9);
    EXPECT_EQ(TextToNumber("-12.9"), -12.9);
    EXPECT_EQ(TextToNumber(" 7"), 7.0);
    EXPECT_EQ(TextToNumber("1e3"), 1000.0);
    EXPECT_EQ(TextToNumber("3 apples"), 3.0);
    EXPECT_EQ(TextToNumber("+4"), 4.0);
    EXPECT_EQ(TextToNumber(".5"), 0.5);
    EXPECT_EQ(TextToNumber("2e"), 2.0);
}

TEST(TextToNumber, GivesZeroForTextThatIsNoNumber) {
    EXPECT_EQ(TextToNumber(""), 0.0);
    EXPECT_EQ(TextToNumber("abc"), 0.0);
    EXPECT_EQ(TextToNumber("-"), 0.0);
    EXPECT_EQ(TextToNumber("."), 0.0);
    EXPECT_EQ(TextToNumber("0x10"), 0.0);  // hexadecimal is not a decimal number
    EXPECT_EQ(TextToNumber("inf"), 0.0);
    EXPECT_EQ(TextToNumber("nan"), 0.0);
}

TEST(TextToInt32, TruncatesTowardZero) {
    EXPECT_EQ(TextToInt32("55"), 55);
    EXPECT_EQ(TextToInt32("12.9"), 12);
    EXPECT_EQ(TextToInt32("-12.9"), -12);
    EXPECT_EQ(TextToInt32("-40.5"), -40);
    EXPECT_EQ(TextToInt32("2.9"), 2);
    EXPECT_EQ(TextToInt32("00"), 0);
    EXPECT_EQ(TextToInt32(""), 0);
    EXPECT_EQ(TextToInt32("abc"), 0);
}

TEST(TextToInt32, SaturatesAtThe32BitLimits) {
    EXPECT_EQ(TextToInt32("1e20"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(TextToInt32("-99999999999"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(TextToInt32("1e999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(TextToInt32("2147483647"), 2147483647);
    EXPECT_EQ(TextToInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
}

TEST(LeftText, TakesWholeCharacters) {
    EXPECT_EQ(LeftText("D:\\Photos", 3), "D:\\");
    EXPECT_EQ(LeftText("\\\\server\\share", 3), "\\\\s");
    EXPECT_EQ(LeftText("ab", 3), "ab");
    EXPECT_EQ(LeftText("文件夹", 2), "文件");
}

TEST(JoinPath, DoesNotDoubleTheSeparatorOfADriveRoot) {
    EXPECT_EQ(JoinPath("C:\\", "*.*"), "C:\\*.*");
    EXPECT_EQ(JoinPath("C:", "*.*"), "C:\\*.*");
    EXPECT_EQ(JoinPath("C:\\Users\\a", "*.*"), "C:\\Users\\a\\*.*");
}

// A settings file as Notepad saves it: every line but the one set keeps its bytes.
TEST(IniText, ReadsAndSetsAKeyAsTheProfileFunctionsDo) {
    const std::string text = "; 注释\r\n[输出编码]\r\n 编码 = UTF-8 \r\n\r\n[选项]\nName=\"a b\"\n";
    EXPECT_EQ(IniValue(text, "输出编码", "编码"), "UTF-8");
    EXPECT_EQ(IniValue(text, "选项", "name"), "a b");
    EXPECT_EQ(IniValue(text, "选项", "编码"), std::nullopt);
    EXPECT_EQ(IniValue(text, "无", "编码"), std::nullopt);

    const std::pair<std::pair<const char*, const char*>, std::string> writes[] = {
        {{"选项", "NAME"}, "; 注释\r\n[输出编码]\r\n 编码 = UTF-8 \r\n\r\n[选项]\nNAME=v\r\n"},
        {{"输出编码", "新"}, "; 注释\r\n[输出编码]\r\n 编码 = UTF-8 \r\n新=v\r\n\r\n[选项]\nName=\"a b\"\n"},
        {{"最近的文件夹", "1"}, text + "[最近的文件夹]\r\n1=v\r\n"},
    };
    for (const auto& [where, expected] : writes) {
        EXPECT_EQ(WithIniValue(text, where.first, where.second, "v"), expected) << where.second;
    }
    EXPECT_EQ(WithIniValue("[a]\r\nk=1", "b", "k", "2"), "[a]\r\nk=1\r\n[b]\r\nk=2\r\n");
}

}  // namespace
}  // namespace quillory
