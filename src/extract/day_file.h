#pragma once
#include <string>

#include "platform/file_system.h"
#include "settings/settings_file.h"

namespace quillory {

// The output file of the day: formed by the same rule wherever it is needed.
inline std::string DayFilePath(const std::string& storageFolder, const std::string& todayText) {
    return storageFolder + "\\" + todayText + ".txt";
}

// Makes the day's file `dayFile` (in `storageFolder`) when it is missing, as
// the start-up makes it: the storage folder made again when it is gone, the
// file created only where no file of its name exists, so one that another
// program made a moment earlier is kept as it is. Under UTF-8 a new file
// begins with the byte-order mark, and so carries its encoding for good.
// Written() when the file exists afterwards; otherwise why it could not be made.
WriteOutcome MakeDayFileIfMissing(FileSystem& files, const std::string& storageFolder, const std::string& dayFile,
                                  OutputEncoding encoding);

}  // namespace quillory
