#pragma once
// What the registry and disk benchmarks share: their arguments, best-of timing, and generated
// schemes in a scratch key that stands in for HKEY_LOCAL_MACHINE, so a run never touches the
// machine's own schemes.
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "framework/Notices.h"
#include "sections/Scheme.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

namespace bench {

constexpr int kRepeats = 3; // the best of these is printed

inline int Argument(int argc, char** argv, int index, int fallback) {
    return argc > index ? std::atoi(argv[index]) : fallback;
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

template <class F> double BestSeconds(F&& run) {
    return BestSeconds([] {}, run);
}

// A scheme with every field of its roots and links filled, as a school would fill them.
// `variant` changes the names, paths and addresses of the roots and links.
inline Scheme MakeScheme(const std::string& name, int roots, int links,
                         const std::string& variant = std::string()) {
    Scheme scheme;
    scheme.name = name;
    for (int n = 1; n <= roots; ++n) {
        FolderRoot root;
        root.displayName = "Root folder " + variant + std::to_string(n);
        root.path = "\\\\server\\share\\year group\\" + variant + std::to_string(n);
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
        link.displayName = "Link " + variant + std::to_string(n);
        link.url = "http://www.school.example/pages/" + variant + std::to_string(n) + ".html";
        link.iconFile = "C:\\Program Files\\Orrinford\\Pictures\\globe.bmp";
        link.longToolTip = "A page chosen by the teacher";
        link.shortToolTip = "Web";
        scheme.webLinks.links.push_back(link);
    }
    scheme.webLinks.count = links;
    scheme.tabs.page1 = scheme.tabs.page2 = scheme.tabs.page3 = 1;
    scheme.defaults.defaultView = "details";
    scheme.defaults.defaultIconSize = 32;
    scheme.defaults.defaultFirstTab = 1;
    return scheme;
}

struct WalkCounts {
    long keys = 0;
    long values = 0;
};

// The floor for anything that reads a whole tree: every key opened once, every value read once
// with a buffer large enough for it.
inline void Walk(HKEY parent, const char* path, WalkCounts& counts) {
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

// Wine's own reg.exe with `arguments`; true when it ends with 0.
inline bool RunReg(const std::string& arguments) {
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
inline void ClearSchemes() {
    RegKey schemes(true, kSchemesKey);
    for (const std::string& name : schemes.SubKeyNames())
        schemes.DeleteTree(name);
    for (const std::string& name : schemes.ValueNames())
        schemes.DeleteValue(name);
}

// While it lives, HKEY_LOCAL_MACHINE of this process is the key `parent`\<process id> below
// HKEY_CURRENT_USER; the key goes again with the object, and `parent` once no run uses it.
class ScratchMachine {
public:
    explicit ScratchMachine(const std::string& parent)
        : parent_(parent), path_(parent + "\\" + std::to_string(GetCurrentProcessId())) {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key_, nullptr) != ERROR_SUCCESS)
            key_ = nullptr;
        else
            RegOverridePredefKey(HKEY_LOCAL_MACHINE, key_);
    }
    ~ScratchMachine() {
        if (!key_) return;
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(key_);
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, parent_.c_str());
    }
    ScratchMachine(const ScratchMachine&) = delete;
    ScratchMachine& operator=(const ScratchMachine&) = delete;

    bool Ok() const { return key_ != nullptr; }
    // The key's path below HKEY_CURRENT_USER, for programs the redirection does not reach.
    const std::string& Path() const { return path_; }

    // "Scheme 1" to "Scheme n" with their descriptions in the Schemes key.
    void Seed(int schemes, int roots, int links) const {
        RegKey schemesKey(true, kSchemesKey);
        for (int i = 0; i < schemes; ++i) {
            const std::string name = "Scheme " + std::to_string(i + 1);
            schemesKey.WriteString(name, "Description of " + name);
            MakeScheme(name, roots, links).WriteToRegistry(name);
        }
    }

private:
    std::string parent_;
    std::string path_;
    HKEY key_ = nullptr;
};

} // namespace bench
