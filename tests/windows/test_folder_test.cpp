// The tests' own folder: a new one every time, and a clean-up that gets
// through trees deeper than MAX_PATH and read-only entries without failing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/test_folder.h"

namespace quillory::testing {
namespace {

TEST(TestFolderTest, EveryFolderIsANewOne) {
    const TestFolder first;
    WriteBytes(first / L"left.txt", "x");
    const TestFolder second;

    EXPECT_NE(first.Path(), second.Path());
    EXPECT_TRUE(Exists(second.Path()));
    EXPECT_FALSE(Exists(second / L"left.txt"));
}

TEST(TestFolderTest, ATreeDeeperThanMaxPathWithReadOnlyEntriesIsRemovedWhole) {
    std::wstring root;
    {
        const TestFolder folder;
        root = folder.Path();
        std::wstring deep = root;
        while (deep.size() <= MAX_PATH + 40) {
            deep += L"\\a folder name of exactly forty-two chars";
            ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr)) << deep.size();
        }
        const std::wstring file = deep + L"\\名字.txt";
        WriteBytes(file, "bytes");
        EXPECT_EQ(ReadBytes(file), "bytes");
        SetFileAttributesW((L"\\\\?\\" + file).c_str(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesW((L"\\\\?\\" + deep).c_str(), FILE_ATTRIBUTE_READONLY);
        ASSERT_TRUE(Exists(file));
    }
    EXPECT_FALSE(Exists(root));
}

}  // namespace
}  // namespace quillory::testing
