#pragma once
// What the section classes share: the paths below a scheme's key, the number slot of a registry
// read, the bounds that keep a damaged count from running a read away, and the four operations
// of a section of numbered items, which the folder roots and the web links differ in by name only.
#include <optional>
#include <string>
#include <vector>
#include "hive/SettingsHive.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "sections/SectionFields.h"

// The scheme's key followed by a section's own path, e.g. SectionPath(name, "Defaults").
std::string SectionPath(const std::string& schemeName, const char* section);
// An item key of a section: "<section>\<item prefix><n>", e.g. "...\FolderDisplay\Root 2".
std::string ItemPath(const std::string& sectionPath, const char* itemPrefix, int n);

// The numbers of one registry read share a slot that starts at 0 and is stored into every field,
// read or not: a missing number repeats the previous one.
class NumberSlot {
public:
    bool Read(RegKey& key, const char* name, int& field) {
        const bool ok = key.ReadDword(name, value_);
        field = value_;
        return ok;
    }

private:
    int value_ = 0;
};

// Calls each(field) for the fields of a table in `order` (indices into it), or in table order.
template <class Owner, size_t N, class Each>
void ForEachField(const SectionField<Owner> (&fields)[N], const int* order, Each each) {
    for (size_t i = 0; i < N; ++i)
        each(fields[order ? order[i] : i]);
}

// The values of an open key into the fields: texts, and numbers through one slot. True when every
// value was there.
template <class Owner, size_t N>
bool ReadFields(RegKey& key, Owner& owner, const SectionField<Owner> (&fields)[N],
                const int* order = nullptr) {
    NumberSlot slot;
    bool ok = true;
    ForEachField(fields, order, [&](const SectionField<Owner>& f) {
        ok = (f.text ? key.ReadString(f.name, owner.*f.text)
                     : slot.Read(key, f.name, owner.*f.number)) &&
             ok;
    });
    return ok;
}

// Every value written even when one before it failed; true when all were.
template <class Owner, size_t N>
bool WriteFields(RegKey& key, const Owner& owner, const SectionField<Owner> (&fields)[N],
                 const int* order = nullptr) {
    bool ok = true;
    ForEachField(fields, order, [&](const SectionField<Owner>& f) {
        ok = (f.text ? key.WriteString(f.name, owner.*f.text)
                     : key.WriteDword(f.name, static_cast<DWORD>(owner.*f.number))) &&
             ok;
    });
    return ok;
}

// The fields as records of the working hive under `section`; with `switches`, numbers travel as
// 0 or 1 both ways.
template <class Owner, size_t N>
void ExportFields(const std::string& section, const Owner& owner,
                  const SectionField<Owner> (&fields)[N], const int* order = nullptr,
                  bool switches = false) {
    ForEachField(fields, order, [&](const SectionField<Owner>& f) {
        if (f.text)
            AddString(section, f.name, owner.*f.text);
        else
            AddNumber(section, f.name, switches ? (owner.*f.number != 0) : owner.*f.number);
    });
}
template <class Owner, size_t N>
void ImportFields(const std::string& section, Owner& owner, const SectionField<Owner> (&fields)[N],
                  const int* order = nullptr, bool switches = false) {
    ForEachField(fields, order, [&](const SectionField<Owner>& f) {
        if (f.text) {
            owner.*f.text = GetString(section, f.name);
        } else {
            const int number = GetNumber(section, f.name);
            owner.*f.number = switches ? (number != 0) : number;
        }
    });
}

// The item numbers still present below a section key, listed once the first item key turns out
// missing. The list of items then ends after the last item key present, gaps becoming empty
// items, and never grows past twice the section's subkeys: a damaged count of millions costs one
// listing of the keys that exist, never millions of calls or items.
class ItemKeyListing {
public:
    ItemKeyListing(RegKey& section, const char* itemPrefix, int claimed);
    bool Has(int n) const;
    // Whether item n (missing or not) still belongs to a list that already holds `held` items.
    bool Reaches(int n, size_t held) const { return n <= last_ && held < cap_; }

private:
    std::vector<int> present_; // ascending
    int last_ = 0;
    size_t cap_ = 0;
};

// Reads items 1..claimed of the open section key into `items` (emptied first); each item key is
// opened once and handed to Item::ReadFrom. True when every item key was there and every item
// read succeeded.
template <class Item>
bool ReadItems(RegKey& section, const char* itemPrefix, int claimed, std::vector<Item>& items) {
    items.clear();
    bool ok = true;
    std::optional<ItemKeyListing> listing;
    for (int n = 1; n <= claimed; ++n) {
        if (listing && !listing->Reaches(n, items.size())) return false;
        Item item;
        if (!listing || listing->Has(n)) {
            RegKey key(false, ItemPath(section.Path(), itemPrefix, n));
            if (key.Open(KEY_READ)) {
                ok = item.ReadFrom(key) && ok;
                items.push_back(item);
                continue;
            }
        }
        ok = false;
        if (!listing) {
            listing.emplace(section, itemPrefix, claimed);
            if (!listing->Reaches(n, items.size())) return false;
        }
        items.push_back(item);
    }
    return ok;
}

// The number of items a count read from the working hive may bring: none for a negative count,
// and never more than the whole hive's records could hold at recordsPerItem each.
int HiveItemBound(int claimed, int recordsPerItem);

// One item's own key, read or written on its own: Item::ReadFrom / WriteTo do the values. The
// writer leaves everything alone when the product key is missing.
template <class Item> bool ReadItemKey(Item& item, const std::string& path) {
    RegKey key(false, path);
    return key.Open(KEY_READ) && item.ReadFrom(key);
}
template <class Item> bool WriteItemKey(const Item& item, const std::string& path) {
    RegKey key(true, path);
    return RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey) && item.WriteTo(key);
}

// The spellings of a section of numbered items (folder roots, web links), which differ between
// the registry and the hive. The items' own value names and orders stay with the item types.
struct ItemListNames {
    const char* section;         // key below the scheme's key
    const char* registryCount;   // count value in that key
    const char* itemPrefix;      // item n: "<prefix><n>", as a key and in its hive section
    const char* hiveCountSuffix; // hive section of the count: scheme name + suffix
    const char* hiveCount;       // hive key of the count
    const char* hiveItemSuffix;  // hive section of item n: name + suffix + " - " + prefix + n
    int recordsPerItem;
};

inline std::string ItemKeyPath(const std::string& schemeName, const ItemListNames& names, int n) {
    return ItemPath(SectionPath(schemeName, names.section), names.itemPrefix, n);
}

inline std::string HiveItemSection(const std::string& schemeName, const ItemListNames& names,
                                   int n) {
    return schemeName + names.hiveItemSuffix + " - " + names.itemPrefix + std::to_string(n);
}

// Replaces `items` with items 1..count of the registry and sets `count` to their number; false
// when the section key, an item key or a value is missing. A missing section key leaves both.
template <class Item>
bool ReadItemList(const std::string& schemeName, const ItemListNames& names,
                  std::vector<Item>& items, int& count) {
    RegKey section(false, SectionPath(schemeName, names.section));
    if (!section.Open(KEY_READ)) return false;
    int claimed = 0;
    section.ReadDword(names.registryCount, claimed);
    const bool ok = ReadItems(section, names.itemPrefix, claimed, items);
    count = static_cast<int>(items.size());
    return ok && count == claimed;
}

// Writes the count and every item into the section key; the items only when the product key is
// there. The list, not a count field, says how many there are: a count above it would name keys
// that are never written.
template <class Item>
bool WriteItems(RegKey& section, const ItemListNames& names, const std::vector<Item>& items,
                bool productKey) {
    const int written = static_cast<int>(items.size());
    section.WriteDword(names.registryCount, static_cast<DWORD>(written));
    bool ok = true;
    for (int n = 1; n <= written; ++n) {
        RegKey key(true, names.itemPrefix + std::to_string(n), section.Handle());
        ok = productKey && items[n - 1].WriteTo(key) && ok;
    }
    return ok;
}

template <class Item>
bool WriteItemList(const std::string& schemeName, const ItemListNames& names,
                   const std::vector<Item>& items) {
    RegKey section(true, SectionPath(schemeName, names.section));
    // Tested once for all items: nothing below can create or remove the product key.
    return WriteItems(section, names, items, RegKey::Exists(HKEY_LOCAL_MACHINE, kProductKey));
}

// The same below the scheme's open key, the product key having been found present.
template <class Item>
bool WriteItemListBelow(RegKey& schemeKey, const ItemListNames& names,
                        const std::vector<Item>& items) {
    RegKey section(true, names.section, schemeKey.Handle());
    return WriteItems(section, names, items, true);
}

template <class Item>
void ExportItemList(const std::string& schemeName, const ItemListNames& names,
                    const std::vector<Item>& items) {
    AddNumber(schemeName + names.hiveCountSuffix, names.hiveCount, static_cast<int>(items.size()));
    for (size_t i = 0; i < items.size(); ++i)
        items[i].ExportToHive(HiveItemSection(schemeName, names, static_cast<int>(i) + 1));
}

// Replaces `items` with as many items as the hive's count names, bounded by HiveItemBound.
template <class Item>
void ImportItemList(const std::string& schemeName, const ItemListNames& names,
                    std::vector<Item>& items, int& count) {
    const int claimed = GetNumber(schemeName + names.hiveCountSuffix, names.hiveCount);
    count = HiveItemBound(claimed, names.recordsPerItem);
    items.clear();
    items.reserve(static_cast<size_t>(count));
    for (int n = 1; n <= count; ++n) {
        items.emplace_back();
        items.back().ImportFromHive(HiveItemSection(schemeName, names, n));
    }
}
