// Times a save of every scheme to a scheme file against Wine's `reg export` of the same Schemes
// key, and a load of that file back into the registry against `reg import` of the exported
// data, and prints both ratios. Not a test.
//   disk_bench [schemes=100] [roots=20] [links=30]
// The program's registry is a scratch key standing in for HKEY_LOCAL_MACHINE. reg.exe runs in
// a process of its own, which the override does not reach, so it is pointed at the same
// scratch key by its real path below HKEY_CURRENT_USER.
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "framework/Notices.h"
#include "hive/ExportImport.h"
#include "hive/SchemeFile.h"
#include "sections/Scheme.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"

namespace {

constexpr int kRepeats = 3; // the best of these is printed
const char* const kBenchKey = "Software\\VlsmBench";

// A failure must not wait for a click on a box nobody sees.
class PrintedNotices : public Notices {
public:
    int Show(HWND, const std::string& text, const std::string& title, UINT) override {
        std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
        ++shown;
        return IDOK;
    }
    void Beep(UINT) override {}
    int shown = 0;
};

Scheme MakeScheme(const std::string& name, int roots, int links) {
    Scheme scheme;
    scheme.name = name;
    for (int n = 1; n <= roots; ++n) {
        FolderRoot root;
        root.displayName = "Root folder " + std::to_string(n);
        root.path = "\\\\server\\share\\year group\\" + std::to_string(n);
        root.folderLevels = n % 4;
        root.collapsedIconFile = "C:\\Program Files\\Orrinford\\Pictures\\folder closed.bmp";
        root.expandedIconFile = "C:\\Program Files\\Orrinford\\Pictures\\folder open.bmp";
        root.longToolTip = "Documents shared with the whole year group";
        root.shortToolTip = "Shared";
        root.wavFile = "C:\\Program Files\\Orrinford\\Sounds\\open.wav";
        root.denyModify = n % 2;
        scheme.roots.roots.push_back(root);
    }
    scheme.roots.count = roots;
    for (int n = 1; n <= links; ++n) {
        WebLink link;
        link.displayName = "Link " + std::to_string(n);
        link.url = "http://www.school.example/pages/" + std::to_string(n) + ".html";
        link.iconFile = "C:\\Program Files\\Orrinford\\Pictures\\globe.bmp";
        link.longToolTip = "A page chosen by the teacher";
        link.shortToolTip = "Web";
        scheme.webLinks.links.push_back(link);
    }
    scheme.webLinks.count = links;
    scheme.tabs.page1 = scheme.tabs.page2 = scheme.tabs.page3 = 1;
    scheme.defaults.defaultView = "details";
    scheme.defaults.defaultIconSize = 32;
    return scheme;
}

// Runs `run` kRepeats times, each after `prepare` (not timed); the best time in seconds.
template <class P, class F> double BestSeconds(P&& prepare, F&& run) {
    double best = 1e30;
    for (int i = 0; i < kRepeats; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() < best) best = took.count();
    }
    return best;
}

// Wine's own reg.exe with `arguments`; true when it ends with 0.
bool RunReg(const std::string& arguments) {
    std::string command = "reg.exe " + arguments;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nul =
        CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(nul);
    if (!started) return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

// Empties the Schemes key, keeping the key itself (a load writes into it).
void ClearSchemes() {
    RegKey schemes(true, kSchemesKey);
    for (const std::string& name : schemes.SubKeyNames())
        schemes.DeleteTree(name);
    for (const std::string& name : schemes.ValueNames())
        schemes.DeleteValue(name);
}

long CountValues(const std::string& path) {
    RegKey key(false, path);
    long count = static_cast<long>(key.ValueNames().size());
    for (const std::string& name : key.SubKeyNames())
        count += CountValues(path + "\\" + name);
    return count;
}

int Argument(int argc, char** argv, int index, int fallback) {
    return argc > index ? std::atoi(argv[index]) : fallback;
}

} // namespace

int main(int argc, char** argv) {
    const int schemes = Argument(argc, argv, 1, 100);
    const int roots = Argument(argc, argv, 2, 20);
    const int links = Argument(argc, argv, 3, 30);
    PrintedNotices notices;
    SetNotices(&notices);

    const std::string machinePath =
        std::string(kBenchKey) + "\\" + std::to_string(GetCurrentProcessId());
    HKEY machine = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, machinePath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &machine, nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot create the scratch key\n");
        return 1;
    }
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine);
    const std::string realSchemes = "HKCU\\" + machinePath + "\\" + kSchemesKey;

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "vlsm-disk-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string schemeFile = folder + "\\all.esm";
    const std::string regFile = folder + "\\all.reg";

    {
        RegKey schemesKey(true, kSchemesKey);
        for (int i = 0; i < schemes; ++i) {
            const std::string name = "Scheme " + std::to_string(i + 1);
            schemesKey.WriteString(name, "Description of " + name);
            MakeScheme(name, roots, links).WriteToRegistry(name);
        }
    }
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
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(machine);
    RegKey(false, kBenchKey, HKEY_CURRENT_USER).DeleteTree(std::to_string(GetCurrentProcessId()));
    RegKey(false, "Software", HKEY_CURRENT_USER).DeleteTree("VlsmBench");

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
