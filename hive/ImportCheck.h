#pragma once
// The check of a whole parsed scheme file before an import writes anything to the registry.
#include "hive/SchemeFileFormat.h"

#include <string>
#include <string_view>

// True when an import of these records (parsed form) would read only counts that the records
// can satisfy and only names that are safe as registry key and value names. The import's own
// reads are followed record by record, with the hive's cursor rule, so every count checked is
// the one the import would use. Otherwise false, with the first reason in *why.
bool CheckImportable(const ParsedRecords& parsed, std::string* why = nullptr);

// A field holding the terminator byte would shift every later field of the file.
bool ContainsTerminator(std::string_view field);
