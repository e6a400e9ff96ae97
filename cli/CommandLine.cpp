#include "cli/CommandLine.h"
#include <vector>

namespace {

struct CommandName {
    const char* name;
    ToolCommand command;
    const char* operand; // what the one argument that is not an option stands for; null: none
};

const CommandName kCommands[] = {
    {"list", ToolCommand::List, nullptr},    {"export", ToolCommand::Export, "FILE"},
    {"import", ToolCommand::Import, "FILE"}, {"verify", ToolCommand::Verify, "FILE"},
    {"show", ToolCommand::Show, "FILE"},     {"--help", ToolCommand::Help, nullptr},
    {"-h", ToolCommand::Help, nullptr},      {"/?", ToolCommand::Help, nullptr},
    {"help", ToolCommand::Help, nullptr},    {"--version", ToolCommand::Version, nullptr},
    {"fleet", ToolCommand::Fleet, "FOLDER"}, {"backups", ToolCommand::Backups, nullptr},
    {"restore", ToolCommand::Restore, "ID"},
};

// The spellings of a request for the help, also taken after a command.
bool AsksForHelp(const std::string& arg) { return arg == "--help" || arg == "-h" || arg == "/?"; }

// The longest wait a script may ask for: a day.
constexpr unsigned kLongestWait = 24 * 60 * 60;

// The longest a machine may stay silent before it counts as not seen: ten years.
constexpr unsigned kLongestStale = 3650;

bool ParseNumber(const std::string& text, unsigned smallest, unsigned largest, unsigned& number) {
    if (text.empty() || text.size() > 5) return false;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value < smallest || value > largest) return false;
    number = value;
    return true;
}

bool TakeText(std::string& field, const std::string& value) {
    field = value;
    return !value.empty();
}

constexpr unsigned Of(ToolCommand command) { return 1u << static_cast<unsigned>(command); }

struct OptionRule {
    const char* name;
    unsigned commands;       // Of() the commands that take it
    const char* valueNeeded; // null for a switch; else what its value must be, for the refusal
    bool (*take)(CommandLine& line, const std::string& value);
};

const OptionRule kOptions[] = {
    {"--json",
     Of(ToolCommand::List) | Of(ToolCommand::Show) | Of(ToolCommand::Fleet) |
         Of(ToolCommand::Backups),
     nullptr, [](CommandLine& line, const std::string&) { return line.json = true; }},
    {"--dry-run", Of(ToolCommand::Import) | Of(ToolCommand::Restore), nullptr,
     [](CommandLine& line, const std::string&) { return line.dryRun = true; }},
    {"--exact", Of(ToolCommand::Verify) | Of(ToolCommand::Import), nullptr,
     [](CommandLine& line, const std::string&) { return line.exact = true; }},
    {"--require-checksum",
     Of(ToolCommand::Import) | Of(ToolCommand::Verify) | Of(ToolCommand::Show), nullptr,
     [](CommandLine& line, const std::string&) { return line.requireChecksum = true; }},
    {"--last", Of(ToolCommand::Restore), nullptr,
     [](CommandLine& line, const std::string&) { return line.lastBackup = true; }},
    {"--wait", Of(ToolCommand::Import) | Of(ToolCommand::Restore),
     "a number of seconds from 0 to 86400",
     [](CommandLine& line, const std::string& value) {
         return ParseNumber(value, 0, kLongestWait, line.waitSeconds);
     }},
    {"--report", Of(ToolCommand::Verify) | Of(ToolCommand::Import), "a status FOLDER",
     [](CommandLine& line, const std::string& value) { return TakeText(line.report, value); }},
    {"--html", Of(ToolCommand::Show) | Of(ToolCommand::Fleet), "a FILE for the page",
     [](CommandLine& line, const std::string& value) { return TakeText(line.html, value); }},
    {"--file", Of(ToolCommand::Fleet), "the school's scheme FILE",
     [](CommandLine& line, const std::string& value) { return TakeText(line.schemeFile, value); }},
    {"--stale", Of(ToolCommand::Fleet), "a number of days from 1 to 3650",
     [](CommandLine& line, const std::string& value) {
         return ParseNumber(value, 1, kLongestStale, line.staleDays);
     }},
};
constexpr size_t kOptionCount = sizeof kOptions / sizeof kOptions[0];

bool Fail(std::string& why, std::string reason) {
    why = std::move(reason);
    return false;
}

} // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& why) {
    line = CommandLine();
    if (args.empty()) return Fail(why, "no command given");
    const CommandName* found = nullptr;
    for (const CommandName& candidate : kCommands)
        if (args[0] == candidate.name) found = &candidate;
    if (!found) return Fail(why, "unknown command \"" + args[0] + "\"");
    line.command = found->command;
    const std::string command = found->name;

    std::vector<bool> given(kOptionCount, false);
    bool operandGiven = false;
    bool onlyOperands = false; // after "--"
    bool help = false;
    for (size_t next = 1; next < args.size(); ++next) {
        const std::string& arg = args[next];
        const bool isOption = !onlyOperands && !arg.empty() && (arg[0] == '-' || arg == "/?");
        if (isOption && AsksForHelp(arg) && line.command != ToolCommand::Help &&
            line.command != ToolCommand::Version) {
            help = true;
            continue;
        }
        if (!onlyOperands && arg == "--") {
            onlyOperands = true;
            continue;
        }
        if (!isOption) {
            if (!found->operand) return Fail(why, command + " takes no argument \"" + arg + "\"");
            if (operandGiven)
                return Fail(why, command + " takes one " + found->operand + ", not also \"" + arg +
                                     "\"");
            if (arg.empty()) return Fail(why, command + " needs a " + found->operand);
            line.file = arg;
            operandGiven = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        size_t rule = 0;
        while (rule < kOptionCount &&
               (name != kOptions[rule].name || !(kOptions[rule].commands & Of(line.command))))
            ++rule;
        if (rule == kOptionCount) {
            std::string reason = "\"" + arg + "\" is not an option of " + command;
            if (found->operand)
                reason += std::string("; a ") + found->operand +
                          " whose name begins with \"-\" goes after \"--\"";
            return Fail(why, reason);
        }
        const OptionRule& option = kOptions[rule];
        if (given[rule]) return Fail(why, name + " is given more than once");
        given[rule] = true;
        std::string value;
        if (equals != std::string::npos) {
            if (!option.valueNeeded) return Fail(why, name + " takes no value");
            value = arg.substr(equals + 1);
        } else if (option.valueNeeded) {
            if (next + 1 >= args.size()) return Fail(why, name + " needs " + option.valueNeeded);
            value = args[++next];
        }
        if (!option.take(line, value))
            return Fail(why, name + " needs " + option.valueNeeded + ", not \"" + value + "\"");
    }
    if (help) {
        line = CommandLine();
        return true;
    }
    // A restore names its backup, or takes the last one: never both.
    if (line.command == ToolCommand::Restore) {
        if (operandGiven && line.lastBackup)
            return Fail(why, "restore takes an ID or --last, not both");
        return true;
    }
    if (found->operand && !operandGiven) return Fail(why, command + " needs a " + found->operand);
    if (line.dryRun && !line.report.empty())
        return Fail(why, "--report records what was done: a --dry-run does nothing");
    return true;
}

const char* ToolHelpText() {
    return "Usage: vlsm COMMAND [OPTIONS] [FILE]\n"
           "\n"
           "Keeps the Vexar Lumen schemes of this computer in step with a scheme file (.esm),\n"
           "without a window. Results go to standard output, errors to standard error.\n"
           "Options go anywhere after the command, each once; a FILE whose name begins with\n"
           "\"-\" goes after \"--\".\n"
           "\n"
           "Commands:\n"
           "  list [--json]            the schemes of this computer: name, built in or not,\n"
           "                           description\n"
           "  export FILE              saves every scheme to FILE, as \"Save to disk\" does,\n"
           "                           and its checksum to FILE.sha256\n"
           "  import FILE [--dry-run] [--exact] [--wait SECONDS] [--require-checksum]\n"
           "              [--report FOLDER]\n"
           "                           loads the schemes of FILE into this computer, as \"Load\n"
           "                           from disk\" does; schemes the file does not hold stay.\n"
           "                           A refused file changes nothing. --dry-run writes nothing\n"
           "                           and says for each scheme whether it would be added,\n"
           "                           replaced or is identical. --exact also removes the\n"
           "                           schemes the file does not hold (never a built-in one)\n"
           "                           with their class and user allocations. Another program\n"
           "                           changing the schemes is waited for up to SECONDS (30;\n"
           "                           also --wait=SECONDS). What a load changes is backed up\n"
           "                           first; a load that fails or is stopped half way is put\n"
           "                           back\n"
           "  verify FILE [--exact] [--require-checksum] [--report FOLDER]\n"
           "                           prints every difference between FILE and this computer;\n"
           "                           with --exact, schemes the file does not hold count too\n"
           "                           (built-in ones never do).\n"
           "                           --report (verify, import) leaves this computer's status\n"
           "                           record in FOLDER, replacing its last one\n"
           "  show FILE [--json] [--require-checksum] [--html PAGE]\n"
           "                           prints the schemes of FILE in readable form; --html\n"
           "                           writes them as one web page too\n"
           "  fleet FOLDER [--file FILE] [--stale DAYS] [--json] [--html PAGE]\n"
           "                           one line per status record of FOLDER, problems first:\n"
           "                           the computer, its last report, its result, differences,\n"
           "                           whether it used FILE, and \"stale\" when it has not\n"
           "                           reported for DAYS (7); --html writes one web page too\n"
           "  backups [--json]         the backups kept of the last loads and restores: ID, when,\n"
           "                           who (user; program or tool), the file loaded, how many\n"
           "                           schemes were replaced, added and removed\n"
           "  restore [ID | --last] [--dry-run] [--wait SECONDS]\n"
           "                           puts back the schemes as they were before the load or\n"
           "                           restore of that backup (the last one when none is named),\n"
           "                           itself backed up first so that it can be undone too.\n"
           "                           --dry-run writes nothing and says what would be put back.\n"
           "                           A backup's schemes can be read with show ID.esm in the\n"
           "                           backup folder\n"
           "  help, --help, -h, /?     prints this text\n"
           "  --version                prints the version\n"
           "\n"
           "import, verify and show check FILE against FILE.sha256 when it is there, and\n"
           "refuse a file that changed after it was saved; with --require-checksum, a file\n"
           "without FILE.sha256 is refused too.\n"
           "\n"
           "Exit codes:\n"
           "  0  done; verify: this computer is in step with the file\n"
           "  1  verify: differences found; import, show, verify: the file was refused;\n"
           "     fleet: a machine is not in step or has not reported; restore: no such backup\n"
           "  2  wrong usage\n"
           "  3  a file or the registry could not be read or written (for example, not run as\n"
           "     an administrator), or another program kept the schemes busy\n";
}

int ExitCodeForProblem(const std::string& title) {
    return title == "File Load Problem" ? kExitDifferent : kExitUnavailable;
}
