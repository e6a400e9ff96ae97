#include "store/SchemeStore.h"
#include "framework/Notices.h"
#include "framework/Platform.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

void ReportSettingsProblem(const std::string& path) {
    ShowMessage(nullptr, "Caution: There has been a problem setting " + path, "Settings Problem", MB_OK);
}

void SchemeStore::RefreshEntries() {
    RegKey key(false, kSchemesKey);
    if (!key.Open(KEY_READ)) return;
    entries.clear();
    // Values are read whole: a long name or description must not hide the schemes after it.
    for (const RegValue& value : key.Values()) {
        if (key.HasSubKey(value.name)) entries.push_back({value.name, value.Text()});
    }
}

void SchemeStore::Load(bool reportUnreadable) {
    RefreshEntries();
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kSchemesKey)) {
        Warn(nullptr,
             "There has been a problem reading Vexar Lumens Settings.\nThis is due to Vexar Lumen not being "
             "installed or the settings have become damaged.\nIt is recommended that Vexar Lumen is "
             "reinstalled.\n\nVexar Lumen Scheme Manager can not run so will now exit",
             "Serious Problem");
        ExitProgram(0);
        return;
    }
    std::string unreadable;
    RegKey key(false, kSchemesKey);
    if (key.Open(KEY_ALL_ACCESS)) {
        schemes.clear();
        for (const RegValue& value : key.Values()) {
            if (key.HasSubKey(value.name)) {
                Scheme scheme;
                scheme.name = value.name;
                scheme.ReadFromRegistry(value.name);
                schemes.push_back(scheme);
            } else {
                if (!unreadable.empty()) unreadable += ", ";
                unreadable += value.name;
            }
        }
    }
    if (reportUnreadable && !unreadable.empty()) {
        Warn(nullptr,
             "The following scheme/s could not be read:\n" + unreadable +
                 ".\n\nIt's recommended that they are reloaded from a valid\nVexar Lumen Scheme Manager "
                 "configuration file.",
             "Schemes Problem");
    }
}

bool SchemeStore::SaveAll() {
    bool ok = true;
    RegKey entryKey(true, kSchemesKey);
    if (RegKey::Exists(HKEY_LOCAL_MACHINE, kSchemesKey)) {
        for (const SchemeEntry& entry : entries) ok = entryKey.WriteString(entry.name, entry.description) && ok;
    } else {
        ReportSettingsProblem(kSchemesKey);
        ok = false;
    }
    RegKey schemesKey(false, kSchemesKey);
    if (!schemesKey.Open(KEY_ALL_ACCESS)) return false;
    for (Scheme& scheme : schemes) ok = scheme.WriteToRegistry(scheme.name) && ok;
    return ok;
}

bool SchemeStore::Delete(const std::string& name) {
    RegKey key(false, kSchemesKey);
    return key.DeleteTree(name);
}

std::vector<std::string> SchemeStore::ReadProtectedNames() {
    std::vector<std::string> names;
    RegKey key(false, kProtectedSchemesKey);
    if (!key.Open(KEY_ALL_ACCESS)) return names;
    for (const RegValue& value : key.Values()) names.push_back(value.name);
    return names;
}
