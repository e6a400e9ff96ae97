#include "sections/SectionCodec.h"
#include <algorithm>
#include <cctype>
#include "hive/SettingsHive.h"
#include "store/RegistryPaths.h"

std::string SectionPath(const std::string& schemeName, const char* section) {
    return SchemeKeyPath(schemeName) + "\\" + section;
}

std::string ItemPath(const std::string& sectionPath, const char* itemPrefix, int n) {
    return sectionPath + "\\" + itemPrefix + std::to_string(n);
}

namespace {
// The item number of a subkey name, 0 when the name is no item key within 1..claimed. Key names
// compare without letter case; the number is as ItemPath writes it, without leading zeros.
int ItemNumber(const std::string& name, const std::string& prefix, int claimed) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 10) return 0;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return 0;
    }
    if (name[prefix.size()] == '0') return 0;
    long long n = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n <= claimed ? static_cast<int>(n) : 0;
}
} // namespace

ItemKeyListing::ItemKeyListing(RegKey& section, const char* itemPrefix, int claimed) {
    const std::vector<std::string> names = section.SubKeyNames();
    for (const std::string& name : names) {
        if (int n = ItemNumber(name, itemPrefix, claimed)) present_.push_back(n);
    }
    std::sort(present_.begin(), present_.end());
    last_ = present_.empty() ? 0 : present_.back();
    cap_ = 2 * names.size();
}

bool ItemKeyListing::Has(int n) const {
    return std::binary_search(present_.begin(), present_.end(), n);
}

int HiveItemBound(int claimed, int recordsPerItem) {
    if (claimed <= 0) return 0;
    const size_t most = WorkingHive().Size() / static_cast<size_t>(recordsPerItem);
    return static_cast<size_t>(claimed) < most ? claimed : static_cast<int>(most);
}
