#pragma once
// The reads an import makes of a scheme file's records, in their order. The import walks this
// one sequence over the working hive, the whole-file check over the parsed records and the fuzz
// target over a hive of its own, so the check judges exactly the values the import will take.
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr const char* kEntrySection = "Config Hive";
inline constexpr const char* kCountSection = "Scheme Count";
inline constexpr const char* kCountKey = "The number of schemes";
inline constexpr const char* kSchemeNameKey = "Name of scheme";

// Entry k (from 1) is named by the record "Config Hive" / "Config" + k; scheme i (from 0) by
// "Scheme" + i / "Name of scheme".
inline std::string EntryKey(uint64_t k) { return "Config" + std::to_string(k); }
inline std::string SchemeSection(uint64_t i) { return "Scheme" + std::to_string(i); }

// One scheme's own records after its name record, as its sections export and import them: the
// defaults, the folder roots' count and items, the tabs, the three toolbar pages, the web links'
// count and items. The folder roots and web links sections take their hive names from here.
inline constexpr uint64_t kDefaultsRecords = 7;
inline constexpr const char* kRootCountSuffix = " - FolderDisplay";
inline constexpr const char* kRootCountKey = "RootFoldersCount";
inline constexpr int kRecordsPerRoot = 9;
inline constexpr uint64_t kTabRecords = 3;
inline constexpr uint64_t kToolBarRecords = 3 * 16;
inline constexpr const char* kLinkCountSuffix = " - Folder Display";
inline constexpr const char* kLinkCountKey = "WeblinksCount";
inline constexpr int kRecordsPerLink = 6;
// Every record of a scheme but its items', its name record included.
inline constexpr uint64_t kRecordsPerScheme =
    1 + kDefaultsRecords + 1 + kTabRecords + kToolBarRecords + 1;

// Walks the reads of a whole import. The Reader gives:
//   Value Read(const std::string& section, const std::string& key)  one lookup; the cursor moves on
//   static std::string_view Text(const Value&)
//   void Reset()                                          the cursor back to the first record
//   bool SchemeCount(const Value&, uint64_t& schemes)     how many entries and schemes are read
//   bool EntryName(const Value&)                          before its description is looked up
//   void Entry(Value name, Value description)
//   bool EntriesRead()
//   bool Scheme(uint64_t i, Value name)                   reads the scheme's own records
// Any false ends the walk with false.
template <class Reader> bool WalkImport(Reader& reader) {
    reader.Reset();
    uint64_t schemes = 0;
    if (!reader.SchemeCount(reader.Read(kCountSection, kCountKey), schemes)) return false;

    // Entry k's two records stand at 2k - 2 and 2k - 1 in every file the program writes. Read
    // with the cursor there, they are taken from their places, so a scheme named "Config" and a
    // number can never be mistaken for an entry's name record; a file laid out otherwise falls
    // back on the last match. Reading the count once more then steps the cursor over its record
    // onto the first scheme's, where every scheme read below expects it.
    reader.Reset();
    for (uint64_t k = 1; k <= schemes; ++k) {
        auto name = reader.Read(kEntrySection, EntryKey(k));
        if (!reader.EntryName(name)) return false;
        auto description = reader.Read(kEntrySection, std::string(Reader::Text(name)));
        reader.Entry(std::move(name), std::move(description));
    }
    reader.Read(kCountSection, kCountKey);
    if (!reader.EntriesRead()) return false;

    for (uint64_t i = 0; i < schemes; ++i)
        if (!reader.Scheme(i, reader.Read(SchemeSection(i), kSchemeNameKey))) return false;
    return true;
}

// Walks one scheme's own records for a reader that needs only its two counts. Besides Read, the
// Reader gives:
//   void Skip(uint64_t reads)                             reads whose values do not matter
//   bool ItemCount(const Value&, const char* countKey, int recordsPerItem, uint64_t& items)
template <class Reader> bool WalkSchemeCounts(Reader& reader, std::string_view name) {
    reader.Skip(kDefaultsRecords);
    uint64_t roots = 0;
    if (!reader.ItemCount(reader.Read(std::string(name) + kRootCountSuffix, kRootCountKey),
                          kRootCountKey, kRecordsPerRoot, roots))
        return false;
    reader.Skip(roots * kRecordsPerRoot + kTabRecords + kToolBarRecords);
    uint64_t links = 0;
    if (!reader.ItemCount(reader.Read(std::string(name) + kLinkCountSuffix, kLinkCountKey),
                          kLinkCountKey, kRecordsPerLink, links))
        return false;
    reader.Skip(links * kRecordsPerLink);
    return true;
}
