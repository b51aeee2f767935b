// The process ends within a second of its window, whatever its background
// work waits for, but for work that must finish. The program runs in a
// process of its own: this test program started again on the child's test,
// which gives the window a worker that waits on an event this side holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/handles.h"
#include "support/program_process.h"
#include "support/test_app.h"

namespace quillory::testing {
namespace {

constexpr wchar_t kFolderVariable[] = L"QUILLORY_END_FOLDER";
constexpr wchar_t kEventVariable[] = L"QUILLORY_END_EVENT";
constexpr wchar_t kFinishVariable[] = L"QUILLORY_END_MUST_FINISH";

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH] = L"";
    GetEnvironmentVariableW(name, value, MAX_PATH);
    return value;
}

std::wstring ThisProgram() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// The child: the program's window with its worker, run as the program runs
// until the other side closes the window.
TEST(ProgramEnd, DISABLED_ChildWhoseWorkerWaits) {
    TestApp app(Variable(kFolderVariable));
    const HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, Variable(kEventVariable).c_str());
    ASSERT_NE(event, nullptr);
    const AtExit atExit = Variable(kFinishVariable) == L"1" ? AtExit::Finish : AtExit::CutOff;
    app.Program().Window().Workers().Run([event] { WaitForSingleObject(event, INFINITE); }, atExit);
    const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, (Variable(kEventVariable) + L"-ready").c_str());
    ASSERT_NE(ready, nullptr);
    SetEvent(ready);
    app.Program().Run();
}

TEST(ProgramEnd, WithinASecondOfTheWindowClosingButAfterWorkThatMustFinish) {
    for (const bool mustFinish : {false, true}) {
        SCOPED_TRACE(mustFinish ? "must finish" : "may be cut off");
        const ProgramFolder folder;
        const std::wstring eventName = L"quillory-end-" + std::to_wstring(GetCurrentProcessId());
        const win32::KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
        const win32::KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, (eventName + L"-ready").c_str()));
        SetEnvironmentVariableW(kFolderVariable, folder.Path().c_str());
        SetEnvironmentVariableW(kEventVariable, eventName.c_str());
        SetEnvironmentVariableW(kFinishVariable, mustFinish ? L"1" : L"0");
        const StartedProgram child(ThisProgram(),
                                   L"--gtest_also_run_disabled_tests --gtest_filter=ProgramEnd.DISABLED_*");
        ASSERT_EQ(WaitForSingleObject(ready.Get(), 20000), WAIT_OBJECT_0);
        const HWND window = child.AwaitWindow();
        ASSERT_NE(window, nullptr);

        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WindowGoes(window));
        if (mustFinish) {
            EXPECT_FALSE(child.EndsWithin(1500)) << "the process ended before the work";
            SetEvent(event.Get());
            // The orderly end that follows takes its time on a loaded machine.
            EXPECT_TRUE(child.EndsWithin(5000));
        } else {
            EXPECT_TRUE(child.EndsWithin(1000));
            SetEvent(event.Get());
        }
    }
}

}  // namespace
}  // namespace quillory::testing
