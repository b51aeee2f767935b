#pragma once
// The values the logic reads and writes in plain controls.
#include <windows.h>

#include <string>

#include "platform/controls.h"

namespace quillory::win32 {

std::wstring WindowTextOf(HWND handle);

// A label's caption or an edit box's content.
class WindowText final : public TextControl {
public:
    explicit WindowText(HWND handle) : handle_(handle) {}
    std::string Text() const override;
    void SetText(const std::string& text) override;

private:
    HWND handle_;
};

class RadioState final : public RadioButton {
public:
    explicit RadioState(HWND handle) : handle_(handle) {}
    bool IsChecked() const override;
    void SetChecked(bool checked) override;

private:
    HWND handle_;
};

}  // namespace quillory::win32
