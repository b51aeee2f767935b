// The INI file through the profile functions, registry values and the date.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"
#include "support/test_folder.h"

namespace quillory::win32 {
namespace {

using testing::ReadBytes;
using testing::TestFolder;

class IniTest : public ::testing::Test {
protected:
    TestFolder folder_;
    std::wstring file_ = folder_ / L"PLXE.ini";
    Win32Services services_{Utf8(folder_.Path())};
};

TEST_F(IniTest, NewFileHoldsSectionAndKeyInTheAnsiCodePage) {
    const std::string value = "C:\\Tools\\Quillory-存储";
    ASSERT_TRUE(services_.WriteIniText(Utf8(file_), "存放路径", "路径", value));
    const std::string bytes = ReadBytes(file_);
    // 存放路径 and 路径 in GBK.
    EXPECT_EQ(bytes.rfind("[\xB4\xE6\xB7\xC5\xC2\xB7\xBE\xB6]\r\n\xC2\xB7\xBE\xB6=", 0), 0u) << bytes;
    EXPECT_EQ(services_.ReadIniText(Utf8(file_), "存放路径", "路径", "fallback"), value);

    ASSERT_TRUE(services_.WriteIniText(Utf8(file_), "存放路径", "路径", "second"));
    EXPECT_EQ(services_.ReadIniText(Utf8(file_), "存放路径", "路径", "fallback"), "second");
}

TEST_F(IniTest, EmptyValueIsNotMissing) {
    const std::string file = Utf8(file_);
    ASSERT_TRUE(services_.WriteIniText(file, "皮肤颜色变化-色调", "色调", ""));
    ASSERT_TRUE(services_.WriteIniText(file, "皮肤颜色变化-色调", "other", "7"));
    EXPECT_EQ(services_.ReadIniText(file, "皮肤颜色变化-色调", "色调", "55"), "");
    EXPECT_EQ(services_.ReadIniText(file, "皮肤颜色变化-色调", "other", "55"), "7");
    EXPECT_EQ(services_.ReadIniText(file, "皮肤颜色变化-色调", "饱和度", "55"), "55");
    EXPECT_EQ(services_.ReadIniText(file, "皮肤颜色变化-亮度", "亮度", "0"), "0");
    EXPECT_EQ(services_.ReadIniText(Utf8(folder_ / L"missing.ini"), "皮肤颜色变化-色调", "色调", "55"), "55");
    // The fallback comes back as given, blanks and all.
    EXPECT_EQ(services_.ReadIniText(file, "皮肤颜色变化-色调", "missing", " 55  "), " 55  ");
}

TEST_F(IniTest, LongValuesComeBackWhole) {
    const std::string value(3000, 'x');
    ASSERT_TRUE(services_.WriteIniText(Utf8(file_), "section", "key", value));
    EXPECT_EQ(services_.ReadIniText(Utf8(file_), "section", "key", ""), value);
}

TEST_F(IniTest, WriteFailsWithoutItsFolder) {
    EXPECT_FALSE(services_.WriteIniText(Utf8(folder_ / L"PLXE\\PLXE.ini"), "存放路径", "路径", "x"));
}

TEST(RegistryTest, ReadsTheComputerName) {
    Win32Services services("C:\\");
    const std::string name = services.ReadRegistryText(
        RegistryRoot::LocalMachine, "System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName\\ComputerName");
    wchar_t expected[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(expected, &size));
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name, Utf8(expected));
}

TEST(RegistryTest, MissingValueOrKeyGivesTheEmptyText) {
    Win32Services services("C:\\");
    EXPECT_EQ(services.ReadRegistryText(RegistryRoot::LocalMachine,
                                        "System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName\\None"),
              "");
    EXPECT_EQ(services.ReadRegistryText(RegistryRoot::LocalMachine, "Software\\No Such Key\\Value"), "");
}

TEST(RegistryTest, ReadsTextOfTheCurrentUser) {
    constexpr wchar_t kKey[] = L"Software\\Quillory Test";
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
              ERROR_SUCCESS);
    const RegistryKey key(created);
    const std::wstring value = L"桌面 " + std::wstring(600, L'x');
    ASSERT_EQ(RegSetValueExW(key.Get(), L"名称", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    Win32Services services("C:\\");
    EXPECT_EQ(services.ReadRegistryText(RegistryRoot::CurrentUser, "Software\\Quillory Test\\名称"), Utf8(value));
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
}

TEST(TodayTextTest, IsTodaysDateAndAValidFileName) {
    Win32Services services("C:\\");
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    const std::string first = services.TodayText();
    const std::string second = services.TodayText();
    GetLocalTime(&after);
    if (before.wDay != after.wDay) GTEST_SKIP() << "midnight passed during the test";

    EXPECT_EQ(first, second);
    EXPECT_EQ(first.find_first_of("\\/:*?\"<>|"), std::string::npos) << first;
    ASSERT_EQ(first.size(), 10u) << first;
    EXPECT_EQ(first[4], '-');
    EXPECT_EQ(first[7], '-');
    EXPECT_EQ(std::stoi(first.substr(0, 4)), before.wYear);
    EXPECT_EQ(std::stoi(first.substr(5, 2)), before.wMonth);
    EXPECT_EQ(std::stoi(first.substr(8, 2)), before.wDay);
}

}  // namespace
}  // namespace quillory::win32
