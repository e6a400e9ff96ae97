#pragma once
// The switches of the sixteen toolbar buttons on each of the shell's three toolbar pages:
// "\ToolBars\Page <n>".
#include <string>
#include "sections/SectionFields.h"

class RegKey;

struct ToolBarPage {
    int back = 0;
    int forward = 0;
    int newItem = 0;
    int rename = 0;
    int cut = 0;
    int copy = 0;
    int paste = 0;
    int deleteItem = 0;
    int undo = 0;
    int print = 0;
    int refresh = 0;
    int icon = 0;
    int view = 0;
    int help = 0;
    int up = 0;
    int side = 0;

    // In the order above; the registry and the scheme file have orders of their own.
    static const SectionField<ToolBarPage> kFields[16];

    // Page n (1 to 3). False when its key is missing (fields unchanged) or a value is missing;
    // a missing value repeats the one read before it.
    bool ReadFromRegistry(const std::string& schemeName, int n);
    // False without writing when the product key is missing. Values are written as they are.
    bool WriteToRegistry(const std::string& schemeName, int n) const;
    bool ReadFrom(RegKey& key);
    bool WriteTo(RegKey& key) const;
    // Sixteen records in alphabetical order, each reduced to 0 or 1 both ways.
    void ExportToHive(const std::string& section) const;
    void ImportFromHive(const std::string& section);
};

class ToolBarsSection {
public:
    ToolBarPage pages[3];

    bool ReadFromRegistry(const std::string& schemeName);
    // False without writing when the product key is missing.
    bool WriteToRegistry(const std::string& schemeName) const;
    // The same below the scheme's open key, for a writer of the whole scheme that has found the
    // product key present.
    bool WriteBelow(RegKey& schemeKey) const;
    bool ExportToHive(const std::string& schemeName) const;
    bool ImportFromHive(const std::string& schemeName);
};
