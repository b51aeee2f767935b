#include "app/command_line.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/text.h"

namespace quillory {

const char* const kCommandLineUsage =
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
    "退出码：0 已写入，1 未写入，2 参数有误\n"
    "只列出名称：Quillory.exe --list 文件夹 [与 --extract 相同的选项] [--utf8]\n"
    "  把 --extract 会写入的名称（不限 200 个）输出到标准输出，不写任何文件\n"
    "  --utf8        重定向到文件或管道时以 UTF-8 输出（不写时用控制台的代码页）\n"
    "  退出码：0 已输出，1 没有名称，2 参数有误\n"
    "打开窗口：Quillory.exe [文件夹]";

namespace {

constexpr std::string_view kBlanks = " \t";

// What a keyboard or a word processor puts where "-" was meant, and the "/"
// of other programs' options: an argument that begins with one is meant as
// an option, so a folder named so is given as ".\-name".
constexpr std::string_view kOptionLeads[] = {"-", "/", "‐", "‑", "‒", "–", "—", "―", "−", "－", "／"};

// The word after the leading dashes, in lower case; nothing for an argument
// that is no option.
std::optional<std::string> OptionWord(std::string_view argument) {
    bool led = false;
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (const std::string_view lead : kOptionLeads) {
            if (!argument.starts_with(lead)) continue;
            argument.remove_prefix(lead.size());
            led = stripped = true;
        }
    }
    if (!led) return std::nullopt;
    std::string word(argument);
    std::ranges::transform(word, word.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return word;
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

constexpr std::pair<std::string_view, ScriptedCommand> kCommands[] = {{"--extract", ScriptedCommand::Extract},
                                                                     {"--list", ScriptedCommand::List}};
constexpr std::pair<std::string_view, NameForm> kNameForms[] = {
    {"name", NameForm::Name}, {"stem", NameForm::Stem}, {"path", NameForm::FullPath}, {"details", NameForm::Details}};
constexpr std::pair<std::string_view, ListOrder> kListOrders[] = {
    {"fs", ListOrder::FileSystem}, {"name", ListOrder::Name}, {"time", ListOrder::ModificationTime}};

// A list of nothing but separators picks nothing, as no list at all.
bool AddPatterns(std::string& patterns, std::string_view value) {
    if (value.find_first_not_of("; \t") == std::string_view::npos) return false;
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
    {"--utf8", nullptr,
     [](ScriptedExtraction& extraction, std::string_view) {
         extraction.utf8 = true;
         return true;
     }},
};

const ExtractionOption* FindOption(std::string_view name) {
    const auto found = std::ranges::find(kExtractionOptions, name, &ExtractionOption::name);
    return found == std::end(kExtractionOptions) ? nullptr : found;
}

std::optional<ScriptedCommand> FindCommand(std::string_view name) { return ChoiceNamed(kCommands, name); }

bool IsKnown(std::string_view name) { return FindCommand(name) || FindOption(name); }

// Misspelt as "-extract", "/Extract" or "—extract", an option is named as it is written.
std::string UnknownOptionFault(const std::string& argument) {
    std::string fault = "未知的选项：" + argument;
    if (const std::string meant = "--" + OptionWord(argument).value_or(""); IsKnown(meant)) {
        fault += "（应为 " + meant + "）";
    }
    return fault;
}

// A negative count is a value, not an option.
bool IsValue(const std::string& argument) { return !OptionWord(argument) || IsWholeNumber(argument); }

constexpr const char* kEmptyFolderFault = "文件夹参数为空，应为一个文件夹的路径。";

// Options and the one folder may come in any order.
ScriptedExtraction ParseExtraction(std::span<const std::string> arguments) {
    ScriptedExtraction extraction;
    std::optional<std::string> folder;
    std::optional<std::string> commandGiven;
    for (auto argument = arguments.begin(); argument != arguments.end() && extraction.fault.empty(); ++argument) {
        if (!OptionWord(*argument)) {
            if (argument->empty()) {
                extraction.fault = kEmptyFolderFault;
            } else if (folder) {
                extraction.fault = "多余的参数：" + *argument;
            } else {
                folder = *argument;
            }
            continue;
        }
        if (const std::optional<ScriptedCommand> command = FindCommand(*argument)) {
            if (commandGiven && FindCommand(*commandGiven) != command) {
                extraction.fault = *commandGiven + " 与 " + *argument + " 不能同用。";
            }
            extraction.command = *command;
            commandGiven = *argument;
            continue;
        }
        const ExtractionOption* option = FindOption(*argument);
        if (!option) {
            extraction.fault = UnknownOptionFault(*argument);
            continue;
        }
        std::string_view value;
        if (option->value && std::next(argument) != arguments.end() && IsValue(*std::next(argument))) {
            value = *++argument;
        }
        if (!option->apply(extraction, value)) {
            extraction.fault = std::string(option->name) + " 后须跟" + option->value;
        }
    }
    if (extraction.fault.empty() && extraction.utf8 && extraction.command != ScriptedCommand::List) {
        extraction.fault = "--utf8 只能与 --list 同用。";
    }
    if (extraction.fault.empty() && !folder) extraction.fault = "缺少要提取的文件夹。";
    extraction.folder = folder.value_or("");
    return extraction;
}

// A start with the window takes paths alone; several ("Send to" with many
// items) show the first, as a drop does.
CommandLine ParseWindowStart(std::span<const std::string> arguments) {
    CommandLine line;
    for (const std::string& argument : arguments) {
        if (!OptionWord(argument)) continue;
        line.fault = FindOption(argument) ? argument + " 只能与 --extract 或 --list 同用。" : UnknownOptionFault(argument);
        return line;
    }
    if (arguments.empty()) return line;
    if (arguments.front().empty()) {
        line.fault = kEmptyFolderFault;
    } else {
        line.folder = arguments.front();
    }
    return line;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
    // The program's own name ends at its closing quote, or else at the first blank.
    std::size_t at = line.starts_with('"') ? line.find('"', 1) : line.find_first_of(kBlanks);
    if (at != std::string_view::npos && line[at] == '"') ++at;
    std::vector<std::string> arguments;
    while (at < line.size() && (at = line.find_first_not_of(kBlanks, at)) != std::string_view::npos) {
        std::string argument;
        bool quoted = false;
        bool quotesAlone = false;
        for (; at < line.size() && (quoted || kBlanks.find(line[at]) == std::string_view::npos); ++at) {
            if (line[at] == '"') {
                quoted = !quoted;
                quotesAlone = argument.find_first_not_of('\\') == std::string::npos;
                continue;
            }
            if (line[at] != '\\') {
                argument += line[at];
                quotesAlone = false;
                continue;
            }
            // Before a quote, 2n backslashes stand for n as the system has it,
            // and 2n + 1 for n + 1: the odd one is the path's, not an escape.
            const std::size_t end = std::min(line.find_first_not_of('\\', at), line.size());
            const std::size_t run = end - at;
            argument.append(end < line.size() && line[end] == '"' ? (run + 1) / 2 : run, '\\');
            at = end - 1;
        }
        arguments.push_back(quotesAlone ? std::string() : std::move(argument));
    }
    return arguments;
}

CommandLine ParseCommandLine(std::span<const std::string> arguments) {
    const bool scripted = std::ranges::any_of(arguments, [](const std::string& argument) {
        const std::optional<std::string> word = OptionWord(argument);
        return word && FindCommand("--" + *word);
    });
    if (!scripted) return ParseWindowStart(arguments);
    CommandLine line;
    line.extraction = ParseExtraction(arguments);
    return line;
}

}  // namespace quillory
