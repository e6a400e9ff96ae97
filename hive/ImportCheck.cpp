#include "hive/ImportCheck.h"

#include "hive/ImportOrder.h"
#include "hive/SchemeFileFormat.h"
#include "hive/SettingsHive.h"

#include <cstdint>
#include <cstring>
#include <optional>

namespace {

constexpr size_t kMaxNameLength = 255;

// A value the import would take, and the record (from 1) it comes from; for a value that is not
// there, the record the import looked at first.
struct Found {
    std::optional<std::string_view> text;
    uint64_t record = 0;
};

// A count as AddNumber writes a non-negative one: "0", or digits without a leading zero, within
// the 32-bit range.
bool ParseCount(std::string_view text, uint64_t& count) {
    if (text.empty() || text.size() > 10 || (text[0] == '0' && text.size() > 1)) return false;
    count = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        count = count * 10 + static_cast<unsigned>(c - '0');
    }
    return count <= INT32_MAX;
}

// A damaged value may be megabytes long and hold any byte; the reason stays one short line.
std::string Quoted(std::string_view text) {
    constexpr size_t kShown = 40;
    return "\"" + WithoutControls(text.substr(0, kShown)) + (text.size() > kShown ? "...\"" : "\"");
}

// The import's reads replayed over the const record list with SettingsHive's cursor rule, each
// value the import takes judged as it comes. The counts claim records as they are read; a file
// whose counts ask for more than it holds, or hold far more than they ask for, is refused. The
// index is built only once a read misses the cursor, which in a file the program wrote only the
// first read does.
class ImportJudge {
public:
    using Value = Found;

    ImportJudge(const ParsedRecords& records, std::string* why) : records_(records), why_(why) {}

    Found Read(const std::string& section, const std::string& key) {
        const uint64_t at = cursor_++;
        if (at < records_.size()) {
            const RecordView r = records_[at];
            if (r.section == section && r.key == key) return {r.value, at + 1};
        }
        index_.Extend(records_);
        const auto last = index_.Find(section, key);
        if (!last) return {std::nullopt, at + 1};
        return {records_[*last].value, *last + 1};
    }
    static std::string_view Text(const Found& found) {
        return found.text.value_or(std::string_view());
    }
    void Reset() { cursor_ = 0; }
    void Skip(uint64_t reads) { cursor_ += reads; }

    bool SchemeCount(const Found& count, uint64_t& schemes) {
        // Where a file of the program's keeps it: after the entries.
        if (!count.text) return Fail(LeadingEntries() + 1, "\"Scheme Count\" is missing");
        claimed_ = 1;
        return Count(count, "\"Scheme Count\"", 2 + kRecordsPerScheme, schemes);
    }
    bool EntryName(const Found& name) { return Name(name, "entry name"); }
    void Entry(Found, Found) {}
    bool EntriesRead() { return true; }
    bool Scheme(uint64_t, const Found& name) {
        return Name(name, "scheme name") && WalkSchemeCounts(*this, *name.text);
    }
    bool ItemCount(const Found& count, const char* key, int recordsPerItem, uint64_t& items) {
        return Count(count, ("\"" + std::string(key) + "\"").c_str(),
                     static_cast<uint64_t>(recordsPerItem), items);
    }

    // A file this program writes holds exactly what its counts claim; one spare record is let
    // pass, as the import would simply not read it.
    bool NothingLeftOver() {
        if (records_.size() <= claimed_ + 1) return true;
        if (why_)
            *why_ = "file: " + std::to_string(records_.size()) +
                    " records, the counts use at most " + std::to_string(claimed_ + 1);
        return false;
    }

private:
    bool Fail(uint64_t record, const std::string& what) {
        if (why_) *why_ = "record " + std::to_string(record) + ": " + what;
        return false;
    }

    bool Count(const Found& count, const std::string& what, uint64_t recordsEach, uint64_t& n) {
        if (!count.text) return Fail(count.record, what + " is missing");
        if (!ParseCount(*count.text, n))
            return Fail(count.record, what + " holds " + Quoted(*count.text) + ", not a count");
        const uint64_t remain = records_.size() - claimed_;
        if (n * recordsEach > remain)
            return Fail(count.record, what + " asks for " + std::to_string(n * recordsEach) +
                                          " records, " + std::to_string(remain) + " remain");
        claimed_ += n * recordsEach;
        return true;
    }

    bool Name(const Found& name, const char* what) {
        if (!name.text) return Fail(name.record, std::string(what) + " is missing");
        const char* problem = NameProblem(*name.text);
        return !problem || Fail(name.record, std::string(what) + " " + problem);
    }

    uint64_t LeadingEntries() const {
        uint64_t n = 0;
        while (n < records_.size() && records_[n].section == kEntrySection)
            ++n;
        return n;
    }

    const ParsedRecords& records_;
    std::string* why_;
    LastMatchIndex index_;
    uint64_t cursor_ = 0;
    uint64_t claimed_ = 0; // records the counts read so far ask for, the count's own included
};

} // namespace

std::string WithoutControls(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return out;
}

const char* NameProblem(std::string_view name) {
    if (name.empty()) return "is empty";
    if (name.size() > kMaxNameLength) return "is longer than 255 characters";
    if (name.find('\\') != std::string_view::npos) return "holds a backslash";
    if (name.find('\0') != std::string_view::npos) return "holds a zero byte";
    if (ContainsTerminator(name)) return "holds the field terminator";
    return nullptr;
}

bool ContainsTerminator(std::string_view field) {
    return std::memchr(field.data(), kFieldTerminator, field.size()) != nullptr;
}

bool CheckImportable(const ParsedRecords& parsed, std::string* why) {
    ImportJudge judge(parsed, why);
    return WalkImport(judge) && judge.NothingLeftOver();
}
