#pragma once
// Answers the context menus that the program pops up, from a helper thread
// while the test's thread is inside the menu's own message loop.
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillory::testing {

struct ShownPopup {
    std::vector<std::string> items;  // captions, top to bottom
    POINT topLeft{};                 // on the screen
};

// From construction on, every pop-up menu of the calling thread is noted and
// then closed with Esc, or, with a choice, that item (counted from 0) is
// chosen with the keyboard.
class PopupMenuAnswerer {
public:
    explicit PopupMenuAnswerer(std::optional<int> choice = std::nullopt);
    ~PopupMenuAnswerer();
    PopupMenuAnswerer(const PopupMenuAnswerer&) = delete;
    PopupMenuAnswerer& operator=(const PopupMenuAnswerer&) = delete;

    // Stops watching; the menus answered, in order.
    std::vector<ShownPopup> Answered();

private:
    void Watch(std::stop_token stop);
    void Answer(HWND popup) const;

    const std::optional<int> choice_;
    const DWORD thread_;
    std::mutex mutex_;
    std::vector<ShownPopup> answered_;
    std::jthread watcher_;
};

}  // namespace quillory::testing
