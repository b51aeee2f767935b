// The block writer on the real file system: exact bytes in front of the old
// content, and the old content intact whenever the block cannot go in.
#include <windows.h>
#include <aclapi.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/win32/encoding.h"
#include "platform/win32/file_claim.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"
#include "support/folder_link.h"
#include "support/test_folder.h"

namespace quillory::win32 {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TestFolder;
using testing::FolderLink;
using testing::WriteBytes;

constexpr wchar_t kDayFileName[] = L"2026-12-08.txt";
const std::string kOldContent = "older block\r\n\r\nfirst.txt\r\n";

class InsertLineTest : public ::testing::Test {
protected:
    InsertLineTest() : dayFile_(folder_ / kDayFileName), services_(Utf8(folder_.Path())) {}

    WriteOutcome Insert(const LineBlock& block) { return services_.InsertLine(Utf8(dayFile_), block); }

    // Every name in the folder, so a temporary file left behind shows.
    std::set<std::wstring> FolderNames() const {
        std::set<std::wstring> names;
        WIN32_FIND_DATAW data;
        const FindHandle search(FindFirstFileW((folder_.Path() + L"\\*").c_str(), &data));
        if (!search) return names;
        do {
            if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..") names.insert(data.cFileName);
        } while (FindNextFileW(search.Get(), &data));
        return names;
    }

    // The claim file beside the day's file, as every copy of the program names it.
    std::wstring ClaimFile() const { return folder_ / L"~quillory-2026-12-08.lock"; }

    void ExpectUnchanged() {
        EXPECT_EQ(ReadBytes(dayFile_), kOldContent);
        EXPECT_EQ(FolderNames(), std::set<std::wstring>{kDayFileName});
    }

    TestFolder folder_;
    std::wstring dayFile_;
    Win32Services services_;
};

TEST_F(InsertLineTest, PutsTheBlockInFrontOfTheOldContent) {
    WriteBytes(dayFile_, kOldContent);
    ASSERT_TRUE(Insert({{"A", "B", "C"}, 1}));
    EXPECT_EQ(ReadBytes(dayFile_), "\r\nA\r\n\r\nB\r\n\r\nC\r\n" + kOldContent);
    ASSERT_TRUE(services_.InsertLine(Utf8(dayFile_), std::string("next")));
    EXPECT_EQ(ReadBytes(dayFile_), "next\r\n\r\nA\r\n\r\nB\r\n\r\nC\r\n" + kOldContent);
    EXPECT_EQ(FolderNames(), std::set<std::wstring>{kDayFileName});
}

TEST_F(InsertLineTest, FillsAnEmptyFile) {
    WriteBytes(dayFile_, "");
    ASSERT_TRUE(Insert({{"one"}, 2}));
    EXPECT_EQ(ReadBytes(dayFile_), "\r\n\r\none\r\n");
}

TEST_F(InsertLineTest, NeverCreatesAMissingFile) {
    EXPECT_FALSE(Insert({{"A"}, 1}));
    EXPECT_FALSE(testing::Exists(dayFile_));
    EXPECT_TRUE(FolderNames().empty());
}

TEST_F(InsertLineTest, KeepsOldLinesWithLoneCarriageReturnsOrLineFeeds) {
    const std::string oldContent = "cr one\rcr two\rlf one\nlf two\n\n\r\r";
    WriteBytes(dayFile_, oldContent);
    ASSERT_TRUE(Insert({{"A"}, 0}));
    EXPECT_EQ(ReadBytes(dayFile_), "A\r\n" + oldContent);
}

TEST_F(InsertLineTest, WritesNamesInTheAnsiCodePage) {
    WriteBytes(dayFile_, "");
    ASSERT_TRUE(Insert({{"文件名.txt", "存放路径"}, 0}));
    EXPECT_EQ(ReadBytes(dayFile_), "\xCE\xC4\xBC\xFE\xC3\xFB.txt\r\n\xB4\xE6\xB7\xC5\xC2\xB7\xBE\xB6\r\n");
}

// A byte-order mark keeps the file in its encoding, so names lose nothing;
// control characters become "?" and are counted in every encoding.
TEST_F(InsertLineTest, WritesInTheEncodingTheMarkNamesAndControlCharactersAsQuestionMarks) {
    const LineBlock block{{"한국어.txt", "a\nb\r.txt", "𝄞.txt"}, 1};
    const std::string text = "\r\n한국어.txt\r\n\r\na?b?.txt\r\n\r\n𝄞.txt\r\n";
    using Encode = std::string (*)(std::string_view, bool);
    const auto same = [](std::string_view utf8, bool) { return std::string(utf8); };
    const std::tuple<std::string, Encode, bool> cases[] = {
        {"\xEF\xBB\xBF", same, false},
        {"\xFF\xFE", Utf16Bytes, false},
        {"\xFE\xFF", Utf16Bytes, true},
        {std::string("\xFF\xFE\0\0", 4), Utf32Bytes, false},
        {std::string("\0\0\xFE\xFF", 4), Utf32Bytes, true},
    };
    for (const auto& [mark, encode, bigEndian] : cases) {
        const std::string old = mark + encode("旧\r\n", bigEndian);
        WriteBytes(dayFile_, old);
        const WriteOutcome outcome = Insert(block);
        ASSERT_TRUE(outcome) << outcome.systemText;
        EXPECT_EQ(ReadBytes(dayFile_), mark + encode(text, bigEndian) + old.substr(mark.size()));
        EXPECT_EQ(outcome.namesWithLostCharacters, 1);
        EXPECT_EQ(services_.EncodedBytes(block, *services_.FileEncoding(Utf8(dayFile_))), encode(text, bigEndian).size());
    }
    WriteBytes(dayFile_, "");
    const WriteOutcome ansi = Insert(block);
    EXPECT_TRUE(ReadBytes(dayFile_).starts_with("\r\n???.txt\r\n\r\na?b?.txt\r\n\r\n")) << ReadBytes(dayFile_);
    EXPECT_EQ(ansi.namesWithLostCharacters, 3);
    // Neither is a plain copy: a pair of UTF-16 units is one UTF-32 character.
    EXPECT_EQ(Utf16Bytes("a한", false), std::string("a\0\x5C\xD5", 4));
    EXPECT_EQ(Utf32Bytes("a𝄞", true), std::string("\0\0\0a\0\x01\xD1\x1E", 8));
}

// Part of a code unit at the end: the mark cannot be trusted, and the file is not made worse.
TEST_F(InsertLineTest, MarkedFileOfALengthItsEncodingCannotHaveIsRefusedAndLeftAsItIs) {
    const std::pair<std::string, WriteFault> cases[] = {
        {std::string("\xFF\xFE" "a\0b", 5), WriteFault::BrokenUtf16},
        {std::string("\xFF\xFE\0\0" "a\0\0\0b\0", 10), WriteFault::BrokenUtf32}};
    for (const auto& [broken, fault] : cases) {
        WriteBytes(dayFile_, broken);
        EXPECT_EQ(Insert({{"A"}, 1}).fault, fault);
        EXPECT_EQ(ReadBytes(dayFile_), broken);
        EXPECT_EQ(FolderNames(), std::set<std::wstring>{kDayFileName});
    }
}

TEST_F(InsertLineTest, ZeroOrNegativeCountGivesConsecutiveLines) {
    WriteBytes(dayFile_, "");
    ASSERT_TRUE(Insert({{"A", "B"}, 0}));
    ASSERT_TRUE(Insert({{"C", "D"}, -3}));
    EXPECT_EQ(ReadBytes(dayFile_), "C\r\nD\r\nA\r\nB\r\n");
}

TEST_F(InsertLineTest, KeepsTheHiddenAttribute) {
    WriteBytes(dayFile_, kOldContent);
    ASSERT_TRUE(SetFileAttributesW(dayFile_.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(Insert({{"A"}, 0}));
    EXPECT_EQ(ReadBytes(dayFile_), "A\r\n" + kOldContent);
    EXPECT_TRUE(GetFileAttributesW(dayFile_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(InsertLineTest, HugeBlankLineCountNeedsNoMemoryOfItsSize) {
    WriteBytes(dayFile_, kOldContent);
    constexpr std::int32_t kBlankLines = 100'000'000;
    PROCESS_MEMORY_COUNTERS before{}, after{};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    ASSERT_TRUE(Insert({{"A"}, kBlankLines}));
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    EXPECT_LT(after.PeakWorkingSetSize, before.PeakWorkingSetSize + 32u * 1024 * 1024);

    const FileHandle file(CreateFileW(dayFile_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    LARGE_INTEGER size{};
    ASSERT_TRUE(GetFileSizeEx(file.Get(), &size));
    const std::uint64_t blockSize = 2ull * kBlankLines + 3;
    EXPECT_EQ(static_cast<std::uint64_t>(size.QuadPart), blockSize + kOldContent.size());
    // The seam: the last empty lines, the name, the old content.
    LARGE_INTEGER seam{};
    seam.QuadPart = static_cast<LONGLONG>(blockSize) - 7;
    ASSERT_TRUE(SetFilePointerEx(file.Get(), seam, nullptr, FILE_BEGIN));
    std::string tail(7 + kOldContent.size(), '\0');
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file.Get(), tail.data(), static_cast<DWORD>(tail.size()), &read, nullptr));
    EXPECT_EQ(tail, "\r\n\r\nA\r\n" + kOldContent);
}

// More than the disk holds: told with the sizes before anything is written.
TEST_F(InsertLineTest, BlockTheDiskCannotHoldIsRefusedWithTheSizes) {
    WriteBytes(dayFile_, kOldContent);
    const LineBlock block{std::vector<std::string>(200, "A"), INT32_MAX};
    const std::uint64_t needed = 200 * (2ull * INT32_MAX + 3) + kOldContent.size();
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(folder_.Path().c_str(), &free, nullptr, nullptr));
    if (free.QuadPart >= needed) GTEST_SKIP() << "the disk holds even this block";

    const WriteOutcome outcome = Insert(block);
    EXPECT_EQ(outcome.fault, WriteFault::DiskFull);
    EXPECT_EQ(outcome.bytesNeeded, needed);
    EXPECT_GT(outcome.bytesFree, 0u);
    EXPECT_LT(outcome.bytesFree, needed);
    ExpectUnchanged();
}

TEST_F(InsertLineTest, ReadOnlyDayFileStaysAsItWas) {
    WriteBytes(dayFile_, kOldContent);
    ASSERT_TRUE(SetFileAttributesW(dayFile_.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Insert({{"A"}, 1}).fault, WriteFault::ReadOnly);
    ExpectUnchanged();
    EXPECT_TRUE(GetFileAttributesW(dayFile_.c_str()) & FILE_ATTRIBUTE_READONLY);
}

// A folder whose access list refuses new files. Wine keeps access lists but
// does not enforce them, so there the case cannot be made.
TEST_F(InsertLineTest, FolderRefusingNewFilesLeavesTheDayFileAsItWas) {
    WriteBytes(dayFile_, kOldContent);
    EXPLICIT_ACCESSW deny{};
    BuildExplicitAccessWithNameW(&deny, const_cast<wchar_t*>(L"EVERYONE"), FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY,
                                 DENY_ACCESS, NO_INHERITANCE);
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclW(1, &deny, nullptr, &acl), DWORD{ERROR_SUCCESS});
    const DWORD set = SetNamedSecurityInfoW(const_cast<wchar_t*>(folder_.Path().c_str()), SE_FILE_OBJECT,
                                            DACL_SECURITY_INFORMATION, nullptr, nullptr, acl, nullptr);
    LocalFree(acl);
    ASSERT_EQ(set, DWORD{ERROR_SUCCESS});
    if (services_.CanWriteInFolder(Utf8(folder_.Path()))) GTEST_SKIP() << "the file system ignores access lists";

    EXPECT_FALSE(Insert({{"A"}, 1}));
    ExpectUnchanged();
}

TEST_F(InsertLineTest, FileHeldOpenWithWriteSharingIsStillWritten) {
    WriteBytes(dayFile_, kOldContent);
    const FileHandle held(CreateFileW(dayFile_.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    ASSERT_TRUE(Insert({{"A", "B"}, 1}));

    // Seen through the other program's handle: the same file, rewritten.
    const std::string expected = "\r\nA\r\n\r\nB\r\n" + kOldContent;
    std::string seen(expected.size() + 1, '\0');
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(held.Get(), seen.data(), static_cast<DWORD>(seen.size()), &read, nullptr));
    seen.resize(read);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(FolderNames(), std::set<std::wstring>{kDayFileName});
}

// The holder writes while the insertion waits for it to let go: the new
// content built before would lose that write, so it is built again, and the
// block goes in front of the holder's change.
TEST_F(InsertLineTest, FileChangedByItsHolderMeanwhileKeepsTheChangeBehindTheBlock) {
    WriteBytes(dayFile_, kOldContent);
    const FileHandle held(CreateFileW(dayFile_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    std::thread holder([&] {
        Sleep(200);  // the insertion is then retrying the replacement
        DWORD written = 0;
        WriteFile(held.Get(), "appended\r\n", 10, &written, nullptr);
    });
    const WriteOutcome inserted = Insert({{"A"}, 1});
    holder.join();
    EXPECT_TRUE(inserted) << inserted.systemText;
    EXPECT_EQ(ReadBytes(dayFile_), "\r\nA\r\n" + kOldContent + "appended\r\n");
    EXPECT_EQ(FolderNames(), std::set<std::wstring>{kDayFileName});
}

TEST_F(InsertLineTest, FileHeldOpenWithoutWriteSharingFailsCleanly) {
    WriteBytes(dayFile_, kOldContent);
    const FileHandle held(CreateFileW(dayFile_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(Insert({{"A"}, 1}).fault, WriteFault::Held);
    ExpectUnchanged();
}

// Another copy's turn: this write waits for it, then goes in front of what the other wrote.
TEST_F(InsertLineTest, AWriterWaitsForAnotherCopysTurnAndThenWritesInFrontOfItsBlock) {
    WriteBytes(dayFile_, kOldContent);
    std::optional<FileClaim> other(std::in_place, dayFile_);
    ASSERT_TRUE(other->Outcome());
    ASSERT_TRUE(Exists(ClaimFile()));
    std::thread copy([&] {
        Sleep(300);
        WriteBytes(dayFile_, "other\r\n" + kOldContent);
        other.reset();
    });
    const ULONGLONG start = GetTickCount64();
    const WriteOutcome inserted = Insert({{"A"}, 0});
    copy.join();
    EXPECT_TRUE(inserted) << inserted.systemText;
    EXPECT_GE(GetTickCount64() - start, 250u);
    EXPECT_EQ(ReadBytes(dayFile_), "A\r\nother\r\n" + kOldContent);
    // The system removed the claim file with the last turn.
    EXPECT_EQ(FolderNames(), std::set<std::wstring>{kDayFileName});
}

// A copy hung in the middle of its write: after 30 seconds the other gives up and writes nothing.
TEST_F(InsertLineTest, ATurnHeldElsewhereForThirtySecondsIsToldAndNothingIsWritten) {
    WriteBytes(dayFile_, kOldContent);
    const FileClaim hung(dayFile_);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Insert({{"A"}, 0}).fault, WriteFault::OtherCopyWriting);
    const ULONGLONG waited = GetTickCount64() - start;
    EXPECT_GE(waited, 30000u);
    EXPECT_LT(waited, 32000u);
    EXPECT_EQ(ReadBytes(dayFile_), kOldContent);
}

// What a crash of the system or a dropped network link could leave: nobody
// holds it, so it stops no write and goes at the next start; a held one stays.
TEST_F(InsertLineTest, AClaimFileNobodyHoldsNeitherStopsAWriteNorOutlivesTheCleanUp) {
    WriteBytes(dayFile_, kOldContent);
    WriteBytes(ClaimFile(), "");
    ASSERT_TRUE(Insert({{"A"}, 0}));
    EXPECT_EQ(FolderNames(), std::set<std::wstring>{kDayFileName});

    WriteBytes(ClaimFile(), "");
    services_.RemoveLeftoverTemporaryFiles(Utf8(folder_.Path()));
    EXPECT_FALSE(Exists(ClaimFile()));
    const FileClaim held(dayFile_);
    services_.RemoveLeftoverTemporaryFiles(Utf8(folder_.Path()));
    EXPECT_TRUE(Exists(ClaimFile()));
}

// The new content reaches the file a symbolic link leads to, and every name
// of a file with two; the link stays a link.
TEST_F(InsertLineTest, ADayFileWithTwoNamesOrBehindALinkStaysOneFile) {
    const std::wstring target = folder_ / L"synced.txt";
    const std::wstring second = folder_ / L"second name.txt";
    WriteBytes(target, kOldContent);
    ASSERT_TRUE(CreateHardLinkW(second.c_str(), target.c_str(), nullptr));
    ASSERT_TRUE(services_.InsertLine(Utf8(target), std::string("A")));
    EXPECT_EQ(ReadBytes(target), "A\r\n" + kOldContent);
    EXPECT_EQ(ReadBytes(second), "A\r\n" + kOldContent);
    EXPECT_EQ(FolderNames(), (std::set<std::wstring>{L"synced.txt", L"second name.txt"}));

    const FolderLink link(dayFile_, L"synced.txt", false);
    if (ReadBytes(dayFile_) != "A\r\n" + kOldContent) GTEST_SKIP() << "no symbolic link could be made";
    ASSERT_TRUE(DeleteFileW(second.c_str()));
    ASSERT_TRUE(Insert({{"B"}, 0}));
    EXPECT_EQ(ReadBytes(target), "B\r\nA\r\n" + kOldContent);
    // Still a link: what the target gets next, the day's file shows.
    WriteBytes(target, "later");
    EXPECT_EQ(ReadBytes(dayFile_), "later");
    EXPECT_EQ(FolderNames(), (std::set<std::wstring>{kDayFileName, L"synced.txt"}));
}

// The access list the user gave the day's file stays with it.
TEST_F(InsertLineTest, KeepsTheDayFilesAccessList) {
    WriteBytes(dayFile_, kOldContent);
    EXPLICIT_ACCESSW grant{};
    BuildExplicitAccessWithNameW(&grant, const_cast<wchar_t*>(L"EVERYONE"), GENERIC_READ, GRANT_ACCESS, NO_INHERITANCE);
    PACL given = nullptr;
    ASSERT_EQ(SetEntriesInAclW(1, &grant, nullptr, &given), DWORD{ERROR_SUCCESS});
    ASSERT_EQ(SetNamedSecurityInfoW(dayFile_.data(), SE_FILE_OBJECT,
                                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                    given, nullptr),
              DWORD{ERROR_SUCCESS});
    LocalFree(given);
    const auto aceCount = [this] {
        PACL access = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        GetNamedSecurityInfoW(dayFile_.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &access,
                              nullptr, &descriptor);
        const int count = access ? access->AceCount : -1;
        LocalFree(descriptor);
        return count;
    };
    if (aceCount() != 1) GTEST_SKIP() << "the file system keeps no access list of its own";
    ASSERT_TRUE(Insert({{"A"}, 0}));
    EXPECT_EQ(ReadBytes(dayFile_), "A\r\n" + kOldContent);
    EXPECT_EQ(aceCount(), 1);
}

// Names that no waiting can free: told at once, with what stands in the way.
TEST_F(InsertLineTest, AFolderBearingTheClaimsOrTheDayFilesNameIsToldAtOnce) {
    WriteBytes(dayFile_, kOldContent);
    ASSERT_TRUE(CreateDirectoryW(ClaimFile().c_str(), nullptr));
    const ULONGLONG start = GetTickCount64();
    const WriteOutcome claimTaken = Insert({{"A"}, 0});
    EXPECT_LT(GetTickCount64() - start, 2000u);
    EXPECT_EQ(claimTaken.fault, WriteFault::ClaimNameTaken);
    EXPECT_EQ(claimTaken.path, Utf8(ClaimFile()));
    EXPECT_TRUE(claimTaken.pathIsFolder);
    EXPECT_EQ(ReadBytes(dayFile_), kOldContent);
    ASSERT_TRUE(RemoveDirectoryW(ClaimFile().c_str()));

    ASSERT_TRUE(DeleteFileW(dayFile_.c_str()));
    ASSERT_TRUE(CreateDirectoryW(dayFile_.c_str(), nullptr));
    EXPECT_EQ(Insert({{"A"}, 0}).fault, WriteFault::DayFileIsFolder);
}

}  // namespace
}  // namespace quillory::win32
