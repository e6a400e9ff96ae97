#include "sections/WebLinksSection.h"
#include "hive/SettingsHive.h"
#include "sections/SectionCodec.h"
#include "store/RegistryPaths.h"

namespace {
const char* const kSection = "WebLinks";
const char* const kItemPrefix = "WebLink ";
const char* const kRegistryCount = "WebLinksCount";
// In the hive the count has a lower-case l and stands under the folder display's section, with
// a blank that the folder roots' own section does not have.
const char* const kHiveCount = "WeblinksCount";
const char* const kHiveCountSuffix = " - Folder Display";
const char* const kHiveItemSuffix = " - Weblinks";
constexpr int kRecordsPerLink = 6;

std::string HiveItemSection(const std::string& schemeName, int n) {
    return schemeName + kHiveItemSuffix + " - " + kItemPrefix + std::to_string(n);
}
} // namespace

bool WebLink::ReadFromRegistry(const std::string& schemeName, int n) {
    RegKey key(false, ItemPath(SectionPath(schemeName, kSection), kItemPrefix, n));
    return key.Open(KEY_READ) && ReadFrom(key);
}

bool WebLink::WriteToRegistry(const std::string& schemeName, int n) const {
    RegKey key(true, ItemPath(SectionPath(schemeName, kSection), kItemPrefix, n));
    return RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey) && WriteTo(key);
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
    RegKey section(false, SectionPath(schemeName, kSection));
    if (!section.Open(KEY_READ)) return false;
    int claimed = 0;
    section.ReadDword(kRegistryCount, claimed);
    const bool ok = ReadItems(section, kItemPrefix, claimed, links);
    count = static_cast<int>(links.size());
    return ok && count == claimed;
}

bool WebLinksSection::WriteToRegistry(const std::string& schemeName) const {
    const int written = static_cast<int>(links.size());
    RegKey section(true, SectionPath(schemeName, kSection));
    section.WriteDword(kRegistryCount, static_cast<DWORD>(written));
    // Tested once for all items: nothing below can create or remove the product key.
    const bool productKey = RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey);
    bool ok = true;
    for (int n = 1; n <= written; ++n) {
        RegKey key(true, ItemPath(section.Path(), kItemPrefix, n));
        ok = productKey && links[n - 1].WriteTo(key) && ok;
    }
    return ok;
}

bool WebLinksSection::ExportToHive(const std::string& schemeName) const {
    AddNumber(schemeName + kHiveCountSuffix, kHiveCount, static_cast<int>(links.size()));
    for (size_t i = 0; i < links.size(); ++i)
        links[i].ExportToHive(HiveItemSection(schemeName, static_cast<int>(i) + 1));
    return true;
}

bool WebLinksSection::ImportFromHive(const std::string& schemeName) {
    const int claimed = GetNumber(schemeName + kHiveCountSuffix, kHiveCount);
    const int items = HiveItemBound(claimed, kRecordsPerLink);
    links.clear();
    links.reserve(static_cast<size_t>(items));
    for (int n = 1; n <= items; ++n) {
        links.emplace_back();
        links.back().ImportFromHive(HiveItemSection(schemeName, n));
    }
    count = items;
    return true;
}
