#include "hive/SettingsHive.h"

#include "hive/SchemeFileFormat.h"

#include <climits>

namespace {

// The pair as one map key. The section's length goes first, so that no two pairs can share a
// key even when their strings hold zero bytes (a damaged file can bring any byte).
std::string PairKey(std::string_view section, std::string_view key) {
    std::string out;
    const size_t length = section.size();
    out.reserve(sizeof length + section.size() + key.size());
    out.append(reinterpret_cast<const char*>(&length), sizeof length);
    out.append(section);
    out.append(key);
    return out;
}

std::string Terminated(const std::string& field) {
    std::string out;
    out.reserve(field.size() + 1);
    out += field;
    out += kFieldTerminator;
    return out;
}

} // namespace

void LastMatchIndex::Clear() {
    last_.clear();
    indexed_ = 0;
}

void LastMatchIndex::Extend(const std::vector<HiveRecord>& records) {
    for (; indexed_ < records.size(); ++indexed_)
        last_[PairKey(records[indexed_].section, records[indexed_].key)] = indexed_;
}

void LastMatchIndex::Extend(const ParsedRecords& records) {
    for (; indexed_ < records.size(); ++indexed_) {
        const RecordView r = records[indexed_];
        last_[PairKey(r.section, r.key)] = indexed_;
    }
}

std::optional<size_t> LastMatchIndex::Find(std::string_view section, std::string_view key) const {
    const auto found = last_.find(PairKey(section, key));
    if (found == last_.end()) return std::nullopt;
    return found->second;
}

void SettingsHive::AddString(const std::string& section, const std::string& key,
                             const std::string& value) {
    records_.push_back({Terminated(section), Terminated(key), Terminated(value)});
}

void SettingsHive::AddNumber(const std::string& section, const std::string& key, int32_t value) {
    AddString(section, key, std::to_string(value));
}

const std::string* SettingsHive::Lookup(const std::string& section, const std::string& key) {
    const size_t at = readCursor_++;
    if (at < records_.size() && records_[at].section == section && records_[at].key == key)
        return &records_[at].value;
    index_.Extend(records_);
    const auto last = index_.Find(section, key);
    return last ? &records_[*last].value : nullptr;
}

std::string SettingsHive::GetString(const std::string& section, const std::string& key) {
    const std::string* value = Lookup(section, key);
    return value ? *value : std::string();
}

int32_t SettingsHive::GetNumber(const std::string& section, const std::string& key) {
    const std::string* value = Lookup(section, key);
    return value ? ParseLeadingNumber(*value) : 0;
}

void SettingsHive::ClearHive() {
    records_.clear();
    index_.Clear();
}

void SettingsHive::Assign(std::vector<HiveRecord>&& records) {
    records_ = std::move(records);
    index_.Clear();
}

int32_t ParseLeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate as a negative number: its range reaches INT32_MIN.
    int64_t n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n = n * 10 - (text[i] - '0');
        if (n < INT32_MIN) return negative ? INT32_MIN : INT32_MAX;
    }
    if (negative) return static_cast<int32_t>(n);
    return n < -INT32_MAX ? INT32_MAX : static_cast<int32_t>(-n);
}

SettingsHive& WorkingHive() {
    static SettingsHive hive;
    return hive;
}

void AddString(const std::string& section, const std::string& key, const std::string& value) {
    WorkingHive().AddString(section, key, value);
}
void AddNumber(const std::string& section, const std::string& key, int32_t value) {
    WorkingHive().AddNumber(section, key, value);
}
std::string GetString(const std::string& section, const std::string& key) {
    return WorkingHive().GetString(section, key);
}
int32_t GetNumber(const std::string& section, const std::string& key) {
    return WorkingHive().GetNumber(section, key);
}
void ResetCursor() { WorkingHive().ResetCursor(); }
void ClearHive() { WorkingHive().ClearHive(); }
