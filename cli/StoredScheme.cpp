#include "cli/StoredScheme.h"
#include <windows.h>
#include <cstdint>
#include <cstring>
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

namespace {

// The lists of items below a scheme's key: section, count value, item key prefix.
struct ItemList {
    const char* section;
    const char* count;
    const char* prefix;
};
const ItemList kLists[] = {{"FolderDisplay", "RootFolderCount", "Root "},
                           {"WebLinks", "WebLinksCount", "WebLink "}};

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

const ItemList* ListOf(const std::string& section) {
    for (const ItemList& list : kLists)
        if (section == list.section) return &list;
    return nullptr;
}

class SchemeReader {
public:
    SchemeReader(HKEY scheme, std::vector<StoredValue>& out) : scheme_(scheme), out_(out) {}

    // The values `names` of one key below the scheme's (the scheme's own for an empty section);
    // false when the key cannot be opened.
    template <class Names>
    bool Key(const std::string& section, const std::string& item, const Names& names) {
        const std::string path = item.empty() ? section : section + "\\" + item;
        RegKey key(false, path, scheme_);
        if (!key.Open(KEY_READ)) return false;
        RegValue value;
        for (const auto& name : names)
            if (key.ReadValue(NameOf(name), value))
                out_.push_back({{section, item, value.name}, TextOf(value), TypeName(value)});
        return true;
    }

    // The count of a list as stored, 0 when it is not a number.
    int32_t Count(const ItemList& list) const {
        for (const StoredValue& value : out_)
            if (value.place.section == list.section && value.place.item.empty() &&
                value.place.value == list.count && value.type == "REG_DWORD")
                return static_cast<int32_t>(std::stol(value.text));
        return 0;
    }

private:
    static const std::string& NameOf(const std::string& name) { return name; }
    static const std::string& NameOf(const StoredValue* value) { return value->place.value; }

    HKEY scheme_;
    std::vector<StoredValue>& out_;
};

} // namespace

ItemValueNames ItemValueNamesOf(const std::vector<StoredValue>& oneOfEach) {
    ItemValueNames names;
    for (const StoredValue& value : oneOfEach)
        if (!value.place.item.empty()) names[value.place.section].push_back(value.place.value);
    return names;
}

std::vector<StoredValue> ReadStoredScheme(const std::string& keyName,
                                          const std::vector<StoredValue>& toStore,
                                          const ItemValueNames& itemValues) {
    std::vector<StoredValue> stored;
    RegKey scheme(false, SchemeKeyPath(keyName));
    if (!scheme.Open(KEY_READ)) return stored;
    SchemeReader reader(scheme.Handle(), stored);
    // Key by key as the file's values come; an item beyond its list's stored count is not read.
    std::map<std::string, int32_t> itemsSeen, claimed;
    for (size_t first = 0; first < toStore.size();) {
        const RecordPlace& place = toStore[first].place;
        std::vector<const StoredValue*> names;
        size_t next = first;
        for (; next < toStore.size() && toStore[next].place.section == place.section &&
               toStore[next].place.item == place.item;
             ++next)
            names.push_back(&toStore[next]);
        const ItemList* list = ListOf(place.section);
        if (!list || place.item.empty()) {
            reader.Key(place.section, place.item, names);
            if (list) claimed[list->section] = reader.Count(*list);
        } else if (++itemsSeen[list->section] <= claimed[list->section]) {
            reader.Key(place.section, place.item, names);
        }
        first = next;
    }
    for (const ItemList& list : kLists) {
        const auto names = itemValues.find(list.section);
        if (names == itemValues.end()) continue;
        for (int32_t n = itemsSeen[list.section] + 1; n <= claimed[list.section]; ++n)
            if (!reader.Key(list.section, list.prefix + std::to_string(n), names->second)) break;
    }
    return stored;
}
