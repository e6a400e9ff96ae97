// Arbitrary bytes as a workstation's status record, through the fleet's reader and every output
// made of it: nothing crashes, and whatever the record holds, the page runs its own script only.
#include "cli/Fleet.h"
#include "cli/HtmlPage.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    FleetOptions options;
    options.now = 1796000000;
    options.fileSha256 = "ab";
    const FleetMachine machine = ReadFleetMachine("WS1.json", text, text.size(), options);
    Require(machine.computer == "WS1");
    Require(machine.state == MachineState::Unreadable ? !machine.problem.empty()
                                                      : machine.problem.empty());
    Require(machine.record.differences.size() <= kReportedDifferences);
    const std::vector<FleetMachine> machines{machine};
    const std::string page = FleetPage(machines, 7, "\\\\srv\\status", "now");
    Require(Count(page, "<script") == 1 && Count(page, "<img") == 0);
    FleetTable(machines, 7);
    FleetJson(machines, 7);
    return 0;
}
