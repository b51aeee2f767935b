#pragma once
// Programs of the host system that Wine runs on, for what Windows itself
// refuses to make: a Unix link, a name with a line feed.
#include <string>

namespace quillory::testing {

// The path as the host names it; empty where the tests do not run under Wine.
std::wstring UnixPathOf(const std::wstring& path);

// A host command run by its program's path. Wine cannot wait for it, so the
// caller waits for what it does.
bool StartUnixCommand(const wchar_t* program, std::wstring commandLine);

// Waits up to ten seconds for the path to be there, or to be gone.
bool AwaitPresence(const std::wstring& path, bool present);

}  // namespace quillory::testing
