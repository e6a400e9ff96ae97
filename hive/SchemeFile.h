#pragma once
// A scheme file on disk. A save writes the complete scrambled file beside the target and puts it
// in place only once every byte is written; a load reads the file into memory and unscrambles it
// there. Neither ever leaves a half-written or still-unscrambled file behind, and a load never
// writes the user's file at all, so a read-only file or share loads like any other.
//
// The format has no checksum of its own and must stay as it is, so a save puts one beside the
// file, FILE.sha256, in the form `sha256sum -c` reads. A read checks it when it is there: a file
// damaged on its way to a share is refused instead of loaded.
#include <cstddef>
#include <string>
#include <vector>
#include "hive/HiveRecord.h"

class SchemeFile {
public:
    // Export form (each field ends with the terminator) for writing; parsed form after reading.
    std::vector<HiveRecord> records;

    // Every scheme of the machine with the descriptions, in export form, read in the writers'
    // turn with read access only. kBusy when another writer kept its turn ("Schemes Busy" has been
    // said); kUnreadable, with what could not be read explained, when any part of a scheme or the
    // list could not be read: a file with fewer schemes than the machine holds is never made.
    enum class Collected { kDone, kBusy, kUnreadable };
    Collected CollectRecords();

    // Writes the header and the records, scrambled, then their checksum beside them. False when a
    // field holds the terminator (the file would read back differently; nothing is written) or a
    // write failed. An earlier checksum that could not be replaced is removed, so that it cannot
    // refuse the new file.
    bool WriteRecords(const std::string& path);

    // Whether a file without its checksum beside it is read (files written elsewhere have none).
    enum class Checksum { IfPresent, Required };

    // Reads, unscrambles, parses and checks the whole file. A file that cannot be read gets
    // "Read Problem"; one that does not match its checksum, lacks a required one, is not a scheme
    // file or fails the import check gets "File Load Problem"; all leave the record list empty
    // and return false.
    bool ReadRecords(const std::string& path, size_t* count = nullptr,
                     Checksum checksum = Checksum::IfPresent);

    // Scrambles or unscrambles the file in place, through the same all-or-nothing replacement as
    // a save; a missing or read-only file is left alone.
    static void Scramble(const std::string& path);
    // Deletes the file when it exists and may be written.
    static void RemoveIfExists(const std::string& path);

    // "File Load Problem": the file is not one that this program can load.
    static void ReportNotASchemeFile();
};

// Where the checksum of the file at `path` is kept.
std::string ChecksumPathOf(const std::string& path);

// The whole bytes of a file; false, with the system's error code left for GetLastError, when it
// cannot be opened or read. A writer may replace the file meanwhile: the reader keeps the bytes
// it opened.
bool ReadWholeFile(const std::string& path, std::string& bytes);
// Writes `bytes` to a temporary file in the target's folder and moves it over `path` once
// complete; on failure the temporary file is removed, `path` is untouched and GetLastError gives
// the failing step's error.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);
