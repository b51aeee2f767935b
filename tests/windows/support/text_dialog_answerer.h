#pragma once
// Answers the program's one-line text dialog from a helper thread while the
// test's thread waits in it: notes what it shows, types an answer, presses a key.
#include <windows.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillory::testing {

struct ShownTextDialog {
    std::string title;
    std::string label;
    std::string initial;               // the edit box's text when the dialog came up
    std::vector<std::string> buttons;  // captions, in the order of the dialog's items
    HWND owner = nullptr;
};

class TextDialogAnswerer {
public:
    // With a text: types it into the edit box and presses Enter; without:
    // presses Esc. The dialog's own keys, so its default button and its
    // cancel are what answer.
    explicit TextDialogAnswerer(std::optional<std::string> answer);
    ~TextDialogAnswerer();
    TextDialogAnswerer(const TextDialogAnswerer&) = delete;
    TextDialogAnswerer& operator=(const TextDialogAnswerer&) = delete;

    // Waits for the helper; the dialog seen, if one came.
    std::optional<ShownTextDialog> Answered();

private:
    void Answer();

    const std::optional<std::string> answer_;
    const DWORD thread_;
    std::optional<ShownTextDialog> shown_;
    std::thread helper_;
};

}  // namespace quillory::testing
