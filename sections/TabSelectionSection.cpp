#include "sections/TabSelectionSection.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"

namespace {
const char* const kSection = "TabSelection";
const char* const kHiveSuffix = " - Tabs";

bool WriteValues(const TabSelectionSection& tabs, RegKey& key) {
    return WriteFields(key, tabs, TabSelectionSection::kFields);
}
} // namespace

const SectionField<TabSelectionSection> TabSelectionSection::kFields[3] = {
    NumberField("Page1", &TabSelectionSection::page1),
    NumberField("Page2", &TabSelectionSection::page2),
    NumberField("Page3", &TabSelectionSection::page3),
};

bool TabSelectionSection::ReadFromRegistry(const std::string& schemeName) {
    RegKey key(false, SectionPath(schemeName, kSection));
    if (!key.Open(KEY_READ)) return false;
    // Each page is set only when its own value was read: no number slot here.
    bool ok = true;
    for (const SectionField<TabSelectionSection>& f : kFields)
        ok = key.ReadDword(f.name, this->*f.number) && ok;
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
    ExportFields(schemeName + kHiveSuffix, *this, kFields);
    return true;
}

bool TabSelectionSection::ImportFromHive(const std::string& schemeName) {
    ImportFields(schemeName + kHiveSuffix, *this, kFields);
    return true;
}
