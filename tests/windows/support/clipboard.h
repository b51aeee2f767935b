#pragma once
// The clipboard as another program fills and reads it.
#include <optional>
#include <string>

namespace quillory::testing {

// In place of what it holds.
void PutTextOnClipboard(const std::wstring& text);
// Its Unicode text; none when it holds no text.
std::optional<std::wstring> ClipboardText();

}  // namespace quillory::testing
