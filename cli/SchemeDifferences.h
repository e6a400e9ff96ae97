#pragma once
// What differs between a scheme as a file carries it and as this machine holds it, both given as
// the records the scheme's sections export, and each difference named as the registry names it.
#include <optional>
#include <string>
#include <vector>
#include "hive/HiveRecord.h"

// Where a record of scheme `scheme` lives below the scheme's key: the section key, the item key
// below it (empty for a section without items) and the value's name.
struct RecordPlace {
    std::string section;
    std::string item;
    std::string value;
};
RecordPlace PlaceOfRecord(const std::string& scheme, const std::string& section,
                          const std::string& key);

struct RecordDifference {
    RecordPlace place;
    std::optional<std::string> inFile;    // none: the machine has a value the file lacks
    std::optional<std::string> onMachine; // none: the file has a value the machine lacks
};

// Records in parsed form (no terminators), in export order. A record is matched by its section
// and key, the n-th of a kind with the n-th; the file's order is kept, the machine's extra
// records follow.
std::vector<RecordDifference> CompareSchemeRecords(const std::string& scheme,
                                                   const std::vector<HiveRecord>& file,
                                                   const std::vector<HiveRecord>& machine);

// A difference of one scheme: of one of its records; of its description (no section, the value
// named "description"); or of the whole scheme (an empty place: only in the file when inFile is
// set, else only on the machine).
struct SchemeDifference {
    std::string scheme;
    RecordDifference difference;
};
RecordDifference DescriptionDifference(const std::string& inFile, const std::string& onMachine);
RecordDifference WholeSchemeDifference(bool inFile);

// One plain line: scheme, section, item, value name, the file's value and the machine's.
std::string DescribeDifference(const std::string& scheme, const RecordDifference& difference);
