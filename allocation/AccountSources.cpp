#include "allocation/AccountSources.h"
#include <windows.h>
#include "allocation/AllocationRules.h"
#include "framework/FileSystem.h"
#include "store/RegKey.h"

namespace {
const char* const kSection = "Pallendra";
const char* const kDefaultClass = "Default Class";
const char* const kAvailableClasses = "Available Classes";

unsigned long ReadClassValue(const std::string& file, const char* key, std::string& text) {
    return ReadIniString(file, kSection, key, kNoStringRead, text);
}

void ReadAvailableClasses(const std::string& file, std::vector<std::string>& classes) {
    std::string text;
    unsigned long copied = ReadClassValue(file, kAvailableClasses, text);
    if (IsIniValue(copied, text)) SplitList(text, ",", classes);
}

void ReadClassFile(const std::string& file, std::vector<std::string>& classes) {
    std::string text;
    unsigned long copied = ReadClassValue(file, kDefaultClass, text);
    if (IsIniValue(copied, text)) classes.push_back(text);
    ReadAvailableClasses(file, classes);
}
} // namespace

bool IsNtPlatform() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool ReadUsersNt(std::vector<std::string>& users) {
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kAccountsKey)) return false;
    // Listing needs read access only; asking for more would fail for an administrator whose
    // token is filtered and silently hide every user.
    RegKey accounts(false, kAccountsKey);
    if (!accounts.Open(KEY_READ)) return false;
    for (const std::string& name : accounts.SubKeyNames())
        users.push_back(name);
    return true;
}

bool ReadUsers9x(std::vector<std::string>& users) {
    users.clear();
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kPasswordsKey)) return false;
    RegKey passwords(false, kPasswordsKey);
    if (!passwords.Open(KEY_READ)) return false;
    for (const std::string& name : passwords.ValueNames())
        users.push_back(name);
    return true;
}

bool ReadClassesNt(std::vector<std::string>& classes, const std::string& configFolder) {
    const std::string local = configFolder + "\\LocalPallendra.ini";
    const std::string shared = configFolder + "\\Pallendra.ini";
    if (!PathExists(local)) return false;
    ReadClassFile(local, classes);
    if (PathExists(shared)) ReadClassFile(shared, classes);
    return true;
}

bool ReadClasses9x(std::vector<std::string>& classes, const std::string& file) {
    if (!PathExists(file)) return false;
    std::string text;
    unsigned long copied = ReadClassValue(file, kDefaultClass, text);
    if (copied == 0) return false;
    if (IsIniValue(copied, text)) classes.push_back(text);
    ReadAvailableClasses(file, classes);
    return true;
}
