// Copies of the built program writing the same day's file at the same moment,
// as a scheduled task and a hand-started run do: each waits for the other's
// turn, so every block goes in whole and nothing older is lost.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/encoding.h"
#include "platform/win32/file_claim.h"
#include "platform/win32/win32_services.h"
#include "support/message_box_answerer.h"
#include "support/program_process.h"
#include "support/test_app.h"
#include "support/process_start.h"

namespace quillory::testing {
namespace {

using win32::Utf8;

constexpr int kNamesPerFolder = 60;
constexpr wchar_t kHolderTest[] = L"ClaimHolder.DISABLED_HoldsTheClaimOnTheFileTheEnvironmentNamesUntilKilled";
constexpr wchar_t kHeldFileVariable[] = L"QUILLORY_HELD_FILE";

std::string OldLines() {
    std::string lines;
    for (int line = 0; line < 10; ++line) lines += "older line " + std::to_string(line) + "\r\n";
    return lines;
}

std::string NameOf(wchar_t folder, int number) {
    return Utf8(std::wstring(1, folder)) + (number < 10 ? "0" : "") + std::to_string(number) + ".txt";
}

// What one extraction of a folder writes: sorted by name, reversed, one empty line before each.
std::string BlockOf(wchar_t folder) {
    std::string block;
    for (int number = kNamesPerFolder - 1; number >= 0; --number) block += "\r\n" + NameOf(folder, number) + "\r\n";
    return block;
}

class TakingTurns : public ::testing::Test {
protected:
    TakingTurns() {
        EXPECT_TRUE(CopyFileW(WindowsPath(QUILLORY_EXE_PATH).c_str(), exe_.c_str(), FALSE));
        WritePrivateProfileStringW(L"选项", L"排列顺序", L"名称", program_.SettingsFile().c_str());
        CreateDirectoryW(program_.StorageFolder().c_str(), nullptr);
        WriteBytes(program_.DayFile(), OldLines());
        for (wchar_t folder : {L'a', L'b'}) {
            CreateDirectoryW(Folder(folder).c_str(), nullptr);
            for (int number = 0; number < kNamesPerFolder; ++number) {
                WriteBytes(Folder(folder) + L"\\" + win32::Wide(NameOf(folder, number)), "x");
            }
        }
    }

    std::wstring Folder(wchar_t folder) const { return names_ / std::wstring(1, folder); }
    std::unique_ptr<StartedProgram> StartExtracting(wchar_t folder) const {
        return std::make_unique<StartedProgram>(exe_, L"--extract \"" + Folder(folder) + L"\"");
    }
    std::string Day() const { return ReadBytes(program_.DayFile()); }

    // Both blocks whole, in either order, in front of what the file held before.
    void ExpectBothBlocksInFrontOf(const std::string& before, int round) {
        const std::string day = Day();
        const bool abFirst = day == BlockOf(L'a') + BlockOf(L'b') + before;
        const bool baFirst = day == BlockOf(L'b') + BlockOf(L'a') + before;
        EXPECT_TRUE(abFirst || baFirst) << "round " << round << ": " << day.size() << " bytes, expected "
                                        << 2 * BlockOf(L'a').size() + before.size();
    }

    ProgramFolder program_;
    const std::wstring exe_ = program_ / L"Quillory.exe";
    TestFolder names_;
};

TEST_F(TakingTurns, TwoScriptedExtractionsAtOnceBothWriteTheirWholeBlocksRoundAfterRound) {
    for (int round = 0; round < 50 && !HasFailure(); ++round) {
        const std::string before = Day();
        auto a = StartExtracting(L'a');
        auto b = StartExtracting(L'b');
        const Finished first = a->Finish();
        const Finished second = b->Finish();
        EXPECT_EQ(first.exitCode, 0u) << "round " << round << ": " << first.error;
        EXPECT_EQ(second.exitCode, 0u) << "round " << round << ": " << second.error;
        ExpectBothBlocksInFrontOf(before, round);
    }
    EXPECT_TRUE(Day().ends_with(OldLines()));
}

TEST_F(TakingTurns, AWindowAndAScriptedRunAtOnceBothWriteTheirWholeBlocks) {
    TestApp app(program_.Path(), L"\"" + Folder(L'a') + L"\"");
    for (int round = 0; round < 8 && !HasFailure(); ++round) {
        const std::string before = Day();
        auto scripted = StartExtracting(L'b');
        Sleep(static_cast<DWORD>(40 * round));  // the window's write falls at another point of the run each time
        MessageBoxAnswerer answerer;
        app.Click(ControlId::按钮提取文件名);
        const Finished finished = scripted->Finish();
        EXPECT_EQ(finished.exitCode, 0u) << "round " << round << ": " << finished.error;
        const std::vector<ShownMessage> shown = answerer.Answered();
        ASSERT_EQ(shown.size(), 1u) << "round " << round;
        EXPECT_EQ(shown[0].text, "提取成功，所在目录为:" + Utf8(program_.DayFile())) << "round " << round;
        ExpectBothBlocksInFrontOf(before, round);
    }
}

// A logger appending numbered lines, opening the day's file for each and
// trying again when refused, while copies of the program and this process
// write blocks: every line and every block is there, each line once, in order.
TEST_F(TakingTurns, AnAppendingProgramLosesNoLineWhileTwentyBlocksGoIn) {
    std::atomic<bool> writing = true;
    int appended = 0;
    std::string lines;
    std::thread logger([&] {
        while (writing) {
            const std::string line = "appended " + std::to_string(appended) + "\r\n";
            const win32::FileHandle day(CreateFileW(program_.DayFile().c_str(), FILE_APPEND_DATA,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0,
                                                    nullptr));
            DWORD written = 0;
            if (day && WriteFile(day.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) {
                lines += line;
                ++appended;
            }
            Sleep(1);
        }
    });
    win32::Win32Services services(Utf8(program_.Path()));
    std::thread inserter([&] {
        for (int block = 0; block < 14; ++block) {
            EXPECT_TRUE(services.InsertLine(Utf8(program_.DayFile()), "block " + std::to_string(block)));
        }
    });
    for (int round = 0; round < 3; ++round) {
        auto a = StartExtracting(L'a');
        auto b = StartExtracting(L'b');
        for (const Finished& finished : {a->Finish(), b->Finish()}) EXPECT_EQ(finished.exitCode, 0u) << finished.error;
    }
    inserter.join();
    writing = false;
    logger.join();

    const std::string day = Day();
    EXPECT_GT(appended, 20);
    EXPECT_TRUE(day.ends_with(OldLines() + lines)) << appended << " lines appended";
    for (wchar_t folder : {L'a', L'b'}) {
        std::size_t found = 0;
        for (std::size_t at = day.find(BlockOf(folder)); at != std::string::npos; at = day.find(BlockOf(folder), at + 1)) {
            ++found;
        }
        EXPECT_EQ(found, 3u);
    }
    for (int block = 0; block < 14; ++block) {
        EXPECT_NE(day.find("block " + std::to_string(block) + "\r\n"), std::string::npos) << block;
    }
}

// The waits are short, but the window paints meanwhile.
TEST_F(TakingTurns, AWindowWaitingForItsTurnKeepsPainting) {
    TestApp app(program_.Path(), L"\"" + Folder(L'a') + L"\"");
    std::optional<win32::FileClaim> other(std::in_place, program_.DayFile());
    ASSERT_TRUE(other->Outcome());
    bool paintedWhileWaiting = false;
    std::thread copy([&] {
        Sleep(500);  // the window is waiting now
        InvalidateRect(app.Window(), nullptr, TRUE);
        for (int round = 0; round < 50 && !paintedWhileWaiting; ++round) {
            Sleep(10);
            paintedWhileWaiting = !GetUpdateRect(app.Window(), nullptr, FALSE);
        }
        other.reset();
    });
    MessageBoxAnswerer answerer;
    app.Click(ControlId::按钮提取文件名);
    copy.join();
    EXPECT_TRUE(paintedWhileWaiting);
    EXPECT_EQ(answerer.Answered().size(), 1u);
    EXPECT_EQ(Day(), BlockOf(L'a') + OldLines());
}

// A copy killed while it held its turn: the system ends the turn with the
// process, so the copy waiting for it writes at once.
TEST_F(TakingTurns, ATurnLeftByAKilledCopyIsTakenOverAtOnce) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_also_run_disabled_tests --gtest_filter=" +
                               kHolderTest;
    SetEnvironmentVariableW(kHeldFileVariable, program_.DayFile().c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION holder{};
    const bool started = StartProcess(self, commandLine.data(), FALSE, 0, nullptr, &startup, &holder);
    SetEnvironmentVariableW(kHeldFileVariable, nullptr);
    ASSERT_TRUE(started);
    const std::wstring claimFile = program_.StorageFolder() + L"\\~quillory-" + TodayStem() + L".lock";
    for (int round = 0; round < 200 && !Exists(claimFile); ++round) Sleep(50);
    ASSERT_TRUE(Exists(claimFile));

    auto waiting = StartExtracting(L'a');
    Sleep(1500);
    EXPECT_FALSE(waiting->Ended());
    EXPECT_EQ(Day(), OldLines());
    const ULONGLONG killed = GetTickCount64();
    TerminateProcess(holder.hProcess, 9);
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
    const Finished finished = waiting->Finish();
    EXPECT_LT(GetTickCount64() - killed, 3000u);
    EXPECT_EQ(finished.exitCode, 0u) << finished.error;
    EXPECT_EQ(Day(), BlockOf(L'a') + OldLines());
    EXPECT_FALSE(Exists(claimFile));
}

// Not a test of its own: the process the test above kills, holding the turn
// through the program's own code as a copy in the middle of its write does.
TEST(ClaimHolder, DISABLED_HoldsTheClaimOnTheFileTheEnvironmentNamesUntilKilled) {
    wchar_t file[MAX_PATH] = L"";
    ASSERT_NE(GetEnvironmentVariableW(kHeldFileVariable, file, MAX_PATH), 0u);
    const win32::FileClaim claim(file);
    ASSERT_TRUE(claim.Outcome());
    Sleep(60'000);
}

}  // namespace
}  // namespace quillory::testing
