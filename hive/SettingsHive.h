#pragma once
// The settings hive: an ordered table of (section, key, value) records with a read cursor,
// through which schemes travel to and from a scheme file.
#include "hive/HiveRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ParsedRecords;

// Where the last record carrying each (section, key) pair stands in a record list. It answers
// an out-of-step lookup exactly as a scan of the whole list that keeps the last match would,
// without the scan. It indexes a list incrementally: Extend takes the records appended since.
class LastMatchIndex {
public:
    void Clear();
    void Extend(const std::vector<HiveRecord>& records);
    void Extend(const ParsedRecords& records);
    std::optional<size_t> Find(std::string_view section, std::string_view key) const;

private:
    std::unordered_map<std::string, size_t> last_;
    size_t indexed_ = 0;
};

class SettingsHive {
public:
    // Export form: each of the three strings followed by the field terminator.
    void AddString(const std::string& section, const std::string& key, const std::string& value);
    void AddNumber(const std::string& section, const std::string& key, int32_t value);

    // Tried at the cursor first, else the last record of the table with the pair; "" or 0 when
    // none matches. Either way the cursor moves on by one.
    std::string GetString(const std::string& section, const std::string& key);
    int32_t GetNumber(const std::string& section, const std::string& key);

    void ResetCursor() { readCursor_ = 0; }
    // Removes the records; the cursor stays where it was.
    void ClearHive();
    // Replaces the records with `records`, taken without copying; the cursor stays.
    void Assign(std::vector<HiveRecord>&& records);

    size_t Size() const { return records_.size(); }
    const HiveRecord& At(size_t i) const { return records_.at(i); }
    void Append(const HiveRecord& record) { records_.push_back(record); }
    void Append(HiveRecord&& record) { records_.push_back(std::move(record)); }
    const std::vector<HiveRecord>& Records() const { return records_; }
    size_t ReadCursor() const { return readCursor_; }

private:
    const std::string* Lookup(const std::string& section, const std::string& key);

    std::vector<HiveRecord> records_;
    size_t readCursor_ = 0;
    LastMatchIndex index_; // brought up to date only when a lookup misses the cursor
};

// The value text of a number as atoi reads it (leading white space, a sign, digits up to the
// first other character), with digits beyond the 32-bit range clamped to its ends.
int32_t ParseLeadingNumber(std::string_view text);

// The process-wide working hive, and the operations that the section codecs call on it.
SettingsHive& WorkingHive();
void AddString(const std::string& section, const std::string& key, const std::string& value);
void AddNumber(const std::string& section, const std::string& key, int32_t value);
std::string GetString(const std::string& section, const std::string& key);
int32_t GetNumber(const std::string& section, const std::string& key);
void ResetCursor();
void ClearHive();
