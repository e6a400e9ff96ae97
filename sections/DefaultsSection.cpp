#include "sections/DefaultsSection.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"

namespace {
const char* const kSection = "Defaults";
const char* const kHiveSuffix = " - Defaults";

// The values keep the order they have always been written in: "Context Menu" before "Silent",
// the reverse of the read order.
const int kWriteOrder[7] = {0, 1, 2, 3, 5, 4, 6};

bool WriteValues(const DefaultsSection& d, RegKey& key) {
    return WriteFields(key, d, DefaultsSection::kFields, kWriteOrder);
}
} // namespace

const SectionField<DefaultsSection> DefaultsSection::kFields[7] = {
    TextField("DefaultView", &DefaultsSection::defaultView),
    NumberField("DefaultIconSize", &DefaultsSection::defaultIconSize),
    NumberField("DefaultFirstTab", &DefaultsSection::defaultFirstTab),
    NumberField("ShortToolTips", &DefaultsSection::shortToolTips),
    NumberField("Silent", &DefaultsSection::silent),
    NumberField("Context Menu", &DefaultsSection::contextMenu),
    NumberField("Options Menu", &DefaultsSection::optionsMenu),
};

bool DefaultsSection::ReadFromRegistry(const std::string& schemeName) {
    RegKey key(false, SectionPath(schemeName, kSection));
    if (!key.Open(KEY_READ)) return false;
    return ReadFields(key, *this, kFields);
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
    ExportFields(schemeName + kHiveSuffix, *this, kFields);
    return true;
}

bool DefaultsSection::ImportFromHive(const std::string& schemeName) {
    ImportFields(schemeName + kHiveSuffix, *this, kFields);
    return true;
}
