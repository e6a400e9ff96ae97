#include "cli/CommandLine.h"

namespace {

struct CommandName {
    const char* name;
    ToolCommand command;
    bool takesFile;
};

const CommandName kCommands[] = {
    {"list", ToolCommand::List, false},    {"export", ToolCommand::Export, true},
    {"import", ToolCommand::Import, true}, {"verify", ToolCommand::Verify, true},
    {"show", ToolCommand::Show, true},     {"--help", ToolCommand::Help, false},
    {"fleet", ToolCommand::Fleet, true},   {"--version", ToolCommand::Version, false},
};

// The longest wait a script may ask for: a day.
constexpr unsigned kLongestWait = 24 * 60 * 60;

bool Fail(std::string& why, std::string reason) {
    why = std::move(reason);
    return false;
}

bool ParseNumber(const std::string& text, unsigned largest, unsigned& number) {
    if (text.empty() || text.size() > 5) return false;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > largest) return false;
    number = value;
    return true;
}

// The longest a machine may stay silent before it counts as not seen: ten years.
constexpr unsigned kLongestStale = 3650;

// The value of an option that takes one: the next argument, which must be there and not an option.
bool TakeValue(const std::vector<std::string>& args, size_t& next, std::string& value) {
    if (!value.empty() || next + 1 >= args.size() || args[next + 1].empty() ||
        args[next + 1].compare(0, 2, "--") == 0)
        return false;
    value = args[++next];
    return true;
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

    size_t next = 1;
    if (found->takesFile) {
        if (args.size() < 2 || args[1].empty() || args[1].compare(0, 2, "--") == 0)
            return Fail(why, std::string(found->name) + (found->command == ToolCommand::Fleet
                                                             ? " needs a FOLDER"
                                                             : " needs a FILE"));
        line.file = args[1];
        next = 2;
    }
    for (; next < args.size(); ++next) {
        const std::string& option = args[next];
        const ToolCommand c = line.command;
        if (option == "--json" &&
            (c == ToolCommand::List || c == ToolCommand::Show || c == ToolCommand::Fleet) &&
            !line.json) {
            line.json = true;
        } else if (option == "--dry-run" && c == ToolCommand::Import && !line.dryRun) {
            line.dryRun = true;
        } else if (option == "--exact" && c == ToolCommand::Verify && !line.exact) {
            line.exact = true;
        } else if (option == "--wait" && c == ToolCommand::Import) {
            if (next + 1 >= args.size() ||
                !ParseNumber(args[next + 1], kLongestWait, line.waitSeconds))
                return Fail(why, "--wait needs a number of seconds from 0 to 86400");
            ++next;
        } else if (option == "--report" && (c == ToolCommand::Verify || c == ToolCommand::Import)) {
            if (!TakeValue(args, next, line.report))
                return Fail(why, "--report needs a FOLDER, once");
        } else if (option == "--html" && (c == ToolCommand::Show || c == ToolCommand::Fleet)) {
            if (!TakeValue(args, next, line.html)) return Fail(why, "--html needs a FILE, once");
        } else if (option == "--file" && c == ToolCommand::Fleet) {
            if (!TakeValue(args, next, line.schemeFile))
                return Fail(why, "--file needs a scheme FILE, once");
        } else if (option == "--stale" && c == ToolCommand::Fleet) {
            if (next + 1 >= args.size() ||
                !ParseNumber(args[next + 1], kLongestStale, line.staleDays) || line.staleDays == 0)
                return Fail(why, "--stale needs a number of days from 1 to 3650");
            ++next;
        } else {
            return Fail(why, "\"" + option + "\" is not an option of " + found->name);
        }
    }
    if (line.dryRun && !line.report.empty())
        return Fail(why, "--report records what was done: a --dry-run does nothing");
    return true;
}

const char* ToolHelpText() {
    return "Usage: vlsm COMMAND [FILE] [OPTIONS]\n"
           "\n"
           "Keeps the Vexar Lumen schemes of this computer in step with a scheme file (.esm),\n"
           "without a window. Results go to standard output, errors to standard error.\n"
           "\n"
           "Commands:\n"
           "  list [--json]            the schemes of this computer: name, built in or not,\n"
           "                           description\n"
           "  export FILE              saves every scheme to FILE, as \"Save to disk\" does\n"
           "  import FILE [--dry-run] [--wait SECONDS] [--report FOLDER]\n"
           "                           loads the schemes of FILE into this computer, as \"Load\n"
           "                           from disk\" does; schemes the file does not hold stay.\n"
           "                           A refused file changes nothing. --dry-run writes nothing\n"
           "                           and says for each scheme whether it would be added,\n"
           "                           replaced or is identical. Another program changing the\n"
           "                           schemes is waited for up to SECONDS (30)\n"
           "  verify FILE [--exact] [--report FOLDER]\n"
           "                           prints every difference between FILE and this computer;\n"
           "                           with --exact, schemes the file does not hold count too.\n"
           "                           --report (verify, import) leaves this computer's status\n"
           "                           record in FOLDER, replacing its last one\n"
           "  show FILE [--json] [--html PAGE]\n"
           "                           prints the schemes of FILE in readable form; --html\n"
           "                           writes them as one web page too\n"
           "  fleet FOLDER [--file FILE] [--stale DAYS] [--json] [--html PAGE]\n"
           "                           one line per status record of FOLDER, problems first:\n"
           "                           the computer, its last report, its result, differences,\n"
           "                           whether it used FILE, and \"stale\" when it has not\n"
           "                           reported for DAYS (7); --html writes one web page too\n"
           "  --help                   prints this text\n"
           "  --version                prints the version\n"
           "\n"
           "Exit codes:\n"
           "  0  done; verify: this computer is in step with the file\n"
           "  1  verify: differences found; import, show, verify: the file was refused;\n"
           "     fleet: a machine is not in step or has not reported\n"
           "  2  wrong usage\n"
           "  3  a file or the registry could not be read or written (for example, not run as\n"
           "     an administrator), or another program kept the schemes busy\n";
}

int ExitCodeForProblem(const std::string& title) {
    return title == "File Load Problem" ? kExitDifferent : kExitUnavailable;
}
