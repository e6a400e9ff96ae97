#include "hive/LoadBackup.h"
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <sstream>
#include <unordered_map>
#include "framework/FileSystem.h"
#include "framework/Notices.h"
#include "hive/ProgressDisplay.h"
#include "hive/SchemeFile.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"
#include "store/SpreadWork.h"
#include "store/WriterLock.h"

namespace {

const char* const kManifestHeader = "Vexar Lumen Scheme Manager backup 1";
const char* const kManifestEnd = "end";
const char* const kMarkerName = "Writing";
const char* const kKeptValue = "Backups Kept";
constexpr size_t kDefaultKept = 20;

// The program's own box; the tool puts a line of its own in its place.
void ShowInterrupted(const BackupSummary& change, bool putBack) {
    const std::string what =
        std::string(change.kind == "restore" ? "The restore of a backup" : "The load from disk") +
        " that began at " + change.when + " did not finish.\n\n";
    if (putBack)
        ShowMessage(nullptr,
                    what + "The schemes it had changed have been put back as they were before it "
                           "began.",
                    "Schemes Put Back", MB_OK | MB_ICONINFORMATION);
    else
        ShowMessage(nullptr,
                    what + "The schemes it had changed could not all be put back, and should not "
                           "be relied upon as correct. The next start tries again; until then "
                           "nothing can be loaded or restored.",
                    "Schemes Not Put Back", MB_OK | MB_ICONWARNING);
}

std::string g_author = "program";
std::string g_folder;
InterruptedReport g_report = ShowInterrupted;

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2 + 1);
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    // An empty field still takes a place on its line.
    return out.empty() ? "-" : out;
}

bool Unhex(const std::string& text, std::string& bytes) {
    bytes.clear();
    if (text == "-") return true;
    if (text.size() % 2) return false;
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

std::string ManifestPath(const std::string& id) { return BackupFolder() + "\\" + id + ".vlb"; }
std::string MarkerPath() { return BackupFolder() + "\\" + kMarkerName; }

// An id is the time in UTC, so that ids sort in the order the backups were made even across the
// night the clocks go back; the time shown to people is local.
std::string Now(bool forId) {
    SYSTEMTIME t;
    if (forId)
        GetSystemTime(&t);
    else
        GetLocalTime(&t);
    char text[40];
    std::snprintf(text, sizeof text,
                  forId ? "%04u%02u%02u-%02u%02u%02u-%03u" : "%04u-%02u-%02u %02u:%02u:%02u",
                  t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

std::string UserName() {
    char name[257] = "";
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? name : "";
}

void CountChanges(Backup& backup) {
    BackupSummary& s = backup.summary;
    s.replaced = s.added = s.removed = 0;
    for (const SchemeBefore& scheme : backup.schemes) {
        if (scheme.removes)
            ++s.removed;
        else if (scheme.tree || scheme.value)
            ++s.replaced;
        else
            ++s.added;
    }
}

void WriteValue(std::ostringstream& out, const char* tag, const RegValue& value, bool named) {
    out << tag;
    if (named) out << ' ' << Hex(value.name);
    out << ' ' << value.type << ' ' << Hex(value.data) << '\n';
}

std::string Manifest(const Backup& backup) {
    const BackupSummary& s = backup.summary;
    std::ostringstream out;
    out << kManifestHeader << "\nid " << s.id << "\nkind " << s.kind << "\nwhen " << s.when
        << "\nuser " << Hex(s.user) << "\nby " << s.by << "\nfile " << Hex(s.file) << "\ncounts "
        << s.replaced << ' ' << s.added << ' ' << s.removed << '\n';
    for (const SchemeBefore& scheme : backup.schemes) {
        out << "scheme " << (scheme.removes ? 'r' : 'w') << ' ' << Hex(scheme.name) << '\n';
        if (scheme.value) WriteValue(out, "value", *scheme.value, true);
        if (!scheme.tree) continue;
        out << "tree " << Hex(scheme.tree->name) << '\n';
        for (const KeyTree::Key& key : scheme.tree->keys) {
            out << "key " << Hex(key.path) << '\n';
            for (const RegValue& value : key.values)
                WriteValue(out, "v", value, true);
        }
    }
    for (const AllocationBefore& allocation : backup.allocations) {
        out << "allocation " << Hex(allocation.key) << ' ' << Hex(allocation.name);
        if (allocation.value)
            out << ' ' << allocation.value->type << ' ' << Hex(allocation.value->data);
        out << '\n';
    }
    out << kManifestEnd << '\n';
    return out.str();
}

bool ReadValue(std::istringstream& in, RegValue& value, bool named) {
    std::string name, data;
    if (named && !(in >> name && Unhex(name, value.name))) return false;
    return static_cast<bool>(in >> value.type >> data) && Unhex(data, value.data);
}

// Putting a backup back writes where its manifest says: only scheme keys (a name that could name
// the Schemes key itself or a key below a scheme is refused) and the two allocation keys.
bool WithinSchemes(const Backup& backup) {
    auto schemeKey = [](const std::string& name) {
        return !name.empty() && name.find('\\') == std::string::npos;
    };
    for (const SchemeBefore& scheme : backup.schemes) {
        if (!schemeKey(scheme.name) ||
            (scheme.tree && !SameSchemeName(scheme.tree->name, scheme.name)))
            return false;
    }
    return std::all_of(backup.allocations.begin(), backup.allocations.end(),
                       [](const AllocationBefore& a) {
                           return a.key == kClassSchemesKey || a.key == kUserSchemesKey;
                       });
}

// Parses a manifest; with `headOnly` it stops after the summary.
bool ParseManifest(const std::string& text, Backup& backup, bool headOnly) {
    backup = Backup();
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kManifestHeader) return false;
    BackupSummary& s = backup.summary;
    bool ended = false;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string tag;
        in >> tag;
        bool ok = true;
        if (tag == "id")
            ok = static_cast<bool>(in >> s.id);
        else if (tag == "kind")
            ok = static_cast<bool>(in >> s.kind);
        else if (tag == "when")
            ok = static_cast<bool>(std::getline(in >> std::ws, s.when));
        else if (tag == "by")
            ok = static_cast<bool>(in >> s.by);
        else if (tag == "user" || tag == "file") {
            std::string hex;
            ok = in >> hex && Unhex(hex, tag == "user" ? s.user : s.file);
        } else if (tag == "counts") {
            ok = static_cast<bool>(in >> s.replaced >> s.added >> s.removed);
            if (ok && headOnly) return !s.id.empty();
        } else if (tag == "scheme") {
            std::string kind, name;
            ok = in >> kind >> name && (kind == "w" || kind == "r");
            backup.schemes.push_back({});
            backup.schemes.back().removes = kind == "r";
            ok = ok && Unhex(name, backup.schemes.back().name);
        } else if (tag == "value" && !backup.schemes.empty()) {
            RegValue value;
            ok = ReadValue(in, value, true);
            backup.schemes.back().value = value;
        } else if (tag == "tree" && !backup.schemes.empty()) {
            std::string name;
            backup.schemes.back().tree = KeyTree();
            ok = in >> name && Unhex(name, backup.schemes.back().tree->name);
        } else if (tag == "key" && !backup.schemes.empty() && backup.schemes.back().tree) {
            std::string path;
            backup.schemes.back().tree->keys.push_back({});
            ok = in >> path && Unhex(path, backup.schemes.back().tree->keys.back().path);
        } else if (tag == "v" && !backup.schemes.empty() && backup.schemes.back().tree &&
                   !backup.schemes.back().tree->keys.empty()) {
            RegValue value;
            ok = ReadValue(in, value, true);
            backup.schemes.back().tree->keys.back().values.push_back(std::move(value));
        } else if (tag == "allocation") {
            std::string key, name;
            AllocationBefore allocation;
            ok = in >> key >> name && Unhex(key, allocation.key) && Unhex(name, allocation.name);
            RegValue value;
            value.name = allocation.name;
            if (ok && ReadValue(in, value, false)) allocation.value = value;
            backup.allocations.push_back(std::move(allocation));
        } else if (tag == kManifestEnd) {
            ended = true;
            break;
        } else {
            ok = false;
        }
        if (!ok) return false;
    }
    // Only a manifest written whole counts: a change without one never wrote anything.
    return ended && !s.id.empty() && (headOnly || WithinSchemes(backup));
}

std::vector<std::string> BackupIds() {
    std::vector<std::string> ids;
    for (const std::string& name : ListFiles(BackupFolder(), "*.vlb"))
        if (name.size() > 4) ids.push_back(name.substr(0, name.size() - 4));
    std::sort(ids.begin(), ids.end());
    return ids;
}

void RemoveBackupFiles(const std::string& id) {
    RemoveFile(ManifestPath(id));
    RemoveFile(BackupSchemeFile(id));
}

std::string NewId() {
    const std::string base = Now(true);
    std::string id = base;
    for (int n = 2; PathExists(ManifestPath(id)) || PathExists(BackupSchemeFile(id)); ++n)
        id = base + "-" + std::to_string(n);
    return id;
}

// The backup's scheme file: the replaced schemes with their entries, as a save writes them,
// without a progress display of its own.
bool WriteSchemeFile(const std::string& path, const SchemeStore& replaced) {
    SchemeStore store = replaced;
    ProgressDisplay* shown = SetProgressDisplay(nullptr);
    store.ExportAll();
    SetProgressDisplay(shown);
    SchemeFile file;
    file.records = std::move(store.records);
    return file.WriteRecords(path);
}

void FlushSchemes() {
    RegKey schemes(false, kSchemesKey);
    schemes.Flush();
}

} // namespace

void SetChangeAuthor(const std::string& by) { g_author = by; }

std::string BackupFolder() {
    if (!g_folder.empty()) return g_folder;
    const std::string data = CommonDataFolder();
    return data.empty() ? std::string() : data + "\\Orrinford\\Vexar Lumen Scheme Manager\\Backups";
}

void SetBackupFolder(const std::string& folder) { g_folder = folder; }

size_t BackupsKept() {
    RegKey key(false, kInstallKey);
    DWORD kept = 0;
    if (!key.ReadDword(kKeptValue, kept)) return kDefaultKept;
    return kept < 1 ? 1 : kept;
}

std::string BackupSchemeFile(const std::string& id) { return BackupFolder() + "\\" + id + ".esm"; }

std::vector<BackupSummary> ListBackups() {
    std::vector<BackupSummary> listed;
    for (const std::string& id : BackupIds()) {
        std::string head;
        unsigned long long size = 0;
        Backup backup;
        if (ReadFileHead(ManifestPath(id), 64 * 1024, head, size) &&
            ParseManifest(head, backup, true) && backup.summary.id == id)
            listed.push_back(backup.summary);
    }
    return listed;
}

bool ReadBackup(const std::string& id, Backup& backup) {
    std::string text;
    return !id.empty() && ReadWholeFile(ManifestPath(id), text) &&
           ParseManifest(text, backup, false) && backup.summary.id == id;
}

bool ReadBefore(const std::vector<std::string>& written, const std::vector<std::string>& removed,
                std::vector<SchemeBefore>& before) {
    before.clear();
    RegKey schemes(false, kSchemesKey);
    // Without a Schemes key every name is new; the write then fails with its own message.
    if (!schemes.Open(KEY_READ) && schemes.LastError() != ERROR_FILE_NOT_FOUND) return false;
    std::unordered_map<std::string, RegValue> values;
    for (RegValue& value : schemes.Values())
        values.emplace(SchemeNameKey(value.name), std::move(value));
    std::unordered_map<std::string, std::string> keys;
    for (const std::string& name : schemes.SubKeyNames())
        keys.emplace(SchemeNameKey(name), name);
    // One entry per registry name, whatever spellings the change uses.
    std::unordered_map<std::string, size_t> seen;
    std::vector<std::string> treeNames;
    auto note = [&](const std::string& name, bool removes) {
        const std::string key = SchemeNameKey(name);
        if (seen.count(key)) return;
        seen.emplace(key, before.size());
        SchemeBefore scheme;
        scheme.name = name;
        scheme.removes = removes;
        if (values.count(key)) scheme.value = values[key];
        before.push_back(std::move(scheme));
        treeNames.push_back(keys.count(key) ? keys[key] : std::string());
    };
    for (const std::string& name : removed)
        note(name, true);
    for (const std::string& name : written)
        note(name, false);
    std::atomic<bool> whole{true};
    SpreadWork(before.size(), [&](size_t i) {
        if (treeNames[i].empty()) return;
        RegKey own(false, kSchemesKey); // a RegKey is not shared between threads
        KeyTree tree;
        if (own.ReadTree(treeNames[i], tree))
            before[i].tree = std::move(tree);
        else
            whole = false;
    });
    return whole;
}

bool SchemeFromTree(const KeyTree& tree, Scheme& scheme) {
    const RegistryImage image(SchemeKeyPath(tree.name), tree);
    std::string named;
    return scheme.ReadFromRegistry(tree.name) &&
           RegKey(false, SchemeKeyPath(tree.name)).ReadString("Scheme Name", named) &&
           named == tree.name;
}

SchemeStore SchemesBefore(const std::vector<SchemeBefore>& before) {
    std::vector<const SchemeBefore*> kept;
    for (const SchemeBefore& scheme : before)
        if (scheme.tree) kept.push_back(&scheme);
    SchemeStore store;
    store.schemes.resize(kept.size());
    SpreadWork(kept.size(), [&](size_t i) { SchemeFromTree(*kept[i]->tree, store.schemes[i]); });
    for (const SchemeBefore* scheme : kept)
        if (scheme->value) store.entries.push_back({scheme->value->name, scheme->value->Text()});
    return store;
}

bool PutBack(const Backup& backup) {
    RegKey schemes(false, kSchemesKey);
    if (!schemes.Open(KEY_ALL_ACCESS)) return false;
    std::unordered_map<std::string, std::string> spelled;
    for (const std::string& name : schemes.ValueNames())
        spelled.emplace(SchemeNameKey(name), name);
    bool ok = true;
    for (const SchemeBefore& scheme : backup.schemes) {
        auto now = spelled.find(SchemeNameKey(scheme.name));
        if (scheme.value) {
            // The name keeps the spelling it had: a value of another spelling goes first.
            if (now != spelled.end() && now->second != scheme.value->name)
                schemes.DeleteValue(now->second);
            ok = schemes.WriteRaw(scheme.value->name, scheme.value->type, scheme.value->data) && ok;
        } else if (now != spelled.end()) {
            ok = schemes.DeleteValue(now->second) && ok;
        }
    }
    std::atomic<bool> trees{true};
    SpreadWork(backup.schemes.size(), [&](size_t i) {
        const SchemeBefore& scheme = backup.schemes[i];
        RegKey own(false, kSchemesKey); // a RegKey is not shared between threads
        HaltPointForTests();
        const bool done = scheme.tree ? own.WriteTree(*scheme.tree)
                                      : !own.HasSubKey(scheme.name) || own.DeleteTree(scheme.name);
        if (!done) trees = false;
    });
    for (const AllocationBefore& allocation : backup.allocations) {
        RegKey key(true, allocation.key);
        if (allocation.value)
            ok =
                key.WriteRaw(allocation.name, allocation.value->type, allocation.value->data) && ok;
        else if (key.Open(KEY_ALL_ACCESS))
            key.DeleteValue(allocation.name); // already gone is as good
    }
    FlushSchemes();
    return ok && trees;
}

GuardedChange::~GuardedChange() {
    if (open_) Undo();
}

bool GuardedChange::Begin(const std::string& kind, const std::string& file,
                          std::vector<SchemeBefore> before,
                          std::vector<AllocationBefore> allocations, const SchemeStore& replaced) {
    const std::string folder = BackupFolder();
    if (folder.empty() || !MakeAdminFolder(folder)) return false;
    id_ = NewId();
    backup_ = Backup();
    BackupSummary& s = backup_.summary;
    s.id = id_;
    s.kind = kind;
    s.when = Now(false);
    s.user = UserName();
    s.by = g_author;
    s.file = file;
    backup_.schemes = std::move(before);
    backup_.allocations = std::move(allocations);
    CountChanges(backup_);
    // An earlier change still to be put back keeps its marker: written over, it would be lost.
    if (PathExists(MarkerPath())) return false;
    // The marker first: a change stopped before its manifest is whole has written nothing.
    if (!ReplaceWholeFile(MarkerPath(), id_)) return false;
    const bool kept = ReplaceWholeFile(ManifestPath(id_), Manifest(backup_));
    // The manifest alone is enough to put everything back; the scheme file is for reading.
    if (kept) WriteSchemeFile(BackupSchemeFile(id_), replaced);
    if (!kept) {
        RemoveFile(MarkerPath());
        RemoveBackupFiles(id_);
        return false;
    }
    open_ = true;
    return true;
}

void GuardedChange::Complete() {
    if (!open_) return;
    FlushSchemes();
    RemoveFile(MarkerPath());
    open_ = false;
    const std::vector<std::string> ids = BackupIds();
    const size_t kept = BackupsKept();
    for (size_t i = 0; i + kept < ids.size(); ++i)
        RemoveBackupFiles(ids[i]);
}

bool GuardedChange::Undo() {
    if (!open_) return true;
    const bool back = PutBack(backup_);
    // Put back whole, the change never happened: nothing is left to undo later.
    if (back) {
        RemoveFile(MarkerPath());
        RemoveBackupFiles(id_);
    }
    open_ = false;
    return back;
}

InterruptedReport SetInterruptedReport(InterruptedReport report) {
    const InterruptedReport previous = g_report;
    g_report = report;
    return previous;
}

void RecoverInterruptedChange() {
    if (BackupFolder().empty() || !PathExists(MarkerPath())) return;
    // A writer holding the lock is still at work; its marker is no sign of trouble.
    const WriterLock turn(nullptr, 0, true);
    if (!turn.Held()) return;
    std::string id;
    if (!ReadWholeFile(MarkerPath(), id)) return;
    Backup backup;
    if (!ReadBackup(id, backup)) {
        // Stopped before its backup was whole: it had not written anything yet.
        RemoveFile(MarkerPath());
        RemoveBackupFiles(id);
        return;
    }
    // Not put back whole, the marker stays: the next start tries again, and no change begins.
    const bool back = PutBack(backup);
    if (back) {
        RemoveFile(MarkerPath());
        RemoveBackupFiles(id);
    }
    if (g_report) g_report(backup.summary, back);
}
