#include "hive/ImportCheck.h"

#include "hive/SchemeFileFormat.h"
#include "hive/SettingsHive.h"

#include <cstdint>
#include <cstring>
#include <optional>

namespace {

// What one import reads besides the per-item records: the scheme's name, 7 defaults, the roots
// count, 3 tabs, 48 toolbar switches and the web links count.
constexpr uint64_t kReadsPerScheme = 1 + 7 + 1 + 3 + 48 + 1;
constexpr uint64_t kReadsBeforeRoots = 7;
constexpr uint64_t kReadsBetweenRootsAndLinks = 3 + 48;
constexpr uint64_t kReadsPerRoot = 9;
constexpr uint64_t kReadsPerLink = 6;
constexpr size_t kMaxNameLength = 255;

// The import's reads replayed over a const record list: same cursor rule as SettingsHive.
// The index is built only once a read misses the cursor, which in a file the program wrote none
// does.
class ImportReader {
public:
    explicit ImportReader(const ParsedRecords& records) : records_(records) {}
    std::optional<std::string_view> Get(std::string_view section, std::string_view key) {
        const size_t at = cursor_++;
        if (at < records_.size()) {
            const RecordView r = records_[at];
            if (r.section == section && r.key == key) return r.value;
        }
        index_.Extend(records_);
        const auto last = index_.Find(section, key);
        if (!last) return std::nullopt;
        return records_[*last].value;
    }
    void Skip(uint64_t reads) { cursor_ += static_cast<size_t>(reads); }
    void Reset() { cursor_ = 0; }

private:
    const ParsedRecords& records_;
    LastMatchIndex index_;
    size_t cursor_ = 0;
};

bool Fail(std::string* why, std::string reason) {
    if (why) *why = std::move(reason);
    return false;
}

// A count as AddNumber writes a non-negative one: "0", or digits without a leading zero, within
// the 32-bit range.
bool ParseCount(const std::optional<std::string_view>& text, uint64_t& count) {
    if (!text || text->empty() || text->size() > 10 || ((*text)[0] == '0' && text->size() > 1))
        return false;
    count = 0;
    for (char c : *text) {
        if (c < '0' || c > '9') return false;
        count = count * 10 + static_cast<unsigned>(c - '0');
    }
    return count <= INT32_MAX;
}

// Scheme names become registry key names and entry names value names.
bool SafeName(const std::optional<std::string_view>& name) {
    return name && !name->empty() && name->size() <= kMaxNameLength &&
           name->find_first_of(std::string_view("\\\0", 2)) == std::string_view::npos &&
           !ContainsTerminator(*name);
}

std::string Quoted(std::string_view text) {
    constexpr size_t kShown = 40; // a damaged value may be megabytes long
    return "\"" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...\"" : "\"");
}

std::string BadCount(const std::string& what, const std::optional<std::string_view>& text) {
    return text ? what + " " + Quoted(*text) + " is not a non-negative number"
                : what + " is missing";
}

std::string BadName(const std::string& what, const std::optional<std::string_view>& name) {
    return name ? what + " " + Quoted(*name) + " cannot serve as a registry name"
                : what + " is missing";
}

} // namespace

bool ContainsTerminator(std::string_view field) {
    return std::memchr(field.data(), kFieldTerminator, field.size()) != nullptr;
}

bool CheckImportable(const ParsedRecords& parsed, std::string* why) {
    ImportReader reader(parsed);
    // Every read of the import consumes at most one record, apart from the scheme count, which
    // is read twice. A file holding fewer records than the reads its counts ask for was not
    // written by the program, and refusing it keeps the import's loops within the file's size.
    const uint64_t budget = parsed.size() + 1;

    const auto countText = reader.Get("Scheme Count", "The number of schemes");
    uint64_t schemes = 0;
    if (!ParseCount(countText, schemes)) return Fail(why, BadCount("scheme count", countText));
    uint64_t reads = 2 + schemes * (2 + kReadsPerScheme);
    if (reads > budget)
        return Fail(why, "scheme count " + std::string(*countText) + " is more than the file holds");
    reader.Reset();
    reader.Skip(1);

    for (uint64_t k = 1; k <= schemes; ++k) {
        const auto name = reader.Get("Config Hive", "Config" + std::to_string(k));
        if (!SafeName(name)) return Fail(why, BadName("name of entry " + std::to_string(k), name));
        reader.Get("Config Hive", *name);
    }

    for (uint64_t i = 0; i < schemes; ++i) {
        const std::string section = "Scheme" + std::to_string(i);
        const auto found = reader.Get(section, "Name of scheme");
        if (!SafeName(found))
            return Fail(why, BadName("name of scheme " + std::to_string(i), found));
        const std::string name(*found);
        reader.Skip(kReadsBeforeRoots);

        uint64_t roots = 0;
        const auto rootsText = reader.Get(name + " - FolderDisplay", "RootFoldersCount");
        if (!ParseCount(rootsText, roots))
            return Fail(why, BadCount("root count of scheme " + Quoted(name), rootsText));
        reads += roots * kReadsPerRoot;
        if (reads > budget)
            return Fail(why, "root count of scheme " + Quoted(name) + ", " + std::string(*rootsText) +
                                 ", is more than the file holds");
        reader.Skip(roots * kReadsPerRoot + kReadsBetweenRootsAndLinks);

        uint64_t links = 0;
        const auto linksText = reader.Get(name + " - Folder Display", "WeblinksCount");
        if (!ParseCount(linksText, links))
            return Fail(why, BadCount("web link count of scheme " + Quoted(name), linksText));
        reads += links * kReadsPerLink;
        if (reads > budget)
            return Fail(why, "web link count of scheme " + Quoted(name) + ", " + std::string(*linksText) +
                                 ", is more than the file holds");
        reader.Skip(links * kReadsPerLink);
    }
    return true;
}
