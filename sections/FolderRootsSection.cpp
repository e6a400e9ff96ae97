#include "sections/FolderRootsSection.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"
#include "store/RegistryPaths.h"

namespace {
const char* const kSection = "FolderDisplay";
const char* const kItemPrefix = "Root ";
const char* const kRegistryCount = "RootFolderCount";
// The hive spells the count and the section differently from the registry.
const char* const kHiveCount = "RootFoldersCount";
const char* const kHiveSuffix = " - FolderDisplay";
constexpr int kRecordsPerRoot = 9;

std::string HiveItemSection(const std::string& schemeName, int n) {
    return schemeName + kHiveSuffix + " - " + kItemPrefix + std::to_string(n);
}
} // namespace

bool FolderRoot::ReadFromRegistry(const std::string& schemeName, int n) {
    RegKey key(false, ItemPath(SectionPath(schemeName, kSection), kItemPrefix, n));
    return key.Open(KEY_READ) && ReadFrom(key);
}

bool FolderRoot::WriteToRegistry(const std::string& schemeName, int n) const {
    RegKey key(true, ItemPath(SectionPath(schemeName, kSection), kItemPrefix, n));
    return RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey) && WriteTo(key);
}

bool FolderRoot::ReadFrom(RegKey& key) {
    NumberSlot slot;
    bool ok = key.ReadString("RootDisplayName", displayName);
    ok = key.ReadString("RootPath", path) && ok;
    ok = slot.Read(key, "FolderLevels", folderLevels) && ok;
    ok = key.ReadString("CollapsedIconFile", collapsedIconFile) && ok;
    ok = key.ReadString("ExpandedIconFile", expandedIconFile) && ok;
    ok = key.ReadString("LongToolTip", longToolTip) && ok;
    ok = key.ReadString("ShortToolTip", shortToolTip) && ok;
    ok = key.ReadString("Wav File", wavFile) && ok;
    ok = slot.Read(key, "DenyModify", denyModify) && ok;
    return ok;
}

bool FolderRoot::WriteTo(RegKey& key) const {
    bool ok = key.WriteString("RootDisplayName", displayName);
    ok = key.WriteString("RootPath", path) && ok;
    ok = key.WriteDword("FolderLevels", static_cast<DWORD>(folderLevels)) && ok;
    ok = key.WriteString("CollapsedIconFile", collapsedIconFile) && ok;
    ok = key.WriteString("ExpandedIconFile", expandedIconFile) && ok;
    ok = key.WriteString("LongToolTip", longToolTip) && ok;
    ok = key.WriteString("ShortToolTip", shortToolTip) && ok;
    ok = key.WriteString("Wav File", wavFile) && ok;
    ok = key.WriteDword("DenyModify", static_cast<DWORD>(denyModify)) && ok;
    return ok;
}

void FolderRoot::ExportToHive(const std::string& section) const {
    AddString(section, "CollapsedIconFile", collapsedIconFile);
    AddString(section, "ExpandedIconFile", expandedIconFile);
    AddString(section, "RootDisplayName", displayName);
    AddString(section, "RootPath", path);
    AddNumber(section, "DenyModify", denyModify);
    AddNumber(section, "FolderLevels", folderLevels);
    AddString(section, "LongToolTip", longToolTip);
    AddString(section, "ShortToolTip", shortToolTip);
    AddString(section, "Wav File", wavFile);
}

void FolderRoot::ImportFromHive(const std::string& section) {
    collapsedIconFile = GetString(section, "CollapsedIconFile");
    expandedIconFile = GetString(section, "ExpandedIconFile");
    displayName = GetString(section, "RootDisplayName");
    path = GetString(section, "RootPath");
    denyModify = GetNumber(section, "DenyModify");
    folderLevels = GetNumber(section, "FolderLevels");
    longToolTip = GetString(section, "LongToolTip");
    shortToolTip = GetString(section, "ShortToolTip");
    wavFile = GetString(section, "Wav File");
}

bool FolderRootsSection::ReadFromRegistry(const std::string& schemeName) {
    RegKey section(false, SectionPath(schemeName, kSection));
    if (!section.Open(KEY_READ)) return false;
    int claimed = 0;
    section.ReadDword(kRegistryCount, claimed);
    const bool ok = ReadItems(section, kItemPrefix, claimed, roots);
    count = static_cast<int>(roots.size());
    return ok && count == claimed;
}

bool FolderRootsSection::WriteToRegistry(const std::string& schemeName) const {
    // The list, not the count, says how many roots there are: a count above it would name keys
    // that are never written.
    const int written = static_cast<int>(roots.size());
    RegKey section(true, SectionPath(schemeName, kSection));
    section.WriteDword(kRegistryCount, static_cast<DWORD>(written));
    // Tested once for all items: nothing below can create or remove the product key.
    const bool productKey = RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey);
    bool ok = true;
    for (int n = 1; n <= written; ++n) {
        RegKey key(true, ItemPath(section.Path(), kItemPrefix, n));
        ok = productKey && roots[n - 1].WriteTo(key) && ok;
    }
    return ok;
}

bool FolderRootsSection::ExportToHive(const std::string& schemeName) const {
    AddNumber(schemeName + kHiveSuffix, kHiveCount, static_cast<int>(roots.size()));
    for (size_t i = 0; i < roots.size(); ++i)
        roots[i].ExportToHive(HiveItemSection(schemeName, static_cast<int>(i) + 1));
    return true;
}

bool FolderRootsSection::ImportFromHive(const std::string& schemeName) {
    const int claimed = GetNumber(schemeName + kHiveSuffix, kHiveCount);
    const int items = HiveItemBound(claimed, kRecordsPerRoot);
    roots.clear();
    roots.reserve(static_cast<size_t>(items));
    for (int n = 1; n <= items; ++n) {
        roots.emplace_back();
        roots.back().ImportFromHive(HiveItemSection(schemeName, n));
    }
    count = items;
    return true;
}
