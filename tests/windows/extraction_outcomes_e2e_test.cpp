// What the user is told when an extraction cannot write, or writes less than
// the names, in the real window; the day's file's encoding from the setting;
// the start-up's clean-up of temporary files that a killed extraction left.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "support/test_app.h"
#include "support/process_start.h"

namespace quillory::testing {
namespace {

using win32::FileHandle;
using win32::Utf8;

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Another process holding a file: a suspended copy of this program that
// inherited the only handle, as a second copy in the middle of an extraction would.
class HoldingProcess {
public:
    explicit HoldingProcess(const std::wstring& path) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const FileHandle handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, &inherit,
                                            CREATE_NEW, 0, nullptr));
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = handle && StartProcess(self, nullptr, TRUE, CREATE_SUSPENDED, nullptr, &startup, &child_);
    }
    ~HoldingProcess() {
        if (!started_) return;
        TerminateProcess(child_.hProcess, 0);
        WaitForSingleObject(child_.hProcess, 10000);
        CloseHandle(child_.hThread);
        CloseHandle(child_.hProcess);
    }
    HoldingProcess(const HoldingProcess&) = delete;
    HoldingProcess& operator=(const HoldingProcess&) = delete;

    bool Started() const { return started_; }

private:
    PROCESS_INFORMATION child_{};
    bool started_ = false;
};

// A program folder whose storage folder holds what a test puts there before the start.
class OutcomeEndToEnd : public ::testing::Test {
protected:
    OutcomeEndToEnd() { CreateDirectoryW(folder_.StorageFolder().c_str(), nullptr); }

    void SetEncoding(const wchar_t* value) {
        WritePrivateProfileStringW(L"输出编码", L"编码", value, folder_.SettingsFile().c_str());
    }

    // Starts the program and lists a folder of files with these names.
    void StartListing(const std::vector<std::wstring>& names) {
        for (const std::wstring& name : names) WriteBytes(listed_ / name, "x");
        app_ = std::make_unique<TestApp>(folder_.Path());
        app_->ShowFolder(listed_.Path());
    }

    void TypeCount(const std::wstring& text) {
        const HWND edit = app_->Control(ControlId::编辑框参数2);
        SetWindowTextW(edit, text.c_str());
        app_->Pump();
    }

    std::vector<ShownMessage> Extract(int answer = IDOK) {
        MessageBoxAnswerer answerer(kMessageBoxTitle, answer);
        app_->Click(ControlId::按钮提取文件名);
        return answerer.Answered();
    }

    std::string DayPath() const { return Utf8(folder_.DayFile()); }
    std::string SuccessText() const { return "提取成功，所在目录为:" + DayPath(); }

    // One warning box naming the day's file and the reason; the file as it was.
    void ExpectToldWithoutWriting(const std::string& reason, const std::string& before) {
        const auto messages = Extract();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].hasWarningIcon);
        EXPECT_EQ(messages[0].buttons, std::vector<std::string>{"确定"});
        EXPECT_TRUE(Contains(messages[0].text, DayPath())) << messages[0].text;
        EXPECT_TRUE(Contains(messages[0].text, reason)) << messages[0].text;
        EXPECT_EQ(ReadBytes(folder_.DayFile()), before);
    }

    ProgramFolder folder_;
    TestFolder listed_;
    std::unique_ptr<TestApp> app_;
};

TEST_F(OutcomeEndToEnd, DayFileHeldByAnotherProgramIsToldAndKeptWhole) {
    StartListing({L"a.txt"});
    WriteBytes(folder_.DayFile(), "earlier\r\n");
    const FileHandle held(CreateFileW(folder_.DayFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    ExpectToldWithoutWriting("其他程序", "earlier\r\n");
}

TEST_F(OutcomeEndToEnd, ReadOnlyDayFileIsToldAndKeptWhole) {
    StartListing({L"a.txt"});
    WriteBytes(folder_.DayFile(), "earlier\r\n");
    ASSERT_TRUE(SetFileAttributesW(folder_.DayFile().c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectToldWithoutWriting("只读", "earlier\r\n");
    SetFileAttributesW(folder_.DayFile().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// No turn to wait for: the folder in the way is named, with its path.
TEST_F(OutcomeEndToEnd, AFolderBearingTheClaimFilesOrTheDayFilesNameIsToldAtOnce) {
    StartListing({L"a.txt"});
    WriteBytes(folder_.DayFile(), "earlier\r\n");
    const std::wstring claim = folder_.StorageFolder() + L"\\~quillory-" + TodayStem() + L".lock";
    ASSERT_TRUE(CreateDirectoryW(claim.c_str(), nullptr));
    const ULONGLONG start = GetTickCount64();
    ExpectToldWithoutWriting("已被一个文件夹占用：\n" + Utf8(claim) + "\n请删除它后再试。", "earlier\r\n");
    EXPECT_LT(GetTickCount64() - start, 5000u);
    RemoveDirectoryW(claim.c_str());

    ASSERT_TRUE(DeleteFileW(folder_.DayFile().c_str()));
    ASSERT_TRUE(CreateDirectoryW(folder_.DayFile().c_str(), nullptr));
    const auto messages = Extract();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "名称未能写入当日文件：\n" + DayPath() + "\n该位置上是一个文件夹，而不是当日文件。请删除该文件夹或为它改名后再试。");
}

TEST_F(OutcomeEndToEnd, MissingDayFileAndStorageFolderAreMadeAndWritten) {
    StartListing({L"a.txt"});
    ASSERT_TRUE(DeleteFileW(folder_.DayFile().c_str()));
    ASSERT_TRUE(RemoveDirectoryW(folder_.StorageFolder().c_str()));
    const auto messages = Extract();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, SuccessText());
    EXPECT_FALSE(messages[0].hasIcon);
    EXPECT_EQ(ReadBytes(folder_.DayFile()), "\r\na.txt\r\n");
}

TEST_F(OutcomeEndToEnd, LeftoverTemporaryFilesGoAtStartButOneHeldByAnotherProcessStays) {
    const std::wstring leftover = folder_.StorageFolder() + L"\\~quillory-396-0.tmp";
    const std::wstring held = folder_.StorageFolder() + L"\\~quillory-7-12.tmp";
    const std::vector<std::wstring> others = {folder_.StorageFolder() + L"\\~quillory-notes.tmp",
                                              folder_.StorageFolder() + L"\\~quillory-1-2.txt"};
    for (const std::wstring& path : others) WriteBytes(path, "mine");
    WriteBytes(leftover, std::string(1 << 20, 'x'));
    const HoldingProcess holder(held);
    ASSERT_TRUE(holder.Started());

    StartListing({L"a.txt"});
    EXPECT_FALSE(Exists(leftover));
    EXPECT_TRUE(Exists(held));
    for (const std::wstring& path : others) EXPECT_TRUE(Exists(path));
}

TEST_F(OutcomeEndToEnd, Utf8SettingMakesAMarkedDayFileThatKeepsAKoreanName) {
    SetEncoding(L"UTF-8");
    StartListing({L"한국어.txt"});
    EXPECT_EQ(ReadBytes(folder_.DayFile()), kUtf8Mark);
    const auto messages = Extract();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, SuccessText());
    EXPECT_EQ(ReadBytes(folder_.DayFile()), std::string(kUtf8Mark) + "\r\n한국어.txt\r\n");
}

// Saved as Notepad's "Unicode": the block goes in UTF-16 LE after the mark,
// and names outside the ANSI code page come back whole.
TEST_F(OutcomeEndToEnd, Utf16DayFileKeepsItsEncodingAndTheNamesWhole) {
    StartListing({L"한국어.txt", L"名字.txt"});
    const std::string older = "\xFF\xFE" + win32::Utf16Bytes("旧的一行\r\n", false);
    WriteBytes(folder_.DayFile(), older);
    const auto messages = Extract();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, SuccessText());
    const std::string bytes = ReadBytes(folder_.DayFile());
    ASSERT_EQ(bytes.size() % 2, 0u);
    std::wstring text(bytes.size() / 2, L'\0');
    std::memcpy(text.data(), bytes.data(), bytes.size());
    ASSERT_EQ(text.substr(0, 1), L"\xFEFF");
    const std::wstring block = text.substr(1, text.size() - 1 - (older.size() - 2) / 2);
    EXPECT_TRUE(block == L"\r\n한국어.txt\r\n\r\n名字.txt\r\n" || block == L"\r\n名字.txt\r\n\r\n한국어.txt\r\n") << Utf8(block);
    EXPECT_TRUE(bytes.ends_with(older.substr(2)));
}

TEST_F(OutcomeEndToEnd, AnsiDayFileTellsOnASecondLineHowManyNamesLostCharacters) {
    StartListing({L"한국어.txt", L"名字.txt"});
    const auto messages = Extract();
    ASSERT_EQ(messages.size(), 1u);
    const std::string first = SuccessText() + "\n";
    ASSERT_EQ(messages[0].text.substr(0, first.size()), first);
    EXPECT_TRUE(Contains(messages[0].text, "有 1 个名称")) << messages[0].text;
    EXPECT_TRUE(Contains(messages[0].text, "输出编码")) << messages[0].text;
    const std::string bytes = ReadBytes(folder_.DayFile());
    EXPECT_TRUE(Contains(bytes, "\r\n???.txt\r\n")) << bytes;
    EXPECT_TRUE(Contains(bytes, "\r\n\xC3\xFB\xD7\xD6.txt\r\n")) << bytes;  // "名字.txt" in code page 936
}

TEST_F(OutcomeEndToEnd, BlockAbove64MiBIsAskedForAndNoWritesNothing) {
    StartListing({L"a.txt"});
    TypeCount(L"40000000");
    const auto messages = Extract(IDNO);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(Contains(messages[0].text, "77 MB")) << messages[0].text;
    EXPECT_TRUE(messages[0].hasWarningIcon);
    ASSERT_EQ(messages[0].buttons.size(), 2u);
    EXPECT_TRUE(Contains(messages[0].buttons[0], "是"));
    EXPECT_TRUE(Contains(messages[0].buttons[1], "否"));
    EXPECT_EQ(ReadBytes(folder_.DayFile()), "");
}

}  // namespace
}  // namespace quillory::testing
