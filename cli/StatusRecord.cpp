#include "cli/StatusRecord.h"
#include <cstdio>
#include <limits>
#include "cli/Json.h"

namespace {

// The record's own version: a reader takes what it knows from any version.
constexpr int kRecordFormat = 1;

const char* const kResultTexts[] = {"in step", "out of step", "imported", "refused", "failed"};

Json OptionalText(const std::optional<std::string>& text) {
    return text ? Json(*text) : Json(nullptr);
}

// A text cut to kLongestRecordText bytes, never inside a UTF-8 sequence.
std::string Bounded(const std::string& text) {
    if (text.size() <= kLongestRecordText) return text;
    size_t end = kLongestRecordText;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end) + "\xE2\x80\xA6";
}

// The text of member `name` of `object`; false when it is there but not a text.
bool TextField(const Json& object, const char* name, std::string& text) {
    const auto found = object.find(name);
    if (found == object.end() || found->is_null()) return true;
    if (!found->is_string()) return false;
    text = Bounded(found->get_ref<const std::string&>());
    return true;
}

bool OptionalTextField(const Json& object, const char* name, std::optional<std::string>& text) {
    text.reset();
    const auto found = object.find(name);
    if (found == object.end() || found->is_null()) return true;
    if (!found->is_string()) return false;
    text = Bounded(found->get_ref<const std::string&>());
    return true;
}

bool CountField(const Json& object, const char* name, unsigned long long& count) {
    const auto found = object.find(name);
    if (found == object.end()) return true;
    if (!found->is_number_unsigned()) return false;
    count = found->get<unsigned long long>();
    return true;
}

bool Fail(std::string& why, const char* reason) {
    why = reason;
    return false;
}

bool ReadDifference(const Json& item, ReportedDifference& difference) {
    return item.is_object() && TextField(item, "scheme", difference.scheme) &&
           TextField(item, "section", difference.section) &&
           TextField(item, "item", difference.item) && TextField(item, "value", difference.value) &&
           OptionalTextField(item, "file", difference.inFile) &&
           OptionalTextField(item, "machine", difference.onMachine);
}

bool Digits(std::string_view text, size_t at, size_t count, int& value) {
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

} // namespace

const char* RunResultText(RunResult result) { return kResultTexts[static_cast<int>(result)]; }

std::string JsonText(const Json& json) {
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Json DifferenceJson(const ReportedDifference& d) {
    return {{"scheme", d.scheme},
            {"section", d.section},
            {"item", d.item},
            {"value", d.value},
            {"file", OptionalText(d.inFile)},
            {"machine", OptionalText(d.onMachine)}};
}

std::string StatusRecordJson(const StatusRecord& record) {
    Json differences = Json::array();
    for (size_t i = 0; i < record.differences.size() && i < kReportedDifferences; ++i)
        differences.push_back(DifferenceJson(record.differences[i]));
    const Json json = {
        {"format", kRecordFormat},
        {"computer", record.computer},
        {"time", record.time},
        {"version", record.version},
        {"file",
         {{"path", record.filePath}, {"size", record.fileSize}, {"sha256", record.fileSha256}}},
        {"result", RunResultText(record.result)},
        {"exitCode", record.exitCode},
        {"differenceCount", record.differenceCount},
        {"differences", differences},
        {"durationMs", record.durationMs}};
    return JsonText(json);
}

bool ReadStatusRecord(std::string_view text, StatusRecord& record, std::string& why) {
    record = StatusRecord();
    if (text.size() > kLargestRecord) return Fail(why, "larger than 1 MB");
    const Json json = Json::parse(text.begin(), text.end(), nullptr, false);
    if (json.is_discarded()) return Fail(why, "not JSON");
    if (!json.is_object()) return Fail(why, "not a status record");

    std::string result;
    if (!TextField(json, "computer", record.computer) || record.computer.empty())
        return Fail(why, "no computer name");
    long long seconds = 0;
    if (!TextField(json, "time", record.time) || !ParseUtcTime(record.time, seconds))
        return Fail(why, "no valid time");
    if (!TextField(json, "result", result)) return Fail(why, "no valid result");
    bool known = false;
    for (int i = 0; i < 5; ++i) {
        if (result != kResultTexts[i]) continue;
        record.result = static_cast<RunResult>(i);
        known = true;
    }
    if (!known) return Fail(why, "no valid result");

    if (!TextField(json, "version", record.version)) return Fail(why, "a field of the wrong kind");
    const auto file = json.find("file");
    if (file != json.end() && !file->is_null()) {
        if (!file->is_object() || !TextField(*file, "path", record.filePath) ||
            !CountField(*file, "size", record.fileSize) ||
            !TextField(*file, "sha256", record.fileSha256))
            return Fail(why, "a field of the wrong kind");
    }
    const auto exitCode = json.find("exitCode");
    if (exitCode != json.end()) {
        if (!exitCode->is_number_integer()) return Fail(why, "a field of the wrong kind");
        const long long code = exitCode->get<long long>();
        if (code < std::numeric_limits<int>::min() || code > std::numeric_limits<int>::max())
            return Fail(why, "a field of the wrong kind");
        record.exitCode = static_cast<int>(code);
    }
    if (!CountField(json, "differenceCount", record.differenceCount) ||
        !CountField(json, "durationMs", record.durationMs))
        return Fail(why, "a field of the wrong kind");
    const auto differences = json.find("differences");
    if (differences != json.end() && !differences->is_null()) {
        if (!differences->is_array()) return Fail(why, "a field of the wrong kind");
        for (const Json& item : *differences) {
            if (record.differences.size() == kReportedDifferences) break;
            ReportedDifference difference;
            if (!ReadDifference(item, difference)) return Fail(why, "a field of the wrong kind");
            record.differences.push_back(std::move(difference));
        }
    }
    if (record.differenceCount < record.differences.size())
        record.differenceCount = record.differences.size();
    return true;
}

bool ParseUtcTime(std::string_view text, long long& seconds) {
    // 2026-12-08T07:58:12Z
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z')
        return false;
    int year, month, day, hour, minute, second;
    if (!Digits(text, 0, 4, year) || !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day) ||
        !Digits(text, 11, 2, hour) || !Digits(text, 14, 2, minute) || !Digits(text, 17, 2, second))
        return false;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
        return false;
    seconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return true;
}

std::string UtcTimeText(int year, int month, int day, int hour, int minute, int second) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month, day, hour,
                  minute, second);
    return text;
}
