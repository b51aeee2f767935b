#pragma once
// Answers the program's modal message boxes from a helper thread while the
// test's thread is inside the action that shows them.
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quillory::testing {

inline constexpr const char* kMessageBoxTitle = "Velkor工作室提醒您";

struct ShownMessage {
    std::string title;
    std::string text;
    std::vector<std::string> buttons;  // captions, left to right
    bool hasIcon = false;
    bool hasWarningIcon = false;
};

// From construction on, every message box of the calling thread (or of
// `thread`, of another process, say) with the title is noted and answered
// with the button `answer` (IDNO, say), or with OK where the box has no such
// button. A message box is modal, so when the action that showed it returns,
// it has been answered: Answered() may be called at once.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::string title = kMessageBoxTitle, int answer = IDOK,
                                DWORD thread = GetCurrentThreadId());
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Waits up to `milliseconds` until `count` boxes have been answered; for
    // another thread's boxes, which no action of this thread waits for.
    bool AwaitAnswers(std::size_t count, DWORD milliseconds);
    // Stops watching; the boxes answered, in order.
    std::vector<ShownMessage> Answered();

private:
    void Watch(std::stop_token stop);

    const std::wstring title_;
    const int answer_;
    const DWORD thread_;
    std::mutex mutex_;
    std::vector<ShownMessage> answered_;
    std::jthread watcher_;
};

}  // namespace quillory::testing
