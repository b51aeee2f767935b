#pragma once
#include <string>

namespace quillory {

// The output file of the day: formed by the same rule wherever it is needed.
inline std::string DayFilePath(const std::string& storageFolder, const std::string& todayText) {
    return storageFolder + "\\" + todayText + ".txt";
}

}  // namespace quillory
