// Times SchemeStore::Load and SaveAll over seeded schemes against the floor of a plain walk of the
// same keys with RegEnumValue, in a scratch key standing in for HKEY_LOCAL_MACHINE. Not a test.
//   registry_bench [schemes=100] [roots=20] [links=30]
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "sections/Scheme.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"

namespace {
constexpr int kRepeats = 3; // the best of these is printed

struct Counts {
    long keys = 0;
    long values = 0;
};

// The floor: every key opened once, every value read once with a buffer large enough for it.
void Walk(HKEY parent, const char* path, Counts& counts) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    ++counts.keys;
    char name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name, dataLength = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &dataLength) !=
            ERROR_SUCCESS)
            break;
        ++counts.values;
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        Walk(key, name, counts);
    }
    RegCloseKey(key);
}

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
        link.wavFile = "";
        scheme.webLinks.links.push_back(link);
    }
    scheme.webLinks.count = links;
    scheme.tabs.page1 = scheme.tabs.page2 = scheme.tabs.page3 = 1;
    scheme.defaults.defaultView = "details";
    scheme.defaults.defaultIconSize = 32;
    scheme.defaults.defaultFirstTab = 1;
    return scheme;
}

template <class F> double BestSeconds(F&& run) {
    double best = 1e30;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() < best) best = took.count();
    }
    return best;
}

int Argument(int argc, char** argv, int index, int fallback) {
    return argc > index ? std::atoi(argv[index]) : fallback;
}
} // namespace

int main(int argc, char** argv) {
    const int schemes = Argument(argc, argv, 1, 100);
    const int roots = Argument(argc, argv, 2, 20);
    const int links = Argument(argc, argv, 3, 30);

    char scratchPath[64];
    std::snprintf(scratchPath, sizeof scratchPath, "Software\\VlsmRegistryBench\\%lu",
                  GetCurrentProcessId());
    HKEY scratch = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, scratchPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &scratch, nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot create the scratch key\n");
        return 1;
    }
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, scratch);

    {
        RegKey schemesKey(true, kSchemesKey);
        for (int i = 0; i < schemes; ++i) {
            const std::string name = "Scheme " + std::to_string(i + 1);
            schemesKey.WriteString(name, "Description of " + name);
            MakeScheme(name, roots, links).WriteToRegistry(name);
        }
    }

    SchemeStore store;
    const double load = BestSeconds([&] { store.Load(false); });
    bool saved = true;
    const double save = BestSeconds([&] { saved = store.SaveAll() && saved; });
    Counts counts;
    const double walk = BestSeconds([&] {
        counts = Counts();
        Walk(HKEY_LOCAL_MACHINE, kSchemesKey, counts);
    });

    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(scratch);
    RegDeleteTreeA(HKEY_CURRENT_USER, scratchPath);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VlsmRegistryBench");

    std::printf("%d schemes, %d roots and %d links each: %ld keys, %ld values (best of %d runs)\n",
                schemes, roots, links, counts.keys, counts.values, kRepeats);
    std::printf("loaded schemes %zu, SaveAll %s\n", store.schemes.size(),
                saved ? "succeeded" : "FAILED");
    std::printf("load (SchemeStore::Load)   %9.1f ms  %6.2f us/value\n", load * 1e3,
                load * 1e6 / counts.values);
    std::printf("write (SchemeStore::SaveAll) %7.1f ms  %6.2f us/value\n", save * 1e3,
                save * 1e6 / counts.values);
    std::printf("walk (RegEnumValue floor)  %9.1f ms  %6.2f us/value\n", walk * 1e3,
                walk * 1e6 / counts.values);
    std::printf("load / walk  %.2f\nwrite / walk %.2f\n", load / walk, save / walk);
    return 0;
}
