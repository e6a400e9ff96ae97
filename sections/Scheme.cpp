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
    RegKey key(true, SchemeKeyPath(schemeName));
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey)) return false;
    if (!key.WriteString("Scheme Name", name)) return false;
    key.Close(); // the sections open their own keys
    bool ok = roots.WriteToRegistry(schemeName);
    ok = webLinks.WriteToRegistry(schemeName) && ok;
    ok = tabs.WriteToRegistry(schemeName) && ok;
    ok = toolBars.WriteToRegistry(schemeName) && ok;
    ok = defaults.WriteToRegistry(schemeName) && ok;
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
