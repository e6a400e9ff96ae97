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

bool WebLink::ReadFrom(RegKey& key) {
    bool ok = key.ReadString("DisplayName", displayName);
    ok = key.ReadString("URL", url) && ok;
    ok = key.ReadString("IconFile", iconFile) && ok;
    ok = key.ReadString("LongToolTip", longToolTip) && ok;
    ok = key.ReadString("ShortToolTip", shortToolTip) && ok;
    ok = key.ReadString("Wav File", wavFile) && ok;
    return ok;
}

bool WebLink::WriteTo(RegKey& key) const {
    bool ok = key.WriteString("DisplayName", displayName);
    ok = key.WriteString("URL", url) && ok;
    ok = key.WriteString("IconFile", iconFile) && ok;
    ok = key.WriteString("LongToolTip", longToolTip) && ok;
    ok = key.WriteString("ShortToolTip", shortToolTip) && ok;
    ok = key.WriteString("Wav File", wavFile) && ok;
    return ok;
}

void WebLink::ExportToHive(const std::string& section) const {
    AddString(section, "DisplayName", displayName);
    AddString(section, "URL", url);
    AddString(section, "IconFile", iconFile);
    AddString(section, "LongToolTip", longToolTip);
    AddString(section, "ShortToolTip", shortToolTip);
    AddString(section, "Wav File", wavFile);
}

void WebLink::ImportFromHive(const std::string& section) {
    displayName = GetString(section, "DisplayName");
    url = GetString(section, "URL");
    iconFile = GetString(section, "IconFile");
    longToolTip = GetString(section, "LongToolTip");
    shortToolTip = GetString(section, "ShortToolTip");
    wavFile = GetString(section, "Wav File");
}

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
