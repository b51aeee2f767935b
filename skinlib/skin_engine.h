#pragma once
// The skin of the process: the palette, its shift, the hooked threads and the
// skinned windows.
#include <windows.h>

#include <map>
#include <memory>
#include <set>

#include "core/colour.h"
#include "core/palette.h"
#include "theme.h"
#include "window_skin.h"

namespace skin {

class ThreadHook {
public:
    explicit ThreadHook(HHOOK hook) : hook_(hook) {}
    ~ThreadHook() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    ThreadHook(ThreadHook&& other) noexcept : hook_(std::exchange(other.hook_, nullptr)) {}
    ThreadHook(const ThreadHook&) = delete;
    ThreadHook& operator=(const ThreadHook&) = delete;

private:
    HHOOK hook_;
};

class SkinEngine {
public:
    static SkinEngine& Instance();
    // For the library's unloading while the process goes on.
    static void Unload();

    // Skins the calling thread's windows, those there now and those to come.
    bool AttachCurrentThread();
    // False, with the palette unchanged, when the file cannot be read.
    bool LoadSkin(const char* fileName);
    void Adjust(const Adjustment& adjustment);

    const Theme& CurrentTheme() const { return *theme_; }
    std::set<HMENU>& SkinnedMenus() { return skinnedMenus_; }

    // `created`: the window has had its WM_CREATE, so it can be restyled at once.
    void Skin(HWND window, bool created);
    // Brings a skinned window to the current theme.
    void Restyle(HWND window);
    void Forget(HWND window);

private:
    SkinEngine();
    ~SkinEngine();
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;
    void RestyleAll();

    static SkinEngine* instance_;

    Palette skinPalette_ = BuiltInPalette();
    Adjustment adjustment_{};
    std::unique_ptr<Theme> theme_;
    std::map<DWORD, ThreadHook> hooks_;
    std::map<HWND, SkinnedWindow> windows_;  // map nodes stay put: the subclasses point at them
    std::set<HMENU> skinnedMenus_;
};

}  // namespace skin
