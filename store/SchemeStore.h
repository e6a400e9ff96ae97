#pragma once
// The registry side of all schemes: the list of names with descriptions, the loaded schemes, and
// the records that carry them to and from a scheme file.
#include <string>
#include <vector>
#include "hive/HiveRecord.h"
#include "sections/Scheme.h"

struct SchemeEntry {
    std::string name;
    std::string description;
};

class SchemeStore {
public:
    SchemeStore() = default;

    std::vector<HiveRecord> records;
    std::string hiveName = "Lumen Hive";
    std::string currentSection; // working strings of export and import
    std::string currentKey;
    std::vector<SchemeEntry> entries;
    std::vector<Scheme> schemes;

    // Re-reads the entries: each value of the Schemes key whose subkey exists.
    void RefreshEntries();
    // Entries, then every listed scheme with all its sections. Ends the program when the
    // Schemes key is missing.
    void Load(bool reportUnreadable);
    // Every entry's description, then every loaded scheme. False when anything failed.
    bool SaveAll();
    // Removes the scheme's key tree; the caller removes its value and its list items.
    bool Delete(const std::string& name);
    static std::vector<std::string> ReadProtectedNames();

    // Through the working hive, with a progress dialog (hive/ExportImport.cpp). ExportAll leaves
    // the records of the entries and schemes in `records`; ImportAll rebuilds both from them,
    // moving the records into the working hive (so `records` is empty afterwards).
    void ExportAll();
    void ImportAll();
    // `records` becomes a copy of the working hive's records.
    void TakeWorkingHive();
};

// "Settings Problem": a key that could not be written.
void ReportSettingsProblem(const std::string& path);
