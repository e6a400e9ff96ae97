#pragma once
// `vlsm fleet FOLDER`: every status record of the folder, one line per machine.
#include <ostream>
#include "cli/CommandLine.h"

// Returns the exit code: 0 when every machine is in step and fresh, 1 otherwise, 3 when the
// folder, the --file or the page could not be read or written.
int RunFleet(const CommandLine& line, std::ostream& out, std::ostream& err);
