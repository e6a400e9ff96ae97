#include "sections/TabSelectionSection.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"

namespace {
const char* const kSection = "TabSelection";
const char* const kHiveSuffix = " - Tabs";

bool WriteValues(const TabSelectionSection& tabs, RegKey& key) {
    bool ok = key.WriteDword("Page1", static_cast<DWORD>(tabs.page1));
    ok = key.WriteDword("Page2", static_cast<DWORD>(tabs.page2)) && ok;
    ok = key.WriteDword("Page3", static_cast<DWORD>(tabs.page3)) && ok;
    return ok;
}
} // namespace

bool TabSelectionSection::ReadFromRegistry(const std::string& schemeName) {
    RegKey key(false, SectionPath(schemeName, kSection));
    if (!key.Open(KEY_READ)) return false;
    bool ok = key.ReadDword("Page1", page1);
    ok = key.ReadDword("Page2", page2) && ok;
    ok = key.ReadDword("Page3", page3) && ok;
    return ok;
}

bool TabSelectionSection::WriteToRegistry(const std::string& schemeName) const {
    RegKey key(true, SectionPath(schemeName, kSection));
    return WriteValues(*this, key);
}

bool TabSelectionSection::WriteBelow(RegKey& schemeKey) const {
    RegKey key(true, kSection, schemeKey.Handle());
    return WriteValues(*this, key);
}

bool TabSelectionSection::ExportToHive(const std::string& schemeName) const {
    const std::string section = schemeName + kHiveSuffix;
    AddNumber(section, "Page1", page1);
    AddNumber(section, "Page2", page2);
    AddNumber(section, "Page3", page3);
    return true;
}

bool TabSelectionSection::ImportFromHive(const std::string& schemeName) {
    const std::string section = schemeName + kHiveSuffix;
    page1 = GetNumber(section, "Page1");
    page2 = GetNumber(section, "Page2");
    page3 = GetNumber(section, "Page3");
    return true;
}
