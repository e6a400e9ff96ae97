#include "allocation/Allocations.h"
#include <windows.h>
#include <shlwapi.h>
#include <cstdio>
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

namespace {
std::string AllocationKey(const std::string& type) {
    char path[MAX_PATH * 2];
    std::snprintf(path, sizeof path, "%s\\%s", kProductKey, type.c_str());
    return path;
}
} // namespace

bool ReadAllocation(const std::string& name, const std::string& type, std::string& scheme) {
    scheme.clear();
    char buffer[261] = ""; // one byte more than is offered, so the text always ends
    DWORD size = 260;
    DWORD valueType = REG_NONE;
    char fallback = '\0';
    LONG error = SHRegGetUSValueA(AllocationKey(type).c_str(), name.c_str(), &valueType, buffer,
                                  &size, TRUE /* machine only */, &fallback, sizeof fallback);
    if (error != ERROR_SUCCESS || (valueType != REG_SZ && valueType != REG_EXPAND_SZ)) return false;
    scheme = buffer;
    return true;
}

// The shell's user-or-machine writer forced to the machine does exactly this; its A form cannot
// be trusted to create the key or store the text intact everywhere, so the key is written directly.
void WriteAllocation(const std::string& name, const std::string& type, const std::string& scheme) {
    RegKey key(true, AllocationKey(type), HKEY_LOCAL_MACHINE);
    key.WriteString(name, scheme);
}

std::string ReadConfigToUse() {
    RegKey key(false, kProductKey, HKEY_CURRENT_USER);
    std::string scheme;
    key.ReadString(kConfigToUse, scheme);
    return scheme;
}

void WriteConfigToUse(const std::string& scheme) {
    RegKey key(true, kProductKey, HKEY_CURRENT_USER);
    key.WriteString(kConfigToUse, scheme);
}
