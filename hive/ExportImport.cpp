#include "hive/ExportImport.h"
#include "framework/Notices.h"
#include "hive/ImportCheck.h"
#include "hive/ImportOrder.h"
#include "hive/SchemeFile.h"
#include "hive/SettingsHive.h"
#include "hive/ProgressDisplay.h"
#include "sections/SectionCodec.h"
#include "store/SchemeStore.h"
#include "store/WriterLock.h"

#include <optional>

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

void ReportImportProblem() {
    Warn(nullptr,
         "There was a problem importing your schemes file.\nThis may be due to the disk being "
         "corrupt or "
         "protected.\n\nIf the file appears to have been imported the settings should not be "
         "relied \nupon as "
         "correct",
         "Import Problem");
}

// Reads the file and writes what it holds; `writing` is set once the registry is about to change.
bool LoadAndWrite(const std::string& path, bool& writing, SchemeStore* written,
                  SchemeFile::Checksum checksum) {
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
    writing = true;
    if (store.SaveAll()) {
        if (written) *written = std::move(store);
        return true;
    }
    ReportImportProblem();
    return false;
}

} // namespace

// Nothing may leave these two as an exception: the window procedure that calls them, and the
// console tool, expect a result. Whatever fails (memory included) ends with the command's own
// message, and the working hive lets go of what it was holding.
bool SaveSchemesToFile(const std::string& path) {
    bool written = false;
    try {
        SchemeFile file;
        if (!file.CollectRecords()) return false; // another writer's turn: said so already
        written = file.WriteRecords(path);
    } catch (...) {
        WorkingHive().Assign({});
        written = false;
    }
    if (!written) ReportExportProblem();
    return written;
}

bool LoadSchemesFromFile(const std::string& path, SchemeStore* written,
                         SchemeFile::Checksum checksum) {
    bool writing = false;
    try {
        return LoadAndWrite(path, writing, written, checksum);
    } catch (...) {
        WorkingHive().Assign({});
        // Once the registry was being written, the message says the import may be incomplete.
        if (writing)
            ReportImportProblem();
        else
            SchemeFile::ReportNotASchemeFile();
        return false;
    }
}
