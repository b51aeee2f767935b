#include <gtest/gtest.h>

#include "browse/file_url.h"
#include "harness.h"

namespace quillory::testing {
namespace {

// A started program with the same folders and files as every other.
class Started : public Harness {
public:
    Started() {
        services.SetRegistryText(RegistryRoot::LocalMachine, kComputerNameKey, "BOB");
        services.AddFolder(std::string(kProgramFolder) + "\\PLXE");
        for (const char* file : {"E:\\Music\\song.mp3", "E:\\Music\\曲.flac", "D:\\top.txt"}) services.AddFile(file);
        Start();
        scansAfterStart = services.FindFilesCalls();
    }
    int scansAfterStart = 0;
};

// A dropped folder does exactly what the same folder chosen in the dialog does.
TEST(FolderDrop, EndsAsTheSameFolderChosenInTheDialogWithOneScanAndNoDialog) {
    for (const char* folder : {"E:\\Music", "D:\\", "\\\\server\\share\\docs"}) {
        SCOPED_TRACE(folder);
        Started chosen;
        chosen.services.SetNextBrowseResult(folder);
        chosen.Choose(Command::ChooseFolder);
        Started dropped;
        dropped.services.AddFolder(folder);
        dropped.actions.DropFolder(folder);

        EXPECT_EQ(dropped.ui.folders.CurrentFolder(), folder);
        EXPECT_EQ(dropped.ui.folders.CurrentFolder(), chosen.ui.folders.CurrentFolder());
        EXPECT_EQ(dropped.ui.drives.LastSetText(), chosen.ui.drives.LastSetText());
        EXPECT_EQ(dropped.ListedNames(), chosen.ListedNames());
        EXPECT_EQ(dropped.Ticks(), chosen.Ticks());
        EXPECT_EQ(dropped.TabledNames(), chosen.TabledNames());
        EXPECT_EQ(dropped.globals.listedFileCount, chosen.globals.listedFileCount);
        EXPECT_EQ(dropped.services.FindFilesCalls(), dropped.scansAfterStart + 1);
        EXPECT_TRUE(dropped.services.BrowseCalls().empty());
        EXPECT_TRUE(dropped.services.Messages().empty());
    }
}

TEST(FolderDrop, ListsTheDroppedFolderAndShowsItsDrive) {
    Started h;
    h.actions.DropFolder("E:\\Music");
    EXPECT_EQ(h.ui.drives.LastSetText(), "E:\\");
    EXPECT_EQ(h.ListedNames(), (std::vector<std::string>{"song.mp3", "曲.flac"}));
    EXPECT_EQ(h.TabledNames(), h.ListedNames());
}

TEST(FileUrl, TakenAsThePathItNamesAndOtherTextIsNoAddress) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"file:///D:/%E7%85%A7%E7%89%87/a%20b", "D:\\照片\\a b"},
        {"FILE://localhost/C:/x/", "C:\\x\\"},
        {"file://server/share/100%25/%zz", "\\\\server\\share\\100%\\%zz"},
        {"D:\\file:x", std::nullopt},
    };
    for (const auto& [text, path] : cases) EXPECT_EQ(PathOfFileUrl(text), path) << text;
}

}  // namespace
}  // namespace quillory::testing
