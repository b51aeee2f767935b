#pragma once
// The system services, in three parts: the file system, which may wait and
// so belongs to work on threads of its own; the desktop, which belongs to
// the window; and the locale, which any thread may ask. Realised with the
// Win32 API in platform/win32 and in memory in platform/fake for the native
// tests. The program holds the whole; each piece of logic takes only the
// part it needs.
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/locale.h"

namespace quillory {

class Services : public FileSystem, public Desktop, public Locale {};

}  // namespace quillory
