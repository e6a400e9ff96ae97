#pragma once
// The fleet at a glance: every workstation's status record read into one line per machine, the
// machines with a problem first, and the summary a school's administrator acts on. Platform-free:
// the caller lists the folder and reads the files.
#include <optional>
#include <string>
#include <vector>
#include "cli/StatusRecord.h"

// What a machine's last record says, worst first: the order in which machines are listed.
enum class MachineState { Unreadable, Failed, Refused, OutOfStep, NotSeen, InStep };

struct FleetMachine {
    std::string computer; // from the record's file name, never from its contents
    MachineState state = MachineState::Unreadable;
    std::string problem;             // why the record is unreadable
    StatusRecord record;             // when readable
    bool stale = false;              // its last report is older than the stale limit
    std::optional<bool> fileMatches; // the record's file hash equals the --file's, when given
};

struct FleetOptions {
    long long now = 0; // seconds since 1970, UTC
    unsigned staleDays = 7;
    std::string fileSha256; // empty: not compared
};

// One machine from its record file: `name` is the file's name ("WS-014.json"), `text` what it
// holds (at most kLargestRecord + 1 bytes), `fileSize` its whole size.
FleetMachine ReadFleetMachine(const std::string& name, const std::string& text,
                              unsigned long long fileSize, const FleetOptions& options);
// A machine whose record could not even be read from its folder.
FleetMachine UnreadableMachine(const std::string& name, const std::string& problem);

// Problems first, then by computer name.
void SortProblemsFirst(std::vector<FleetMachine>& machines);

// "287 in step, 9 out of step, 3 refused, 12 not seen for 7 days", with "failed" and "unreadable"
// counts when there are any.
std::string FleetSummary(const std::vector<FleetMachine>& machines, unsigned staleDays);

// 0 when there is at least one machine and every machine is in step and fresh, 1 otherwise.
int FleetExitCode(const std::vector<FleetMachine>& machines);

// What a machine's state is called in every output: "in step", "not seen", "unreadable"...
const char* MachineStateText(MachineState state);
// "matches", "differs" or "" (not compared or not known).
const char* FileMatchText(const FleetMachine& machine);

// One line per machine and the summary, as the console shows them (UTF-8).
std::string FleetTable(const std::vector<FleetMachine>& machines, unsigned staleDays);
// The same as a JSON document (UTF-8).
std::string FleetJson(const std::vector<FleetMachine>& machines, unsigned staleDays);
