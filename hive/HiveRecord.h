#pragma once
// One record of the settings hive: three 8-bit strings. Records built for export carry the
// field terminator at the end of each string; records parsed from a file do not.
#include <string>
#include <string_view>

struct HiveRecord {
    std::string section, key, value;
};

inline bool operator==(const HiveRecord& a, const HiveRecord& b) {
    return a.section == b.section && a.key == b.key && a.value == b.value;
}
inline bool operator!=(const HiveRecord& a, const HiveRecord& b) { return !(a == b); }

// A record parsed from a file, as views into the file's plain bytes, which must outlive it.
// Parsing and checking a file this way copies nothing; a file's strings are made once, when it
// passes.
struct RecordView {
    std::string_view section, key, value;
};

inline HiveRecord ToRecord(const RecordView& r) {
    return {std::string(r.section), std::string(r.key), std::string(r.value)};
}
