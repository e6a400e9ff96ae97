#pragma once
// What keeps a load (and a restore) all or nothing and undoable. Before its first registry write a
// change keeps a backup of everything it is about to change: every scheme it writes over or
// removes, whole and raw (so putting it back exports byte for byte as before), and the names of
// the schemes it adds. The backup is a scheme file of the schemes it replaces (so `vlsm show`
// reads it) and a manifest beside it, in a folder of the machine that only administrators and
// SYSTEM may change. While the change writes, a marker file names its backup: a change that
// failed is put back at once, and one that never finished (the process killed, the machine off)
// is put back by the next writer or reader that finds the marker with nobody holding the writer
// lock. Putting back is safe to interrupt: run again from the start, it ends in the same state.
#include <windows.h>
#include <optional>
#include <string>
#include <vector>
#include "store/RegKey.h"

class Scheme;
class SchemeStore;

// One backup, as `vlsm backups` lists it.
struct BackupSummary {
    std::string id;   // names its files; sorts by time
    std::string kind; // "load" or "restore"
    std::string when; // local time the change began, "2026-12-08 13:05:12"
    std::string user;
    std::string by;   // "program" or "tool"
    std::string file; // the scheme file loaded, or the backup restored
    size_t replaced = 0, added = 0, removed = 0;
};

// A scheme name a change touches, as it was before the change.
struct SchemeBefore {
    std::string name;
    bool removes = false;          // the change removes it; else it writes it
    std::optional<RegValue> value; // its description value, when there was one
    std::optional<KeyTree> tree;   // its key tree, when there was one
};

// An allocation value a change removes, as it was.
struct AllocationBefore {
    std::string key; // below HKEY_LOCAL_MACHINE
    std::string name;
    std::optional<RegValue> value;
};

struct Backup {
    BackupSummary summary;
    std::vector<SchemeBefore> schemes;
    std::vector<AllocationBefore> allocations;
};

// Who makes the changes of this process: "program" unless set.
void SetChangeAuthor(const std::string& by);
// Where backups are kept; the machine's folder unless set (tests give one of their own).
std::string BackupFolder();
void SetBackupFolder(const std::string& folder);
// How many backups are kept: "Backups Kept" under the program's key, 20 unless set.
size_t BackupsKept();

// Every backup, oldest first; a damaged one is left out.
std::vector<BackupSummary> ListBackups();
// The whole backup of that id; false when it is missing or damaged.
bool ReadBackup(const std::string& id, Backup& backup);
std::string BackupSchemeFile(const std::string& id);

// One change to the machine's schemes, made under the writer lock.
class GuardedChange {
public:
    GuardedChange() = default;
    ~GuardedChange();
    GuardedChange(const GuardedChange&) = delete;
    GuardedChange& operator=(const GuardedChange&) = delete;

    // Marks the change as writing and keeps the backup of `before` (and, for the scheme file,
    // `replaced`: the machine's schemes it writes over or removes, with their entries), flushed
    // to disk. False when either could not be written, or when an earlier change that never
    // finished is still to be put back: then nothing may be written.
    bool Begin(const std::string& kind, const std::string& file, std::vector<SchemeBefore> before,
               std::vector<AllocationBefore> allocations, const SchemeStore& replaced);
    // Every write is done: the registry is flushed, the marker goes, old backups beyond the
    // number kept go.
    void Complete();
    // A write failed: everything the change touched is put back now.
    bool Undo();

private:
    std::string id_;
    Backup backup_;
    bool open_ = false;
};

// The state before a change of these names and allocations: each name's description value and
// key tree, raw, read under the caller's writer lock. False when something there could not be
// read.
bool ReadBefore(const std::vector<std::string>& written, const std::vector<std::string>& removed,
                std::vector<SchemeBefore>& before);
// A scheme taken apart from its tree as ReadBefore read it, without asking the registry again:
// true when every section was there and its "Scheme Name" value is the key's own name.
bool SchemeFromTree(const KeyTree& tree, Scheme& scheme);
// What a backup's scheme file shows: every scheme of `before` that had a key, with its entry.
SchemeStore SchemesBefore(const std::vector<SchemeBefore>& before);
// Puts every scheme and allocation of the backup back as it was. Safe to run again.
bool PutBack(const Backup& backup);

// Tells the user that a change which never finished was put back, or could not all be: the
// program shows a box, the tool one line on standard error.
// Returns the report in force before.
using InterruptedReport = void (*)(const BackupSummary& change, bool putBack);
InterruptedReport SetInterruptedReport(InterruptedReport report);

// When a change never finished and no writer holds the lock: puts it back under the lock and
// reports it. Called by every command that reads or writes schemes before it starts.
void RecoverInterruptedChange();
