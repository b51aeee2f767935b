#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harness.h"
#include "settings/settings_file.h"
#include "skin/skin_setup.h"

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;

class SkinSetupTest : public ::testing::Test {
protected:
    void WithSettings(const std::string& ini) { services.SetIniFileText(kSettingsFile, ini); }
    std::vector<std::string> Run() {
        SettingsFile settings(services);
        RunSkinSetup(skin, settings);
        return skin.calls;
    }

    fake::FakeServices services{kProgramFolder};
    fake::FakeSkinLibrary skin;
};

TEST_F(SkinSetupTest, WithoutSettingsFileTheDefaultsReachTheLibraryAfterBothAttachCalls) {
    EXPECT_THAT(Run(), ElementsAre("SkinH_Attach", "SkinH_AttachEx PLXE\\skinh.she|", "SkinH_AdjustHSV 55 0 0"));
}

TEST_F(SkinSetupTest, StoredValuesAreTruncatedTowardZero) {
    WithSettings(
        "[皮肤颜色变化-色调]\r\n色调=-30\r\n[皮肤颜色变化-饱和度]\r\n饱和度=12.9\r\n"
        "[皮肤颜色变化-亮度]\r\n亮度=-40.5\r\n");
    EXPECT_EQ(Run().back(), "SkinH_AdjustHSV -30 12 -40");
}

TEST_F(SkinSetupTest, EmptyValueIsZeroAndOnlyAMissingKeyTakesTheDefault) {
    WithSettings("[皮肤颜色变化-色调]\r\n色调=\r\n[皮肤颜色变化-亮度]\r\nother=5\r\n");
    EXPECT_EQ(Run().back(), "SkinH_AdjustHSV 0 0 0");
}

TEST_F(SkinSetupTest, ValuesThatAreNoNumbersOrOutOfRangeConvertSafely) {
    WithSettings("[皮肤颜色变化-色调]\r\n色调=abc\r\n[皮肤颜色变化-饱和度]\r\n饱和度=1e20\r\n"
                 "[皮肤颜色变化-亮度]\r\n亮度= 7 \r\n");
    EXPECT_EQ(Run().back(), "SkinH_AdjustHSV 0 2147483647 7");
}

TEST_F(SkinSetupTest, ReadsTheThreeValuesFromTheSettingsFileOfTheProgramFolder) {
    Run();
    std::vector<std::string> reads;
    for (const std::string& call : services.Calls()) {
        if (call.rfind("ReadIniText", 0) == 0) reads.push_back(call);
    }
    EXPECT_THAT(reads, ElementsAre("ReadIniText 皮肤颜色变化-色调 色调", "ReadIniText 皮肤颜色变化-饱和度 饱和度",
                                   "ReadIniText 皮肤颜色变化-亮度 亮度"));
    EXPECT_EQ(SettingsFile(services).Path(), kSettingsFile);
}

// A library that could not be loaded does nothing; the start goes on.
class AbsentSkinLibrary : public SkinLibrary {
public:
    void SkinH_Attach() override {}
    void SkinH_AttachEx(const std::string&, const std::string&) override {}
    void SkinH_AdjustHSV(std::int32_t, std::int32_t, std::int32_t) override {}
};

TEST(SkinSetup, MissingLibraryDoesNotStopTheStorageSetUp) {
    fake::FakeServices services{kProgramFolder};
    services.SetToday(kToday);
    fake::FakeControlSet ui;
    fake::FakeMainWindow window;
    AbsentSkinLibrary skin;
    Globals globals;
    fake::FakeRunner runner;
    Actions actions{services, ui.controls, window, skin, globals, runner};
    actions.WindowCreated();
    EXPECT_EQ(ui.storageLabel.Text(), kStorageFolder);
    EXPECT_TRUE(services.FileExists(kDayFile));
}

}  // namespace
}  // namespace quillory::testing
