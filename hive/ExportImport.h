#pragma once
// Saving every scheme of the machine to a scheme file and loading one back into the registry.
// The SchemeStore members ExportAll, ImportAll and TakeWorkingHive live in ExportImport.cpp.
#include <string>
#include "hive/SchemeFile.h"

class SchemeStore;

// Writes every scheme with the descriptions to `path`, then their checksum beside it. On any
// failure ("Export Problem"), running out of memory included, an earlier file of that name stays
// as it was (when only the checksum failed, the new file stands without one); returns whether
// both were written. Throws nothing.
bool SaveSchemesToFile(const std::string& path);

// Writes the schemes and descriptions of the file at `path` into the registry; schemes not in
// the file stay. The file is never written. A file that is refused (its checksum included, as
// `checksum` asks), or that fails to load for any other reason (memory included), changes
// nothing: "File Load Problem"; a failed registry write shows "Import Problem". Returns whether
// everything was written; then `written`, when given, holds the entries and schemes as they were
// written, so a caller can show them without reading them back. Throws nothing.
bool LoadSchemesFromFile(const std::string& path, SchemeStore* written = nullptr,
                         SchemeFile::Checksum checksum = SchemeFile::Checksum::IfPresent);

// Whether a name read from a file may name a registry key or value: not empty, at most 255
// characters, no backslash (it would reach into another key), no terminator, no zero byte.
bool IsSafeSchemeName(const std::string& name);
