#include "cli/Fleet.h"
#include <algorithm>
#include "cli/Json.h"

namespace {

const char* const kStateTexts[] = {"unreadable",  "failed",   "refused",
                                   "out of step", "not seen", "in step"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool LessName(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

// "WS-014.json" names computer "WS-014".
std::string ComputerOfFile(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string Padded(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

} // namespace

const char* MachineStateText(MachineState state) { return kStateTexts[static_cast<int>(state)]; }

const char* FileMatchText(const FleetMachine& machine) {
    if (!machine.fileMatches) return "";
    return *machine.fileMatches ? "matches" : "differs";
}

FleetMachine UnreadableMachine(const std::string& name, const std::string& problem) {
    FleetMachine machine;
    machine.computer = ComputerOfFile(name);
    machine.problem = problem;
    return machine;
}

FleetMachine ReadFleetMachine(const std::string& name, const std::string& text,
                              unsigned long long fileSize, const FleetOptions& options) {
    if (fileSize > kLargestRecord) return UnreadableMachine(name, "larger than 1 MB");
    FleetMachine machine = UnreadableMachine(name, "");
    if (!ReadStatusRecord(text, machine.record, machine.problem)) return machine;
    if (!SameName(machine.record.computer, machine.computer)) {
        machine.problem = "written for another computer";
        return machine;
    }
    long long reported = 0;
    ParseUtcTime(machine.record.time, reported); // checked by the reader
    machine.stale = options.now - reported > static_cast<long long>(options.staleDays) * 86400;
    if (!options.fileSha256.empty() && !machine.record.fileSha256.empty())
        machine.fileMatches = SameName(machine.record.fileSha256, options.fileSha256);

    switch (machine.record.result) {
    case RunResult::Failed:
        machine.state = MachineState::Failed;
        break;
    case RunResult::Refused:
        machine.state = MachineState::Refused;
        break;
    case RunResult::OutOfStep:
        machine.state = MachineState::OutOfStep;
        break;
    case RunResult::InStep:
    case RunResult::Imported:
        // In step with a file that is no longer the school's is out of step.
        machine.state =
            machine.fileMatches.value_or(true) ? MachineState::InStep : MachineState::OutOfStep;
        break;
    }
    // A machine that has not reported for a while may be anything by now.
    if (machine.stale) machine.state = MachineState::NotSeen;
    return machine;
}

void SortProblemsFirst(std::vector<FleetMachine>& machines) {
    std::stable_sort(machines.begin(), machines.end(),
                     [](const FleetMachine& a, const FleetMachine& b) {
                         if (a.state != b.state) return a.state < b.state;
                         return LessName(a.computer, b.computer);
                     });
}

std::string FleetSummary(const std::vector<FleetMachine>& machines, unsigned staleDays) {
    size_t counts[6] = {};
    for (const FleetMachine& machine : machines)
        ++counts[static_cast<int>(machine.state)];
    const auto count = [&](MachineState state) {
        return std::to_string(counts[static_cast<int>(state)]);
    };
    std::string summary = count(MachineState::InStep) + " in step, " +
                          count(MachineState::OutOfStep) + " out of step, " +
                          count(MachineState::Refused) + " refused, ";
    if (counts[static_cast<int>(MachineState::Failed)])
        summary += count(MachineState::Failed) + " failed, ";
    if (counts[static_cast<int>(MachineState::Unreadable)])
        summary += count(MachineState::Unreadable) + " unreadable, ";
    return summary + count(MachineState::NotSeen) + " not seen for " + std::to_string(staleDays) +
           (staleDays == 1 ? " day" : " days");
}

int FleetExitCode(const std::vector<FleetMachine>& machines) {
    const bool allInStep = std::all_of(machines.begin(), machines.end(), [](const FleetMachine& m) {
        return m.state == MachineState::InStep;
    });
    return !machines.empty() && allInStep ? 0 : 1;
}

std::string FleetTable(const std::vector<FleetMachine>& machines, unsigned staleDays) {
    size_t width = 8;
    for (const FleetMachine& machine : machines)
        width = std::max(width, std::min<size_t>(machine.computer.size(), 32));
    std::string out = Padded("computer", width) + "  " + Padded("last report", 20) + "  " +
                      Padded("result", 11) + "  differences  file\n";
    for (const FleetMachine& m : machines) {
        std::string line = Padded(m.computer, width) + "  ";
        if (m.state == MachineState::Unreadable) {
            line += Padded("-", 20) + "  unreadable: " + m.problem;
        } else {
            const std::string count = std::to_string(m.record.differenceCount);
            line += Padded(m.record.time, 20) + "  " + Padded(RunResultText(m.record.result), 11) +
                    "  " + std::string(count.size() < 11 ? 11 - count.size() : 0, ' ') + count +
                    "  " + Padded(FileMatchText(m), 7);
            if (m.stale) line += "  stale";
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
    return out + FleetSummary(machines, staleDays) + "\n";
}

std::string FleetJson(const std::vector<FleetMachine>& machines, unsigned staleDays) {
    Json list = Json::array();
    for (const FleetMachine& m : machines) {
        Json machine = {{"computer", m.computer}, {"state", MachineStateText(m.state)}};
        if (m.state == MachineState::Unreadable) {
            machine["problem"] = m.problem;
        } else {
            Json differences = Json::array();
            for (const ReportedDifference& d : m.record.differences)
                differences.push_back(DifferenceJson(d));
            machine["lastReport"] = m.record.time;
            machine["result"] = RunResultText(m.record.result);
            machine["exitCode"] = m.record.exitCode;
            machine["version"] = m.record.version;
            machine["file"] = m.fileMatches ? Json(FileMatchText(m)) : Json(nullptr);
            machine["stale"] = m.stale;
            machine["differenceCount"] = m.record.differenceCount;
            machine["differences"] = differences;
        }
        list.push_back(std::move(machine));
    }
    const Json json = {{"summary", FleetSummary(machines, staleDays)},
                       {"staleDays", staleDays},
                       {"machines", list}};
    return JsonText(json);
}
