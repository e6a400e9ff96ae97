#pragma once
// The command line of vlsm.exe, the console tool for scripts and deployment: its commands, its
// help text and its exit codes. Platform-free, so that it is tested without Windows.
#include <string>
#include <vector>

enum class ToolCommand {
    Help,
    Version,
    List,
    Export,
    Import,
    Verify,
    Show,
    Fleet,
    Backups,
    Restore
};

struct CommandLine {
    ToolCommand command = ToolCommand::Help;
    std::string file;             // fleet: the status folder; restore: the backup's ID, or empty
    bool json = false;            // list, show, fleet, backups
    bool dryRun = false;          // import, restore
    bool exact = false;           // import, verify
    bool requireChecksum = false; // import, verify, show: a file without FILE.sha256 is refused
    bool lastBackup = false;      // restore: --last
    unsigned waitSeconds = 30;    // import, restore: how long another writer is waited for
    std::string report;           // verify, import: the status folder this computer reports into
    std::string html;             // show, fleet: the page to write
    std::string schemeFile;       // fleet: the school's current file, to compare hashes with
    unsigned staleDays = 7;       // fleet: a machine not seen for longer is stale
};

// The exit codes a script acts on.
enum ExitCode : int {
    kExitDone = 0,        // done; verify: in step
    kExitDifferent = 1,   // verify: differences found; import, show, verify: the file was refused;
                          // fleet: a machine is not in step or not seen
    kExitUsage = 2,       // wrong usage
    kExitUnavailable = 3, // a file or the registry could not be read or written
};

// Parses the arguments after the program's name: the command first, then its options and its
// FILE in any order, each option at most once ("--wait 5" or "--wait=5"); "--" ends the options.
// A request for help anywhere after a command makes the command Help. False, with a one-line
// reason, for wrong usage.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& why);

// What --help prints, and the README repeats.
const char* ToolHelpText();

// The exit code of a command that failed with a message of this title: a refused file is 1,
// everything else (a file or the registry that could not be read or written, another writer
// keeping its turn) is 3.
int ExitCodeForProblem(const std::string& title);
