// vlsm.exe: the scheme manager's work for scripts, without a window.
#include <windows.h>
#include <iostream>
#include <string>
#include <vector>
#include "cli/CommandLine.h"
#include "cli/Tool.h"

int main(int argc, char** argv) {
    // A drive that is not ready must fail the command, not wait for a click in a system box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const std::vector<std::string> args(argv + 1, argv + argc);
    CommandLine line;
    std::string why;
    if (!ParseCommandLine(args, line, why)) {
        std::cerr << "vlsm: " << why << "\nvlsm: see vlsm --help\n";
        return kExitUsage;
    }
    // Results go out in large writes: a JSON of every scheme is megabytes of small pieces.
    std::ios::sync_with_stdio(false);
    return RunTool(line, std::cout, std::cerr);
}
