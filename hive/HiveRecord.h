#pragma once
// One record of the settings hive: three 8-bit strings. Records built for export carry the
// field terminator at the end of each string; records parsed from a file do not.
#include <string>

struct HiveRecord {
    std::string section, key, value;
};

inline bool operator==(const HiveRecord& a, const HiveRecord& b) {
    return a.section == b.section && a.key == b.key && a.value == b.value;
}
inline bool operator!=(const HiveRecord& a, const HiveRecord& b) { return !(a == b); }
