#include "skin/win32/loaded_skin_library.h"

#include "platform/text.h"
#include "platform/win32/encoding.h"
#include "platform/win32/long_path.h"

namespace quillory::win32 {
namespace {

constexpr const char* kLibraryFile = "PLXE\\SkinH_EL.dll";

// The library, and the skin file it reads, by a path that the loader and the
// library take: past MAX_PATH through the folders' short names.
std::string Reachable(const std::string& path) {
    const std::wstring within = WithinMaxPath(path);
    return within.empty() ? path : Utf8(within);
}

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

LoadedSkinLibrary::LoadedSkinLibrary(const std::string& programFolder)
    : programFolder_(programFolder),
      module_(LoadLibraryW(Wide(Reachable(JoinPath(programFolder, kLibraryFile))).c_str())),
      attach_(Lookup<AttachFunction>(module_.Get(), "SkinH_Attach")),
      attachEx_(Lookup<AttachExFunction>(module_.Get(), "SkinH_AttachEx")),
      adjustHsv_(Lookup<AdjustHsvFunction>(module_.Get(), "SkinH_AdjustHSV")) {}

void LoadedSkinLibrary::SkinH_Attach() {
    if (attach_) attach_();
}

void LoadedSkinLibrary::SkinH_AttachEx(const std::string& skinFile, const std::string& password) {
    // The relative name as it is, while the library reaches the file by it.
    const std::string full = JoinPath(programFolder_, skinFile);
    const std::string named = Wide(full).size() < MAX_PATH ? skinFile : Reachable(full);
    if (attachEx_) attachEx_(Ansi(named).c_str(), Ansi(password).c_str());
}

void LoadedSkinLibrary::SkinH_AdjustHSV(std::int32_t hue, std::int32_t saturation, std::int32_t brightness) {
    if (adjustHsv_) adjustHsv_(hue, saturation, brightness);
}

}  // namespace quillory::win32
