#pragma once
// A scheme file on disk. A save writes the complete scrambled file beside the target and puts it
// in place only once every byte is written; a load reads the file into memory and unscrambles it
// there. Neither ever leaves a half-written or still-unscrambled file behind, and a load never
// writes the user's file at all, so a read-only file or share loads like any other.
#include <cstddef>
#include <string>
#include <vector>
#include "hive/HiveRecord.h"

class SchemeFile {
public:
    // Export form (each field ends with the terminator) for writing; parsed form after reading.
    std::vector<HiveRecord> records;

    // Every scheme of the machine with the descriptions, in export form, read in the writers'
    // turn. False, after "Schemes Busy", when another writer kept its turn.
    bool CollectRecords();

    // Writes the header and the records, scrambled. False, with the file as it was, when a field
    // holds the terminator (the file would read back differently) or a write failed.
    bool WriteRecords(const std::string& path);

    // Reads, unscrambles, parses and checks the whole file. A file that cannot be read gets
    // "Read Problem", one that is not a scheme file or fails the import check "File Load
    // Problem"; both leave the record list empty and return false.
    bool ReadRecords(const std::string& path, size_t* count = nullptr);

    // Scrambles or unscrambles the file in place, through the same all-or-nothing replacement as
    // a save; a missing or read-only file is left alone.
    static void Scramble(const std::string& path);
    // Deletes the file when it exists and may be written.
    static void RemoveIfExists(const std::string& path);

    // "File Load Problem": the file is not one that this program can load.
    static void ReportNotASchemeFile();
};

// The whole bytes of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
// Writes `bytes` to a temporary file in the target's folder and moves it over `path` once
// complete; on failure the temporary file is removed and `path` is untouched.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);
