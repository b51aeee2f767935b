#pragma once
#include <string>

#include "platform/controls.h"
#include "platform/services.h"
#include "settings/settings_file.h"

namespace quillory {

inline constexpr const char* kWriteProbeMessage = "您好，请确认文件夹所在磁盘具有写入权限！";

// Read once at start; a missing value is the empty text.
std::string ReadComputerName(FileSystem& files);

// Points the folder view at the start folder and the storage label at the
// storage folder; the storage itself is made ready by PrepareStorage.
void RunStorageSetup(Services& services, Controls& controls, const std::string& computerName);

// The probe's message, then the storage folder and why it cannot be written,
// each on a line of its own.
std::string WriteProbeMessage(const std::string& storageFolder, const WriteOutcome& outcome);

// The storage folder, the storage path in the settings file and the day's
// file, made ready as every start makes them, with or without a window.
// Not Written() when the storage folder cannot be written, saying why.
WriteOutcome PrepareStorage(FileSystem& files, Locale& locale, SettingsFile& settings,
                            const std::string& storageFolder, OutputEncoding encoding);

}  // namespace quillory
