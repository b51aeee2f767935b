#pragma once
#include <string>

#include "platform/services.h"

namespace quillory {

// The output file of the day: formed by the same rule wherever it is needed.
inline std::string DayFilePath(const std::string& storageFolder, const std::string& todayText) {
    return storageFolder + "\\" + todayText + ".txt";
}

// The day's file made, with no bytes, when it is missing, as the start-up
// makes it (the storage folder made again when it is gone); true when it
// exists afterwards.
bool MakeDayFileIfMissing(Services& services, const std::string& storageFolder, const std::string& dayFile);

}  // namespace quillory
