// The INI file through the private-profile functions, and registry values.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/ini_text.h"
#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
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

// How a settings file was saved. The profile functions read ANSI (and
// UTF-16 with its mark) alone; the others are read and written here, each
// in the encoding the file has, so that one file never mixes two.
enum class IniEncoding { Ansi, Utf8, Utf8Marked, Utf16Le, Utf16Be };

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsUtf8(std::string_view bytes) {
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                               0) > 0;
}

// Unmarked UTF-8 is told by holding characters beyond ASCII, which ANSI
// text of the Chinese code page almost never spells validly.
IniEncoding EncodingOf(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return IniEncoding::Utf8Marked;
    if (bytes.starts_with("\xFF\xFE")) return IniEncoding::Utf16Le;
    if (bytes.starts_with("\xFE\xFF")) return IniEncoding::Utf16Be;
    const bool beyondAscii = std::ranges::any_of(bytes, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyondAscii && IsUtf8(bytes) ? IniEncoding::Utf8 : IniEncoding::Ansi;
}

std::string TextOf(std::string_view bytes, IniEncoding encoding) {
    switch (encoding) {
    case IniEncoding::Utf8Marked: return std::string(bytes.substr(kUtf8Mark.size()));
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be: {
        std::wstring wide;
        for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
            const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
            wide += static_cast<wchar_t>(encoding == IniEncoding::Utf16Le ? first | second << 8 : first << 8 | second);
        }
        return Utf8(wide);
    }
    case IniEncoding::Ansi:
    case IniEncoding::Utf8: break;
    }
    return std::string(bytes);
}

std::string BytesOf(const std::string& text, IniEncoding encoding) {
    switch (encoding) {
    case IniEncoding::Utf8Marked: return std::string(kUtf8Mark) + text;
    case IniEncoding::Utf16Le: return "\xFF\xFE" + Utf16Bytes(text, false);
    case IniEncoding::Utf16Be: return "\xFE\xFF" + Utf16Bytes(text, true);
    case IniEncoding::Ansi:
    case IniEncoding::Utf8: break;
    }
    return text;
}

// The whole file; nothing when it cannot be read.
std::optional<std::string> FileBytes(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (16 << 20)) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return std::nullopt;
    bytes.resize(read);
    return bytes;
}

// Written beside it and put in its place, so a failure leaves the old file whole.
bool ReplaceFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring beside = path + L".new";
    {
        const FileHandle file(CreateFileW(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            if (file) DeleteFileW(beside.c_str());
            return false;
        }
    }
    if (MoveFileExW(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    DeleteFileW(beside.c_str());
    return false;
}

// The file's text and encoding, when it is one the profile functions cannot read.
struct OwnIniFile {
    std::string text;
    IniEncoding encoding;
};

std::optional<OwnIniFile> OwnIni(const std::wstring& path) {
    const std::optional<std::string> bytes = FileBytes(path);
    if (!bytes) return std::nullopt;
    const IniEncoding encoding = EncodingOf(*bytes);
    if (encoding == IniEncoding::Ansi) return std::nullopt;
    return OwnIniFile{TextOf(*bytes, encoding), encoding};
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
    if (const std::optional<OwnIniFile> own = OwnIni(wideFile)) return IniValue(own->text, section, key).value_or(fallback);
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
    if (reachable.empty()) return false;
    if (const std::optional<OwnIniFile> own = OwnIni(reachable)) {
        return ReplaceFile(reachable, BytesOf(WithIniValue(own->text, section, key, value), own->encoding));
    }
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
