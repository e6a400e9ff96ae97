// Arbitrary bytes through the reader, the import check and the hive's lookups, with the
// properties that must hold whatever the bytes are.
#include "hive/ImportCheck.h"
#include "hive/ImportOrder.h"
#include "hive/SchemeFileFormat.h"
#include "hive/SettingsHive.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

std::string LastByScan(const std::vector<HiveRecord>& records, const std::string& section,
                       const std::string& key) {
    std::string result;
    for (const HiveRecord& r : records)
        if (r.section == section && r.key == key) result = r.value;
    return result;
}

// The import's reads in the import's own order (hive/ImportOrder.h), through a real hive with its
// lookup rule, taking counts and names as the import takes them. For a file the check accepted,
// every name must be one the registry can take and no count may reach past the records: the
// values the import takes are the ones the check judged.
class ImportWalk {
public:
    using Value = std::string;

    explicit ImportWalk(SettingsHive& hive) : hive_(hive) {}

    std::string Read(const std::string& section, const std::string& key) {
        ++reads;
        return hive_.GetString(section, key);
    }
    static std::string_view Text(const std::string& value) { return value; }
    void Reset() { hive_.ResetCursor(); }
    void Skip(uint64_t n) {
        for (; n > 0; --n)
            Read(std::string(1, kFieldTerminator), ""); // no parsed record carries this pair
    }
    bool SchemeCount(const std::string& text, uint64_t& schemes) { return Count(text, 1, schemes); }
    bool ItemCount(const std::string& text, const char*, int recordsPerItem, uint64_t& items) {
        return Count(text, recordsPerItem, items);
    }
    bool EntryName(const std::string& name) {
        Require(NameProblem(name) == nullptr);
        return true;
    }
    void Entry(std::string, std::string) {}
    bool EntriesRead() { return true; }
    bool Scheme(uint64_t, const std::string& name) {
        Require(NameProblem(name) == nullptr);
        return WalkSchemeCounts(*this, name);
    }

    uint64_t reads = 0;

private:
    bool Count(const std::string& text, int recordsPerItem, uint64_t& n) {
        const int32_t claimed = ParseLeadingNumber(text);
        Require(claimed >= 0);
        n = static_cast<uint64_t>(claimed);
        Require(n * static_cast<uint64_t>(recordsPerItem) <= hive_.Size());
        return true;
    }

    SettingsHive& hive_;
};

} // namespace

// libFuzzer adds the inputs it finds to the first folder it is given. When that is the
// committed seed corpus (the smoke run of ctest), a scratch folder is put in front of it so that
// the source tree is only read; grow the seeds by hand with -merge=1.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::string scratch;
    static std::vector<char*> args;
    namespace fs = std::filesystem;
    for (int i = 1; i < *argc; ++i) {
        if ((*argv)[i][0] == '-') continue;
        std::error_code error;
        if (!fs::equivalent((*argv)[i], VLSM_SEED_CORPUS, error)) return 0;
        const fs::path folder = fs::temp_directory_path(error) / "scheme_file_fuzz-found";
        fs::create_directories(folder, error);
        scratch = folder.string();
        args.assign(*argv, *argv + *argc);
        args.insert(args.begin() + i, scratch.data());
        args.push_back(nullptr);
        *argc += 1;
        *argv = args.data();
        return 0;
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ParsedRecords parsed;
    if (ParseSchemeFile(bytes, parsed) != ParseStatus::Ok) {
        Require(parsed.empty());
        return 0;
    }
    std::vector<HiveRecord> records;
    for (size_t i = 0; i < parsed.size(); ++i)
        records.push_back(ToRecord(parsed[i]));

    // Written back in export form, the records make a prefix of the input.
    std::vector<HiveRecord> exportForm;
    for (const HiveRecord& r : records)
        exportForm.push_back(
            {r.section + kFieldTerminator, r.key + kFieldTerminator, r.value + kFieldTerminator});
    const std::string rewritten = EncodeSchemeFile(exportForm);
    Require(bytes.substr(0, rewritten.size()) == rewritten);

    SettingsHive hive;
    for (const HiveRecord& r : records)
        hive.Append(r);
    // Out of step, the index must give what a scan of the whole table gives. The cursor stands
    // at 1 for each of these reads, so record 1 is the fast path.
    for (size_t i = 0; i < records.size() && i < 8; ++i) {
        const HiveRecord& r = records[records.size() - 1 - i];
        const bool atCursor =
            records.size() > 1 && records[1].section == r.section && records[1].key == r.key;
        hive.ResetCursor();
        hive.GetString("", "");
        Require(hive.GetString(r.section, r.key) ==
                (atCursor ? records[1].value : LastByScan(records, r.section, r.key)));
        Require(hive.ReadCursor() == 2);
    }

    std::string why;
    if (CheckImportable(parsed, &why)) {
        ImportWalk walk(hive);
        Require(WalkImport(walk));
        Require(walk.reads <= records.size() + 1);
    } else {
        // One plain line that says where.
        Require(why.rfind("record ", 0) == 0 || why.rfind("file: ", 0) == 0);
        Require(why.find('\n') == std::string::npos);
    }
    return 0;
}
