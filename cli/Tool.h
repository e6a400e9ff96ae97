#pragma once
// The commands of vlsm.exe, run on a parsed command line: results on `out`, errors on `err`.
// Every message the program would show in a box goes to `err` instead; no window is made.
#include <ostream>
#include "cli/CommandLine.h"

// Returns the exit code (cli/CommandLine.h).
int RunTool(const CommandLine& line, std::ostream& out, std::ostream& err);
