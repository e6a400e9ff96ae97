#pragma once
// What the section classes share: the paths below a scheme's key, the number slot of a registry
// read, and the bounds that keep a damaged count from running a read away.
#include <optional>
#include <string>
#include <vector>
#include "store/RegKey.h"

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
