#include "cli/FleetCommand.h"
#include <string>
#include <vector>
#include "cli/Fleet.h"
#include "cli/HtmlPage.h"
#include "cli/StatusReport.h"
#include "cli/ToolText.h"
#include "framework/FileSystem.h"
#include "hive/SchemeFile.h"
#include "hive/Sha256.h"
#include "store/SpreadWork.h"

namespace {

bool IsRecordName(const std::string& name) {
    if (name.size() <= 5) return false;
    std::string end = name.substr(name.size() - 5);
    for (char& c : end)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return end == ".json";
}

} // namespace

int RunFleet(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const std::string& folder = line.file;
    if (!PathExists(folder)) {
        err << "vlsm: the status folder cannot be read: " << folder << "\n";
        return kExitUnavailable;
    }
    FleetOptions options;
    options.now = UtcNowSeconds();
    options.staleDays = line.staleDays;
    if (!line.schemeFile.empty()) {
        std::string bytes;
        if (!ReadWholeFile(line.schemeFile, bytes)) {
            err << "vlsm: the scheme file cannot be read: " << line.schemeFile << "\n";
            return kExitUnavailable;
        }
        options.fileSha256 = Sha256Hex(bytes);
    }

    std::vector<std::string> names;
    for (std::string& name : ListFiles(folder, "*.json"))
        if (IsRecordName(name)) names.push_back(std::move(name));
    // Each record is its own file on a share, and each open, read and close waits on a round
    // trip: six are read at once, each into a bounded buffer dropped once the record is parsed.
    std::vector<FleetMachine> machines(names.size());
    SpreadWork(
        names.size(),
        [&](size_t i) {
            std::string text;
            unsigned long long size = 0;
            machines[i] = ReadFileHead(folder + "\\" + names[i], kLargestRecord + 1, text, size)
                              ? ReadFleetMachine(Cp1252ToUtf8(names[i]), text, size, options)
                              : UnreadableMachine(Cp1252ToUtf8(names[i]), "cannot be read");
        },
        6);
    SortProblemsFirst(machines);
    if (machines.empty()) err << "vlsm: no status records in " << folder << "\n";

    if (!line.html.empty()) {
        const std::string page =
            FleetPage(machines, line.staleDays, Cp1252ToUtf8(folder), UtcNowText());
        if (!ReplaceWholeFile(line.html, page)) {
            err << "vlsm: the page could not be written: " << line.html << "\n";
            return kExitUnavailable;
        }
    }
    out << (line.json ? FleetJson(machines, line.staleDays)
                      : Utf8ToCp1252(FleetTable(machines, line.staleDays)));
    return FleetExitCode(machines);
}
