#include "cli/StoredScheme.h"
#include <windows.h>
#include <cstdint>
#include <cstring>
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

namespace {

std::string Carried(const std::string& section, const std::string& value) {
    return section + "\\" + value;
}

std::string TypeName(const RegValue& value) {
    switch (value.type) {
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_QWORD:
        return "REG_QWORD";
    case REG_NONE:
        return "REG_NONE";
    case REG_DWORD:
        return value.data.size() == sizeof(DWORD)
                   ? "REG_DWORD"
                   : "REG_DWORD of " + std::to_string(value.data.size()) + " bytes";
    default:
        return "type " + std::to_string(value.type);
    }
}

// A number as the file writes it (a signed 32-bit decimal), text up to its first zero byte.
std::string TextOf(const RegValue& value) {
    if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
        int32_t number = 0;
        std::memcpy(&number, value.data.data(), sizeof number);
        return std::to_string(number);
    }
    return value.type == REG_SZ || value.type == REG_EXPAND_SZ ? value.Text() : std::string();
}

class SchemeReader {
public:
    SchemeReader(HKEY scheme, const std::set<std::string>& carried, std::vector<StoredValue>& out)
        : scheme_(scheme), carried_(carried), out_(out) {}

    // The carried values of one key below the scheme's; false when the key cannot be opened.
    bool Key(const std::string& section, const std::string& item = std::string()) {
        RegKey key(false, item.empty() ? section : section + "\\" + item, scheme_);
        if (!key.Open(KEY_READ)) return false;
        for (RegValue& value : key.Values())
            if (carried_.count(Carried(section, value.name)))
                out_.push_back({{section, item, value.name}, TextOf(value), TypeName(value)});
        return true;
    }

    // A list of items: the section key with its count, then items 1 to the count as stored.
    void Items(const char* section, const char* count, const char* prefix, int inFile) {
        const size_t countAt = out_.size();
        if (!Key(section)) return;
        int32_t claimed = 0;
        for (size_t i = countAt; i < out_.size(); ++i)
            if (out_[i].place.value == count && out_[i].type == "REG_DWORD")
                claimed = std::stoi(out_[i].text);
        for (int32_t n = 1; n <= claimed; ++n)
            if (!Key(section, prefix + std::to_string(n)) && n > inFile) break;
    }

private:
    HKEY scheme_;
    const std::set<std::string>& carried_;
    std::vector<StoredValue>& out_;
};

} // namespace

std::set<std::string> CarriedValueNames(const std::vector<StoredValue>& carried) {
    std::set<std::string> names;
    for (const StoredValue& value : carried)
        names.insert(Carried(value.place.section, value.place.value));
    return names;
}

std::vector<StoredValue> ReadStoredScheme(const std::string& keyName,
                                          const std::set<std::string>& carried, int roots,
                                          int links) {
    std::vector<StoredValue> values;
    RegKey scheme(false, SchemeKeyPath(keyName));
    if (!scheme.Open(KEY_READ)) return values;
    SchemeReader reader(scheme.Handle(), carried, values);
    reader.Key("");
    reader.Key("Defaults");
    reader.Items("FolderDisplay", "RootFolderCount", "Root ", roots);
    reader.Key("TabSelection");
    for (int page = 1; page <= 3; ++page)
        reader.Key("ToolBars", "Page " + std::to_string(page));
    reader.Items("WebLinks", "WebLinksCount", "WebLink ", links);
    return values;
}
