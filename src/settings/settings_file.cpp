#include "settings/settings_file.h"

#include "platform/text.h"

namespace quillory {

SettingsFile::SettingsFile(Services& services)
    : services_(services), path_(services.ProgramFolder() + "\\PLXE\\PLXE.ini") {}

std::int32_t SettingsFile::ReadColourValue(const SettingsEntry& entry) {
    return TextToInt32(services_.ReadIniText(path_, entry.section, entry.key, entry.fallback));
}

OutputEncoding SettingsFile::ReadOutputEncoding() {
    const SettingsEntry& entry = kOutputEncodingEntry;
    const std::string value = services_.ReadIniText(path_, entry.section, entry.key, entry.fallback);
    return value == "UTF-8" ? OutputEncoding::Utf8 : OutputEncoding::Ansi;
}

void SettingsFile::WriteStoragePath(const std::string& storageFolder) {
    services_.WriteIniText(path_, kStoragePathEntry.section, kStoragePathEntry.key, storageFolder);
}

}  // namespace quillory
