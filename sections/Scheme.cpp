#include "sections/Scheme.h"
#include <utility>
#include "hive/SettingsHive.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SpreadWork.h"

bool Scheme::ReadFromRegistry(const std::string& schemeName, bool spread) {
    name = schemeName;
    // Each section has keys of its own; the two lists are the bulk, so they go first.
    bool read[5] = {};
    auto readSection = [&](size_t i) {
        switch (i) {
        case 0: read[i] = webLinks.ReadFromRegistry(schemeName); break;
        case 1: read[i] = roots.ReadFromRegistry(schemeName); break;
        case 2: read[i] = tabs.ReadFromRegistry(schemeName); break;
        case 3: read[i] = toolBars.ReadFromRegistry(schemeName); break;
        default: read[i] = defaults.ReadFromRegistry(schemeName); break;
        }
    };
    if (spread) {
        SpreadWork(5, readSection);
    } else {
        for (size_t i = 0; i < 5; ++i)
            readSection(i);
    }
    return read[0] && read[1] && read[2] && read[3] && read[4];
}

bool Scheme::WriteToRegistry(const std::string& schemeName) const {
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey)) return false;
    RegKey key(true, SchemeKeyPath(schemeName));
    return WriteSections(key);
}

bool Scheme::WriteBelow(RegKey& schemesKey, const std::string& schemeName, bool spread) const {
    RegKey key(true, schemeName, schemesKey.Handle());
    return WriteSections(key, spread);
}

bool Scheme::WriteSections(RegKey& key, bool spread) const {
    if (!key.WriteString("Scheme Name", name)) return false;
    bool written[5] = {};
    // Every section writes into keys of its own, so their order among each other is free.
    auto writeSection = [&](RegKey& schemeKey, size_t i) {
        switch (i) {
        case 0: written[i] = roots.WriteBelow(schemeKey); break;
        case 1: written[i] = webLinks.WriteBelow(schemeKey); break;
        case 2: written[i] = tabs.WriteBelow(schemeKey); break;
        case 3: written[i] = toolBars.WriteBelow(schemeKey); break;
        default: written[i] = defaults.WriteBelow(schemeKey); break;
        }
    };
    if (spread) {
        const HKEY schemeKey = key.Handle();
        SpreadWork(5, [&](size_t i) {
            RegKey own(false, std::string(), schemeKey); // a RegKey is not shared between threads
            written[i] = false;
            if (own.Open(KEY_ALL_ACCESS)) writeSection(own, i);
        });
    } else {
        for (size_t i = 0; i < 5; ++i)
            writeSection(key, i);
    }
    return written[0] && written[1] && written[2] && written[3] && written[4];
}

bool Scheme::ExportToHive(const std::string& schemeName) const {
    defaults.ExportToHive(schemeName);
    roots.ExportToHive(schemeName);
    tabs.ExportToHive(schemeName);
    toolBars.ExportToHive(schemeName);
    webLinks.ExportToHive(schemeName);
    return true;
}

bool Scheme::ImportFromHive(const std::string& schemeName) {
    defaults.ImportFromHive(schemeName);
    roots.ImportFromHive(schemeName);
    tabs.ImportFromHive(schemeName);
    toolBars.ImportFromHive(schemeName);
    webLinks.ImportFromHive(schemeName);
    return true;
}

std::vector<HiveRecord> Scheme::HiveRecords(const std::string& schemeName) const {
    // The working hive is lent for the export and handed back as it was, even after a failure.
    struct Lent {
        SettingsHive kept = std::move(WorkingHive());
        Lent() { WorkingHive() = SettingsHive(); }
        ~Lent() { WorkingHive() = std::move(kept); }
    } lent;
    ExportToHive(schemeName);
    return WorkingHive().Records();
}

bool Scheme::SameSettings(const Scheme& other) const {
    return HiveRecords(name) == other.HiveRecords(name);
}
