#include "store/SchemeStore.h"
#include <atomic>
#include <cstdlib>
#include <unordered_map>
#include "framework/Notices.h"
#include "framework/Platform.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SpreadWork.h"

void ReportSettingsProblem(const std::string& path) {
    ShowMessage(nullptr, "Caution: There has been a problem setting " + path, "Settings Problem", MB_OK);
}

std::string SchemeNameKey(std::string name) {
    if (!name.empty()) CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
    return name;
}

bool SameSchemeName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && SchemeNameKey(a) == SchemeNameKey(b);
}

namespace {
// A scheme's key is a direct child of the Schemes key. The unnamed value would name the Schemes
// key itself and a name with a backslash a part of another scheme: neither may be read, written
// or deleted as a scheme.
bool IsSchemeKeyName(const std::string& name) { return !name.empty() && name.find('\\') == std::string::npos; }

// One pass over the Schemes key: the values whose subkey exists, and the names of those whose
// subkey is missing. Values are read whole: a long name or description must not hide the schemes
// after it. False when the key cannot be read.
bool ReadListing(std::vector<SchemeEntry>& listed, std::vector<std::string>& orphans) {
    RegKey key(false, kSchemesKey);
    if (!key.Open(KEY_READ)) return false;
    const std::vector<RegValue> values = key.Values();
    // One key test per value, a few in flight at once.
    const HKEY schemes = key.Handle();
    std::vector<char> present(values.size(), 0);
    SpreadWork(values.size(), [&](size_t i) {
        present[i] = IsSchemeKeyName(values[i].name) && RegKey::Exists(schemes, values[i].name);
    });
    for (size_t i = 0; i < values.size(); ++i) {
        if (present[i]) listed.push_back({values[i].name, values[i].Text()});
        else orphans.push_back(values[i].name);
    }
    return true;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (size_t i = 0; i < names.size(); ++i) joined += (i ? ", " : "") + names[i];
    return joined;
}
} // namespace

void SchemeStore::RefreshEntries() {
    std::vector<SchemeEntry> listed;
    std::vector<std::string> orphans;
    if (ReadListing(listed, orphans)) entries = std::move(listed);
}

bool SchemeStore::LoadEntries(bool reportUnreadable) {
    std::vector<SchemeEntry> listed;
    std::vector<std::string> orphans;
    // The key opens for reading exactly when it exists, so one pass serves both.
    if (!ReadListing(listed, orphans)) {
        Warn(nullptr,
             "There has been a problem reading Vexar Lumens Settings.\nThis is due to Vexar Lumen not being "
             "installed or the settings have become damaged.\nIt is recommended that Vexar Lumen is "
             "reinstalled.\n\nVexar Lumen Scheme Manager can not run so will now exit",
             "Serious Problem");
        ExitProgram(0);
        return false;
    }
    entries = std::move(listed);
    // A user without write access to the machine's registry loads no scheme, and is told nothing.
    if (!RegKey(false, kSchemesKey).Open(KEY_ALL_ACCESS)) return false;
    if (reportUnreadable && !orphans.empty()) {
        Warn(nullptr,
             "The following scheme/s could not be read:\n" + JoinNames(orphans) +
                 ".\n\nIt's recommended that they are reloaded from a valid\nVexar Lumen Scheme Manager "
                 "configuration file.",
             "Schemes Problem");
    }
    return true;
}

void SchemeStore::Load(bool reportUnreadable) {
    if (!LoadEntries(reportUnreadable)) return;
    ReadSchemes();
}

bool SchemeStore::ReadAll() {
    std::vector<SchemeEntry> listed;
    std::vector<std::string> orphans;
    if (!ReadListing(listed, orphans)) return false;
    entries = std::move(listed);
    ReadSchemes();
    return true;
}

void SchemeStore::ReadSchemes() {
    schemes.assign(entries.size(), Scheme());
    SpreadWork(entries.size(), [&](size_t i) {
        schemes[i].name = entries[i].name;
        schemes[i].ReadFromRegistry(entries[i].name);
    });
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
    // Tested once for every scheme: nothing a save writes can create or remove the product key.
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey)) return false;
    // A file may name one key more than once (in two spellings, or one twice): its copies go to
    // one thread in their order, so that the last copy is what the key holds, whole, every time.
    std::vector<std::vector<size_t>> byKey;
    std::unordered_map<std::string, size_t> group;
    for (size_t i = 0; i < schemes.size(); ++i) {
        const auto at = group.emplace(SchemeNameKey(schemes[i].name), byKey.size());
        if (at.second) byKey.emplace_back();
        byKey[at.first->second].push_back(i);
    }
    std::atomic<bool> allWritten{true};
    SpreadWork(byKey.size(), [&](size_t g) {
        RegKey own(false, kSchemesKey); // a RegKey is not shared between threads
        if (!own.Open(KEY_ALL_ACCESS)) allWritten = false;
        for (size_t i = 0; own.IsOpen() && i < byKey[g].size(); ++i) {
            const Scheme& scheme = schemes[byKey[g][i]];
            HaltPointForTests();
            if (!IsSchemeKeyName(scheme.name) || !scheme.WriteBelow(own, scheme.name))
                allWritten = false;
        }
    });
    return allWritten && ok;
}

bool SchemeStore::SaveScheme(const SchemeEntry& entry, const Scheme& scheme) {
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kSchemesKey)) {
        ReportSettingsProblem(kSchemesKey);
        return false;
    }
    RegKey schemesKey(true, kSchemesKey);
    bool ok = schemesKey.WriteString(entry.name, entry.description);
    if (!schemesKey.Open(KEY_ALL_ACCESS)) return false;
    return IsSchemeKeyName(scheme.name) && RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey) &&
           scheme.WriteBelow(schemesKey, scheme.name, true) && ok;
}

bool SchemeStore::Delete(const std::string& name) {
    if (!IsSchemeKeyName(name)) return false;
    RegKey key(false, kSchemesKey);
    return key.DeleteTree(name);
}

bool SchemeStore::MoveSchemeKey(const std::string& oldName, const std::string& newName) {
    if (!IsSchemeKeyName(oldName) || !IsSchemeKeyName(newName)) return false;
    RegKey key(false, kSchemesKey);
    if (!SameSchemeName(oldName, newName))
        return key.CopyTree(oldName, newName) && key.DeleteTree(oldName);
    // Copying a key onto itself, or deleting it after that "copy", would lose the scheme.
    std::string spare;
    for (int n = 1; spare.empty() || key.HasSubKey(spare); ++n)
        spare = "~rename " + std::to_string(n);
    if (!key.CopyTree(oldName, spare)) return false;
    if (!key.DeleteTree(oldName)) {
        // Whatever went of the old tree comes back from the spare copy.
        if (key.CopyTree(spare, oldName)) key.DeleteTree(spare);
        return false;
    }
    return key.CopyTree(spare, newName) && key.DeleteTree(spare);
}

std::vector<std::string> SchemeStore::ReadProtectedNames() {
    std::vector<std::string> names;
    RegKey key(false, kProtectedSchemesKey);
    if (!key.Open(KEY_READ)) return names;
    for (const RegValue& value : key.Values()) names.push_back(value.name);
    return names;
}

void RemoveAllocations(const std::string& name) {
    for (const char* path : {kClassSchemesKey, kUserSchemesKey}) {
        RegKey key(false, path);
        if (!key.Open(KEY_ALL_ACCESS)) continue;
        std::vector<std::string> noted;
        for (const RegValue& value : key.Values()) {
            if (SameSchemeName(value.Text(), name)) noted.push_back(value.name);
        }
        for (const std::string& valueName : noted)
            key.DeleteValue(valueName);
    }
}

bool RetireScheme(const std::string& name) {
    RemoveAllocations(name);
    RegKey schemes(false, kSchemesKey);
    const bool valueGone = schemes.Open(KEY_ALL_ACCESS) && schemes.DeleteValue(name);
    schemes.Close();
    return SchemeStore().Delete(name) && valueGone;
}

void HaltPointForTests() {
    static const long limit = [] {
        char text[32] = "";
        return GetEnvironmentVariableA("VLSM_TEST_HALT_AFTER", text, sizeof text)
                   ? std::strtol(text, nullptr, 10)
                   : -1L;
    }();
    static std::atomic<long> passed{0};
    if (limit < 0 || passed++ < limit) return;
    char signal[MAX_PATH] = "";
    if (GetEnvironmentVariableA("VLSM_TEST_HALT_FILE", signal, sizeof signal)) {
        HANDLE file = CreateFileA(signal, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    for (;;)
        Sleep(INFINITE);
}
