// Stands in for the skin library in tests: each call is appended, with its
// arguments, as one line to skin_calls.log beside the library.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::filesystem::path LogPath() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LogPath), &self);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(self, path, MAX_PATH);
    return std::filesystem::path(path).parent_path() / L"skin_calls.log";
}

void Record(const std::string& line) {
    std::ofstream(LogPath(), std::ios::binary | std::ios::app) << line << "\r\n";
}

std::string Quoted(const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }

}  // namespace

extern "C" {

__stdcall std::int32_t SkinH_Attach() {
    Record("SkinH_Attach()");
    return 0;
}

__stdcall std::int32_t SkinH_AttachEx(const char* skinFile, const char* password) {
    Record("SkinH_AttachEx(" + Quoted(skinFile) + ", " + Quoted(password) + ")");
    return 0;
}

__stdcall std::int32_t SkinH_AdjustHSV(std::int32_t hue, std::int32_t saturation, std::int32_t brightness) {
    Record("SkinH_AdjustHSV(" + std::to_string(hue) + ", " + std::to_string(saturation) + ", " +
           std::to_string(brightness) + ")");
    return 0;
}

}  // extern "C"
