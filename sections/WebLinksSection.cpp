#include "sections/WebLinksSection.h"
#include "hive/ImportOrder.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"

namespace {
// In the hive the count has a lower-case l and stands under the folder display's section, with
// a blank that the folder roots' own section does not have.
constexpr ItemListNames kNames = {
    "WebLinks",       // registry key
    "WebLinksCount",  // registry count
    "WebLink ",       // item prefix
    kLinkCountSuffix, // hive section of the count
    kLinkCountKey,    // hive count
    " - Weblinks",    // hive section of the items
    kRecordsPerLink,  // records per link
};
} // namespace

bool WebLink::ReadFromRegistry(const std::string& schemeName, int n) {
    return ReadItemKey(*this, ItemKeyPath(schemeName, kNames, n));
}

bool WebLink::WriteToRegistry(const std::string& schemeName, int n) const {
    return WriteItemKey(*this, ItemKeyPath(schemeName, kNames, n));
}

const SectionField<WebLink> WebLink::kFields[6] = {
    TextField("DisplayName", &WebLink::displayName),
    TextField("URL", &WebLink::url),
    TextField("IconFile", &WebLink::iconFile),
    TextField("LongToolTip", &WebLink::longToolTip),
    TextField("ShortToolTip", &WebLink::shortToolTip),
    TextField("Wav File", &WebLink::wavFile),
};

bool WebLink::ReadFrom(RegKey& key) { return ReadFields(key, *this, kFields); }

bool WebLink::WriteTo(RegKey& key) const { return WriteFields(key, *this, kFields); }

void WebLink::ExportToHive(const std::string& section) const {
    ExportFields(section, *this, kFields);
}

void WebLink::ImportFromHive(const std::string& section) { ImportFields(section, *this, kFields); }

bool WebLinksSection::ReadFromRegistry(const std::string& schemeName) {
    return ReadItemList(schemeName, kNames, links, count);
}

bool WebLinksSection::WriteToRegistry(const std::string& schemeName) const {
    return WriteItemList(schemeName, kNames, links);
}

bool WebLinksSection::WriteBelow(RegKey& schemeKey) const {
    return WriteItemListBelow(schemeKey, kNames, links);
}

bool WebLinksSection::ExportToHive(const std::string& schemeName) const {
    ExportItemList(schemeName, kNames, links);
    return true;
}

bool WebLinksSection::ImportFromHive(const std::string& schemeName) {
    ImportItemList(schemeName, kNames, links, count);
    return true;
}
