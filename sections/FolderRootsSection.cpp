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

// The scheme file's order of a root's fields: CollapsedIconFile, ExpandedIconFile,
// RootDisplayName, RootPath, DenyModify, FolderLevels, LongToolTip, ShortToolTip, Wav File.
const int kHiveOrder[9] = {3, 4, 0, 1, 8, 2, 5, 6, 7};
} // namespace

bool FolderRoot::ReadFromRegistry(const std::string& schemeName, int n) {
    return ReadItemKey(*this, ItemKeyPath(schemeName, kNames, n));
}

bool FolderRoot::WriteToRegistry(const std::string& schemeName, int n) const {
    return WriteItemKey(*this, ItemKeyPath(schemeName, kNames, n));
}

const SectionField<FolderRoot> FolderRoot::kFields[9] = {
    TextField("RootDisplayName", &FolderRoot::displayName),
    TextField("RootPath", &FolderRoot::path),
    NumberField("FolderLevels", &FolderRoot::folderLevels),
    TextField("CollapsedIconFile", &FolderRoot::collapsedIconFile),
    TextField("ExpandedIconFile", &FolderRoot::expandedIconFile),
    TextField("LongToolTip", &FolderRoot::longToolTip),
    TextField("ShortToolTip", &FolderRoot::shortToolTip),
    TextField("Wav File", &FolderRoot::wavFile),
    NumberField("DenyModify", &FolderRoot::denyModify),
};

bool FolderRoot::ReadFrom(RegKey& key) { return ReadFields(key, *this, kFields); }

bool FolderRoot::WriteTo(RegKey& key) const { return WriteFields(key, *this, kFields); }

void FolderRoot::ExportToHive(const std::string& section) const {
    ExportFields(section, *this, kFields, kHiveOrder);
}

void FolderRoot::ImportFromHive(const std::string& section) {
    ImportFields(section, *this, kFields, kHiveOrder);
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
