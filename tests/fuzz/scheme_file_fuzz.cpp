// Arbitrary bytes through the reader, the import check and the hive's lookups, with the
// properties that must hold whatever the bytes are.
#include "hive/ImportCheck.h"
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

// The reads of an import, in its order; the number of reads is returned so that an accepted
// file can be shown not to run away.
uint64_t ReadLikeImport(SettingsHive& hive) {
    uint64_t reads = 0;
    auto get = [&](const std::string& section, const std::string& key) {
        ++reads;
        return hive.GetString(section, key);
    };
    auto number = [&](const std::string& section, const std::string& key) {
        ++reads;
        return hive.GetNumber(section, key);
    };
    hive.ResetCursor();
    const int32_t schemes = number("Scheme Count", "The number of schemes");
    hive.ResetCursor();
    number("Scheme Count", "The number of schemes");
    for (int32_t k = 1; k <= schemes; ++k)
        get("Config Hive", get("Config Hive", "Config" + std::to_string(k)));
    for (int32_t i = 0; i < schemes; ++i) {
        const std::string name = get("Scheme" + std::to_string(i), "Name of scheme");
        Require(!name.empty());
        for (int n = 0; n < 7; ++n)
            get(name + " - Defaults", "x");
        const int32_t roots = number(name + " - FolderDisplay", "RootFoldersCount");
        Require(roots >= 0);
        for (int32_t n = 0; n < roots * 9; ++n)
            get(name + " - FolderDisplay - Root", "x");
        for (int n = 0; n < 51; ++n)
            get(name + " - Tabs", "x");
        const int32_t links = number(name + " - Folder Display", "WeblinksCount");
        Require(links >= 0);
        for (int32_t n = 0; n < links * 6; ++n)
            get(name + " - Weblinks", "x");
    }
    return reads;
}

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
    if (CheckImportable(parsed, &why))
        Require(ReadLikeImport(hive) <= records.size() + 1);
    else
        Require(!why.empty());
    return 0;
}
