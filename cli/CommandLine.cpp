#include "cli/CommandLine.h"

namespace {

struct CommandName {
    const char* name;
    ToolCommand command;
    bool takesFile;
};

const CommandName kCommands[] = {
    {"list", ToolCommand::List, false},         {"export", ToolCommand::Export, true},
    {"import", ToolCommand::Import, true},      {"verify", ToolCommand::Verify, true},
    {"show", ToolCommand::Show, true},          {"backups", ToolCommand::Backups, false},
    {"restore", ToolCommand::Restore, false},   {"--help", ToolCommand::Help, false},
    {"--version", ToolCommand::Version, false},
};

// The longest wait a script may ask for: a day.
constexpr unsigned kLongestWait = 24 * 60 * 60;

bool Fail(std::string& why, std::string reason) {
    why = std::move(reason);
    return false;
}

bool ParseSeconds(const std::string& text, unsigned& seconds) {
    if (text.empty() || text.size() > 5) return false;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > kLongestWait) return false;
    seconds = value;
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
            return Fail(why, std::string(found->name) + " needs a FILE");
        line.file = args[1];
        next = 2;
    }
    for (; next < args.size(); ++next) {
        const std::string& option = args[next];
        const ToolCommand c = line.command;
        if (option == "--json" &&
            (c == ToolCommand::List || c == ToolCommand::Show || c == ToolCommand::Backups) &&
            !line.json) {
            line.json = true;
        } else if (option == "--dry-run" && (c == ToolCommand::Import || c == ToolCommand::Restore) &&
                   !line.dryRun) {
            line.dryRun = true;
        } else if (option == "--exact" && (c == ToolCommand::Verify || c == ToolCommand::Import) &&
                   !line.exact) {
            line.exact = true;
        } else if (c == ToolCommand::Restore && line.backupId.empty() && !line.lastBackup &&
                   !option.empty() && (option == "--last" || option[0] != '-')) {
            // One backup: an ID as `vlsm backups` lists it, or the last.
            if (option == "--last") line.lastBackup = true;
            else line.backupId = option;
        } else if (option == "--wait" && (c == ToolCommand::Import || c == ToolCommand::Restore)) {
            if (next + 1 >= args.size() || !ParseSeconds(args[next + 1], line.waitSeconds))
                return Fail(why, "--wait needs a number of seconds from 0 to 86400");
            ++next;
        } else {
            return Fail(why, "\"" + option + "\" is not an option of " + found->name);
        }
    }
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
           "  import FILE [--dry-run] [--exact] [--wait SECONDS]\n"
           "                           loads the schemes of FILE into this computer, as \"Load\n"
           "                           from disk\" does; schemes the file does not hold stay.\n"
           "                           A refused file changes nothing. --dry-run writes nothing\n"
           "                           and says for each scheme whether it would be added,\n"
           "                           replaced or is identical. --exact also removes the\n"
           "                           schemes the file does not hold (never a built-in one)\n"
           "                           with their class and user allocations. Another program\n"
           "                           changing the schemes is waited for up to SECONDS (30).\n"
           "                           What a load changes is backed up first; a load that\n"
           "                           fails or is stopped half way is put back\n"
           "  verify FILE [--exact]    prints every difference between FILE and this computer;\n"
           "                           with --exact, schemes the file does not hold count too\n"
           "  show FILE [--json]       prints the schemes of FILE in readable form\n"
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
           "  --help                   prints this text\n"
           "  --version                prints the version\n"
           "\n"
           "Exit codes:\n"
           "  0  done; verify: this computer is in step with the file\n"
           "  1  verify: differences found; import, show, verify: the file was refused;\n"
           "     restore: no such backup\n"
           "  2  wrong usage\n"
           "  3  a file or the registry could not be read or written (for example, not run as\n"
           "     an administrator), or another program kept the schemes busy\n";
}

int ExitCodeForProblem(const std::string& title) {
    return title == "File Load Problem" ? kExitDifferent : kExitUnavailable;
}
