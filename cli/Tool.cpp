#include "cli/Tool.h"
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <new>
#include <set>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include "cli/ConsoleNotices.h"
#include "cli/ConsoleProgress.h"
#include "cli/FleetCommand.h"
#include "cli/HtmlPage.h"
#include "cli/Json.h"
#include "cli/SchemeDifferences.h"
#include "cli/StatusReport.h"
#include "cli/StoredScheme.h"
#include "cli/ToolText.h"
#include "hive/ExportImport.h"
#include "hive/ImportCheck.h"
#include "hive/LoadBackup.h"
#include "hive/SchemeFile.h"
#include "hive/SchemeFileFormat.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"
#include "store/SpreadWork.h"
#include "store/WriterLock.h"

namespace {

// A named field of a scheme as the shell's registry names it, with its value.
struct Field {
    const char* name;
    std::string text;
    bool number;
    int value;
};
using Fields = std::vector<Field>;

Field Text(const char* name, const std::string& text) { return {name, text, false, 0}; }
Field Number(const char* name, int value) { return {name, std::to_string(value), true, value}; }

// The fields of a part of a scheme, walked from its one table.
template <class Owner> Fields FieldsOf(const Owner& owner) {
    Fields fields;
    for (const SectionField<Owner>& f : Owner::kFields)
        fields.push_back(f.text ? Text(f.name, owner.*f.text) : Number(f.name, owner.*f.number));
    return fields;
}

// Text of this machine's ANSI code page as UTF-8, for JSON and the pages.
std::string Utf8(const std::string& text) { return AnsiToUtf8(text, GetACP()); }

Json JsonObject(const Fields& fields) {
    Json object = Json::object();
    for (const Field& field : fields)
        object[field.name] = field.number ? Json(field.value) : Json(Utf8(field.text));
    return object;
}

template <class Item> Json JsonArray(const std::vector<Item>& items) {
    Json array = Json::array();
    for (const Item& item : items)
        array.push_back(JsonObject(FieldsOf(item)));
    return array;
}

// A table of the page: the fields' names as columns, one row per item.
FieldTable TableOf(const char* title, const std::vector<Fields>& items,
                   const char* firstColumn = nullptr) {
    FieldTable table;
    table.title = title;
    if (firstColumn) table.columns.push_back(firstColumn);
    if (!items.empty())
        for (const Field& field : items.front())
            table.columns.push_back(field.name);
    for (size_t i = 0; i < items.size(); ++i) {
        std::vector<std::string> row;
        if (firstColumn) row.push_back(std::to_string(i + 1));
        for (const Field& field : items[i])
            row.push_back(Utf8(field.text));
        table.rows.push_back(std::move(row));
    }
    return table;
}

template <class Item> std::vector<Fields> FieldsOfEach(const std::vector<Item>& items) {
    std::vector<Fields> each;
    for (const Item& item : items)
        each.push_back(FieldsOf(item));
    return each;
}

std::string PlainFields(const Fields& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i)
        out += (i ? ", " : "") + std::string(fields[i].name) + " " +
               (fields[i].number ? fields[i].text : "\"" + WithoutControls(fields[i].text) + "\"");
    return out;
}

// Entries found by name: the same spelling first, else as the registry compares names (letter case
// ignored, SameSchemeName), for an import writes into the scheme of that name.
class EntryIndex {
public:
    explicit EntryIndex(const std::vector<SchemeEntry>& entries) {
        for (const SchemeEntry& entry : entries) {
            exact_.emplace(entry.name, &entry);
            folded_.emplace(SchemeNameKey(entry.name), &entry);
        }
    }
    const SchemeEntry* Find(const std::string& name) const {
        auto at = exact_.find(name);
        if (at != exact_.end()) return at->second;
        at = folded_.find(SchemeNameKey(name));
        return at != folded_.end() ? at->second : nullptr;
    }
    std::string Description(const std::string& name) const {
        const SchemeEntry* entry = Find(name);
        return entry ? entry->description : std::string();
    }

private:
    std::unordered_map<std::string, const SchemeEntry*> exact_;
    std::unordered_map<std::string, const SchemeEntry*> folded_;
};

// The built-in schemes of this machine.
class BuiltIn {
public:
    BuiltIn() {
        for (const std::string& name : SchemeStore::ReadProtectedNames())
            names_.insert(SchemeNameKey(name));
    }
    bool operator()(const std::string& name) const {
        return names_.count(SchemeNameKey(name)) != 0;
    }

private:
    std::unordered_set<std::string> names_;
};

void AddValues(std::vector<StoredValue>& values, const char* section, const std::string& item,
               const Fields& fields) {
    for (const Field& field : fields)
        values.push_back(
            {{section, item, field.name}, field.text, field.number ? "REG_DWORD" : "REG_SZ"});
}

// What an import stores for the scheme, named as the registry names it, in the order it writes
// it: the scheme's name, then its sections with the counts of their items as the lists have them.
std::vector<StoredValue> ValuesToStore(const Scheme& s) {
    std::vector<StoredValue> values;
    values.push_back({{"", "", "Scheme Name"}, s.name, "REG_SZ"});
    AddValues(values, "Defaults", "", FieldsOf(s.defaults));
    const std::vector<FolderRoot>& roots = s.roots.roots;
    AddValues(values, "FolderDisplay", "",
              {Number("RootFolderCount", static_cast<int>(roots.size()))});
    for (size_t r = 0; r < roots.size(); ++r)
        AddValues(values, "FolderDisplay", "Root " + std::to_string(r + 1), FieldsOf(roots[r]));
    AddValues(values, "TabSelection", "", FieldsOf(s.tabs));
    for (int p = 0; p < 3; ++p)
        AddValues(values, "ToolBars", "Page " + std::to_string(p + 1),
                  FieldsOf(s.toolBars.pages[p]));
    const std::vector<WebLink>& links = s.webLinks.links;
    AddValues(values, "WebLinks", "", {Number("WebLinksCount", static_cast<int>(links.size()))});
    for (size_t l = 0; l < links.size(); ++l)
        AddValues(values, "WebLinks", "WebLink " + std::to_string(l + 1), FieldsOf(links[l]));
    return values;
}

// The description a load leaves for `name`: of the file's entries for that registry value (names
// compared as the registry compares them) the last, which is written after the others.
std::string FileDescription(const SchemeStore& file, const std::string& name) {
    for (auto entry = file.entries.rbegin(); entry != file.entries.rend(); ++entry)
        if (SameSchemeName(entry->name, name)) return entry->description;
    return std::string();
}

// The copies of one scheme in a file: the spellings in file order, the last being what a load
// leaves on the machine.
struct Copies {
    std::vector<std::string> names;
    size_t last = 0; // index of the last copy in the file's schemes
};

// Per registry key, in the order of each key's first copy.
std::vector<Copies> CopiesByKey(const SchemeStore& file) {
    std::vector<Copies> keys;
    std::unordered_map<std::string, size_t> at;
    for (size_t i = 0; i < file.schemes.size(); ++i) {
        const auto found = at.emplace(SchemeNameKey(file.schemes[i].name), keys.size());
        if (found.second) keys.emplace_back();
        keys[found.first->second].names.push_back(file.schemes[i].name);
        keys[found.first->second].last = i;
    }
    return keys;
}

std::string Quoted(const std::vector<std::string>& names) {
    std::string out;
    for (size_t i = 0; i < names.size(); ++i)
        out += (i ? ", \"" : "\"") + WithoutControls(names[i]) + "\"";
    return out;
}

class Tool {
public:
    Tool(const CommandLine& line, std::ostream& out, std::ostream& err)
        : line_(line), out_(out), err_(err), notices_(err),
          progress_(err, line.command == ToolCommand::Export ||
                             (line.command == ToolCommand::Import && !line.dryRun)),
          started_(std::chrono::steady_clock::now()) {}

    // Leaves this computer's status record in the --report folder, after the command ended with
    // `code`. A record that cannot be written is said on the error stream; the code stays.
    void Report(int code) {
        if (line_.report.empty()) return;
        RunResult result = RunResult::Failed;
        if (code == kExitDone)
            result = line_.command == ToolCommand::Import ? RunResult::Imported : RunResult::InStep;
        else if (code == kExitDifferent)
            result = notices_.FirstTitle() == "File Load Problem" ? RunResult::Refused
                                                                  : RunResult::OutOfStep;
        StatusRecord record;
        record.result = result;
        record.exitCode = code;
        record.differenceCount = differences_.size();
        for (size_t i = 0; i < differences_.size() && i < kReportedDifferences; ++i) {
            const SchemeDifference& d = differences_[i];
            const auto utf8 = [](const std::optional<std::string>& text) {
                return text ? std::optional<std::string>(Utf8(*text)) : std::nullopt;
            };
            record.differences.push_back({Utf8(d.scheme), Utf8(d.difference.place.section),
                                          Utf8(d.difference.place.item),
                                          Utf8(d.difference.place.value), utf8(d.difference.inFile),
                                          utf8(d.difference.onMachine)});
        }
        record.version = VLSM_VERSION_TEXT;
        record.durationMs =
            static_cast<unsigned long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                std::chrono::steady_clock::now() - started_)
                                                .count());
        std::string why;
        if (!LeaveStatusRecord(line_.report, line_.file, record, why))
            err_ << "vlsm: status record not written: " << why << "\n";
    }

    int Run() {
        // A load or restore that never finished is put back before the schemes are read.
        if (line_.command != ToolCommand::Help && line_.command != ToolCommand::Version &&
            line_.command != ToolCommand::Show)
            RecoverInterrupted();
        switch (line_.command) {
        case ToolCommand::Help:
            out_ << ToolHelpText();
            return kExitDone;
        case ToolCommand::Version:
            out_ << "vlsm " << VLSM_VERSION_TEXT << "\n";
            return kExitDone;
        case ToolCommand::List:
            return List();
        case ToolCommand::Export:
            return Export();
        case ToolCommand::Import:
            return line_.dryRun ? DryRun() : Import();
        case ToolCommand::Verify:
            return Verify();
        case ToolCommand::Show:
            return Show();
        case ToolCommand::Backups:
            return Backups();
        case ToolCommand::Restore:
            return Restore();
        case ToolCommand::Fleet:
            return RunFleet(line_, out_, err_);
        }
        return kExitUsage;
    }

private:
    int Failed() { return ExitCodeForProblem(notices_.FirstTitle()); }

    SchemeFile::Checksum Checksum() const {
        return line_.requireChecksum ? SchemeFile::Checksum::Required
                                     : SchemeFile::Checksum::IfPresent;
    }

    bool SchemesReadable() {
        if (RegKey::Exists(HKEY_LOCAL_MACHINE, kSchemesKey)) return true;
        err_ << "vlsm: the schemes of this computer cannot be read: HKEY_LOCAL_MACHINE\\"
             << kSchemesKey << " is missing or cannot be opened\n";
        return false;
    }

    void SayIfNotElevated() {
        RegKey schemes(false, kSchemesKey);
        if (!schemes.Open(KEY_READ | KEY_WRITE) && schemes.LastError() == ERROR_ACCESS_DENIED)
            err_ << "vlsm: access to the schemes of this computer was denied: run vlsm as an "
                    "administrator (elevated) or as SYSTEM\n";
    }

    // The file's entries and schemes, as an import would take them; nothing is written.
    bool ReadFile(SchemeStore& file) {
        SchemeFile scheme;
        if (!scheme.ReadRecords(line_.file, nullptr, Checksum())) return false;
        file.records = std::move(scheme.records);
        file.ImportAll();
        return true;
    }

    // "could not read ..." when the watch saw a part of the registry that could not be read.
    bool ReadWhole(const RegistryReadWatch& watch) {
        if (watch.Clean()) return true;
        err_ << "vlsm: could not read " << watch.FirstFailure() << "\n";
        return false;
    }

    int List() {
        if (!SchemesReadable()) return kExitUnavailable;
        const RegistryReadWatch watch;
        SchemeStore machine;
        machine.RefreshEntries();
        const BuiltIn builtIn;
        if (!ReadWhole(watch)) return kExitUnavailable;
        if (line_.json) {
            Json schemes = Json::array();
            for (const SchemeEntry& entry : machine.entries)
                schemes.push_back({{"name", Utf8(entry.name)},
                                   {"description", Utf8(entry.description)},
                                   {"builtIn", builtIn(entry.name)}});
            out_ << JsonText({{"schemes", schemes}});
        } else {
            for (const SchemeEntry& entry : machine.entries)
                out_ << WithoutControls(entry.name) << "\t"
                     << (builtIn(entry.name) ? "built in" : "-") << "\t"
                     << WithoutControls(entry.description) << "\n";
        }
        return kExitDone;
    }

    int Export() {
        if (!SchemesReadable()) return kExitUnavailable;
        if (!SaveSchemesToFile(line_.file)) return Failed();
        out_ << "saved the schemes of this computer to " << line_.file << " and their checksum to "
             << ChecksumPathOf(line_.file) << "\n";
        return kExitDone;
    }

    int Import() {
        WriterLock::SetDefaultWait(static_cast<DWORD>(line_.waitSeconds) * 1000);
        // The record names what the import puts right: the differences found before it.
        if (!line_.report.empty()) {
            SchemeStore file;
            if (!ReadFile(file)) return Failed();
            if (RegKey::Exists(HKEY_LOCAL_MACHINE, kSchemesKey)) {
                const WriterLock turn(nullptr);
                if (!turn.Held()) return Failed();
                SchemeStore machine;
                machine.RefreshEntries();
                differences_ = FindDifferences(file, machine);
            }
        }
        if (LoadSchemesFromFile(line_.file, nullptr, Checksum(), line_.exact)) {
            out_ << "loaded the schemes of " << line_.file << "\n";
            return kExitDone;
        }
        const int code = Failed();
        if (code == kExitUnavailable) SayIfNotElevated();
        return code;
    }

    // Calls `each(scheme, onMachine, differences)` for every scheme of the file in the file's
    // order, with the machine's entry of that name (or none) and the scheme's differences from it
    // (its description, then its values as the shell reads them). Each scheme is read and compared
    // on its own, a few at once, a batch at a time.
    template <class Each>
    static void CompareWithMachine(const SchemeStore& file, const SchemeStore& machine, Each each) {
        // Of several copies of one scheme only the last reaches the machine: it alone is compared.
        std::vector<const Scheme*> kept;
        for (const Copies& copies : CopiesByKey(file))
            kept.push_back(&file.schemes[copies.last]);
        const EntryIndex machineEntries(machine.entries);
        Scheme sample; // one item of each kind, for the names of an item's values
        sample.roots.roots.resize(1);
        sample.webLinks.links.resize(1);
        const ItemValueNames itemValues = ItemValueNamesOf(ValuesToStore(sample));
        constexpr size_t kBatch = 64;
        constexpr unsigned kThreads = 6;
        for (size_t first = 0; first < kept.size(); first += kBatch) {
            const size_t count = std::min(kBatch, kept.size() - first);
            std::vector<const SchemeEntry*> onMachine(count);
            std::vector<std::vector<RecordDifference>> found(count);
            for (size_t i = 0; i < count; ++i)
                onMachine[i] = machineEntries.Find(kept[first + i]->name);
            SpreadWork(
                count,
                [&](size_t i) {
                    const Scheme& scheme = *kept[first + i];
                    if (!onMachine[i]) return;
                    const std::string description = FileDescription(file, scheme.name);
                    if (description != onMachine[i]->description)
                        found[i].push_back(
                            DescriptionDifference(description, onMachine[i]->description));
                    const std::vector<StoredValue> toStore = ValuesToStore(scheme);
                    for (RecordDifference& d : CompareStoredValues(
                             toStore, ReadStoredScheme(onMachine[i]->name, toStore, itemValues)))
                        found[i].push_back(std::move(d));
                },
                kThreads);
            for (size_t i = 0; i < count; ++i)
                each(*kept[first + i], onMachine[i], found[i]);
        }
    }

    // A line for every scheme the file holds more than once: a hand-merged file can, and only
    // its last copy reaches the machine.
    void NameRepeats(const SchemeStore& file) {
        for (const Copies& copies : CopiesByKey(file))
            if (copies.names.size() > 1)
                out_ << "scheme \"" << WithoutControls(copies.names.back()) << "\": in the file "
                     << copies.names.size() << " times (" << Quoted(copies.names)
                     << "); a load keeps the last\n";
    }

    // Every difference of the machine from the file; with --exact, the machine's schemes that the
    // file lacks too.
    std::vector<SchemeDifference> FindDifferences(const SchemeStore& file,
                                                  const SchemeStore& machine) {
        std::vector<SchemeDifference> found;
        CompareWithMachine(file, machine,
                           [&](const Scheme& scheme, const SchemeEntry* onMachine,
                               std::vector<RecordDifference>& differences) {
                               if (!onMachine)
                                   found.push_back({scheme.name, WholeSchemeDifference(true)});
                               for (RecordDifference& d : differences)
                                   found.push_back({scheme.name, std::move(d)});
                           });
        if (!line_.exact) return found;
        // Built-in schemes are never removed by an exact import, so they are no difference.
        const BuiltIn builtIn;
        std::unordered_set<std::string> inFile;
        for (const Scheme& scheme : file.schemes)
            inFile.insert(SchemeNameKey(scheme.name));
        for (const SchemeEntry& entry : machine.entries)
            if (!builtIn(entry.name) && !inFile.count(SchemeNameKey(entry.name)))
                found.push_back({entry.name, WholeSchemeDifference(false)});
        return found;
    }

    int DryRun() {
        SchemeStore file;
        if (!ReadFile(file)) return Failed();
        if (!SchemesReadable()) return kExitUnavailable;
        NameRepeats(file);
        // The machine's schemes are read whole: no writer is half way through one meanwhile.
        const WriterLock turn(nullptr);
        if (!turn.Held()) return Failed();
        SchemeStore machine;
        machine.RefreshEntries();
        CompareWithMachine(file, machine,
                           [&](const Scheme& scheme, const SchemeEntry* onMachine,
                               const std::vector<RecordDifference>& differences) {
                               const char* outcome = !onMachine            ? "would add"
                                                     : differences.empty() ? "identical"
                                                                           : "would replace";
                               out_ << outcome << ": " << WithoutControls(scheme.name) << "\n";
                           });
        return kExitDone;
    }

    int Verify() {
        SchemeStore file;
        if (!ReadFile(file)) return Failed();
        if (!SchemesReadable()) return kExitUnavailable;
        NameRepeats(file);
        const WriterLock turn(nullptr);
        if (!turn.Held()) return Failed();
        SchemeStore machine;
        machine.RefreshEntries();
        differences_ = FindDifferences(file, machine);
        for (const SchemeDifference& d : differences_)
            out_ << WithoutControls(DescribeDifference(d.scheme, d.difference)) << "\n";
        const size_t count = differences_.size();
        if (count == 0) {
            out_ << "in step with " << line_.file << "\n";
            return kExitDone;
        }
        out_ << count << (count == 1 ? " difference" : " differences") << " from " << line_.file
             << "\n";
        return kExitDifferent;
    }

    int Show() {
        SchemeStore file;
        if (!ReadFile(file)) return Failed();
        const EntryIndex entries(file.entries);
        const BuiltIn builtIn;
        if (!line_.html.empty() && !WritePage(SchemeFilePage(Utf8(line_.file), SchemeViews(file))))
            return kExitUnavailable;
        if (line_.json) {
            Json schemes = Json::array();
            for (const Scheme& s : file.schemes) {
                Json toolbars = Json::array();
                for (const ToolBarPage& page : s.toolBars.pages)
                    toolbars.push_back(JsonObject(FieldsOf(page)));
                schemes.push_back({{"name", Utf8(s.name)},
                                   {"description", Utf8(entries.Description(s.name))},
                                   {"builtIn", builtIn(s.name)},
                                   {"defaults", JsonObject(FieldsOf(s.defaults))},
                                   {"tabs", JsonObject(FieldsOf(s.tabs))},
                                   {"toolbars", toolbars},
                                   {"roots", JsonArray(s.roots.roots)},
                                   {"links", JsonArray(s.webLinks.links)}});
            }
            Json document = {{"schemes", schemes}};
            // Only a file that holds a scheme more than once has the list.
            for (const Copies& copies : CopiesByKey(file)) {
                if (copies.names.size() < 2) continue;
                Json names = Json::array();
                for (const std::string& name : copies.names)
                    names.push_back(Utf8(name));
                document["repeated"].push_back(
                    {{"name", Utf8(copies.names.back())}, {"copies", names}});
            }
            out_ << JsonText(document);
            return kExitDone;
        }
        for (const Scheme& s : file.schemes) {
            out_ << "scheme \"" << WithoutControls(s.name) << "\""
                 << (builtIn(s.name) ? " (built in)" : "") << ": \""
                 << WithoutControls(entries.Description(s.name)) << "\"\n";
            out_ << "  defaults: " << PlainFields(FieldsOf(s.defaults)) << "\n";
            out_ << "  tabs: " << PlainFields(FieldsOf(s.tabs)) << "\n";
            for (int p = 0; p < 3; ++p)
                out_ << "  toolbar page " << p + 1 << ": "
                     << PlainFields(FieldsOf(s.toolBars.pages[p])) << "\n";
            for (size_t r = 0; r < s.roots.roots.size(); ++r)
                out_ << "  root " << r + 1 << ": " << PlainFields(FieldsOf(s.roots.roots[r]))
                     << "\n";
            for (size_t l = 0; l < s.webLinks.links.size(); ++l)
                out_ << "  link " << l + 1 << ": " << PlainFields(FieldsOf(s.webLinks.links[l]))
                     << "\n";
        }
        NameRepeats(file);
        return kExitDone;
    }

    static std::ostream*& InterruptedStream() {
        static std::ostream* stream = nullptr;
        return stream;
    }
    static void ReportInterrupted(const BackupSummary& change, bool putBack) {
        if (std::ostream* err = InterruptedStream())
            *err << "vlsm: the " << (change.kind == "restore" ? "restore" : "load")
                 << " that began at " << change.when
                 << (putBack ? " did not finish; the schemes it had changed were put back\n"
                             : " did not finish; the schemes it had changed could not all be put "
                               "back, and nothing can be loaded or restored until they are\n");
    }
    void RecoverInterrupted() {
        InterruptedStream() = &err_;
        const InterruptedReport previous = SetInterruptedReport(&Tool::ReportInterrupted);
        RecoverInterruptedChange();
        SetInterruptedReport(previous);
    }

    int Backups() {
        const std::vector<BackupSummary> backups = ListBackups();
        if (line_.json) {
            out_ << "{\"folder\": " << JsonString(BackupFolder()) << ", \"backups\": [";
            for (size_t i = 0; i < backups.size(); ++i) {
                const BackupSummary& b = backups[i];
                out_ << (i ? "," : "") << "\n  {\"id\": " << JsonString(b.id)
                     << ", \"kind\": " << JsonString(b.kind) << ", \"when\": " << JsonString(b.when)
                     << ", \"user\": " << JsonString(b.user) << ", \"by\": " << JsonString(b.by)
                     << ", \"file\": " << JsonString(b.file) << ", \"replaced\": " << b.replaced
                     << ", \"added\": " << b.added << ", \"removed\": " << b.removed
                     << ", \"schemeFile\": " << JsonString(BackupSchemeFile(b.id)) << "}";
            }
            out_ << (backups.empty() ? "" : "\n") << "]}\n";
            return kExitDone;
        }
        for (const BackupSummary& b : backups)
            out_ << b.id << "\t" << b.when << "\t" << b.user << " (" << b.by << ")\t" << b.kind
                 << " of " << b.file << "\t" << b.replaced << " replaced, " << b.added << " added, "
                 << b.removed << " removed\n";
        if (backups.empty()) out_ << "no backups in " << BackupFolder() << "\n";
        return kExitDone;
    }

    int Restore() {
        WriterLock::SetDefaultWait(static_cast<DWORD>(line_.waitSeconds) * 1000);
        const std::vector<BackupSummary> backups = ListBackups();
        std::string id = line_.file;
        if (id.empty() && !backups.empty()) id = backups.back().id;
        const bool known = std::any_of(backups.begin(), backups.end(),
                                       [&](const BackupSummary& b) { return b.id == id; });
        if (!known) {
            err_ << "vlsm: "
                 << (id.empty() ? std::string("there is no backup") : "there is no backup " + id)
                 << " in " << BackupFolder() << "\n";
            return kExitDifferent;
        }
        std::string what;
        if (RestoreBackup(id, line_.dryRun, &what)) {
            out_ << (line_.dryRun ? "would restore " : "restored ") << id << ": " << what << "\n";
            return kExitDone;
        }
        const int code = Failed();
        if (code == kExitUnavailable) SayIfNotElevated();
        return code;
    }

    // The schemes of a file as the page shows them.
    static std::vector<SchemeView> SchemeViews(const SchemeStore& file) {
        std::vector<SchemeView> views;
        const EntryIndex entries(file.entries);
        for (const Scheme& s : file.schemes) {
            SchemeView view;
            view.name = Utf8(s.name);
            view.description = Utf8(entries.Description(s.name));
            view.roots = s.roots.roots.size();
            view.links = s.webLinks.links.size();
            std::vector<Fields> pages;
            for (const ToolBarPage& page : s.toolBars.pages)
                pages.push_back(FieldsOf(page));
            view.tables = {TableOf("defaults", {FieldsOf(s.defaults)}),
                           TableOf("tabs", {FieldsOf(s.tabs)}),
                           TableOf("toolbar switches", pages, "page"),
                           TableOf("roots", FieldsOfEach(s.roots.roots), "root"),
                           TableOf("links", FieldsOfEach(s.webLinks.links), "link")};
            views.push_back(std::move(view));
        }
        return views;
    }

    bool WritePage(const std::string& page) {
        if (ReplaceWholeFile(line_.html, page)) return true;
        err_ << "vlsm: the page could not be written: " << line_.html << "\n";
        return false;
    }

    const CommandLine& line_;
    std::ostream& out_;
    std::ostream& err_;
    ConsoleNotices notices_;
    ConsoleProgress progress_;
    const std::chrono::steady_clock::time_point started_;
    std::vector<SchemeDifference> differences_; // what verify found, or import put right
};

} // namespace

int RunTool(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const DWORD previousWait = WriterLock::DefaultWait();
    SetChangeAuthor("tool");
    int code = kExitUnavailable;
    // Nothing may end the tool without its exit code, a line a log keeps and its status record.
    Tool tool(line, out, err);
    try {
        code = tool.Run();
    } catch (const std::bad_alloc&) {
        err << "vlsm: not enough memory to finish the command\n";
    } catch (const std::exception& failure) {
        err << "vlsm: the command failed: " << failure.what() << "\n";
    }
    try {
        tool.Report(code);
    } catch (const std::exception&) {
        err << "vlsm: status record not written: not enough memory\n";
    }
    WriterLock::SetDefaultWait(previousWait);
    out.flush();
    return code;
}
