#include "support/test_share.h"

#include <windows.h>

#include "support/host_command.h"
#include "support/many_files.h"
#include "support/test_folder.h"

namespace quillory::testing {

namespace {

constexpr wchar_t kDrive[] = L"S:\\";
constexpr wchar_t kUnc[] = L"\\\\fileserver\\photos\\";

std::wstring Variable(const wchar_t* name) {
    wchar_t value[1024] = L"";
    if (GetEnvironmentVariableW(name, value, 1024) >= 1024) return {};
    return value;
}

std::wstring Within(const std::wstring& folder, const std::wstring& name) {
    return name.empty() ? folder : folder + L"\\" + name;
}

// The share reads its control file every few milliseconds.
void Tell(const char* word) {
    WriteBytes(Variable(L"QUILLORY_SHARE_CONTROL"), word);
    Sleep(30);
}

}  // namespace

std::wstring TestShare::Missing() {
    if (const std::wstring why = Variable(L"QUILLORY_SHARE_MISSING"); !why.empty()) return why;
    if (Variable(L"QUILLORY_SHARE_SOURCE").empty()) return L"not run by tools/with-wine.sh, which mounts the share";
    return {};
}

TestShare::TestShare()
    : name_(L"share-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64())),
      source_(Variable(L"QUILLORY_SHARE_SOURCE") + L"\\" + name_) {
    CreateDirectoryW(source_.c_str(), nullptr);
}

// Removed by the host in one go, without Wine's slow file by file.
TestShare::~TestShare() {
    Answer();
    const std::wstring unixPath = UnixPathOf(source_);
    if (!unixPath.empty()) StartUnixCommand(L"/bin/rm", L"rm -rf \"" + unixPath + L"\"");
}

std::wstring TestShare::OnDrive(const std::wstring& name) const { return Within(kDrive + name_, name); }
std::wstring TestShare::OnUnc(const std::wstring& name) const { return Within(kUnc + name_, name); }
std::wstring TestShare::Served(const std::wstring& name) const { return Within(source_, name); }

bool TestShare::MakeFiles(int count, const std::function<std::wstring(int)>& nameOf) const {
    return MakeEmptyFiles(source_, count, nameOf);
}

void TestShare::Stop() const { Tell("stop"); }
void TestShare::Answer() const { Tell("go"); }

}  // namespace quillory::testing
