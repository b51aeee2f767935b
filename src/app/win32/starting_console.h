#pragma once
// Words for whoever started a program of the window subsystem, which gets no
// console of its own.
#include <windows.h>

#include <string>

#include "platform/services.h"

namespace quillory::win32 {

// Attached to the console of the starting process, when it has one, for the
// life of the object.
class StartingConsole {
public:
    StartingConsole();
    ~StartingConsole();
    StartingConsole(const StartingConsole&) = delete;
    StartingConsole& operator=(const StartingConsole&) = delete;

    // The text and a line end on the standard handle (STD_OUTPUT_HANDLE or
    // STD_ERROR_HANDLE). A handle the starter redirected to a file or pipe
    // gets the bytes in the console's code page (the ANSI one without a
    // console); otherwise the console shows the text as it is. Where there is
    // neither, nothing is written.
    void Print(DWORD standardHandle, const std::string& text) const;
    // --list's names on the standard output, as --extract would write them:
    // in a console whole; into a file or pipe in the console's code page,
    // each character it lacks as "?", or with `utf8` as UTF-8 bytes. The
    // count of names that lost characters so.
    int PrintNames(const LineBlock& names, bool utf8) const;
    // Whether Print on the handle reaches anyone.
    bool Reaches(DWORD standardHandle) const;

private:
    bool attached_;
};

}  // namespace quillory::win32
