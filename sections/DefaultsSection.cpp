#include "sections/DefaultsSection.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"

namespace {
const char* const kSection = "Defaults";
const char* const kHiveSuffix = " - Defaults";

bool WriteValues(const DefaultsSection& d, RegKey& key) {
    // The values keep the order they have always been written in: "Context Menu" before
    // "Silent", the reverse of the read order.
    bool ok = key.WriteString("DefaultView", d.defaultView);
    ok = key.WriteDword("DefaultIconSize", static_cast<DWORD>(d.defaultIconSize)) && ok;
    ok = key.WriteDword("DefaultFirstTab", static_cast<DWORD>(d.defaultFirstTab)) && ok;
    ok = key.WriteDword("ShortToolTips", static_cast<DWORD>(d.shortToolTips)) && ok;
    ok = key.WriteDword("Context Menu", static_cast<DWORD>(d.contextMenu)) && ok;
    ok = key.WriteDword("Silent", static_cast<DWORD>(d.silent)) && ok;
    ok = key.WriteDword("Options Menu", static_cast<DWORD>(d.optionsMenu)) && ok;
    return ok;
}
} // namespace

bool DefaultsSection::ReadFromRegistry(const std::string& schemeName) {
    RegKey key(false, SectionPath(schemeName, kSection));
    if (!key.Open(KEY_READ)) return false;
    NumberSlot slot;
    bool ok = key.ReadString("DefaultView", defaultView);
    ok = slot.Read(key, "DefaultIconSize", defaultIconSize) && ok;
    ok = slot.Read(key, "DefaultFirstTab", defaultFirstTab) && ok;
    ok = slot.Read(key, "ShortToolTips", shortToolTips) && ok;
    ok = slot.Read(key, "Silent", silent) && ok;
    ok = slot.Read(key, "Context Menu", contextMenu) && ok;
    ok = slot.Read(key, "Options Menu", optionsMenu) && ok;
    return ok;
}

bool DefaultsSection::WriteToRegistry(const std::string& schemeName) const {
    RegKey key(true, SectionPath(schemeName, kSection));
    return WriteValues(*this, key);
}

bool DefaultsSection::WriteBelow(RegKey& schemeKey) const {
    RegKey key(true, kSection, schemeKey.Handle());
    return WriteValues(*this, key);
}

bool DefaultsSection::ExportToHive(const std::string& schemeName) const {
    const std::string section = schemeName + kHiveSuffix;
    AddString(section, "DefaultView", defaultView);
    AddNumber(section, "DefaultIconSize", defaultIconSize);
    AddNumber(section, "DefaultFirstTab", defaultFirstTab);
    AddNumber(section, "ShortToolTips", shortToolTips);
    AddNumber(section, "Silent", silent);
    AddNumber(section, "Context Menu", contextMenu);
    AddNumber(section, "Options Menu", optionsMenu);
    return true;
}

bool DefaultsSection::ImportFromHive(const std::string& schemeName) {
    const std::string section = schemeName + kHiveSuffix;
    defaultView = GetString(section, "DefaultView");
    defaultIconSize = GetNumber(section, "DefaultIconSize");
    defaultFirstTab = GetNumber(section, "DefaultFirstTab");
    shortToolTips = GetNumber(section, "ShortToolTips");
    silent = GetNumber(section, "Silent");
    contextMenu = GetNumber(section, "Context Menu");
    optionsMenu = GetNumber(section, "Options Menu");
    return true;
}
