#pragma once
// The shell's defaults: "\Defaults" with the default view, icon size, first tab and four switches.
#include <string>
#include "sections/SectionFields.h"

class RegKey;

class DefaultsSection {
public:
    std::string defaultView; // "tree1", "tree2", "icons" or "details"
    int defaultIconSize = 0;
    int defaultFirstTab = 0; // 1 Programs, 2 My Files, 3 Links
    int shortToolTips = 0;
    int silent = 0;
    int contextMenu = 0;
    int optionsMenu = 0;

    // In registry read order, which is the scheme file's order too.
    static const SectionField<DefaultsSection> kFields[7];

    // A missing "\Defaults" leaves every field as it was; a missing number repeats the one read
    // before it. False when anything was missing.
    bool ReadFromRegistry(const std::string& schemeName);
    bool WriteToRegistry(const std::string& schemeName) const;
    // The same below the scheme's open key, for a writer of the whole scheme that has found the
    // product key present.
    bool WriteBelow(RegKey& schemeKey) const;
    // Numbers travel as they are, not reduced to switches.
    bool ExportToHive(const std::string& schemeName) const;
    bool ImportFromHive(const std::string& schemeName);
};
