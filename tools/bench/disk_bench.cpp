// Times a save of every scheme to a scheme file against Wine's `reg export` of the same Schemes
// key, and a load of that file back into the registry against `reg import` of the exported
// data, and prints both ratios. Not a test.
//   disk_bench [schemes=100] [roots=20] [links=30]
// The program's registry is a scratch key standing in for HKEY_LOCAL_MACHINE. reg.exe runs in
// a process of its own, which the override does not reach, so it is pointed at the same
// scratch key by its real path below HKEY_CURRENT_USER.
#include <windows.h>
#include <cstdio>
#include <string>
#include "framework/Notices.h"
#include "hive/ExportImport.h"
#include "hive/SchemeFile.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"
#include "tools/bench/BenchSetup.h"

namespace {

using bench::Argument;
using bench::BestSeconds;
using bench::ClearSchemes;
using bench::kRepeats;
using bench::PrintedNotices;
using bench::RunReg;

const char* const kBenchKey = "Software\\VlsmBench";

long CountValues(const std::string& path) {
    RegKey key(false, path);
    long count = static_cast<long>(key.ValueNames().size());
    for (const std::string& name : key.SubKeyNames())
        count += CountValues(path + "\\" + name);
    return count;
}

} // namespace

int main(int argc, char** argv) {
    const int schemes = Argument(argc, argv, 1, 100);
    const int roots = Argument(argc, argv, 2, 20);
    const int links = Argument(argc, argv, 3, 30);
    PrintedNotices notices;
    SetNotices(&notices);

    bench::ScratchMachine machine(kBenchKey);
    if (!machine.Ok()) {
        std::fprintf(stderr, "cannot create the scratch key\n");
        return 1;
    }
    const std::string realSchemes = "HKCU\\" + machine.Path() + "\\" + kSchemesKey;

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "vlsm-disk-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string schemeFile = folder + "\\all.esm";
    const std::string regFile = folder + "\\all.reg";

    machine.Seed(schemes, roots, links);
    const long values = CountValues(kSchemesKey);

    bool ok = true;
    auto nothing = [] {};
    const double save = BestSeconds(nothing, [&] { ok = SaveSchemesToFile(schemeFile) && ok; });
    const double regExport = BestSeconds(nothing, [&] {
        ok = RunReg("export \"" + realSchemes + "\" \"" + regFile + "\" /y") && ok;
    });
    const double load =
        BestSeconds(ClearSchemes, [&] { ok = LoadSchemesFromFile(schemeFile) && ok; });
    const long loaded = CountValues(kSchemesKey);
    // Where a load's time goes: reading and checking the file, the import into the store, and the
    // registry writes.
    SchemeFile file;
    SchemeStore store;
    const double read = BestSeconds(nothing, [&] { file.ReadRecords(schemeFile); });
    const double import = BestSeconds([&] { store.records = file.records; }, [&] { store.ImportAll(); });
    const double write = BestSeconds(ClearSchemes, [&] { ok = store.SaveAll() && ok; });
    const double regImport =
        BestSeconds(ClearSchemes, [&] { ok = RunReg("import \"" + regFile + "\"") && ok; });
    const long imported = CountValues(kSchemesKey);

    WIN32_FILE_ATTRIBUTE_DATA esm = {}, reg = {};
    GetFileAttributesExA(schemeFile.c_str(), GetFileExInfoStandard, &esm);
    GetFileAttributesExA(regFile.c_str(), GetFileExInfoStandard, &reg);
    DeleteFileA(schemeFile.c_str());
    DeleteFileA(regFile.c_str());
    RemoveDirectoryA(folder.c_str());

    std::printf("%d schemes, %d roots and %d links each: %ld values; best of %d runs\n", schemes,
                roots, links, values, kRepeats);
    std::printf(
        "scheme file %lu bytes, .reg file %lu bytes; values after load %ld, after reg import %ld\n",
        esm.nFileSizeLow, reg.nFileSizeLow, loaded, imported);
    std::printf("save (registry to scheme file)  %8.1f ms\n", save * 1e3);
    std::printf("reg export                      %8.1f ms\n", regExport * 1e3);
    std::printf("load (scheme file to registry)  %8.1f ms\n", load * 1e3);
    std::printf("  of which reading and checking %8.1f ms, import %8.1f ms, registry writes %8.1f ms\n",
                read * 1e3, import * 1e3, write * 1e3);
    std::printf("reg import                      %8.1f ms\n", regImport * 1e3);
    std::printf("save / reg export  %.2f\nload / reg import  %.2f\n", save / regExport,
                load / regImport);
    if (!ok || notices.shown || loaded != values || imported != values) {
        std::printf("SOMETHING FAILED: see above\n");
        return 1;
    }
    return 0;
}
