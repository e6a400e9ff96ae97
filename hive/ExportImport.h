#pragma once
// Saving every scheme of the machine to a scheme file and loading one back into the registry.
// The SchemeStore members ExportAll, ImportAll and TakeWorkingHive live in ExportImport.cpp.
#include <string>
#include <vector>
#include "hive/HiveRecord.h"
#include "hive/SchemeFile.h"

class SchemeStore;
class Scheme;

// Writes every scheme with the descriptions to `path`, then their checksum beside it. On any
// failure ("Export Problem"), running out of memory included, an earlier file of that name stays
// as it was (when only the checksum failed, the new file stands without one); returns whether
// both were written. Throws nothing.
bool SaveSchemesToFile(const std::string& path);

// Writes the schemes and descriptions of the file at `path` into the registry; schemes not in
// the file stay, unless `exact` asks to remove them (never a built-in one). The file is never
// written. A file that is refused (its checksum included, as `checksum` asks), or that fails to
// load for any other reason (memory included), changes nothing: "File Load Problem". Before its
// first write the load keeps a backup of what it changes ("Backup Problem", and nothing written,
// when it cannot); a failed registry write puts the backup back at once and shows "Import
// Problem". Schemes and descriptions that are already as the file has them are not written
// again, and a load that would change nothing writes no backup. Returns whether everything was
// written; then `written`, when given, holds the entries and schemes of the file, so a caller can
// show them without reading them back. Throws nothing.
bool LoadSchemesFromFile(const std::string& path, SchemeStore* written = nullptr,
                         SchemeFile::Checksum checksum = SchemeFile::Checksum::IfPresent,
                         bool exact = false);

// Puts back the backup `id` as one more guarded change (so it can be undone in turn): the
// schemes it holds are written back whole, the schemes its load added are removed. With
// `dryRun` nothing is written. Reports like a load; false when the backup is missing or damaged
// ("Backup Problem") or a write failed. `summary`, when given, describes what was (or would be)
// put back.
bool RestoreBackup(const std::string& id, bool dryRun = false, std::string* summary = nullptr);

// Whether a name read from a file may name a registry key or value: not empty, at most 255
// characters, no backslash (it would reach into another key), no terminator, no zero byte.
bool IsSafeSchemeName(const std::string& name);

// The records a scheme's sections export under its name, fields without their terminators.
std::vector<HiveRecord> ExportedSchemeRecords(const Scheme& scheme);
