// The library's three functions, exported under their plain names (SkinH_EL.def).
#include <windows.h>

#include <cstdint>

#include "core/colour.h"
#include "skin_engine.h"

extern "C" {

// 1 once the calling thread's windows are skinned, 0 when that failed.
__stdcall std::int32_t SkinH_Attach() { return skin::SkinEngine::Instance().AttachCurrentThread() ? 1 : 0; }

// Loads the skin file, then attaches as SkinH_Attach. 1 when both succeeded;
// an unreadable skin file leaves the palette as it was. The password is
// accepted for the caller's sake: skin files here are plain text.
__stdcall std::int32_t SkinH_AttachEx(const char* skinFile, const char* password) {
    (void)password;
    skin::SkinEngine& engine = skin::SkinEngine::Instance();
    const bool loaded = engine.LoadSkin(skinFile);
    const bool attached = engine.AttachCurrentThread();
    return loaded && attached ? 1 : 0;
}

// Shifts the whole palette from the skin's own colours; any values are taken,
// the hue wrapped and the percentages clamped. Always 1.
__stdcall std::int32_t SkinH_AdjustHSV(std::int32_t hue, std::int32_t saturation, std::int32_t brightness) {
    skin::SkinEngine::Instance().Adjust(skin::MakeAdjustment(hue, saturation, brightness));
    return 1;
}

// Unloaded while the process goes on (FreeLibrary): nothing may be left that
// calls into the library. At the process's end there is nothing to take back.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && !reserved) skin::SkinEngine::Unload();
    return TRUE;
}

}  // extern "C"
