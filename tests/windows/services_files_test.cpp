// Folders, whole files and folder listings on the real file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "platform/win32/encoding.h"
#include "platform/win32/win32_services.h"
#include "support/folder_link.h"
#include "support/test_folder.h"

namespace quillory::win32 {
namespace {

using testing::Exists;
using testing::FolderLink;
using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

class FilesTest : public ::testing::Test {
protected:
    std::string Path(const std::wstring& name) const { return Utf8(folder_ / name); }

    std::map<std::string, FoundEntry> Find(const std::string& folder) {
        std::map<std::string, FoundEntry> found;
        services_.FindFiles(folder, [&](const FoundEntry& entry) { return found.emplace(entry.name, entry).second; });
        return found;
    }

    TestFolder folder_;
    Win32Services services_{Utf8(folder_.Path())};
};

TEST_F(FilesTest, WriteWholeFileCreatesOrReplaces) {
    ASSERT_TRUE(services_.WriteWholeFile(Path(L"empty.txt"), {}));
    EXPECT_TRUE(Exists(folder_ / L"empty.txt"));
    EXPECT_EQ(ReadBytes(folder_ / L"empty.txt"), "");

    WriteBytes(folder_ / L"full.txt", "a much longer old content");
    ASSERT_TRUE(services_.WriteWholeFile(Path(L"full.txt"), std::string_view("new\0\r\n", 6)));
    EXPECT_EQ(ReadBytes(folder_ / L"full.txt"), std::string("new\0\r\n", 6));

    EXPECT_FALSE(services_.WriteWholeFile(Path(L"missing\\file.txt"), {}));
}

TEST_F(FilesTest, CreateNewFileNeverTouchesAnExistingFile) {
    ASSERT_TRUE(services_.CreateNewFile(Path(L"day.txt"), "\xEF\xBB\xBF"));
    EXPECT_EQ(ReadBytes(folder_ / L"day.txt"), "\xEF\xBB\xBF");
    WriteBytes(folder_ / L"day.txt", "kept");
    EXPECT_EQ(services_.CreateNewFile(Path(L"day.txt"), {}).fault, WriteFault::AlreadyExists);
    EXPECT_EQ(ReadBytes(folder_ / L"day.txt"), "kept");
    EXPECT_EQ(services_.CreateNewFile(Path(L"missing\\day.txt"), {}).fault, WriteFault::FolderUnwritable);
}

TEST_F(FilesTest, AFolderHasOneIdentityWhateverPathLeadsToItAndAFileItsSizeAndLocalTime) {
    CreateDirectoryW((folder_ / L"一").c_str(), nullptr);
    CreateDirectoryW((folder_ / L"二").c_str(), nullptr);
    const FolderLink link(folder_ / L"二\\链接", L"..\\一");
    ASSERT_TRUE(link.IsLink());
    EXPECT_TRUE(Find(Path(L"二"))["链接"].isReparsePoint);
    EXPECT_FALSE(Find(Utf8(folder_.Path()))["一"].isReparsePoint);
    const std::string one = services_.FolderIdentity(Path(L"一"));
    EXPECT_NE(one, "");
    EXPECT_EQ(Find(Utf8(folder_.Path()))["一"].identity, one) << "a listing tells it as FolderIdentity does";
    EXPECT_EQ(services_.FolderIdentity(Path(L"二\\链接")), one);
    EXPECT_EQ(services_.FolderIdentity(Path(L"二\\..\\一\\")), one);
    EXPECT_NE(services_.FolderIdentity(Path(L"二")), one);
    EXPECT_EQ(services_.FolderIdentity(Path(L"三")), "");

    WriteBytes(folder_ / L"一\\a.txt", "12345");
    const std::optional<FileDetails> details = services_.DescribeFile(Path(L"二\\链接\\a.txt"));
    ASSERT_TRUE(details.has_value());
    EXPECT_EQ(details->size, 5u);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char today[16];
    std::snprintf(today, sizeof today, "%04u-%02u-%02u ", now.wYear, now.wMonth, now.wDay);
    EXPECT_EQ(details->modified.substr(0, 11), today);
    EXPECT_EQ(details->modified.size(), 19u);
    EXPECT_FALSE(services_.DescribeFile(Path(L"一\\gone.txt")).has_value());
    EXPECT_FALSE(services_.DescribeFile(Path(L"一")).has_value());
}

TEST_F(FilesTest, CreateFolderAcceptsAnExistingFolderOnly) {
    EXPECT_TRUE(services_.CreateFolder(Path(L"存储")));
    EXPECT_TRUE(services_.CreateFolder(Path(L"存储")));
    EXPECT_TRUE(GetFileAttributesW((folder_ / L"存储").c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    WriteBytes(folder_ / L"file", "");
    EXPECT_FALSE(services_.CreateFolder(Path(L"file")));
    EXPECT_FALSE(services_.CreateFolder(Path(L"missing\\child")));
}

TEST_F(FilesTest, FileExistsForFilesOnly) {
    WriteBytes(folder_ / L"文件.txt", "x");
    EXPECT_TRUE(services_.FileExists(Path(L"文件.txt")));
    EXPECT_FALSE(services_.FileExists(Utf8(folder_.Path())));
    EXPECT_FALSE(services_.FileExists(Path(L"missing.txt")));
}

TEST_F(FilesTest, CanWriteInFolderLeavesNothingBehind) {
    EXPECT_TRUE(services_.CanWriteInFolder(Utf8(folder_.Path())));
    EXPECT_TRUE(services_.CanWriteInFolder(Utf8(folder_.Path()) + "\\"));
    EXPECT_TRUE(Find(Utf8(folder_.Path())).size() == 2);  // "." and ".."
    EXPECT_FALSE(services_.CanWriteInFolder(Path(L"missing")));
}

TEST_F(FilesTest, FindFilesReportsNamesAndAttributes) {
    WriteBytes(folder_ / L"a.txt", "a");
    WriteBytes(folder_ / L"中文名称.txt", "b");
    WriteBytes(folder_ / L"hidden.txt", "c");
    WriteBytes(folder_ / L"system.txt", "d");
    ASSERT_TRUE(SetFileAttributesW((folder_ / L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((folder_ / L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(CreateDirectoryW((folder_ / L"sub").c_str(), nullptr));

    const auto found = Find(Utf8(folder_.Path()));
    ASSERT_EQ(found.size(), 7u) << "a.txt, 中文名称.txt, hidden.txt, system.txt, sub, . and ..";
    const auto expect = [&](const std::string& name, bool folder, bool hidden, bool system) {
        ASSERT_EQ(found.count(name), 1u) << name;
        const FoundEntry& entry = found.at(name);
        EXPECT_EQ(entry.isFolder, folder) << name;
        EXPECT_EQ(entry.isHidden, hidden) << name;
        EXPECT_EQ(entry.isSystem, system) << name;
    };
    expect("a.txt", false, false, false);
    expect("中文名称.txt", false, false, false);
    expect("hidden.txt", false, true, false);
    expect("system.txt", false, false, true);
    expect("sub", true, false, false);
    expect(".", true, false, false);
    expect("..", true, false, false);
}

TEST_F(FilesTest, FindFilesListsADriveRootNothingForAMissingFolderAndTellsARefusal) {
    wchar_t windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 3u);
    const std::string windowsFolder = Utf8(windows);  // "C:\Windows"
    const auto root = Find(windowsFolder.substr(0, 3));
    ASSERT_EQ(root.count(windowsFolder.substr(3)), 1u) << windowsFolder;
    EXPECT_TRUE(root.at(windowsFolder.substr(3)).isFolder);
    EXPECT_TRUE(Find(Path(L"missing")).empty());
    EXPECT_TRUE(services_.FindFiles(Path(L"missing"), [](const FoundEntry&) { return true; }).listed);
    // The visitor's false ends the listing there, as a listing does that is abandoned.
    int visited = 0;
    EXPECT_TRUE(services_.FindFiles(windowsFolder.substr(0, 3), [&](const FoundEntry&) { return ++visited < 2; })
                    .listed);
    EXPECT_EQ(visited, 2);
    // A folder another program holds open, sharing nothing.
    CreateDirectoryW((folder_ / L"held").c_str(), nullptr);
    const HANDLE held = CreateFileW((folder_ / L"held").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const ListingOutcome refused = services_.FindFiles(Path(L"held"), [](const FoundEntry&) { return true; });
    CloseHandle(held);
    EXPECT_FALSE(refused.listed) << refused.systemError;
    EXPECT_FALSE(refused.systemText.empty()) << refused.systemError;
}

// Folders deeper than MAX_PATH characters, made and used through the services.
TEST_F(FilesTest, PathsLongerThanMaxPathWork) {
    std::string deep = Utf8(folder_.Path());
    while (deep.size() <= MAX_PATH + 40) {
        deep += "\\a folder name of exactly forty-two chars";
        ASSERT_TRUE(services_.CreateFolder(deep)) << deep.size();
    }
    const std::string file = deep + "\\长名称.txt";
    ASSERT_TRUE(services_.WriteWholeFile(file, "old\r\n"));
    EXPECT_TRUE(services_.FileExists(file));
    EXPECT_TRUE(services_.CanWriteInFolder(deep));
    ASSERT_TRUE(services_.InsertLine(file, std::string("new")));

    const auto found = Find(deep);
    EXPECT_EQ(found.size(), 3u);
    EXPECT_EQ(found.count("长名称.txt"), 1u);

    // Read back past the services, through the extended path itself.
    EXPECT_EQ(ReadBytes(L"\\\\?\\" + Wide(file)), "new\r\nold\r\n");
    DeleteFileW((L"\\\\?\\" + Wide(file)).c_str());
    for (std::string folder = deep; folder.size() > Utf8(folder_.Path()).size(); folder.resize(folder.rfind('\\'))) {
        RemoveDirectoryW((L"\\\\?\\" + Wide(folder)).c_str());
    }
}

TEST(ExecutableFolderTest, HoldsTheRunningProgram) {
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    const std::wstring name(module);
    EXPECT_TRUE(Win32Services(folder).FileExists(folder + "\\" + Utf8(name.substr(name.rfind(L'\\') + 1))));
}

}  // namespace
}  // namespace quillory::win32
