#include "app/storage_setup.h"

#include "app/places.h"
#include "extract/day_file.h"

namespace quillory {

namespace {

// Creates the day's file when it is missing; an existing one is never opened
// for writing, so its content cannot be harmed: the folder is tested instead.
bool WriteProbe(Services& services, const std::string& storageFolder) {
    const std::string dayFile = DayFilePath(storageFolder, services.TodayText());
    if (services.FileExists(dayFile)) return services.CanWriteInFolder(storageFolder);
    return services.WriteWholeFile(dayFile, {});
}

}  // namespace

void RunStorageSetup(Services& services, Controls& controls, SettingsFile& settings, std::string& computerName) {
    computerName = services.ReadRegistryText(RegistryRoot::LocalMachine, kComputerNamePath);
    controls.驱动器框文件名提取.SetCurrentDrive("C");
    controls.目录框文件名提取.SetCurrentFolder(StartFolder(computerName));
    const std::string storageFolder = StorageFolder(services.ProgramFolder());
    services.CreateFolder(storageFolder);
    controls.标签存放路径.SetText(storageFolder);
    settings.WriteStoragePath(storageFolder);
    if (!WriteProbe(services, controls.标签存放路径.Text())) services.ShowMessage(kWriteProbeMessage, kMessageTitle);
}

}  // namespace quillory
