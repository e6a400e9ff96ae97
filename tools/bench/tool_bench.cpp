// Times vlsm's export and verify of the same machine in process, through RunTool: verify reads the
// same schemes as an export (and the file besides), so it should cost no more. Prints one table
// row per size. Not a test.
//   tool_bench [roots=20] [links=30] [sizes=10,100] [rounds=3]   (sizes for example 1000)
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>
#include "cli/CommandLine.h"
#include "cli/Tool.h"
#include "tools/bench/BenchSetup.h"

namespace {

const char* const kBenchKey = "Software\\VlsmToolBench";

// One command of the tool, with its output thrown away; its time in seconds, and its exit code.
double Timed(ToolCommand command, const std::string& file, int& code) {
    CommandLine line;
    line.command = command;
    line.file = file;
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    code = RunTool(line, out, err);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (code != kExitDone) std::fprintf(stderr, "%s%s", out.str().c_str(), err.str().c_str());
    return took.count();
}

} // namespace

int main(int argc, char** argv) {
    const int roots = bench::Argument(argc, argv, 1, 20);
    const int links = bench::Argument(argc, argv, 2, 30);
    const std::vector<int> sizes = bench::Sizes(argc, argv, 3);
    const int rounds = bench::Argument(argc, argv, 4, 3);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string file =
        std::string(temp) + "vlsm-tool-bench-" + std::to_string(GetCurrentProcessId()) + ".esm";

    std::printf(
        "| schemes | values | export ms | verify ms | verify/export |\n|---|---|---|---|---|\n");
    for (int schemes : sizes) {
        bench::ScratchMachine machine(kBenchKey);
        if (!machine.Ok()) return 1;
        machine.Seed(schemes, roots, links);
        bench::WalkCounts counts;
        bench::Walk(HKEY_LOCAL_MACHINE, kSchemesKey, counts);
        // Rounds alternate, so that a change in the machine's load touches both alike.
        double exportBest = 1e30, verifyBest = 1e30;
        for (int round = 0; round < rounds; ++round) {
            int code = 0;
            exportBest = std::min(exportBest, Timed(ToolCommand::Export, file, code));
            if (code != kExitDone) return 1;
            verifyBest = std::min(verifyBest, Timed(ToolCommand::Verify, file, code));
            if (code != kExitDone) return 1;
        }
        std::printf("| %d | %ld | %.0f | %.0f | %.2f |\n", schemes, counts.values, exportBest * 1e3,
                    verifyBest * 1e3, verifyBest / exportBest);
        std::fflush(stdout);
        DeleteFileA(file.c_str());
        DeleteFileA((file + ".sha256").c_str());
    }
    return 0;
}
