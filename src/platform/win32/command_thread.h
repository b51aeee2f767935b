#pragma once
// One long-lived thread that runs the commands posted to it in order, for
// work whose system objects belong to the thread that made them (a read
// the system cancels when its thread ends). Going, it waits a moment for the
// command running, then leaves it to end with the process: a command stuck
// on a share that stopped answering never keeps the program open.
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace quillory::win32 {

class CommandThread {
public:
    CommandThread();
    ~CommandThread();
    CommandThread(const CommandThread&) = delete;
    CommandThread& operator=(const CommandThread&) = delete;

    void Post(std::function<void()> command);

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<std::function<void()>> commands;
        bool going = false;
        bool ended = false;
    };
    static void Run(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;
};

}  // namespace quillory::win32
