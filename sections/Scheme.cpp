#include "sections/Scheme.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

bool Scheme::ReadFromRegistry(const std::string& schemeName) {
    name = schemeName;
    return true;
}

bool Scheme::WriteToRegistry(const std::string& schemeName) {
    RegKey key(true, SchemeKeyPath(schemeName));
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey)) return false;
    return key.WriteString("Scheme Name", name);
}

bool Scheme::ExportToHive(const std::string&) { return true; }

bool Scheme::ImportFromHive(const std::string&) { return true; }
