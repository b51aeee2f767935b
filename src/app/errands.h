#pragma once
// The window's small errands to the disk, each run in the background with
// its outcome shown when it comes: a handed path checked, the day's file made
// ready for 打开今日文件 and 打开存储目录, and the settings written after each
// choice, in the order they were made.
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/job.h"
#include "platform/serial_work.h"
#include "platform/services.h"
#include "settings/settings_file.h"

namespace quillory {

class Errands {
public:
    // `storage` runs what writes to the storage folder and the settings file,
    // one piece at a time.
    Errands(Services& services, Controls& controls, Runner& runner, Runner& storage)
        : services_(services), controls_(controls), folderCheck_(runner), dayFile_(storage),
          settingsWrites_(storage, AtExit::Finish), runner_(runner) {}

    // The folder a path handed over by the shell names (a folder as it is, a
    // file as its folder) is shown as one chosen in the folder dialog; a path
    // that names neither is let go. A later path replaces one still checked.
    void ShowHandedFolder(std::string path);
    // The same for a pasted path, which is told, as pasted, when it names nothing.
    void ShowPastedFolder(std::string path, std::string asPasted);
    // A folder the user showed before is shown again; one that is gone is told.
    void ShowRecentFolder(std::string folder);
    // Today's file, made first when it is missing, then opened in its
    // handler; a failure to make it is told as the extraction tells it.
    void OpenDayFile(OutputEncoding encoding);
    // Today's file selected in the file manager, even when it could not be made.
    void ShowDayFileInFolder(OutputEncoding encoding);
    // `write` answers whether the choice was kept.
    void WriteSettings(std::function<bool(SettingsFile&)> write);
    // Whether a settings write failed since the last look.
    bool TakeNotKept() { return notKept_->exchange(false); }

    void TakeNews();
    bool Working() const;

private:
    // How a path came, and so what is told when it names no folder.
    enum class Handed { Dropped, Pasted, Recent };
    struct FolderFound {
        std::string told;  // the path as the user knows it
        std::optional<std::string> folder;
        Handed how;
    };
    enum class DayFileUse { Open, ShowInFolder };
    struct DayFileReady {
        std::string path;
        WriteOutcome made;
        DayFileUse use;
    };

    void CheckFolder(std::string path, std::string told, Handed how);
    void PrepareDayFile(OutputEncoding encoding, DayFileUse use);
    void TakeFolderFound();
    void TakeDayFileReady();

    Services& services_;
    Controls& controls_;
    Job<FolderFound> folderCheck_;
    Job<DayFileReady> dayFile_;
    SerialWork settingsWrites_;
    Runner& runner_;
    std::shared_ptr<std::atomic<bool>> notKept_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace quillory
