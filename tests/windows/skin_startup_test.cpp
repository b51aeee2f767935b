// A real start of the main window against a spy skin library in the program
// folder's side folder: the calls of the skin set-up as the library sees them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/encoding.h"
#include "support/test_app.h"

namespace quillory::testing {
namespace {

std::wstring SpyLibraryPath() {
    std::wstring path = L"Z:" + win32::Wide(QUILLORY_SPY_SKIN_DLL);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

class SkinStartup : public ::testing::Test {
protected:
    void InstallSpy() {
        ASSERT_TRUE(CopyFileW(SpyLibraryPath().c_str(), (folder_ / L"PLXE\\SkinH_EL.dll").c_str(), FALSE));
    }
    // The settings file as a user would edit it, in the ANSI code page.
    void WriteSettings(const std::string& utf8) { WriteBytes(folder_.SettingsFile(), win32::Ansi(utf8)); }
    std::string CallsOfOneStart() {
        const std::wstring log = folder_ / L"PLXE\\skin_calls.log";
        DeleteFileW(log.c_str());
        { TestApp app(folder_.Path()); }
        return ReadBytes(log);
    }

    ProgramFolder folder_;
};

TEST_F(SkinStartup, HandsTheLibraryTheSkinFileAndTheSettingsFilesColourShift) {
    InstallSpy();
    WriteSettings(
        "[皮肤颜色变化-色调]\r\n色调=-30\r\n"
        "[皮肤颜色变化-饱和度]\r\n饱和度=12.9\r\n"
        "[皮肤颜色变化-亮度]\r\n亮度=-40.5\r\n");
    EXPECT_EQ(CallsOfOneStart(),
              "SkinH_Attach()\r\n"
              "SkinH_AttachEx(\"PLXE\\skinh.she\", \"\")\r\n"
              "SkinH_AdjustHSV(-30, 12, -40)\r\n");
}

TEST_F(SkinStartup, MissingColourEntriesGiveTheDefaultsAndEmptyOnesZero) {
    InstallSpy();
    WriteSettings("[存放路径]\r\n路径=D:\\elsewhere\r\n");
    const std::string withoutEntries = CallsOfOneStart();
    WriteSettings("[皮肤颜色变化-色调]\r\n色调=\r\n[皮肤颜色变化-亮度]\r\n亮度=7\r\n");
    const std::string withEmptyHue = CallsOfOneStart();
    const std::string attach = "SkinH_Attach()\r\nSkinH_AttachEx(\"PLXE\\skinh.she\", \"\")\r\n";
    EXPECT_EQ(withoutEntries, attach + "SkinH_AdjustHSV(55, 0, 0)\r\n");
    EXPECT_EQ(withEmptyHue, attach + "SkinH_AdjustHSV(0, 0, 7)\r\n");
}

TEST_F(SkinStartup, WithoutTheLibraryTheStartGoesOnUnskinned) {
    TestApp app(folder_.Path());
    ASSERT_NE(app.Window(), nullptr);
    EXPECT_EQ(app.Text(ControlId::标签存放路径), win32::Utf8(folder_.StorageFolder()));
    EXPECT_TRUE(Exists(folder_.DayFile()));
}

}  // namespace
}  // namespace quillory::testing
