// The fake must keep the promises the logic relies on from the real services.
#include <gtest/gtest.h>

#include "platform/fake/fake_services.h"

namespace quillory::fake {
namespace {

TEST(FakeServices, InsertLineNeedsAnExistingFileAndPrependsTheBlock) {
    FakeServices services("C:\\P");
    EXPECT_FALSE(services.InsertLine("C:\\P\\missing.txt", "x"));
    EXPECT_FALSE(services.FileExists("C:\\P\\missing.txt"));

    services.AddFile("C:\\P\\day.txt", "old\n");
    EXPECT_TRUE(services.InsertLine("C:\\P\\day.txt", LineBlock{{"a", "b"}, 1, {}}));
    EXPECT_EQ(services.FileBytes("C:\\P\\day.txt"), "\r\na\r\n\r\nb\r\nold\n");
    EXPECT_TRUE(services.InsertLine("C:\\P\\day.txt", "top"));
    EXPECT_EQ(services.FileBytes("C:\\P\\day.txt").substr(0, 5), "top\r\n");
}

TEST(FakeServices, IniKeyWithEmptyValueIsNotTheFallback) {
    FakeServices services("C:\\P");
    services.SetIniFileText("C:\\P\\s.ini", "[S]\r\nempty=\r\n");
    EXPECT_EQ(services.ReadIniText("C:\\P\\s.ini", "S", "empty", "d"), "");
    EXPECT_EQ(services.ReadIniText("C:\\P\\s.ini", "S", "missing", "d"), "d");
    EXPECT_EQ(services.ReadIniText("C:\\P\\s.ini", "T", "empty", "d"), "d");
    EXPECT_EQ(services.ReadIniText("C:\\P\\none.ini", "S", "empty", "d"), "d");
    EXPECT_FALSE(services.WriteIniText("C:\\P\\no-folder\\s.ini", "S", "k", "v"));
}

TEST(FakeServices, FindFilesYieldsEntriesInCreationOrderWithTheirAttributes) {
    FakeServices services("C:\\P");
    services.AddFile("D:\\f\\z.txt");
    services.AddFolder("D:\\f\\sub");
    services.AddFile("D:\\f\\a.txt", "", true, false);
    std::vector<std::string> names;
    std::vector<bool> folders;
    services.FindFiles("D:\\f", [&](const FoundEntry& entry) {
        names.push_back(entry.name);
        folders.push_back(entry.isFolder);
        return true;
    });
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "z.txt", "sub", "a.txt"}));
    EXPECT_EQ(folders, (std::vector<bool>{true, true, false, true, false}));

    int found = 0;
    services.FindFiles("D:\\missing", [&](const FoundEntry&) { return ++found > 0; });
    EXPECT_EQ(found, 0);
}

TEST(FakeServices, CreateFolderAcceptsAnExistingFolderAndFailsWhereTheParentIsReadOnly) {
    FakeServices services("C:\\P");
    EXPECT_TRUE(services.CreateFolder("C:\\P\\S"));
    EXPECT_TRUE(services.CreateFolder("C:\\P\\S"));
    services.MakeUnwritable("C:\\P");
    EXPECT_FALSE(services.CreateFolder("C:\\P\\T"));
    EXPECT_FALSE(services.CanWriteInFolder("C:\\P"));
}

}  // namespace
}  // namespace quillory::fake
