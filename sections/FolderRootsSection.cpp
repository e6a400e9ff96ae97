#include "sections/FolderRootsSection.h"
#include "hive/ImportOrder.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"

namespace {
// The hive spells the count differently from the registry.
constexpr ItemListNames kNames = {
    "FolderDisplay",    // registry key
    "RootFolderCount",  // registry count
    "Root ",            // item prefix
    kRootCountSuffix,   // hive section of the count
    kRootCountKey,      // hive count
    " - FolderDisplay", // hive section of the items
    kRecordsPerRoot,    // records per root
};
} // namespace

bool FolderRoot::ReadFromRegistry(const std::string& schemeName, int n) {
    return ReadItemKey(*this, ItemKeyPath(schemeName, kNames, n));
}

bool FolderRoot::WriteToRegistry(const std::string& schemeName, int n) const {
    return WriteItemKey(*this, ItemKeyPath(schemeName, kNames, n));
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
    return ReadItemList(schemeName, kNames, roots, count);
}

bool FolderRootsSection::WriteToRegistry(const std::string& schemeName) const {
    return WriteItemList(schemeName, kNames, roots);
}

bool FolderRootsSection::WriteBelow(RegKey& schemeKey) const {
    return WriteItemListBelow(schemeKey, kNames, roots);
}

bool FolderRootsSection::ExportToHive(const std::string& schemeName) const {
    ExportItemList(schemeName, kNames, roots);
    return true;
}

bool FolderRootsSection::ImportFromHive(const std::string& schemeName) {
    ImportItemList(schemeName, kNames, roots, count);
    return true;
}
