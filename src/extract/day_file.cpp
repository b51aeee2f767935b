#include "extract/day_file.h"

namespace quillory {

bool MakeDayFileIfMissing(Services& services, const std::string& storageFolder, const std::string& dayFile) {
    if (services.FileExists(dayFile)) return true;
    services.CreateFolder(storageFolder);
    return services.WriteWholeFile(dayFile, {});
}

}  // namespace quillory
