#include "app/command_line.h"

#include <algorithm>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace quillory {

namespace {

constexpr std::string_view kExtractOption = "--extract";

// The system's splitting reads the backslash of a quoted "C:\" as escaping
// the closing quote, which is then kept with all that follows. A file name
// never holds a quote, so the quote stands for that backslash.
std::string WithTrailingBackslashMended(std::string argument) {
    const std::size_t quote = argument.find('"');
    if (quote == std::string::npos) return argument;
    argument.resize(quote);
    return argument + '\\';
}

// The same splitting keeps the rest of the line inside that quote, so in
// --extract "D:\" --forward the option comes after the quote, in one argument.
std::vector<std::string> WithOptionsAfterAQuoteSplitOff(std::span<const std::string> arguments) {
    std::vector<std::string> split;
    for (const std::string& argument : arguments) {
        split.push_back(WithTrailingBackslashMended(argument));
        const std::size_t quote = argument.find('"');
        if (quote == std::string::npos) continue;
        std::string rest = argument.substr(quote + 1);
        std::erase(rest, '"');
        std::istringstream words(rest);
        for (std::string word; words >> word;) split.push_back(word);
    }
    return split;
}

bool IsWholeNumber(std::string_view text) {
    if (text.starts_with('+') || text.starts_with('-')) text.remove_prefix(1);
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

template <typename Choice, std::size_t N>
std::optional<Choice> ChoiceNamed(const std::pair<std::string_view, Choice> (&choices)[N], std::string_view name) {
    for (const auto& [word, choice] : choices) {
        if (word == name) return choice;
    }
    return std::nullopt;
}

constexpr std::pair<std::string_view, NameForm> kNameForms[] = {
    {"name", NameForm::Name}, {"stem", NameForm::Stem}, {"path", NameForm::FullPath}, {"details", NameForm::Details}};
constexpr std::pair<std::string_view, ListOrder> kListOrders[] = {
    {"fs", ListOrder::FileSystem}, {"name", ListOrder::Name}, {"time", ListOrder::ModificationTime}};

// A missing value reads as empty, and an option needs one.
bool AddPatterns(std::string& patterns, std::string_view value) {
    if (value.empty()) return false;
    patterns += ';';
    patterns += value;
    return true;
}

struct ExtractionOption {
    std::string_view name;
    // What must follow the option, for the fault; null for an option that takes no value.
    const char* value;
    // False when the value does not fit.
    bool (*apply)(ScriptedExtraction& extraction, std::string_view value);
};

constexpr ExtractionOption kExtractionOptions[] = {
    {kExtractOption, nullptr, [](ScriptedExtraction&, std::string_view) { return true; }},
    {"--forward", nullptr,
     [](ScriptedExtraction& extraction, std::string_view) {
         extraction.forward = true;
         return true;
     }},
    {"--blank", "一个整数（每个名称前的空白行数）",
     [](ScriptedExtraction& extraction, std::string_view value) {
         if (!IsWholeNumber(value)) return false;
         extraction.blankLines = TextToInt32(value);
         return true;
     }},
    {"--name", "name、stem、path 或 details（名称格式）",
     [](ScriptedExtraction& extraction, std::string_view value) {
         extraction.nameForm = ChoiceNamed(kNameForms, value);
         return extraction.nameForm.has_value();
     }},
    {"--sort", "fs、name 或 time（排列顺序）",
     [](ScriptedExtraction& extraction, std::string_view value) {
         extraction.order = ChoiceNamed(kListOrders, value);
         return extraction.order.has_value();
     }},
    {"--hidden", nullptr,
     [](ScriptedExtraction& extraction, std::string_view) {
         extraction.showHidden = true;
         return true;
     }},
    {"--recurse", nullptr,
     [](ScriptedExtraction& extraction, std::string_view) {
         extraction.includeSubfolders = true;
         return true;
     }},
    {"--include", "文件名模式",
     [](ScriptedExtraction& extraction, std::string_view value) { return AddPatterns(extraction.include, value); }},
    {"--exclude", "文件名模式",
     [](ScriptedExtraction& extraction, std::string_view value) { return AddPatterns(extraction.exclude, value); }},
};

const ExtractionOption* FindOption(std::string_view name) {
    const auto found = std::ranges::find(kExtractionOptions, name, &ExtractionOption::name);
    return found == std::end(kExtractionOptions) ? nullptr : found;
}

// Options and the one folder may come in any order; an argument that begins
// with "-" is an option, so a folder named so is given as ".\-name".
ScriptedExtraction ParseExtraction(std::span<const std::string> arguments) {
    ScriptedExtraction extraction;
    std::optional<std::string> folder;
    for (auto argument = arguments.begin(); argument != arguments.end() && extraction.fault.empty(); ++argument) {
        if (!argument->starts_with('-')) {
            if (folder) extraction.fault = "多余的参数：" + *argument;
            folder = *argument;
            continue;
        }
        const ExtractionOption* option = FindOption(*argument);
        if (!option) {
            extraction.fault = "未知的选项：" + *argument;
            continue;
        }
        std::string_view value;
        if (option->value && std::next(argument) != arguments.end()) value = *++argument;
        if (!option->apply(extraction, value)) {
            extraction.fault = std::string(option->name) + " 后须跟" + option->value;
        }
    }
    if (extraction.fault.empty() && !folder) extraction.fault = "缺少要提取的文件夹。";
    extraction.folder = folder.value_or("");
    return extraction;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> arguments) {
    CommandLine line;
    if (const std::vector<std::string> split = WithOptionsAfterAQuoteSplitOff(arguments);
        std::ranges::find(split, kExtractOption) != split.end()) {
        line.extraction = ParseExtraction(split);
        return line;
    }
    // Several paths ("Send to" with many items) show the first, as a drop does.
    if (!arguments.empty() && !arguments.front().empty()) line.folder = WithTrailingBackslashMended(arguments.front());
    return line;
}

}  // namespace quillory
