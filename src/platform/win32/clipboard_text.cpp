#include "platform/win32/clipboard_text.h"

#include "platform/win32/handles.h"

namespace quillory::win32 {

namespace {

struct GlobalMemoryTraits {
    using Value = HGLOBAL;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { GlobalFree(value); }
};
using GlobalMemory = Unique<GlobalMemoryTraits>;

class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

    explicit operator bool() const { return open_; }

private:
    bool open_;
};

GlobalMemory TextInGlobalMemory(std::wstring_view text) {
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    auto* target = memory ? static_cast<wchar_t*>(GlobalLock(memory.Get())) : nullptr;
    if (!target) return GlobalMemory();
    target[text.copy(target, text.size())] = L'\0';
    GlobalUnlock(memory.Get());
    return memory;
}

}  // namespace

void PutTextOnClipboard(HWND owner, std::wstring_view text) {
    GlobalMemory memory = TextInGlobalMemory(text);
    const OpenClipboardScope clipboard(owner);
    if (!memory || !clipboard || !EmptyClipboard()) return;
    if (SetClipboardData(CF_UNICODETEXT, memory.Get())) memory.Release();  // the system's now
}

std::optional<std::wstring> TextOnClipboard(HWND owner) {
    const OpenClipboardScope clipboard(owner);
    if (!clipboard) return std::nullopt;
    std::optional<std::wstring> text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.emplace(characters);
            GlobalUnlock(data);
        }
    }
    return text;
}

bool UseFilesOnClipboard(HWND owner, const std::function<void(HDROP files)>& use) {
    const OpenClipboardScope clipboard(owner);
    const HANDLE data = clipboard ? GetClipboardData(CF_HDROP) : nullptr;
    if (!data) return false;
    use(static_cast<HDROP>(data));
    return true;
}

}  // namespace quillory::win32
