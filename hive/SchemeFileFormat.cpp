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

ParseStatus ParseSchemeFile(std::string_view plain, ParsedRecords& out) {
    out.clear();
    if (plain.size() < kSchemeFileHeader.size() ||
        plain.compare(0, kSchemeFileHeader.size(), kSchemeFileHeader) != 0)
        return ParseStatus::BadHeader;
    // The offsets are 32-bit; no scheme file comes near that.
    if (static_cast<uint64_t>(plain.size()) > UINT32_MAX) return ParseStatus::TooLarge;

    const char* const begin = plain.data();
    const char* const end = begin + plain.size();
    const char* p = begin + kSchemeFileHeader.size();
    // Room for a field every 16 bytes, about what the program's own files hold, spares most
    // regrowth of the list; pages never written are never touched.
    out.ends_.reserve(plain.size() / 16);
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
        out.ends_.push_back(static_cast<uint32_t>(t1 - begin));
        out.ends_.push_back(static_cast<uint32_t>(t2 - begin));
        out.ends_.push_back(static_cast<uint32_t>(t3 - begin));
        p = t3 + 1;
    }
    out.plain_ = plain;
    return ParseStatus::Ok;
}
