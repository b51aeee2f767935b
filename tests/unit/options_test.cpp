// The options menu against the fake: what each choice does to the list, the
// written and copied names and the settings file, and what a start reads back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harness.h"

namespace quillory::testing {
namespace {

using Names = std::vector<std::string>;
constexpr const char* kFolder = "D:\\Docs";

class Options : public ::testing::Test {
protected:
    void StartWith(const std::string& settings) {
        h.services.SetIniFileText(kSettingsFile, settings);
        h.Start();
    }
    bool Marked(MenuItem item) { return h.window.checked[item]; }

    Harness h;
};

TEST_F(Options, OrderAndHiddenFilesRelistKeepingTicksAndAreStoredAndReadBack) {
    StartWith("");
    EXPECT_TRUE(Marked(MenuItem::NameFormName) && Marked(MenuItem::OrderFileSystem));
    EXPECT_FALSE(Marked(MenuItem::ShowHiddenFiles));
    for (const auto& [name, time] : {std::pair{"f10.txt", 1}, {"F2.txt", 3}, {"f1.txt", 3}}) {
        h.services.AddFile(std::string(kFolder) + "\\" + name);
        h.services.SetModified(std::string(kFolder) + "\\" + name, time);
    }
    h.services.AddFile(std::string(kFolder) + "\\secret.txt", "", true, false);
    h.ui.folders.SetCurrentFolder(kFolder);
    h.UserTick(1, false);  // F2.txt

    h.Choose(Command::OrderName);
    EXPECT_EQ(h.ListedNames(), (Names{"f1.txt", "F2.txt", "f10.txt"}));
    EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(true, false, true));
    EXPECT_EQ(h.TabledNames(), (Names{"f1.txt", "f10.txt"}));
    h.Choose(Command::OrderTime);
    EXPECT_EQ(h.ListedNames(), (Names{"f10.txt", "f1.txt", "F2.txt"}));
    EXPECT_TRUE(Marked(MenuItem::OrderTime) && !Marked(MenuItem::OrderName));
    h.Choose(Command::ShowHiddenFiles);
    EXPECT_EQ(h.ListedNames(), (Names{"secret.txt", "f10.txt", "f1.txt", "F2.txt"}));
    EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(true, true, true, false));
    EXPECT_EQ(h.services.IniFileText(kSettingsFile),
              std::string("[存放路径]\r\n路径=") + kStorageFolder + "\r\n[选项]\r\n排列顺序=修改时间\r\n显示隐藏文件=1\r\n");

    Harness restarted;
    restarted.services.SetIniFileText(kSettingsFile, h.services.IniFileText(kSettingsFile));
    restarted.Start();
    EXPECT_TRUE(restarted.window.checked[MenuItem::OrderTime] && restarted.window.checked[MenuItem::ShowHiddenFiles]);
}

TEST_F(Options, NameFormShapesTheWrittenAndCopiedNamesButNeverTheList) {
    StartWith("[选项]\r\n名称格式=完整路径\r\n排列顺序=乱写\r\n");
    EXPECT_TRUE(Marked(MenuItem::NameFormPath) && Marked(MenuItem::OrderFileSystem));
    h.services.AddFile(std::string(kStorageFolder) + "\\" + kToday + ".txt");
    h.OpenFolderWith("D:\\", {"v1.2.tar.gz", ".gitignore", "README"});
    h.Fire(ControlId::选择列表框文件列表, Event::CopyKey);
    EXPECT_EQ(h.services.ClipboardText(), "D:\\v1.2.tar.gz\r\nD:\\.gitignore\r\nD:\\README");

    h.Choose(Command::NameFormStem);
    EXPECT_EQ(h.ListedNames(), (Names{"v1.2.tar.gz", ".gitignore", "README"}));
    EXPECT_EQ(h.TabledNames(), h.ListedNames());
    h.Fire(ControlId::选择列表框文件列表, Event::CopyKey);
    EXPECT_EQ(h.services.ClipboardText(), "v1.2.tar\r\n.gitignore\r\nREADME");
    h.Click(ControlId::按钮提取文件名);
    EXPECT_EQ(h.services.FileBytes(kDayFile), "\r\nREADME\r\n\r\n.gitignore\r\n\r\nv1.2.tar\r\n");
    EXPECT_NE(h.services.IniFileText(kSettingsFile).find("名称格式=不含扩展名"), std::string::npos);
}

}  // namespace
}  // namespace quillory::testing
