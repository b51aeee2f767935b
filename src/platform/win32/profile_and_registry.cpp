// The INI file through the private-profile functions, and registry values.
#include <windows.h>

#include "platform/win32/encoding.h"
#include "platform/win32/long_path.h"
#include "platform/win32/win32_services.h"
#include "platform/window_thread.h"

namespace quillory::win32 {

namespace {

// GetPrivateProfileStringW fills the buffer up to size - 1 characters when
// the value is longer: grow until it fits.
std::wstring ProfileString(const std::wstring& section, const std::wstring& key, const wchar_t* fallback,
                           const std::wstring& file) {
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback, value.data(),
                                                      static_cast<DWORD>(value.size()), file.c_str());
        if (length + 1 < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(value.size() * 2);
    }
}

HKEY RootKey(RegistryRoot root) { return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

}  // namespace

// Given a longer path, the functions cut it short, and under Wine they then
// write a file of another name elsewhere: they get none.
std::string Win32Services::ProfilePath(const std::string& file) {
    window_thread::CheckFileSystemCall("ProfilePath");
    return Utf8(WithinMaxPath(file));
}

std::string Win32Services::ReadIniText(const std::string& file, const std::string& section, const std::string& key,
                                       const std::string& fallback) {
    window_thread::CheckFileSystemCall("ReadIniText");
    const std::wstring wideFile = WithinMaxPath(file), wideSection = Wide(section), wideKey = Wide(key);
    if (wideFile.empty()) return fallback;
    const std::wstring value = ProfileString(wideSection, wideKey, L"", wideFile);
    if (!value.empty()) return Utf8(value);
    // Empty: a key with an empty value, or no key at all. A second look with a
    // default that cannot be empty tells them apart; the fallback itself is
    // not handed over, as the profile functions cut its trailing blanks.
    const bool missing = !ProfileString(wideSection, wideKey, L"?", wideFile).empty();
    return missing ? fallback : std::string();
}

bool Win32Services::WriteIniText(const std::string& file, const std::string& section, const std::string& key,
                                 const std::string& value) {
    window_thread::CheckFileSystemCall("WriteIniText");
    const std::wstring reachable = WithinMaxPath(file);
    return !reachable.empty() && WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(),
                                                            Wide(value).c_str(), reachable.c_str()) != FALSE;
}

std::string Win32Services::ReadRegistryText(RegistryRoot root, const std::string& path) {
    window_thread::CheckFileSystemCall("ReadRegistryText");
    const std::wstring widePath = Wide(path);
    const std::size_t slash = widePath.find_last_of(L'\\');
    const std::wstring key = slash == std::wstring::npos ? std::wstring() : widePath.substr(0, slash);
    const std::wstring name = slash == std::wstring::npos ? widePath : widePath.substr(slash + 1);
    std::wstring value;
    DWORD size = 0;
    // The value may grow between asking for its size and reading it.
    for (;;) {
        value.resize(size / sizeof(wchar_t) + 1);
        size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        const LSTATUS status = RegGetValueW(RootKey(root), key.empty() ? nullptr : key.c_str(), name.c_str(),
                                            RRF_RT_REG_SZ, nullptr, value.data(), &size);
        if (status == ERROR_SUCCESS) break;
        if (status != ERROR_MORE_DATA) return {};
    }
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return Utf8(value);
}

}  // namespace quillory::win32
