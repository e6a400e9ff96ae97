#pragma once
// The check of a whole parsed scheme file before an import writes anything to the registry.
#include "hive/SchemeFileFormat.h"

#include <string>
#include <string_view>

// True when an import of these records (parsed form) would read only counts that the records
// can satisfy and only names that are safe as registry key and value names, and the file holds
// no more records than those counts take (a file of countless tiny records is refused before
// any of them is copied). The import's own reads are walked record by record, with the hive's
// cursor rule, so every value checked is the one the import would use. Otherwise false, with
// the first reason in *why as one plain line: "record N: <what is wrong>", N counting the
// records after the header from 1, or "file: <what is wrong>" for the file as a whole.
bool CheckImportable(const ParsedRecords& parsed, std::string* why = nullptr);

// Why a name read from a file cannot name a registry key or value ("holds a backslash", ...),
// or nullptr when it can: 1 to 255 characters, no backslash (it would reach into another key),
// no zero byte, no terminator.
const char* NameProblem(std::string_view name);

// The text with every control character (line breaks, escape...) shown as '?', as a reason
// quotes a value: a name from a file or the registry cannot split a line or steer a terminal.
std::string WithoutControls(std::string_view text);

// A field holding the terminator byte would shift every later field of the file.
bool ContainsTerminator(std::string_view field);
