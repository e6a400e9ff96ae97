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
    {"show", ToolCommand::Show, true},          {"--help", ToolCommand::Help, false},
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
        if (option == "--json" && (c == ToolCommand::List || c == ToolCommand::Show) &&
            !line.json) {
            line.json = true;
        } else if (option == "--dry-run" && c == ToolCommand::Import && !line.dryRun) {
            line.dryRun = true;
        } else if (option == "--exact" && c == ToolCommand::Verify && !line.exact) {
            line.exact = true;
        } else if (option == "--require-checksum" &&
                   (c == ToolCommand::Import || c == ToolCommand::Verify ||
                    c == ToolCommand::Show) &&
                   !line.requireChecksum) {
            line.requireChecksum = true;
        } else if (option == "--wait" && c == ToolCommand::Import) {
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
           "  export FILE              saves every scheme to FILE, as \"Save to disk\" does,\n"
           "                           and its checksum to FILE.sha256\n"
           "  import FILE [--dry-run] [--wait SECONDS] [--require-checksum]\n"
           "                           loads the schemes of FILE into this computer, as \"Load\n"
           "                           from disk\" does; schemes the file does not hold stay.\n"
           "                           A refused file changes nothing. --dry-run writes nothing\n"
           "                           and says for each scheme whether it would be added,\n"
           "                           replaced or is identical. Another program changing the\n"
           "                           schemes is waited for up to SECONDS (30)\n"
           "  verify FILE [--exact] [--require-checksum]\n"
           "                           prints every difference between FILE and this computer;\n"
           "                           with --exact, schemes the file does not hold count too\n"
           "  show FILE [--json] [--require-checksum]\n"
           "                           prints the schemes of FILE in readable form\n"
           "  --help                   prints this text\n"
           "  --version                prints the version\n"
           "\n"
           "import, verify and show check FILE against FILE.sha256 when it is there, and\n"
           "refuse a file that changed after it was saved; with --require-checksum, a file\n"
           "without FILE.sha256 is refused too.\n"
           "\n"
           "Exit codes:\n"
           "  0  done; verify: this computer is in step with the file\n"
           "  1  verify: differences found; import, show, verify: the file was refused\n"
           "  2  wrong usage\n"
           "  3  a file or the registry could not be read or written (for example, not run as\n"
           "     an administrator), or another program kept the schemes busy\n";
}

int ExitCodeForProblem(const std::string& title) {
    return title == "File Load Problem" ? kExitDifferent : kExitUnavailable;
}
