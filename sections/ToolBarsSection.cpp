#include "sections/ToolBarsSection.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"
#include "store/RegistryPaths.h"

namespace {
const char* const kSection = "ToolBars";
const char* const kPagePrefix = "Page ";
const char* const kHiveSuffix = " - ToolBars";

struct Button {
    const char* name; // registry value name and hive key alike
    int ToolBarPage::*field;
};

constexpr Button kRegistryOrder[] = {
    {"Back", &ToolBarPage::back},
    {"Forward", &ToolBarPage::forward},
    {"Up", &ToolBarPage::up},
    {"Rename", &ToolBarPage::rename},
    {"New", &ToolBarPage::newItem},
    {"Cut", &ToolBarPage::cut},
    {"Copy", &ToolBarPage::copy},
    {"Paste", &ToolBarPage::paste},
    {"Delete", &ToolBarPage::deleteItem},
    {"Undo", &ToolBarPage::undo},
    {"Print", &ToolBarPage::print},
    {"Refresh", &ToolBarPage::refresh},
    {"Icon", &ToolBarPage::icon},
    {"View", &ToolBarPage::view},
    {"Help", &ToolBarPage::help},
    {"Side", &ToolBarPage::side},
};

constexpr Button kHiveOrder[] = {
    {"Back", &ToolBarPage::back},       {"Copy", &ToolBarPage::copy},
    {"Cut", &ToolBarPage::cut},         {"Delete", &ToolBarPage::deleteItem},
    {"Forward", &ToolBarPage::forward}, {"Help", &ToolBarPage::help},
    {"Icon", &ToolBarPage::icon},       {"New", &ToolBarPage::newItem},
    {"Paste", &ToolBarPage::paste},     {"Print", &ToolBarPage::print},
    {"Refresh", &ToolBarPage::refresh}, {"Rename", &ToolBarPage::rename},
    {"Side", &ToolBarPage::side},       {"Undo", &ToolBarPage::undo},
    {"Up", &ToolBarPage::up},           {"View", &ToolBarPage::view},
};

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

bool ToolBarPage::ReadFromRegistry(const std::string& schemeName, int n) {
    return ReadItemKey(*this, PagePath(schemeName, n));
}

bool ToolBarPage::WriteToRegistry(const std::string& schemeName, int n) const {
    return WriteItemKey(*this, PagePath(schemeName, n));
}

bool ToolBarPage::ReadFrom(RegKey& key) {
    NumberSlot slot;
    bool ok = true;
    for (const Button& button : kRegistryOrder)
        ok = slot.Read(key, button.name, this->*button.field) && ok;
    return ok;
}

bool ToolBarPage::WriteTo(RegKey& key) const {
    bool ok = true;
    for (const Button& button : kRegistryOrder)
        ok = key.WriteDword(button.name, static_cast<DWORD>(this->*button.field)) && ok;
    return ok;
}

void ToolBarPage::ExportToHive(const std::string& section) const {
    for (const Button& button : kHiveOrder)
        AddNumber(section, button.name, this->*button.field != 0 ? 1 : 0);
}

void ToolBarPage::ImportFromHive(const std::string& section) {
    for (const Button& button : kHiveOrder)
        this->*button.field = GetNumber(section, button.name) != 0 ? 1 : 0;
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
