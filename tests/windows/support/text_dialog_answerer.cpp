#include "support/text_dialog_answerer.h"

#include <chrono>

#include "platform/win32/encoding.h"
#include "support/window_queries.h"

namespace quillory::testing {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(20);
constexpr int kPolls = 500;

HWND ChildOfClass(HWND dialog, const std::string& windowClass) {
    for (HWND child : ChildrenOf(dialog)) {
        if (ClassOf(child) == windowClass) return child;
    }
    return nullptr;
}

bool IsTextDialog(HWND window) {
    return IsWindowVisible(window) && ClassOf(window) == "#32770" && ChildOfClass(window, "Edit") != nullptr;
}

void PressKey(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

TextDialogAnswerer::TextDialogAnswerer(std::optional<std::string> answer)
    : answer_(std::move(answer)), thread_(GetCurrentThreadId()), helper_([this] { Answer(); }) {}

TextDialogAnswerer::~TextDialogAnswerer() {
    if (helper_.joinable()) helper_.join();
}

std::optional<ShownTextDialog> TextDialogAnswerer::Answered() {
    if (helper_.joinable()) helper_.join();
    return shown_;
}

void TextDialogAnswerer::Answer() {
    HWND dialog = nullptr;
    for (int poll = 0; poll < kPolls && !dialog; ++poll) {
        std::this_thread::sleep_for(kPoll);
        dialog = FindThreadWindow(thread_, IsTextDialog);
    }
    if (!dialog) return;
    const HWND edit = ChildOfClass(dialog, "Edit");
    ShownTextDialog shown{TextOf(dialog), {}, TextOf(edit), {}, GetWindow(dialog, GW_OWNER)};
    for (HWND child : ChildrenOf(dialog)) {
        if (ClassOf(child) == "Static") shown.label = TextOf(child);
        if (ClassOf(child) == "Button") shown.buttons.push_back(TextOf(child));
    }
    shown_ = shown;
    // As typed or pasted over the whole text: the edit box's limit applies.
    if (answer_) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(win32::Wide(*answer_).c_str()));
    }
    PressKey(edit, answer_ ? VK_RETURN : VK_ESCAPE);
    for (int poll = 0; poll < kPolls && IsWindow(dialog); ++poll) std::this_thread::sleep_for(kPoll);
}

}  // namespace quillory::testing
