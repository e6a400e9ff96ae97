#pragma once
// Which of the shell's three tabs are shown: "\TabSelection", 1 for shown, else 0.
#include <string>

class TabSelectionSection {
public:
    int page1 = 0; // Programs
    int page2 = 0; // My Files
    int page3 = 0; // Links

    // A page missing from the registry keeps its field (no number slot here); false then.
    bool ReadFromRegistry(const std::string& schemeName);
    bool WriteToRegistry(const std::string& schemeName) const;
    bool ExportToHive(const std::string& schemeName) const;
    bool ImportFromHive(const std::string& schemeName);
};
