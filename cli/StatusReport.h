#pragma once
// This computer's status record, left in the status folder by `verify` and `import` with --report.
#include <string>
#include "cli/StatusRecord.h"

// Completes `record` with this computer's name, the time, and the path, size and SHA-256 of the
// scheme file `schemeFile`, and writes it as FOLDER\COMPUTERNAME.json, replacing the last one
// whole. False, with the reason, when it could not be written.
bool LeaveStatusRecord(const std::string& folder, const std::string& schemeFile,
                       StatusRecord& record, std::string& why);

// This computer's (NetBIOS) name; empty when it cannot be read.
std::string ThisComputerName();

// The time now, UTC, as a record gives it, and in seconds since 1970.
std::string UtcNowText();
long long UtcNowSeconds();
