#include "skin_engine.h"

#include <vector>

#include "menu_background.h"
#include "skin_file.h"

namespace skin {
namespace {

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) SkinEngine::Instance().Skin(reinterpret_cast<HWND>(wParam), false);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK SkinChild(HWND child, LPARAM) {
    if (GetWindowThreadProcessId(child, nullptr) == GetCurrentThreadId()) SkinEngine::Instance().Skin(child, true);
    return TRUE;
}

BOOL CALLBACK SkinWithChildren(HWND window, LPARAM) {
    SkinEngine::Instance().Skin(window, true);
    EnumChildWindows(window, &SkinChild, 0);
    return TRUE;
}

}  // namespace

// Not destroyed when the process ends: windows may still reach the skin then.
SkinEngine* SkinEngine::instance_ = nullptr;

SkinEngine& SkinEngine::Instance() {
    if (!instance_) instance_ = new SkinEngine;
    return *instance_;
}

void SkinEngine::Unload() {
    delete instance_;
    instance_ = nullptr;
}

SkinEngine::SkinEngine() : theme_(std::make_unique<Theme>(skinPalette_)) {}

// Takes back what would call into the library once it is gone: the window
// procedures (only the calling thread's windows can be given theirs back) and
// the menus' brushes; the hooks go with their owners.
SkinEngine::~SkinEngine() {
    const DWORD thread = GetCurrentThreadId();
    for (const auto& [window, record] : windows_) {
        if (GetWindowThreadProcessId(window, nullptr) == thread) Unsubclass(window);
    }
    for (HMENU menu : skinnedMenus_) ResetMenuBackground(menu);
}

bool SkinEngine::AttachCurrentThread() {
    const DWORD thread = GetCurrentThreadId();
    if (!hooks_.contains(thread)) {
        const HHOOK hook = SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, thread);
        if (!hook) return false;
        hooks_.emplace(thread, ThreadHook(hook));
    }
    EnumThreadWindows(thread, &SkinWithChildren, 0);
    return true;
}

bool SkinEngine::LoadSkin(const char* fileName) {
    const auto text = ReadSkinFile(fileName);
    if (!text) return false;
    skinPalette_ = ParseSkin(*text, BuiltInPalette());
    RestyleAll();
    return true;
}

void SkinEngine::Adjust(const Adjustment& adjustment) {
    adjustment_ = adjustment;
    RestyleAll();
}

void SkinEngine::Skin(HWND window, bool created) {
    if (windows_.contains(window)) return;
    const auto kind = KindOf(window);
    if (!kind) return;
    SkinnedWindow& record = windows_.emplace(window, SkinnedWindow{*kind, {}}).first->second;
    if (!Subclass(window, record)) {
        windows_.erase(window);
        return;
    }
    if (created) skin::Restyle(window, record, *theme_, skinnedMenus_);
}

void SkinEngine::Restyle(HWND window) {
    const auto found = windows_.find(window);
    if (found != windows_.end()) skin::Restyle(window, found->second, *theme_, skinnedMenus_);
}

void SkinEngine::Forget(HWND window) { windows_.erase(window); }

void SkinEngine::RestyleAll() {
    // The old brushes live until every window and menu has the new ones.
    const auto previous = std::exchange(theme_, std::make_unique<Theme>(skin::Adjust(skinPalette_, adjustment_)));
    std::vector<HWND> windows;
    for (const auto& entry : windows_) windows.push_back(entry.first);
    // Restyling sends messages, which may create or destroy windows.
    for (HWND window : windows) Restyle(window);
}

}  // namespace skin
