#include <gtest/gtest.h>

#include "browse/recent_folders.h"
#include "harness.h"

namespace quillory::testing {
namespace {

using Folders = std::vector<std::string>;

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

Folders Numbered(int count) {
    Folders folders;
    for (int i = 0; i < count; ++i) folders.push_back("D:\\f" + std::to_string(i));
    return folders;
}

TEST(RecentFolders, TheShownFolderGoesOnTopOnceAndTheOldestFallsBeyondTen) {
    const struct {
        const char* what;
        Folders before;
        std::string shown;
        Folders after;
    } cases[] = {
        {"into an empty list", {}, "D:\\a", {"D:\\a"}},
        {"newest first", {"D:\\a", "D:\\b"}, "D:\\c", {"D:\\c", "D:\\a", "D:\\b"}},
        {"again in another case", {"D:\\a", "D:\\Photos", "D:\\b"}, "d:\\PHOTOS", {"d:\\PHOTOS", "D:\\a", "D:\\b"}},
        {"with a trailing backslash", {"D:\\a", "D:\\b"}, "D:\\b\\", {"D:\\b", "D:\\a"}},
        {"a root keeps its backslash", {"D:\\a"}, "E:\\", {"E:\\", "D:\\a"}},
        {"the eleventh drops the oldest", Numbered(10), "D:\\new",
         {"D:\\new", "D:\\f0", "D:\\f1", "D:\\f2", "D:\\f3", "D:\\f4", "D:\\f5", "D:\\f6", "D:\\f7", "D:\\f8"}},
        {"one listed moves up without dropping any", Numbered(10), "D:\\F9",
         {"D:\\F9", "D:\\f0", "D:\\f1", "D:\\f2", "D:\\f3", "D:\\f4", "D:\\f5", "D:\\f6", "D:\\f7", "D:\\f8"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(WithRecentFolder(c.before, c.shown, AsciiUpper), c.after);
    }
}

TEST(RecentFolders, CaptionsNumberTheFoldersAndShortenLongPathsInTheMiddle) {
    const std::string longPath = "C:\\Users\\小明\\Documents\\" + std::string(40, 'x') + "\\照片\\2026\\十二月\\第一周";
    const struct {
        std::size_t position;
        std::string folder;
        std::string caption;
    } cases[] = {
        {0, "D:\\a", "&1 D:\\a"},
        {8, "D:\\a", "&9 D:\\a"},
        {9, "D:\\a", "&0 D:\\a"},
        {1, "D:\\Tom & Jerry", "&2 D:\\Tom && Jerry"},
        // 29 characters, "…", 30 characters: never a piece of a character.
        {2, longPath, "&3 C:\\Users\\小明\\Documents\\xxxxxxx…xxxxxxxxxxxxxx\\照片\\2026\\十二月\\第一周"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(RecentFolderCaption(c.position, c.folder), c.caption);
    }
    EXPECT_EQ(ShortenedInMiddle(std::string(60, 'a'), 60), std::string(60, 'a'));
}

class Started : public Harness {
public:
    Started() {
        services.SetRegistryText(RegistryRoot::LocalMachine, kComputerNameKey, "BOB");
        services.AddFolder(std::string(kProgramFolder) + "\\PLXE");
        services.AddFolder("C:\\Users\\BOB\\Desktop");
        // The disk does not tell "E:\\Music" from "E:\\music"; the fake does.
        for (const char* folder : {"E:\\Music", "E:\\music", "E:\\Photos", "D:\\Work"}) services.AddFolder(folder);
    }
    Folders Kept() {
        Folders kept;
        for (int key = 1; key <= 10; ++key) {
            kept.push_back(services.ReadIniText(kSettingsFile, kRecentFoldersSection, std::to_string(key), "-"));
        }
        return kept;
    }
};

// Every way the user shows a folder counts, the start folder does not; the
// list is kept at each change and read back at the next start.
TEST(RecentFolders, FoldersTheUserShowsAreKeptNewestFirstAndReadAtStart) {
    Started h;
    h.Start();
    EXPECT_TRUE(h.window.recentFolders.empty());
    h.actions.DropFolder("E:\\Music");
    h.services.SetNextBrowseResult("E:\\Photos");
    h.Choose(Command::ChooseFolder);
    h.ui.folders.SetCurrentFolder("D:\\Work");  // the directory box, by the user
    h.Choose(Command::RecentFolder3);
    EXPECT_EQ(h.window.recentFolders, (Folders{"E:\\Music", "D:\\Work", "E:\\Photos"}));
}

}  // namespace
}  // namespace quillory::testing
