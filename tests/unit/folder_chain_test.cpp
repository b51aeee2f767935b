#include "browse/folder_chain.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

using Chain = std::vector<std::string>;

TEST(FolderChain, DrivePathsStartAtTheDriveRoot) {
    EXPECT_EQ(FolderChain("C:"), (Chain{"C:\\"}));
    EXPECT_EQ(FolderChain("d:\\"), (Chain{"d:\\"}));
    EXPECT_EQ(FolderChain("C:\\Users\\me\\Desktop\\"), (Chain{"C:\\", "Users", "me", "Desktop"}));
    EXPECT_EQ(FolderChain("C:/Users//资料\\"), (Chain{"C:\\", "Users", "资料"}));
}

TEST(FolderChain, NetworkAndRootlessPaths) {
    EXPECT_EQ(FolderChain("\\\\server\\share\\docs\\old"), (Chain{"\\\\server\\share\\", "docs", "old"}));
    EXPECT_EQ(FolderChain("\\\\s"), (Chain{"\\\\s\\"}));
    EXPECT_EQ(FolderChain("\\Windows\\Temp"), (Chain{"\\", "Windows", "Temp"}));
    EXPECT_EQ(FolderChain("notes\\old"), (Chain{"notes", "old"}));
    EXPECT_TRUE(FolderChain("").empty());
}

TEST(ChainPath, RootKeepsItsBackslashFoldersHaveNone) {
    EXPECT_EQ(ChainPath(Chain{"C:\\"}), "C:\\");
    EXPECT_EQ(ChainPath(Chain{"C:\\", "Users", "资料"}), "C:\\Users\\资料");
    EXPECT_EQ(ChainPath(Chain{"\\\\server\\share\\", "docs"}), "\\\\server\\share\\docs");
    EXPECT_EQ(ChainPath(Chain{"notes", "old"}), "notes\\old");
    EXPECT_EQ(ChainPath(Chain{}), "");
}

TEST(ChainPath, OpeningAnAncestorGivesItsPath) {
    const Chain chain = FolderChain("C:\\Users\\me\\Desktop\\");
    EXPECT_EQ(ChainPath(std::span(chain).first(2)), "C:\\Users");
    EXPECT_EQ(ChainPath(std::span(chain).first(1)), "C:\\");
}

}  // namespace
}  // namespace quillory
