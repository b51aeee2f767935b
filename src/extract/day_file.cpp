#include "extract/day_file.h"

namespace quillory {

namespace {

constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

WriteOutcome MakeDayFileIfMissing(Services& services, const std::string& storageFolder, const std::string& dayFile,
                                  OutputEncoding encoding) {
    if (services.FileExists(dayFile)) return {};
    services.CreateFolder(storageFolder);
    WriteOutcome made = services.CreateNewFile(dayFile, encoding == OutputEncoding::Utf8 ? kUtf8Mark : "");
    if (made.fault == WriteFault::AlreadyExists) return {};
    return made;
}

}  // namespace quillory
