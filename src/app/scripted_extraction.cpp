#include "app/scripted_extraction.h"

#include "app/places.h"
#include "app/storage_setup.h"
#include "browse/folder_listing.h"
#include "browse/name_pattern.h"
#include "extract/day_file.h"
#include "extract/extraction.h"
#include "extract/outcome_messages.h"
#include "settings/settings_file.h"

namespace quillory {

namespace {

constexpr const char* kUsage =
    "用法：Quillory.exe --extract 文件夹 [--forward] [--blank 行数] [--name name|stem|path|details]\n"
    "                 [--sort fs|name|time] [--hidden] [--recurse] [--include 模式] [--exclude 模式]\n"
    "  --forward     正序排列（不写时逆序排列）\n"
    "  --blank 行数  每个名称前的空白行数，整数，不写时为 1，负数同 0\n"
    "  --name        名称格式：文件名、不含扩展名、完整路径、名称大小和修改时间（不写时按“选项”菜单的设置）\n"
    "  --sort        排列顺序：文件系统、名称、修改时间（不写时按“选项”菜单的设置）\n"
    "  --hidden      也列出隐藏文件\n"
    "  --recurse     包含子文件夹，名称写作相对于该文件夹的路径\n"
    "  --include 模式  只写与模式相符的名称，如 \"*.jpg;*.png\"；含“\\”的模式对照相对路径\n"
    "  --exclude 模式  不写与模式相符的名称，如 \"tmp\\*\"\n"
    "退出码：0 已写入，1 未写入，2 参数有误";

ScriptedOutcome BadArguments(const std::string& why) { return {kExitBadArguments, {}, why + "\n" + kUsage}; }

ScriptedOutcome NotWritten(std::string why) { return {kExitNotWritten, {}, std::move(why)}; }

std::string JoinedLines(const std::string& first, const std::string& second) {
    return first.empty() || second.empty() ? first + second : first + "\n" + second;
}

// Which listed names are written: those an include pattern matches, all
// when there is none, and no exclude pattern does.
struct NameFilter {
    NameFilter(Services& services, const ScriptedExtraction& request)
        : include(services, request.include), exclude(services, request.exclude) {}

    const std::string& Fault() const { return include.Fault().empty() ? exclude.Fault() : include.Fault(); }
    bool Passes(const std::string& name) const {
        return (include.Empty() || include.AnyMatches(name)) && !exclude.AnyMatches(name);
    }

    NamePatterns include;
    NamePatterns exclude;
};

// The table as a scan of the folder leaves it, every listed file the filter
// passes ticked.
FileNameTable ScannedTable(Services& services, const std::string& folder, const ListingOptions& options,
                           const NameFilter& filter, FolderListing& listing) {
    FileNameTable table;
    table.MarkAllEmpty();
    int count = 0;
    listing = ListFolder(services, services, folder, options, [&](const std::string& name) {
        if (filter.Passes(name) && ++count <= FileNameTable::kSlots) table.SetSlot(count, name);
    });
    return table;
}

// The stored 选项 choices, with what the command line overrides for this run.
ListingOptions ListingOptionsOf(SettingsFile& settings, const ScriptedExtraction& request) {
    ListingOptions options = settings.ReadListingOptions();
    if (request.order) options.order = *request.order;
    if (request.showHidden) options.showHidden = true;
    if (request.includeSubfolders) options.includeSubfolders = true;
    return options;
}

// The run once the arguments are known to be good.
ScriptedOutcome Extract(Services& services, SettingsFile& settings, const ScriptedExtraction& request,
                        const NameFilter& filter) {
    const OutputEncoding encoding = settings.ReadOutputEncoding();
    const std::string storageFolder = StorageFolder(services.ProgramFolder());
    // A storage folder that cannot be written fails the write below, which tells why.
    PrepareStorage(services, settings, storageFolder, encoding);

    FolderListing listed;
    const FileNameTable table =
        ScannedTable(services, request.folder, ListingOptionsOf(settings, request), filter, listed);
    const std::string listingFailure = ListingFailureMessage(request.folder, listed);
    if (!listed.outcome) return NotWritten(listingFailure);
    const LineBlock block = ExtractionBlock(services, table, !request.forward, request.blankLines,
                                            request.nameForm.value_or(settings.ReadNameForm()), request.folder);
    if (block.names.empty()) return NotWritten(kEmptyListMessage + ("\n" + request.folder));
    if (const std::uint64_t bytes = BlockBytes(block); bytes > kLargeBlockBytes) {
        return NotWritten(LargeBlockRefusal(bytes));
    }
    const std::string dayFile = DayFilePath(storageFolder, services.TodayText());
    const WriteOutcome written = WriteBlock(services, storageFolder, dayFile, block, encoding);
    if (!written) return NotWritten(WriteFailureMessage(written, dayFile));
    const int lost = written.namesWithLostCharacters;
    return {kExitWritten, dayFile, JoinedLines(listingFailure, lost > 0 ? LostCharactersNote(lost) : std::string())};
}

}  // namespace

ScriptedOutcome RunScriptedExtraction(Services& services, const ScriptedExtraction& request) {
    if (!request.fault.empty()) return BadArguments(request.fault);
    if (!services.FolderExists(request.folder)) return BadArguments("不是文件夹：" + request.folder);

    const NameFilter filter(services, request);
    if (!filter.Fault().empty()) return BadArguments(filter.Fault());

    SettingsFile settings(services);
    ScriptedOutcome outcome = Extract(services, settings, request, filter);
    if (settings.OutOfReach()) {
        const std::string note = OutOfReachMessage(settings.Path());
        outcome.error = outcome.error.empty() ? note : note + "\n" + outcome.error;
    }
    return outcome;
}

}  // namespace quillory
