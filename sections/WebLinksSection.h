#pragma once
// The web links the shell offers: "\WebLinks" with one "WebLink <n>" key per link.
#include <string>
#include <vector>
#include "sections/SectionFields.h"

class RegKey;

struct WebLink {
    std::string displayName;
    std::string url;
    std::string iconFile;
    std::string longToolTip;
    std::string shortToolTip;
    std::string wavFile;

    // In the order of the registry and the scheme file alike.
    static const SectionField<WebLink> kFields[6];

    // Item n (from 1). False when its key is missing (fields unchanged) or a value is missing.
    bool ReadFromRegistry(const std::string& schemeName, int n);
    // False without writing when the product key is missing.
    bool WriteToRegistry(const std::string& schemeName, int n) const;
    // The six values of an open item key; registry and hive share their order.
    bool ReadFrom(RegKey& key);
    bool WriteTo(RegKey& key) const;
    void ExportToHive(const std::string& section) const;
    void ImportFromHive(const std::string& section);
};

class WebLinksSection {
public:
    int count = 0;
    std::vector<WebLink> links;

    // Replaces the links with items 1..count of the registry; false when the key or an item is
    // missing or damaged. A missing "\WebLinks" leaves both fields as they were.
    bool ReadFromRegistry(const std::string& schemeName);
    // Writes the count and every link; item keys numbered above it stay untouched.
    bool WriteToRegistry(const std::string& schemeName) const;
    // The same below the scheme's open key, for a writer of the whole scheme that has found the
    // product key present.
    bool WriteBelow(RegKey& schemeKey) const;
    bool ExportToHive(const std::string& schemeName) const;
    bool ImportFromHive(const std::string& schemeName);
};
