#pragma once
// The folders the shell shows as roots: "\FolderDisplay" with one "Root <n>" key per root.
#include <string>
#include <vector>
#include "sections/SectionFields.h"

class RegKey;

struct FolderRoot {
    std::string displayName;
    std::string path;
    int folderLevels = 0;
    std::string collapsedIconFile;
    std::string expandedIconFile;
    std::string longToolTip;
    std::string shortToolTip;
    std::string wavFile;
    int denyModify = 0;

    // In registry order; the scheme file has its own.
    static const SectionField<FolderRoot> kFields[9];

    // Item n (from 1). False when its key is missing (fields unchanged) or a value is missing.
    bool ReadFromRegistry(const std::string& schemeName, int n);
    // False without writing when the product key is missing.
    bool WriteToRegistry(const std::string& schemeName, int n) const;
    // The nine values in an open item key, in registry order.
    bool ReadFrom(RegKey& key);
    bool WriteTo(RegKey& key) const;
    // The nine records under the item's hive section, in hive order.
    void ExportToHive(const std::string& section) const;
    void ImportFromHive(const std::string& section);
};

class FolderRootsSection {
public:
    int count = 0;
    std::vector<FolderRoot> roots;

    // Replaces the roots with items 1..count of the registry; false when the key or an item is
    // missing or damaged. A missing "\FolderDisplay" leaves both fields as they were.
    bool ReadFromRegistry(const std::string& schemeName);
    // Writes the count and every root; item keys numbered above it stay untouched.
    bool WriteToRegistry(const std::string& schemeName) const;
    // The same below the scheme's open key, for a writer of the whole scheme that has found the
    // product key present.
    bool WriteBelow(RegKey& schemeKey) const;
    bool ExportToHive(const std::string& schemeName) const;
    bool ImportFromHive(const std::string& schemeName);
};
