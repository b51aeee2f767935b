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
              std::string("[存放路径]\r\n路径=") + kStorageFolder + "\r\n[最近的文件夹]\r\n1=" + kFolder +
                  "\r\n[选项]\r\n排列顺序=修改时间\r\n显示隐藏文件=1\r\n");

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

TEST_F(Options, SubfoldersRelistAsRelativePathsKeepingTicksAndAreStoredWithTheDetailsForm) {
    StartWith("[选项]\r\n包含子文件夹=是\r\n");
    EXPECT_FALSE(Marked(MenuItem::IncludeSubfolders));
    h.services.AddFile(std::string(kFolder) + "\\照片\\2024\\a.jpg");
    h.OpenFolderWith(kFolder, {"top.txt"});
    h.UserTick(0, false);

    h.Choose(Command::IncludeSubfolders);
    EXPECT_TRUE(Marked(MenuItem::IncludeSubfolders));
    EXPECT_EQ(h.ListedNames(), (Names{"top.txt", "照片\\2024\\a.jpg"}));
    EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(false, true));
    EXPECT_EQ(h.TabledNames(), Names{"照片\\2024\\a.jpg"});
    EXPECT_EQ(h.ui.folders.subfolders, Names{"照片"});
    h.Choose(Command::NameFormDetails);
    EXPECT_TRUE(Marked(MenuItem::NameFormDetails) && !Marked(MenuItem::NameFormName));
    EXPECT_NE(h.services.IniFileText(kSettingsFile).find("包含子文件夹=1\r\n名称格式=名称大小时间\r\n"), std::string::npos);

    Harness restarted;
    restarted.services.SetIniFileText(kSettingsFile, h.services.IniFileText(kSettingsFile));
    restarted.Start();
    EXPECT_TRUE(restarted.window.checked[MenuItem::IncludeSubfolders] &&
                restarted.window.checked[MenuItem::NameFormDetails]);
}

TEST_F(Options, TickingByPatternChangesOnlyTheMatchingNamesAndRemembersThePattern) {
    StartWith("[选项]\r\n包含子文件夹=1\r\n");
    h.OpenFolderWith(kFolder, {"a.JPG", "b.png", "c.txt", "tmp\\d.jpg"});
    h.UserTick(2, false);  // c.txt

    h.services.AnswerText("*.txt;tmp\\*");
    h.Choose(Command::UntickByPattern);
    EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(true, true, false, false));
    EXPECT_EQ(h.TabledNames(), (Names{"a.JPG", "b.png"}));
    h.services.AnswerText("*.jpg *.txt");
    h.Choose(Command::TickByPattern);
    EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(true, true, true, true));
    EXPECT_EQ(h.TabledNames(), h.ListedNames());

    // Cancelled, empty or invalid: nothing changes; only an invalid one is told.
    h.UserTick(0, false);
    for (const std::optional<std::string>& answer : {std::optional<std::string>(), std::optional<std::string>(" ; "),
                                                     std::optional<std::string>("*.jpg a|b")}) {
        h.services.AnswerText(answer);
        h.Choose(Command::UntickByPattern);
        EXPECT_THAT(h.Ticks(), ::testing::ElementsAre(false, true, true, true));
    }
    ASSERT_EQ(h.services.Messages().size(), 1u);
    EXPECT_EQ(h.services.Messages()[0].text.rfind("模式无效：a|b\n", 0), 0u);

    const std::vector<fake::TextQuestion>& asked = h.services.TextQuestions();
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[0].title, "按模式取消勾选");
    EXPECT_EQ(asked[1].title, "按模式勾选");
    EXPECT_EQ(asked[0].initial, "");
    EXPECT_EQ(asked[1].initial, "*.txt;tmp\\*");
    EXPECT_EQ(asked[3].initial, "*.jpg *.txt");  // a cancel keeps the last one
    EXPECT_NE(h.services.IniFileText(kSettingsFile).find("勾选模式=*.jpg a|b\r\n"), std::string::npos);
}

TEST_F(Options, ASettingsFileThatCannotBeWrittenIsToldOnceAndTheChoicesLastMeanwhile) {
    StartWith("");
    h.services.MakeUnwritable(std::string(kProgramFolder) + "\\PLXE");
    const auto before = h.services.Messages().size();
    h.Choose(Command::OrderName);
    h.Choose(Command::NameFormStem);
    ASSERT_EQ(h.services.Messages().size(), before + 1);
    EXPECT_EQ(h.services.Messages().back().text,
              std::string("设置文件无法写入：\n") + kSettingsFile + "\n所作的选择在本次运行中有效，但不会保存到下次启动。");
    EXPECT_EQ(h.services.Messages().back().kind, fake::MessageKind::Warning);
    EXPECT_TRUE(Marked(MenuItem::OrderName) && Marked(MenuItem::NameFormStem));
}

}  // namespace
}  // namespace quillory::testing
