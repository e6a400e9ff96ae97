#pragma once
// What the shell reads of one scheme on this machine: the values that an import would store for
// a scheme of a file, each with its text and type as stored now. A list of items is read as far
// as its count, as stored, names items: beyond it the shell reads nothing.
#include <map>
#include <string>
#include <vector>
#include "cli/SchemeDifferences.h"

// The names of the values of an item of each list ("FolderDisplay", "WebLinks"), from what an
// import stores for a scheme with one item of each kind.
using ItemValueNames = std::map<std::string, std::vector<std::string>>;
ItemValueNames ItemValueNamesOf(const std::vector<StoredValue>& oneOfEach);

// The values of `toStore` (what an import stores, key by key, each list's count before its
// items) as the scheme key `keyName` (the registry's spelling) holds them; then the items the
// machine's counts name beyond the file's, read while their keys exist, so that a damaged count
// of millions costs one missing key. Values that are not there are left out.
std::vector<StoredValue> ReadStoredScheme(const std::string& keyName,
                                          const std::vector<StoredValue>& toStore,
                                          const ItemValueNames& itemValues);
