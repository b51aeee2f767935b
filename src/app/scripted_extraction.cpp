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

ScriptedOutcome BadArguments(const std::string& why) { return {kExitBadArguments, {}, why + "\n" + kCommandLineUsage}; }

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
    listing = ListFolder(services, services, folder, options, [&](const std::string& name) {
        if (filter.Passes(name)) table.Add(name);
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
    PrepareStorage(services, services, settings, storageFolder, encoding);

    FolderListing listed;
    const FileNameTable table =
        ScannedTable(services, request.folder, ListingOptionsOf(settings, request), filter, listed);
    const std::string listingFailure = ListingFailureMessage(request.folder, listed);
    if (!listed.outcome) return NotWritten(listingFailure);
    const ExtractionOrder order{table,          !request.forward, request.blankLines,
                                request.nameForm.value_or(settings.ReadNameForm()),
                                request.folder, storageFolder,    encoding};
    const ExtractionResult result = WriteExtraction(services, services, order, false);
    if (result.names == 0) return NotWritten(kEmptyListMessage + ("\n" + request.folder));
    if (result.unagreedBytes > 0) return NotWritten(LargeBlockRefusal(result.unagreedBytes));
    if (!result.outcome) return NotWritten(WriteFailureMessage(result.outcome, result.dayFile));
    return {kExitWritten, result.dayFile, JoinedLines(listingFailure, ShortfallNotes(result.shortfalls))};
}

ScriptedOutcome List(Services& services, SettingsFile& settings, const ScriptedExtraction& request,
                     const NameFilter& filter) {
    std::vector<std::string> names;
    const FolderListing listed =
        ListFolder(services, services, request.folder, ListingOptionsOf(settings, request), [&](const std::string& name) {
            if (filter.Passes(name)) names.push_back(name);
        });
    const std::string listingFailure = ListingFailureMessage(request.folder, listed);
    if (!listed.outcome) return NotWritten(listingFailure);
    if (names.empty()) return NotWritten(kEmptyListMessage + ("\n" + request.folder));
    ScriptedOutcome outcome{kExitWritten, {}, listingFailure};
    outcome.names = ExtractionBlock(services, names, !request.forward, request.blankLines,
                                    request.nameForm.value_or(settings.ReadNameForm()), request.folder);
    return outcome;
}

}  // namespace

std::string ListedLostCharactersNote(int names) {
    return "有 " + std::to_string(names) +
           " 个名称的部分字符无法输出，已写成“?”；控制台代码页没有的字符，加 --utf8 可完整输出。";
}

ScriptedOutcome RunScriptedExtraction(Services& services, const ScriptedExtraction& request) {
    if (!request.fault.empty()) return BadArguments(request.fault);
    if (!services.FolderExists(request.folder)) return BadArguments("不是文件夹：" + request.folder);

    const NameFilter filter(services, request);
    if (!filter.Fault().empty()) return BadArguments(filter.Fault());

    SettingsFile settings(services);
    ScriptedOutcome outcome = request.command == ScriptedCommand::List ? List(services, settings, request, filter)
                                                                       : Extract(services, settings, request, filter);
    if (settings.OutOfReach()) {
        const std::string note = OutOfReachMessage(settings.Path());
        outcome.error = outcome.error.empty() ? note : note + "\n" + outcome.error;
    }
    return outcome;
}

}  // namespace quillory
