#include "hive/ExportImport.h"
#include "framework/Notices.h"
#include "hive/ImportCheck.h"
#include "hive/ImportOrder.h"
#include "hive/SchemeFile.h"
#include "hive/SchemeFileFormat.h"
#include "hive/SettingsHive.h"
#include "hive/ProgressDisplay.h"
#include "sections/SectionCodec.h"
#include "store/SchemeStore.h"
#include "hive/LoadBackup.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SpreadWork.h"
#include "store/WriterLock.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {

// N + 1 steps: one for the entries, one per scheme. Nothing can be cancelled half way.
class OperationProgress {
public:
    OperationProgress(int schemes, const char* text)
        : steps_(CurrentProgressDisplay().Open(schemes + 1, text)) {}
    void Step() { steps_->Step(); }

private:
    std::unique_ptr<ProgressDisplay::Steps> steps_;
};

bool ImportedNamesSafe(const SchemeStore& store) {
    for (const SchemeEntry& entry : store.entries)
        if (!IsSafeSchemeName(entry.name)) return false;
    for (const Scheme& scheme : store.schemes)
        if (!IsSafeSchemeName(scheme.name)) return false;
    return true;
}

// The import's reads through the working hive, in the one order the whole-file check also
// walks (hive/ImportOrder.h).
class ImportReader {
public:
    using Value = std::string;

    explicit ImportReader(SchemeStore& store) : store_(store) {}

    std::string Read(const std::string& section, const std::string& key) {
        return GetString(section, key);
    }
    static std::string_view Text(const std::string& value) { return value; }
    void Reset() { ResetCursor(); }

    bool SchemeCount(const std::string& text, uint64_t& schemes) {
        // A count no checked file holds cannot run the loops past what the records could carry.
        const int count = HiveItemBound(ParseLeadingNumber(text), 1);
        schemes = static_cast<uint64_t>(count);
        progress_.emplace(count, "Loading your file from disk");
        return true;
    }
    bool EntryName(const std::string&) { return true; }
    void Entry(std::string name, std::string description) {
        store_.entries.push_back({std::move(name), std::move(description)});
    }
    bool EntriesRead() {
        progress_->Step();
        return true;
    }
    bool Scheme(uint64_t, std::string name) {
        ::Scheme scheme;
        scheme.name = std::move(name);
        scheme.ImportFromHive(scheme.name);
        store_.schemes.push_back(std::move(scheme));
        progress_->Step();
        return true;
    }

private:
    SchemeStore& store_;
    std::optional<OperationProgress> progress_;
};

} // namespace

bool IsSafeSchemeName(const std::string& name) { return NameProblem(name) == nullptr; }

void SchemeStore::TakeWorkingHive() { records = WorkingHive().Records(); }

void SchemeStore::ExportAll() {
    currentSection.clear();
    currentKey.clear();
    ClearHive();
    OperationProgress progress(static_cast<int>(schemes.size()), "Saving your file to disk");

    for (size_t k = 1; k <= entries.size(); ++k) {
        const SchemeEntry& entry = entries[k - 1];
        AddString(kEntrySection, EntryKey(k), entry.name);
        AddString(kEntrySection, entry.name, entry.description);
    }
    progress.Step();

    AddNumber(kCountSection, kCountKey, static_cast<int32_t>(schemes.size()));
    for (size_t i = 0; i < schemes.size(); ++i) {
        AddString(SchemeSection(i), kSchemeNameKey, schemes[i].name);
        schemes[i].ExportToHive(schemes[i].name);
        progress.Step();
    }
    TakeWorkingHive();
}

void SchemeStore::ImportAll() {
    currentSection.clear();
    currentKey.clear();
    ResetCursor();
    // The records move into the working hive: a file's strings are never copied a second time.
    WorkingHive().Assign(std::move(records));
    records.clear();
    entries.clear();
    schemes.clear();
    ImportReader reader(*this);
    WalkImport(reader);
}

namespace {

void ReportExportProblem() {
    Warn(nullptr,
         "There was a problem exporting your schemes file.\nThis may be due to the disk being "
         "full, corrupt or "
         "protected.\n\nIf the file appears to have been created it should not be\nrelied upon as "
         "correct",
         "Export Problem");
}

void ReportImportProblem(bool putBack) {
    if (putBack) {
        Warn(nullptr,
             "There was a problem importing your schemes file.\nThis may be due to the disk being "
             "corrupt or protected.\n\nNothing has been changed: the schemes it had written were "
             "put back as they were.",
             "Import Problem");
        return;
    }
    Warn(nullptr,
         "There was a problem importing your schemes file.\nThis may be due to the disk being "
         "corrupt or "
         "protected.\n\nIf the file appears to have been imported the settings should not be "
         "relied \nupon as "
         "correct",
         "Import Problem");
}

void ReportBackupProblem() {
    Warn(nullptr,
         "The schemes that would change could not be backed up first.\nThe folder for backups may "
         "be full or protected.\n\nNothing has been changed.",
         "Backup Problem");
}

std::string Bare(const std::string& field) {
    return !field.empty() && field.back() == kFieldTerminator ? field.substr(0, field.size() - 1)
                                                              : field;
}

// The machine's description values and scheme keys, by the name as the registry compares it.
struct MachineListing {
    std::unordered_map<std::string, RegValue> values;
    std::unordered_map<std::string, std::string> keys; // the key's own spelling

    MachineListing() {
        RegKey schemes(false, kSchemesKey);
        for (RegValue& value : schemes.Values())
            values.emplace(SchemeNameKey(value.name), std::move(value));
        for (const std::string& name : schemes.SubKeyNames())
            keys.emplace(SchemeNameKey(name), name);
    }
    const std::string* Key(const std::string& name) const {
        auto at = keys.find(SchemeNameKey(name));
        return at == keys.end() ? nullptr : &at->second;
    }
    const RegValue* Value(const std::string& name) const {
        auto at = values.find(SchemeNameKey(name));
        return at == values.end() ? nullptr : &at->second;
    }
};

bool SameAsMachine(const SchemeEntry& entry, const MachineListing& machine) {
    const RegValue* value = machine.Value(entry.name);
    return value && value->name == entry.name && value->type == REG_SZ &&
           value->data == std::string(entry.description.c_str(), entry.description.size() + 1);
}

// What a load changes: the file's entries and schemes that differ from the machine's, the
// machine's schemes the file lacks (when exact), and the machine's side of both, read once: raw
// for the backup, and taken apart for the backup's scheme file.
struct LoadPlan {
    SchemeStore writes;
    std::vector<std::string> removed;
    std::vector<SchemeBefore> before;
    SchemeStore replaced;
    std::vector<AllocationBefore> allocations;
    bool readable = true; // false when something the load would change could not be read

    bool Empty() const {
        return writes.entries.empty() && writes.schemes.empty() && removed.empty();
    }
};

bool IsBuiltIn(const std::string& name, const std::vector<std::string>& builtIn) {
    return std::any_of(builtIn.begin(), builtIn.end(),
                       [&](const std::string& b) { return SameSchemeName(b, name); });
}

// The allocations naming one of the `removed` schemes go with them, as they are now; each
// allocation key is read once however many schemes go.
std::vector<AllocationBefore> AllocationsOf(const std::vector<std::string>& removed) {
    std::vector<AllocationBefore> allocations;
    if (removed.empty()) return allocations;
    std::unordered_set<std::string> going;
    for (const std::string& name : removed)
        going.insert(SchemeNameKey(name));
    for (const char* path : {kClassSchemesKey, kUserSchemesKey}) {
        RegKey key(false, path);
        for (const RegValue& value : key.Values())
            if (going.count(SchemeNameKey(value.Text())))
                allocations.push_back({path, value.name, value});
    }
    return allocations;
}

LoadPlan PlanLoad(const SchemeStore& file, bool exact) {
    LoadPlan plan;
    const MachineListing machine;
    std::unordered_set<std::string> inFile;
    for (const Scheme& scheme : file.schemes)
        inFile.insert(SchemeNameKey(scheme.name));
    if (exact) {
        const std::vector<std::string> builtIn = SchemeStore::ReadProtectedNames();
        for (const auto& listed : machine.values) {
            const RegValue& value = listed.second;
            if (!machine.Key(value.name) || inFile.count(listed.first) ||
                IsBuiltIn(value.name, builtIn))
                continue;
            plan.removed.push_back(value.name);
        }
        plan.allocations = AllocationsOf(plan.removed);
    }
    // Everything the load may touch, read once; what turns out unchanged is dropped after.
    std::vector<std::string> named;
    for (const SchemeEntry& entry : file.entries)
        named.push_back(entry.name);
    for (const Scheme& scheme : file.schemes)
        named.push_back(scheme.name);
    std::vector<SchemeBefore> before;
    ReadBefore(named, plan.removed, before); // a tree it could not read is left out
    std::unordered_map<std::string, size_t> at;
    for (size_t i = 0; i < before.size(); ++i)
        at.emplace(SchemeNameKey(before[i].name), i);
    std::vector<Scheme> onMachine(before.size());
    std::vector<char> whole(before.size(), 0);
    SpreadWork(before.size(), [&](size_t i) {
        if (before[i].tree) whole[i] = SchemeFromTree(*before[i].tree, onMachine[i]);
    });
    // A scheme is unchanged only when the machine holds it whole, in the file's spelling, with
    // the records the file has.
    std::unordered_set<std::string> changed;
    for (const Scheme& scheme : file.schemes) {
        const std::string key = SchemeNameKey(scheme.name);
        const size_t i = at.at(key);
        bool same = whole[i] && before[i].tree->name == scheme.name;
        if (same) {
            Scheme theirs = onMachine[i];
            theirs.name = scheme.name;
            same = ExportedSchemeRecords(theirs) == ExportedSchemeRecords(scheme);
        }
        if (!same) changed.insert(key);
    }
    // Every copy of a changed scheme is written, in the file's order.
    for (const Scheme& scheme : file.schemes)
        if (changed.count(SchemeNameKey(scheme.name))) plan.writes.schemes.push_back(scheme);
    for (const SchemeEntry& entry : file.entries) {
        if (SameAsMachine(entry, machine)) continue;
        plan.writes.entries.push_back(entry);
        changed.insert(SchemeNameKey(entry.name));
    }
    // The backup keeps what is removed or written; the scheme file shows those the machine had.
    for (size_t i = 0; i < before.size(); ++i) {
        if (!before[i].removes && !changed.count(SchemeNameKey(before[i].name))) continue;
        if (before[i].tree) {
            plan.replaced.schemes.push_back(std::move(onMachine[i]));
            if (before[i].value)
                plan.replaced.entries.push_back({before[i].value->name, before[i].value->Text()});
        }
        plan.before.push_back(std::move(before[i]));
    }
    // A scheme whose tree could not be read reads as changed; its backup is then incomplete.
    plan.readable =
        std::none_of(plan.before.begin(), plan.before.end(),
                     [&](const SchemeBefore& b) { return !b.tree && machine.Key(b.name); });
    return plan;
}

// Reads the file and writes what it holds; `writing` is set once the registry is about to change.
bool LoadAndWrite(const std::string& path, GuardedChange& change, bool& writing,
                  SchemeStore* written, SchemeFile::Checksum checksum, bool exact) {
    SchemeFile file;
    if (!file.ReadRecords(path, nullptr, checksum)) return false;
    SchemeStore store;
    store.records = std::move(file.records);
    // The progress dialog takes the cursor with it; the caller's comes back for the writes.
    HCURSOR cursor = GetCursor();
    store.ImportAll();
    if (cursor) SetCursor(cursor);
    // The names written are the ones the import took, checked again before anything is written.
    if (!ImportedNamesSafe(store)) {
        SchemeFile::ReportNotASchemeFile();
        return false;
    }
    // Another writer of this machine (the program or the tool) finishes first; ours then follows.
    const WriterLock turn(nullptr);
    if (!turn.Held()) return false;
    RecoverInterruptedChange();
    LoadPlan plan = PlanLoad(store, exact);
    if (!plan.Empty()) {
        if (!plan.readable || !change.Begin("load", path, std::move(plan.before),
                                            std::move(plan.allocations), plan.replaced)) {
            ReportBackupProblem();
            return false;
        }
        writing = true;
        bool ok = plan.writes.SaveAll();
        for (const std::string& name : plan.removed)
            ok = RetireScheme(name) && ok;
        if (!ok) {
            ReportImportProblem(change.Undo());
            return false;
        }
        change.Complete();
    }
    if (written) *written = std::move(store);
    return true;
}

} // namespace

// Nothing may leave these two as an exception: the window procedure that calls them, and the
// console tool, expect a result. Whatever fails (memory included) ends with the command's own
// message, and the working hive lets go of what it was holding.
bool SaveSchemesToFile(const std::string& path) {
    bool written = false;
    try {
        SchemeFile file;
        const SchemeFile::Collected collected = file.CollectRecords();
        if (collected == SchemeFile::Collected::kBusy) return false; // said so already
        written = collected == SchemeFile::Collected::kDone && file.WriteRecords(path);
    } catch (...) {
        WorkingHive().Assign({});
        written = false;
    }
    if (!written) ReportExportProblem();
    return written;
}

bool LoadSchemesFromFile(const std::string& path, SchemeStore* written,
                         SchemeFile::Checksum checksum, bool exact) {
    bool writing = false;
    GuardedChange change;
    try {
        return LoadAndWrite(path, change, writing, written, checksum, exact);
    } catch (...) {
        WorkingHive().Assign({});
        // Once the registry was being written, what it had written is put back.
        if (writing)
            ReportImportProblem(change.Undo());
        else
            SchemeFile::ReportNotASchemeFile();
        return false;
    }
}

std::vector<HiveRecord> ExportedSchemeRecords(const Scheme& scheme) {
    ClearHive();
    scheme.ExportToHive(scheme.name);
    std::vector<HiveRecord> records = WorkingHive().Records();
    ClearHive();
    for (HiveRecord& record : records)
        record = {Bare(record.section), Bare(record.key), Bare(record.value)};
    return records;
}

namespace {
void ReportRestoreProblem(bool putBack) {
    Warn(nullptr,
         putBack ? "The schemes of the backup could not all be put back.\n\nNothing has been "
                   "changed."
                 : "The schemes of the backup could not all be put back.\n\nThe schemes should "
                   "not be relied upon as correct.",
         "Restore Problem");
}

bool RestoreUnderLock(const Backup& backup, bool dryRun, std::string* summary) {
    std::vector<std::string> written, removed;
    for (const SchemeBefore& scheme : backup.schemes)
        (scheme.tree || scheme.value ? written : removed).push_back(scheme.name);
    if (summary)
        *summary = std::to_string(written.size()) + (written.size() == 1 ? " scheme" : " schemes") +
                   " put back, " + std::to_string(removed.size()) + " removed";
    if (dryRun) return true;
    std::vector<AllocationBefore> allocations;
    for (const AllocationBefore& allocation : backup.allocations) {
        RegKey key(false, allocation.key);
        AllocationBefore now{allocation.key, allocation.name, std::nullopt};
        for (const RegValue& value : key.Values())
            if (SameSchemeName(value.name, allocation.name)) now.value = value;
        allocations.push_back(std::move(now));
    }
    std::vector<SchemeBefore> before;
    GuardedChange change;
    const bool read = ReadBefore(written, removed, before);
    const SchemeStore replaced = SchemesBefore(before);
    if (!read || !change.Begin("restore", backup.summary.id, std::move(before),
                               std::move(allocations), replaced)) {
        ReportBackupProblem();
        return false;
    }
    if (!PutBack(backup)) {
        ReportRestoreProblem(change.Undo());
        return false;
    }
    change.Complete();
    return true;
}
} // namespace

bool RestoreBackup(const std::string& id, bool dryRun, std::string* summary) {
    try {
        Backup backup;
        if (!ReadBackup(id, backup)) {
            Warn(nullptr,
                 "The backup \"" + id +
                     "\" could not be read.\nIt may have been removed or "
                     "damaged.\n\nNothing has been changed.",
                 "Backup Problem");
            return false;
        }
        const WriterLock turn(nullptr);
        if (!turn.Held()) return false;
        RecoverInterruptedChange();
        return RestoreUnderLock(backup, dryRun, summary);
    } catch (...) {
        ReportRestoreProblem(false);
        return false;
    }
}
