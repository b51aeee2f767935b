#pragma once
// A 32-bit program on 64-bit Windows is shown SysWOW64 where it names System32
// (and the like), unless the file-system redirection is off. It is per thread,
// so each call that resolves a path the user chose turns it off for itself,
// on whatever thread it runs, and only while it resolves: a library loaded
// meanwhile would be looked for among the 64-bit ones. Where there is no
// redirection (a 64-bit program, 32-bit Windows) the calls fail and change nothing.
#include <windows.h>

namespace quillory::win32 {

class RedirectionOff {
public:
    RedirectionOff() : off_(Wow64DisableWow64FsRedirection(&previous_) != FALSE) {}
    ~RedirectionOff() {
        if (off_) Wow64RevertWow64FsRedirection(previous_);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    PVOID previous_ = nullptr;
    bool off_;
};

}  // namespace quillory::win32
