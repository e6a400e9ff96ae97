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
    // The entries only, with Load's messages: "Serious Problem" (and the end of the program) when
    // the Schemes key is missing, "Schemes Problem" for values without a key when asked. False,
    // and nothing reported, when the schemes could not be loaded for writing (no full access).
    // What the list, the pickers and start-up need; sections are read by the command that uses
    // them.
    bool LoadEntries(bool reportUnreadable);
    // Entries, then every listed scheme with all its sections. Ends the program when the
    // Schemes key is missing.
    void Load(bool reportUnreadable);
    // Entries and every listed scheme as Load reads them, with read access only: what a save to a
    // file needs. False when the Schemes key cannot be read; a RegistryReadWatch (store/RegKey.h)
    // tells whether anything else could not be.
    bool ReadAll();
    // Every entry's description, then every loaded scheme. False when anything failed.
    bool SaveAll();
    // One scheme as SaveAll writes each: its entry's description, then its key. No other scheme
    // is touched.
    bool SaveScheme(const SchemeEntry& entry, const Scheme& scheme);
    // Removes the scheme's key tree; the caller removes its value and its list items.
    bool Delete(const std::string& name);
    // Moves the scheme's whole key tree (the shell's own keys with it) to the new name; the old
    // tree goes only once the copy is complete. A change of letter case alone goes through a
    // spare name, since the registry takes both spellings for one key.
    bool MoveSchemeKey(const std::string& oldName, const std::string& newName);
    static std::vector<std::string> ReadProtectedNames();

    // Through the working hive, with a progress dialog (hive/ExportImport.cpp). ExportAll leaves
    // the records of the entries and schemes in `records`; ImportAll rebuilds both from them,
    // moving the records into the working hive (so `records` is empty afterwards).
    void ExportAll();
    void ImportAll();
    // `records` becomes a copy of the working hive's records.
    void TakeWorkingHive();

private:
    // Every entry's scheme, a few at once.
    void ReadSchemes();
};

// Scheme names as the registry and the allocations compare them: letter case ignored, as the
// code page has it (accented letters too).
bool SameSchemeName(const std::string& a, const std::string& b);
// The name as SameSchemeName compares it, for lookups by name.
std::string SchemeNameKey(std::string name);

// "Settings Problem": a key that could not be written.
void ReportSettingsProblem(const std::string& path);

// Removes the class and user allocations of the scheme, letter case ignored; allocations to user
// groups stay.
void RemoveAllocations(const std::string& name);
// What Delete does to a scheme: its class and user allocations, its description value and its
// key tree go. False when the value or the tree could not be removed.
bool RetireScheme(const std::string& name);

// For tests that stop a change at a known point: with VLSM_TEST_HALT_AFTER=N in the environment
// the process stops for good before writing its (N+1)th scheme of a change, after creating the
// file VLSM_TEST_HALT_FILE names, so that the test can kill it there.
void HaltPointForTests();
