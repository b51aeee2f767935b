#include "extract/day_file.h"

namespace quillory {

namespace {

constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

WriteOutcome MakeDayFileIfMissing(FileSystem& files, const std::string& storageFolder, const std::string& dayFile,
                                  OutputEncoding encoding) {
    if (files.FileExists(dayFile)) return {};
    files.CreateFolder(storageFolder);
    WriteOutcome made = files.CreateNewFile(dayFile, encoding == OutputEncoding::Utf8 ? kUtf8Mark : "");
    if (made.fault == WriteFault::AlreadyExists) return {};
    return made;
}

}  // namespace quillory
