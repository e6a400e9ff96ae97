#include "sections/Scheme.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

bool Scheme::ReadFromRegistry(const std::string& schemeName) {
    name = schemeName;
    bool ok = roots.ReadFromRegistry(schemeName);
    ok = webLinks.ReadFromRegistry(schemeName) && ok;
    ok = tabs.ReadFromRegistry(schemeName) && ok;
    ok = toolBars.ReadFromRegistry(schemeName) && ok;
    ok = defaults.ReadFromRegistry(schemeName) && ok;
    return ok;
}

bool Scheme::WriteToRegistry(const std::string& schemeName) const {
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey)) return false;
    RegKey key(true, SchemeKeyPath(schemeName));
    return WriteSections(key);
}

bool Scheme::WriteBelow(RegKey& schemesKey, const std::string& schemeName) const {
    RegKey key(true, schemeName, schemesKey.Handle());
    return WriteSections(key);
}

bool Scheme::WriteSections(RegKey& key) const {
    if (!key.WriteString("Scheme Name", name)) return false;
    bool ok = roots.WriteBelow(key);
    ok = webLinks.WriteBelow(key) && ok;
    ok = tabs.WriteBelow(key) && ok;
    ok = toolBars.WriteBelow(key) && ok;
    ok = defaults.WriteBelow(key) && ok;
    return ok;
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
