#include "app/storage_setup.h"

#include "app/places.h"
#include "extract/day_file.h"
#include "extract/outcome_messages.h"

namespace quillory {

namespace {

// Creates the day's file when it is missing; an existing one is never opened
// for writing, so its content cannot be harmed: the folder is tested instead.
WriteOutcome WriteProbe(Services& services, const std::string& storageFolder, OutputEncoding encoding) {
    const std::string dayFile = DayFilePath(storageFolder, services.TodayText());
    if (services.FileExists(dayFile)) return services.CanWriteInFolder(storageFolder);
    return MakeDayFileIfMissing(services, storageFolder, dayFile, encoding);
}

}  // namespace

void RunStorageSetup(Services& services, Controls& controls, SettingsFile& settings, std::string& computerName,
                     OutputEncoding encoding) {
    computerName = services.ReadRegistryText(RegistryRoot::LocalMachine, kComputerNamePath);
    controls.驱动器框文件名提取.SetCurrentDrive("C");
    controls.目录框文件名提取.SetCurrentFolder(StartFolder(computerName));
    const std::string storageFolder = StorageFolder(services.ProgramFolder());
    controls.标签存放路径.SetText(storageFolder);
    if (const WriteOutcome prepared = PrepareStorage(services, settings, storageFolder, encoding); !prepared) {
        services.ShowMessage(WriteProbeMessage(storageFolder, prepared), kMessageTitle);
    }
}

std::string WriteProbeMessage(const std::string& storageFolder, const WriteOutcome& outcome) {
    return std::string(kWriteProbeMessage) + "\n" + storageFolder + "\n" + WriteFailureReason(outcome);
}

WriteOutcome PrepareStorage(Services& services, SettingsFile& settings, const std::string& storageFolder,
                            OutputEncoding encoding) {
    services.CreateFolder(storageFolder);
    // What a crash or a kill left behind goes before anything new is written.
    services.RemoveLeftoverTemporaryFiles(storageFolder);
    settings.WriteStoragePath(storageFolder);
    return WriteProbe(services, storageFolder, encoding);
}

}  // namespace quillory
