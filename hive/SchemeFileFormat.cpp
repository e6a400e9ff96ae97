#include "hive/SchemeFileFormat.h"

#include <cstring>

std::string EncodeSchemeFile(const std::vector<HiveRecord>& exportRecords) {
    size_t total = kSchemeFileHeader.size();
    for (const HiveRecord& r : exportRecords)
        total += r.section.size() + r.key.size() + r.value.size();
    std::string out;
    out.reserve(total);
    out.append(kSchemeFileHeader);
    for (const HiveRecord& r : exportRecords) {
        out += r.section;
        out += r.key;
        out += r.value;
    }
    return out;
}

void ScrambleBytes(std::string& bytes) {
    for (char& c : bytes)
        c ^= kScrambleKey;
}

ParseStatus ParseSchemeFile(std::string_view plain, std::vector<HiveRecord>& out) {
    out.clear();
    if (plain.size() < kSchemeFileHeader.size() ||
        plain.compare(0, kSchemeFileHeader.size(), kSchemeFileHeader) != 0)
        return ParseStatus::BadHeader;

    const char* p = plain.data() + kSchemeFileHeader.size();
    const char* const end = plain.data() + plain.size();
    // Counting first costs a fast pass but spares the regrowth of the list, which on a large
    // file takes longer than the whole scan.
    size_t terminators = 0;
    for (const char* c = p; c != end; ++c)
        terminators += *c == kFieldTerminator;
    out.reserve(terminators / 3);
    auto nextTerminator = [end](const char* from) -> const char* {
        return static_cast<const char*>(std::memchr(from, kFieldTerminator, end - from));
    };
    while (p < end) {
        const char* t1 = nextTerminator(p);
        if (!t1) break;
        const char* t2 = nextTerminator(t1 + 1);
        if (!t2) break;
        const char* t3 = nextTerminator(t2 + 1);
        if (!t3) break;
        HiveRecord& r = out.emplace_back();
        r.section.assign(p, t1);
        r.key.assign(t1 + 1, t2);
        r.value.assign(t2 + 1, t3);
        p = t3 + 1;
    }
    return ParseStatus::Ok;
}
