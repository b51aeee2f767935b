#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harness.h"

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;
using Names = std::vector<std::string>;

constexpr const char* kFolder = "D:\\Photos";

TEST(FolderScan, ListsTheFilesAllTickedAndTablesThemFromSlotOne) {
    Harness h;
    h.OpenFolderWith(kFolder, {"b.jpg", "a.jpg", "c.jpg"});
    EXPECT_EQ(h.ListedNames(), (Names{"b.jpg", "a.jpg", "c.jpg"}));  // file-system order, unsorted
    EXPECT_THAT(h.Ticks(), ElementsAre(true, true, true));
    EXPECT_EQ(h.TabledNames(), (Names{"b.jpg", "a.jpg", "c.jpg"}));
    EXPECT_EQ(h.globals.fileNames.Count(), 3);
    EXPECT_EQ(h.globals.listedFileCount, 3);
}

TEST(FolderScan, SkipsDotEntriesSubfoldersHiddenAndSystemFiles) {
    Harness h;
    h.services.AddFolder(std::string(kFolder) + "\\sub");
    h.services.AddFile(std::string(kFolder) + "\\desktop.ini", "", true, true);
    h.services.AddFile(std::string(kFolder) + "\\secret.txt", "", true, false);
    h.services.AddFile(std::string(kFolder) + "\\thumbs.db", "", false, true);
    h.OpenFolderWith(kFolder, {"a.txt", "文件.txt"});
    EXPECT_EQ(h.ListedNames(), (Names{"a.txt", "文件.txt"}));
    EXPECT_EQ(h.globals.fileNames.Slot(1), "a.txt");
}

TEST(FolderScan, OneListingFillsTheCheckListAndTheDirectoryBox) {
    Harness h;
    const std::string folder = kFolder;
    h.services.AddFolder(folder + "\\Sub");
    h.services.AddFolder(folder + "\\.git", true, false);
    h.services.AddFolder(folder + "\\Customised", false, true);
    h.services.AddFile(folder + "\\hidden.txt", "", true, false);
    const int listingsBefore = h.services.FindFilesCalls();

    h.OpenFolderWith(kFolder, {"a.txt", "b.txt"});
    EXPECT_EQ(h.services.FindFilesCalls(), listingsBefore + 1) << "one enumeration for both boxes";
    EXPECT_EQ(h.ListedNames(), (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(h.ui.folders.subfolders, (Names{"Sub", "Customised"})) << "in the file system's order";
    EXPECT_EQ(h.ui.folders.subfolderShowings, 1);

    // A drive change lists the root once too, and a folder without
    // subfolders leaves the box none.
    h.services.AddFile("X:\\x.txt");
    h.ui.drives.SetCurrentDrive("X");
    h.Fire(ControlId::驱动器框文件名提取, Event::DriveChanged);
    EXPECT_EQ(h.services.FindFilesCalls(), listingsBefore + 2);
    EXPECT_EQ(h.ListedNames(), Names{"x.txt"});
    EXPECT_TRUE(h.ui.folders.subfolders.empty());
    EXPECT_EQ(h.ui.folders.subfolderShowings, 2);
}

TEST(FolderScan, EmptyOrMissingFolderLeavesAnEmptyListAndEmptySlots) {
    Harness h;
    h.OpenFolderWith(kFolder, {"x"});
    h.ui.folders.SetCurrentFolder("D:\\Empty-does-not-exist");
    EXPECT_EQ(h.ui.fileList.ListCount(), 0);
    EXPECT_EQ(h.globals.fileNames.Count(), 0);
    EXPECT_EQ(h.globals.listedFileCount, 0);

    h.services.AddFolder("D:\\Empty");
    h.ui.folders.SetCurrentFolder("D:\\Empty");
    EXPECT_EQ(h.ui.fileList.ListCount(), 0);
}

TEST(FolderScan, DriveRootListsWithoutADoubledBackslash) {
    Harness h;
    h.services.AddFile("D:\\root.txt");
    h.ui.folders.SetCurrentFolder("D:\\");
    EXPECT_EQ(h.ListedNames(), Names{"root.txt"});
    EXPECT_EQ(h.services.Calls().back(), "FindFiles D:\\");
}

TEST(FolderScan, MoreThan200FilesAreAllListedButOnly200Tabled) {
    Harness h;
    Names names;
    for (int i = 0; i < 250; ++i) names.push_back("f" + std::to_string(i));
    h.OpenFolderWith(kFolder, names);
    EXPECT_EQ(h.ui.fileList.ListCount(), 250);
    EXPECT_EQ(h.globals.listedFileCount, 250);
    EXPECT_EQ(h.TabledNames().size(), 200u);
    EXPECT_EQ(h.globals.fileNames.Slot(200), "f199");
    EXPECT_EQ(h.globals.fileNames.Ticked(), 250);

    // Unticking early names lets later ones into the table, never beyond slot 200.
    for (int i = 0; i < 10; ++i) h.ui.fileList.ListSetChecked(i, false);
    h.Fire(ControlId::选择列表框文件列表, Event::ItemSelected);
    EXPECT_EQ(h.globals.fileNames.Slot(1), "f10");
    EXPECT_EQ(h.globals.fileNames.Slot(200), "f209");
}

TEST(FolderScan, AFileNamedZeroIsANameLikeAnyOther) {
    Harness h;
    h.OpenFolderWith(kFolder, {"a", "0", "b"});
    EXPECT_EQ(h.ListedNames(), (Names{"a", "0", "b"}));
    EXPECT_EQ(h.TabledNames(), (Names{"a", "0", "b"}));
}

TEST(DriveChange, PointsTheDirectoryBoxAtTheDriveAndScansOnce) {
    Harness h;
    h.services.AddFile("X:\\x.txt");
    h.ui.drives.SetCurrentDrive("X");
    const int scansBefore = h.services.FindFilesCalls();
    h.Fire(ControlId::驱动器框文件名提取, Event::DriveChanged);
    EXPECT_EQ(h.ui.folders.CurrentFolder(), "X:");
    EXPECT_EQ(h.services.FindFilesCalls(), scansBefore + 1);
    EXPECT_EQ(h.ListedNames(), Names{"x.txt"});
}

TEST(Relist, KeepsEachNamesTickTicksNewNamesDropsGoneOnesAndRebuildsTheTable) {
    Harness h;
    const std::string folder = kFolder;
    h.OpenFolderWith(folder, {"a", "b", "c", "d"});
    h.UserTick(1, false);
    h.UserTick(3, false);
    h.ui.fileList.SetCurrentIndex(2);
    h.services.RemoveFile(folder + "\\a");
    h.services.RemoveFile(folder + "\\d");
    h.services.AddFile(folder + "\\e");
    h.services.AddFolder(folder + "\\sub");
    const int listingsBefore = h.services.FindFilesCalls();

    h.Fire(ControlId::目录框文件名提取, Event::ContentChanged);
    EXPECT_EQ(h.services.FindFilesCalls(), listingsBefore + 1) << "one listing for both boxes";
    EXPECT_EQ(h.ListedNames(), (Names{"b", "c", "e"}));
    EXPECT_THAT(h.Ticks(), ElementsAre(false, true, true));
    EXPECT_EQ(h.TabledNames(), (Names{"c", "e"}));
    EXPECT_EQ(h.globals.listedFileCount, 3);
    EXPECT_EQ(h.ui.fileList.ListCurrentIndex(), 1) << "the current item follows its name";
    EXPECT_EQ(h.ui.folders.subfolders, Names{"sub"});
    EXPECT_EQ(h.ui.folders.CurrentFolder(), folder);

    // F5 lists the same way; a name that left and came back is new, so ticked.
    h.services.AddFile(folder + "\\d");
    h.Choose(Command::Relist);
    EXPECT_EQ(h.ListedNames(), (Names{"b", "c", "e", "d"}));
    EXPECT_THAT(h.Ticks(), ElementsAre(false, true, true, true));
    EXPECT_EQ(h.TabledNames(), (Names{"c", "e", "d"}));

    // The shown folder gone: an empty list, table and count.
    h.services.RemoveFolder(folder);
    h.Choose(Command::Relist);
    EXPECT_EQ(h.ui.fileList.ListCount(), 0);
    EXPECT_EQ(h.globals.listedFileCount, 0);
    EXPECT_EQ(h.globals.fileNames.Count(), 0);
    EXPECT_TRUE(h.ui.folders.subfolders.empty());
}

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override { h.OpenFolderWith(kFolder, {"a", "b", "c", "d"}); }
    Harness h;
};

TEST_F(SelectionTest, SelectNoneUnticksEverythingAndEmptiesTheTable) {
    h.Click(ControlId::按钮全部选);
    EXPECT_THAT(h.Ticks(), ElementsAre(false, false, false, false));
    EXPECT_TRUE(h.TabledNames().empty());
    EXPECT_EQ(h.globals.fileNames.Count(), 0);
}

TEST_F(SelectionTest, InvertTwiceRestoresTheTicksAndTheTable) {
    h.UserTick(1, false);
    h.Click(ControlId::按钮反选);
    EXPECT_THAT(h.Ticks(), ElementsAre(false, true, false, false));
    EXPECT_EQ(h.TabledNames(), Names{"b"});
    h.Click(ControlId::按钮反选);
    EXPECT_THAT(h.Ticks(), ElementsAre(true, false, true, true));
    EXPECT_EQ(h.TabledNames(), (Names{"a", "c", "d"}));
}

TEST_F(SelectionTest, SelectAllAfterUntickingTicksEverythingAgain) {
    h.UserTick(0, false);
    h.UserTick(3, false);
    h.Click(ControlId::按钮全选);
    EXPECT_THAT(h.Ticks(), ElementsAre(true, true, true, true));
    EXPECT_EQ(h.TabledNames(), (Names{"a", "b", "c", "d"}));
}

TEST_F(SelectionTest, ATickChangeWithoutSelectionChangeReachesTheTable) {
    h.UserTick(2, false);
    EXPECT_EQ(h.TabledNames(), (Names{"a", "b", "d"}));
}

TEST_F(SelectionTest, ItemSelectedPassesTheCurrentItemToTheExtensionAndRebuilds) {
    h.ui.fileList.ListSetChecked(0, false);
    h.ui.fileList.SetCurrentIndex(2);
    h.Fire(ControlId::选择列表框文件列表, Event::ItemSelected);
    EXPECT_EQ(h.ui.fileList.extensionTexts, Names{"c"});
    EXPECT_EQ(h.TabledNames(), (Names{"b", "c", "d"}));

    h.ui.fileList.SetCurrentIndex(-1);
    h.Fire(ControlId::选择列表框文件列表, Event::ItemSelected);
    EXPECT_EQ(h.ui.fileList.extensionTexts.back(), "");
}

TEST_F(SelectionTest, MenuItemsAndButtonsGiveTheSameResults) {
    const std::pair<ControlId, Command> pairs[] = {{ControlId::按钮全选, Command::SelectAll},
                                                   {ControlId::按钮全部选, Command::SelectNone},
                                                   {ControlId::按钮反选, Command::Invert}};
    for (const auto& [button, command] : pairs) {
        Harness byButton, byMenu;
        for (Harness* each : {&byButton, &byMenu}) {
            each->OpenFolderWith(kFolder, {"a", "b", "c"});
            each->UserTick(1, false);
        }
        byButton.Click(button);
        byMenu.Choose(command);
        EXPECT_EQ(byButton.Ticks(), byMenu.Ticks());
        EXPECT_EQ(byButton.TabledNames(), byMenu.TabledNames());
    }
}

TEST(Selection, CommandsBeforeAnyScanChangeNothing) {
    Harness h;
    h.Click(ControlId::按钮全选);
    h.Click(ControlId::按钮反选);
    EXPECT_EQ(h.ui.fileList.ListCount(), 0);
    EXPECT_EQ(h.globals.fileNames.Count(), 0);
}

TEST(ContextMenus, DirectoryBoxHidesQuitForGoodAndPopsTheFileMenu) {
    Harness h;
    h.Fire(ControlId::目录框文件名提取, Event::RightButtonDown);
    EXPECT_FALSE(h.window.quitVisible);
    EXPECT_THAT(h.window.popups, ElementsAre(TopMenu::File));
    h.Fire(ControlId::选择列表框文件列表, Event::RightButtonDown);
    EXPECT_THAT(h.window.popups, ElementsAre(TopMenu::File, TopMenu::Select));
    EXPECT_FALSE(h.window.quitVisible);
}

}  // namespace
}  // namespace quillory::testing
