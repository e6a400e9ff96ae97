#pragma once
// One scheme in memory: its name and its sections, loaded from and written to the scheme's
// registry key, and exported to and imported from the working hive.
#include <string>

class Scheme {
public:
    virtual ~Scheme() = default;

    std::string name;

    // True when every section was read; all sections are visited even when one fails.
    bool ReadFromRegistry(const std::string& schemeName);
    // True when "Scheme Name" and every section were written.
    bool WriteToRegistry(const std::string& schemeName);
    bool ExportToHive(const std::string& schemeName);
    bool ImportFromHive(const std::string& schemeName);
};
