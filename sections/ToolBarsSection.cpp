#include "sections/ToolBarsSection.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"
#include "store/RegistryPaths.h"

namespace {
const char* const kSection = "ToolBars";
const char* const kPagePrefix = "Page ";
const char* const kHiveSuffix = " - ToolBars";

// Back, Forward, Up, Rename, New, Cut, Copy, Paste, Delete, Undo, Print, Refresh, Icon, View,
// Help, Side.
const int kRegistryOrder[16] = {0, 1, 14, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15};
// Alphabetical: Back, Copy, Cut, Delete, Forward, Help, Icon, New, Paste, Print, Refresh, Rename,
// Side, Undo, Up, View.
const int kHiveOrder[16] = {0, 5, 4, 7, 1, 13, 11, 2, 6, 9, 10, 3, 15, 8, 14, 12};

std::string PagePath(const std::string& schemeName, int n) {
    return ItemPath(SectionPath(schemeName, kSection), kPagePrefix, n);
}

// "\ToolBars" holds no values: it comes into being with its pages, at root\toolBarsPath.
bool WritePages(const ToolBarPage (&pages)[3], HKEY root, const std::string& toolBarsPath) {
    bool ok = true;
    for (int n = 1; n <= 3; ++n) {
        RegKey key(true, ItemPath(toolBarsPath, kPagePrefix, n), root);
        ok = pages[n - 1].WriteTo(key) && ok;
    }
    return ok;
}

std::string HivePageSection(const std::string& schemeName, int n) {
    return schemeName + kHiveSuffix + " - " + kPagePrefix + std::to_string(n);
}
} // namespace

const SectionField<ToolBarPage> ToolBarPage::kFields[16] = {
    NumberField("Back", &ToolBarPage::back),       NumberField("Forward", &ToolBarPage::forward),
    NumberField("New", &ToolBarPage::newItem),     NumberField("Rename", &ToolBarPage::rename),
    NumberField("Cut", &ToolBarPage::cut),         NumberField("Copy", &ToolBarPage::copy),
    NumberField("Paste", &ToolBarPage::paste),     NumberField("Delete", &ToolBarPage::deleteItem),
    NumberField("Undo", &ToolBarPage::undo),       NumberField("Print", &ToolBarPage::print),
    NumberField("Refresh", &ToolBarPage::refresh), NumberField("Icon", &ToolBarPage::icon),
    NumberField("View", &ToolBarPage::view),       NumberField("Help", &ToolBarPage::help),
    NumberField("Up", &ToolBarPage::up),           NumberField("Side", &ToolBarPage::side),
};

bool ToolBarPage::ReadFromRegistry(const std::string& schemeName, int n) {
    return ReadItemKey(*this, PagePath(schemeName, n));
}

bool ToolBarPage::WriteToRegistry(const std::string& schemeName, int n) const {
    return WriteItemKey(*this, PagePath(schemeName, n));
}

bool ToolBarPage::ReadFrom(RegKey& key) { return ReadFields(key, *this, kFields, kRegistryOrder); }

bool ToolBarPage::WriteTo(RegKey& key) const {
    return WriteFields(key, *this, kFields, kRegistryOrder);
}

void ToolBarPage::ExportToHive(const std::string& section) const {
    ExportFields(section, *this, kFields, kHiveOrder, true);
}

void ToolBarPage::ImportFromHive(const std::string& section) {
    ImportFields(section, *this, kFields, kHiveOrder, true);
}

bool ToolBarsSection::ReadFromRegistry(const std::string& schemeName) {
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, SectionPath(schemeName, kSection))) return false;
    bool ok = true;
    for (int n = 1; n <= 3; ++n)
        ok = pages[n - 1].ReadFromRegistry(schemeName, n) && ok;
    return ok;
}

bool ToolBarsSection::WriteToRegistry(const std::string& schemeName) const {
    // The product key is tested once for the three pages.
    if (!RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey)) return false;
    return WritePages(pages, HKEY_LOCAL_MACHINE, SectionPath(schemeName, kSection));
}

bool ToolBarsSection::WriteBelow(RegKey& schemeKey) const {
    return WritePages(pages, schemeKey.Handle(), kSection);
}

bool ToolBarsSection::ExportToHive(const std::string& schemeName) const {
    for (int n = 1; n <= 3; ++n)
        pages[n - 1].ExportToHive(HivePageSection(schemeName, n));
    return true;
}

bool ToolBarsSection::ImportFromHive(const std::string& schemeName) {
    for (int n = 1; n <= 3; ++n)
        pages[n - 1].ImportFromHive(HivePageSection(schemeName, n));
    return true;
}
