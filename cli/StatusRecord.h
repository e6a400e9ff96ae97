#pragma once
// The status record a workstation leaves in the status folder after `verify` or `import` with
// --report: one small JSON file per computer, replaced whole by each run. A record is written by a
// workstation and read by the administrator's `fleet`, so the reader treats it as hostile input:
// it is bounded, parsed by a real JSON parser, and every field is checked for kind and length.
// Platform-free. Every text of a record is UTF-8.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class RunResult { InStep, OutOfStep, Imported, Refused, Failed };

// "in step", "out of step", "imported", "refused", "failed".
const char* RunResultText(RunResult result);

struct ReportedDifference {
    std::string scheme;
    std::string section; // empty: the scheme's description or the whole scheme
    std::string item;    // "Root 2", "WebLink 1", "Page 3"; empty for a section without items
    std::string value;
    std::optional<std::string> inFile;    // none: the file lacks it
    std::optional<std::string> onMachine; // none: the machine lacks it
};

struct StatusRecord {
    std::string computer;
    std::string time; // UTC, ISO 8601 to the second: "2026-12-08T07:58:12Z"
    std::string version;
    std::string filePath;
    unsigned long long fileSize = 0;
    std::string fileSha256; // lower-case hex; empty when the file could not be read
    RunResult result = RunResult::Failed;
    int exitCode = 0;
    unsigned long long differenceCount = 0;
    std::vector<ReportedDifference> differences; // the first kReportedDifferences
    unsigned long long durationMs = 0;
};

constexpr size_t kReportedDifferences = 20;
// A record larger than this is not read.
constexpr size_t kLargestRecord = 1024 * 1024;
// Texts read from a record are cut to this many bytes: no real value is longer (the registry
// holds at most 259 characters), and it keeps thousands of records in little memory.
constexpr size_t kLongestRecordText = 520;

// The record as JSON, with at most kReportedDifferences differences.
std::string StatusRecordJson(const StatusRecord& record);

// Reads a record. False, with a short reason, when the text is not a record this program can
// use: too large, not JSON, or a required field missing or of the wrong kind. Fields added by
// later versions are ignored; fields an older version did not write keep their defaults.
bool ReadStatusRecord(std::string_view text, StatusRecord& record, std::string& why);

// Seconds since 1970-01-01 of a "YYYY-MM-DDTHH:MM:SSZ" time; false for anything else.
bool ParseUtcTime(std::string_view text, long long& seconds);
// The "YYYY-MM-DDTHH:MM:SSZ" form of a calendar time.
std::string UtcTimeText(int year, int month, int day, int hour, int minute, int second);
