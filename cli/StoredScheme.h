#pragma once
// What the shell reads of one scheme on this machine: the values of the scheme's key and of its
// section and item keys that a scheme file carries, each with its type as stored. A list of items
// is read as far as its count, as stored, names items.
#include <set>
#include <string>
#include <vector>
#include "cli/SchemeDifferences.h"

// The value names a scheme file carries, as "<section>\\<value>" (items left out). `carried` are
// the values an import stores for a scheme with at least one item of each kind.
std::set<std::string> CarriedValueNames(const std::vector<StoredValue>& carried);

// The values below the scheme key `keyName` (the registry's spelling) whose names are among
// `carried` (CarriedValueNames). Item keys beyond the file's own items (`roots`, `links`) are read
// only while they exist, so that a damaged count of millions costs one missing key.
std::vector<StoredValue> ReadStoredScheme(const std::string& keyName,
                                          const std::set<std::string>& carried, int roots,
                                          int links);
