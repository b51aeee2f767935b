#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/win32/handles.h"
#include "skin/skin_library.h"

namespace quillory::win32 {

struct ModuleTraits {
    using Value = HMODULE;
    static Value Invalid() { return nullptr; }
    static void Close(Value value) { FreeLibrary(value); }
};
using ModuleHandle = Unique<ModuleTraits>;

// The skin library of the side folder, program folder + "\PLXE\SkinH_EL.dll",
// with its functions looked up by name. Past MAX_PATH, the library and the
// skin file are named through the folders' short names. Without the library or one of its
// functions, that call does nothing and the program runs unskinned. The
// library is freed with this object; it takes its hooks back when unloaded.
class LoadedSkinLibrary final : public SkinLibrary {
public:
    explicit LoadedSkinLibrary(const std::string& programFolder);

    void SkinH_Attach() override;
    void SkinH_AttachEx(const std::string& skinFile, const std::string& password) override;
    void SkinH_AdjustHSV(std::int32_t hue, std::int32_t saturation, std::int32_t brightness) override;

private:
    using AttachFunction = std::int32_t(__stdcall*)();
    using AttachExFunction = std::int32_t(__stdcall*)(const char* skinFile, const char* password);
    using AdjustHsvFunction = std::int32_t(__stdcall*)(std::int32_t hue, std::int32_t saturation,
                                                       std::int32_t brightness);

    std::string programFolder_;
    ModuleHandle module_;
    AttachFunction attach_ = nullptr;
    AttachExFunction attachEx_ = nullptr;
    AdjustHsvFunction adjustHsv_ = nullptr;
};

}  // namespace quillory::win32
