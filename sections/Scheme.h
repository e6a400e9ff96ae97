#pragma once
// One scheme in memory: its name and its five sections, loaded from and written to the scheme's
// registry key, and exported to and imported from the working hive.
#include <string>
#include <vector>
#include "hive/HiveRecord.h"
#include "sections/DefaultsSection.h"
#include "sections/FolderRootsSection.h"
#include "sections/TabSelectionSection.h"
#include "sections/ToolBarsSection.h"
#include "sections/WebLinksSection.h"

class RegKey;

class Scheme {
public:
    // The virtual destructor would otherwise leave Scheme without moves: every std::move and
    // every growth of the store's list would copy all its strings.
    Scheme() = default;
    Scheme(const Scheme&) = default;
    Scheme(Scheme&&) noexcept = default;
    Scheme& operator=(const Scheme&) = default;
    Scheme& operator=(Scheme&&) noexcept = default;
    virtual ~Scheme() = default;

    std::string name;
    FolderRootsSection roots;
    WebLinksSection webLinks;
    TabSelectionSection tabs;
    ToolBarsSection toolBars;
    DefaultsSection defaults;

    // Sets the name, then reads every section, even after one fails (a section whose key is
    // missing keeps its fields). True when every section was read.
    // `spread`: the sections are read a few at once from several threads, for the one scheme a
    // command waits for (a pass over many schemes spreads the schemes instead).
    bool ReadFromRegistry(const std::string& schemeName, bool spread = false);
    // Writes nothing when the product key is missing. True when "Scheme Name" and every section
    // were written; never deletes a value or key.
    bool WriteToRegistry(const std::string& schemeName) const;
    // The same below the open Schemes key, for a caller that has found the product key present
    // (a save of every scheme tests it once). Every key is made relative to its open parent.
    // `spread` as for ReadFromRegistry.
    bool WriteBelow(RegKey& schemesKey, const std::string& schemeName, bool spread = false) const;
    // Both in one order, so that every read of an import follows the hive's cursor. The import
    // leaves the name to the caller.
    bool ExportToHive(const std::string& schemeName) const;
    bool ImportFromHive(const std::string& schemeName);

    // The records ExportToHive makes under `schemeName`, in export form; the working hive is left
    // as it was.
    std::vector<HiveRecord> HiveRecords(const std::string& schemeName) const;
    // Whether the two hold the same settings, whatever their names: what a scheme file would
    // carry of them is the same.
    bool SameSettings(const Scheme& other) const;

private:
    bool WriteSections(RegKey& schemeKey, bool spread = false) const;
};
