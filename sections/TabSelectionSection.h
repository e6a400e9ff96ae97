#pragma once
// Which of the shell's three tabs are shown: "\TabSelection", 1 for shown, else 0.
#include <string>
#include "sections/SectionFields.h"

class RegKey;

class TabSelectionSection {
public:
    int page1 = 0; // Programs
    int page2 = 0; // My Files
    int page3 = 0; // Links

    static const SectionField<TabSelectionSection> kFields[3];

    // A page missing from the registry keeps its field (no number slot here); false then.
    bool ReadFromRegistry(const std::string& schemeName);
    bool WriteToRegistry(const std::string& schemeName) const;
    // The same below the scheme's open key, for a writer of the whole scheme that has found the
    // product key present.
    bool WriteBelow(RegKey& schemeKey) const;
    bool ExportToHive(const std::string& schemeName) const;
    bool ImportFromHive(const std::string& schemeName);
};
