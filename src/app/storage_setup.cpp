#include "app/storage_setup.h"

#include "app/places.h"
#include "extract/day_file.h"
#include "extract/outcome_messages.h"

namespace quillory {

namespace {

// Creates the day's file when it is missing; an existing one is never opened
// for writing, so its content cannot be harmed: the folder is tested instead.
WriteOutcome WriteProbe(FileSystem& files, Locale& locale, const std::string& storageFolder,
                        OutputEncoding encoding) {
    const std::string dayFile = DayFilePath(storageFolder, locale.TodayText());
    if (files.FileExists(dayFile)) return files.CanWriteInFolder(storageFolder);
    return MakeDayFileIfMissing(files, storageFolder, dayFile, encoding);
}

}  // namespace

std::string ReadComputerName(FileSystem& files) {
    return files.ReadRegistryText(RegistryRoot::LocalMachine, kComputerNamePath);
}

void RunStorageSetup(Services& services, Controls& controls, const std::string& computerName) {
    controls.驱动器框文件名提取.SetCurrentDrive("C");
    controls.目录框文件名提取.SetCurrentFolder(StartFolder(computerName));
    controls.标签存放路径.SetText(StorageFolder(services.ProgramFolder()));
}

std::string WriteProbeMessage(const std::string& storageFolder, const WriteOutcome& outcome) {
    return std::string(kWriteProbeMessage) + "\n" + storageFolder + "\n" + WriteFailureReason(outcome);
}

WriteOutcome PrepareStorage(FileSystem& files, Locale& locale, SettingsFile& settings,
                            const std::string& storageFolder, OutputEncoding encoding) {
    files.CreateFolder(storageFolder);
    // What a crash or a kill left behind goes before anything new is written.
    files.RemoveLeftoverTemporaryFiles(storageFolder);
    settings.WriteStoragePath(storageFolder);
    return WriteProbe(files, locale, storageFolder, encoding);
}

}  // namespace quillory
