#include "hive/ExportImport.h"
#include "framework/Notices.h"
#include "hive/ImportCheck.h"
#include "hive/SchemeFile.h"
#include "hive/SettingsHive.h"
#include "hive/ProgressDisplay.h"
#include "sections/SectionCodec.h"
#include "store/SchemeStore.h"
#include "store/WriterLock.h"

namespace {

const char* const kEntrySection = "Config Hive";
const char* const kCountSection = "Scheme Count";
const char* const kCountKey = "The number of schemes";
const char* const kSchemeNameKey = "Name of scheme";
constexpr size_t kLongestName = 255;

std::string EntryKey(size_t k) { return "Config" + std::to_string(k); }
std::string SchemeSection(size_t i) { return "Scheme" + std::to_string(i); }

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

} // namespace

bool IsSafeSchemeName(const std::string& name) {
    return !name.empty() && name.size() <= kLongestName && name.find('\\') == std::string::npos &&
           name.find('\0') == std::string::npos && !ContainsTerminator(name);
}

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

    // A count no checked file holds cannot run the loops past what the records could carry.
    const int count = HiveItemBound(GetNumber(kCountSection, kCountKey), 1);
    OperationProgress progress(count, "Loading your file from disk");

    // Entry k's two records stand at 2k - 2 and 2k - 1 in every file the program writes. Read
    // with the cursor there, they are taken from their places, so a scheme named "Config" and a
    // number can never be mistaken for an entry's name record; a file laid out otherwise falls
    // back on the scan. Reading the count once more then steps the cursor over its record onto
    // the first scheme's, as every scheme read below expects.
    ResetCursor();
    entries.clear();
    for (int k = 1; k <= count; ++k) {
        SchemeEntry entry;
        entry.name = GetString(kEntrySection, EntryKey(static_cast<size_t>(k)));
        entry.description = GetString(kEntrySection, entry.name);
        entries.push_back(std::move(entry));
    }
    GetNumber(kCountSection, kCountKey);
    progress.Step();

    schemes.clear();
    for (int i = 0; i < count; ++i) {
        Scheme scheme;
        scheme.name = GetString(SchemeSection(static_cast<size_t>(i)), kSchemeNameKey);
        scheme.ImportFromHive(scheme.name);
        schemes.push_back(std::move(scheme));
        progress.Step();
    }
}

bool SaveSchemesToFile(const std::string& path) {
    SchemeFile file;
    file.CollectRecords();
    if (file.WriteRecords(path)) return true;
    Warn(nullptr,
         "There was a problem exporting your schemes file.\nThis may be due to the disk being "
         "full, corrupt or "
         "protected.\n\nIf the file appears to have been created it should not be\nrelied upon as "
         "correct",
         "Export Problem");
    return false;
}

bool LoadSchemesFromFile(const std::string& path) {
    SchemeFile file;
    if (!file.ReadRecords(path)) return false;
    SchemeStore store;
    store.records = std::move(file.records);
    store.ImportAll();
    // The names written are the ones the import took, checked again before anything is written.
    if (!ImportedNamesSafe(store)) {
        SchemeFile::ReportNotASchemeFile();
        return false;
    }
    // Another writer of this machine (the program or the tool) finishes first; ours then follows.
    const WriterLock turn(nullptr);
    if (!turn.Held()) return false;
    if (store.SaveAll()) return true;
    Warn(nullptr,
         "There was a problem importing your schemes file.\nThis may be due to the disk being "
         "corrupt or "
         "protected.\n\nIf the file appears to have been imported the settings should not be "
         "relied \nupon as "
         "correct",
         "Import Problem");
    return false;
}
