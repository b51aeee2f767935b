#include "app/scripted_extraction.h"

#include "app/places.h"
#include "app/storage_setup.h"
#include "browse/folder_listing.h"
#include "extract/day_file.h"
#include "extract/extraction.h"
#include "extract/outcome_messages.h"
#include "settings/settings_file.h"

namespace quillory {

namespace {

constexpr const char* kUsage =
    "用法：Quillory.exe --extract 文件夹 [--forward] [--blank 行数] [--name name|stem|path]\n"
    "                 [--sort fs|name|time] [--hidden]\n"
    "  --forward     正序排列（不写时逆序排列）\n"
    "  --blank 行数  每个名称前的空白行数，整数，不写时为 1，负数同 0\n"
    "  --name        名称格式：文件名、不含扩展名、完整路径（不写时按“选项”菜单的设置）\n"
    "  --sort        排列顺序：文件系统、名称、修改时间（不写时按“选项”菜单的设置）\n"
    "  --hidden      也列出隐藏文件\n"
    "退出码：0 已写入，1 未写入，2 参数有误";

ScriptedOutcome BadArguments(const std::string& why) { return {kExitBadArguments, {}, why + "\n" + kUsage}; }

ScriptedOutcome NotWritten(std::string why) { return {kExitNotWritten, {}, std::move(why)}; }

// The table as a scan of the folder leaves it, every listed file ticked.
FileNameTable ScannedTable(Services& services, const std::string& folder, const ListingOptions& options,
                           ListingOutcome& outcome) {
    FileNameTable table;
    table.MarkAllEmpty();
    int count = 0;
    outcome = ListFolder(services, folder, options, [&](const std::string& name) {
                  if (++count <= FileNameTable::kSlots) table.SetSlot(count, name);
              }).outcome;
    return table;
}

// The stored 选项 choices, with what the command line overrides for this run.
ListingOptions ListingOptionsOf(SettingsFile& settings, const ScriptedExtraction& request) {
    ListingOptions options = settings.ReadListingOptions();
    if (request.order) options.order = *request.order;
    if (request.showHidden) options.showHidden = true;
    return options;
}

// The run once the arguments are known to be good.
ScriptedOutcome Extract(Services& services, SettingsFile& settings, const ScriptedExtraction& request) {
    const OutputEncoding encoding = settings.ReadOutputEncoding();
    const std::string storageFolder = StorageFolder(services.ProgramFolder());
    // A storage folder that cannot be written fails the write below, which tells why.
    PrepareStorage(services, settings, storageFolder, encoding);

    ListingOutcome listed;
    const FileNameTable table = ScannedTable(services, request.folder, ListingOptionsOf(settings, request), listed);
    if (!listed) return NotWritten(UnreadableFolderMessage(request.folder, listed));
    const LineBlock block = ExtractionBlock(table, !request.forward, request.blankLines,
                                            request.nameForm.value_or(settings.ReadNameForm()), request.folder);
    if (block.names.empty()) return NotWritten(kEmptyListMessage + ("\n" + request.folder));
    if (const std::uint64_t bytes = BlockBytes(block); bytes > kLargeBlockBytes) {
        return NotWritten(LargeBlockRefusal(bytes));
    }
    const std::string dayFile = DayFilePath(storageFolder, services.TodayText());
    const WriteOutcome written = WriteBlock(services, storageFolder, dayFile, block, encoding);
    if (!written) return NotWritten(WriteFailureMessage(written, dayFile));
    const int lost = written.namesWithLostCharacters;
    return {kExitWritten, dayFile, lost > 0 ? LostCharactersNote(lost) : std::string()};
}

}  // namespace

ScriptedOutcome RunScriptedExtraction(Services& services, const ScriptedExtraction& request) {
    if (!request.fault.empty()) return BadArguments(request.fault);
    if (!services.FolderExists(request.folder)) return BadArguments("不是文件夹：" + request.folder);

    SettingsFile settings(services);
    ScriptedOutcome outcome = Extract(services, settings, request);
    if (settings.OutOfReach()) {
        const std::string note = OutOfReachMessage(settings.Path());
        outcome.error = outcome.error.empty() ? note : note + "\n" + outcome.error;
    }
    return outcome;
}

}  // namespace quillory
