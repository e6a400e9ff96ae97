// Times what an administrator waits for, through the program's own code: start-up until the list
// is filled, Edit with OK and no change, Create as a copy, Load from disk until the list is
// rebuilt, and Save to disk. Each is set against an in-process walk that reads every value of the
// Schemes tree once (the floor for anything that reads it all), and Load and Save against Wine's
// `reg import` and `reg export` of the same data. Prints one table. Not a test.
//   command_bench [roots=20] [links=30] [sizes=10,100] [rounds=5]   (sizes for example 10,100,1000)
// The registry is a scratch key standing in for HKEY_LOCAL_MACHINE; reg.exe runs in a process of
// its own, which the override does not reach, so it is given the scratch key's real path.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>
#include "app/MainDialog.h"
#include "app/Startup.h"
#include "editor/MyPropertySheet.h"
#include "framework/FileChooser.h"
#include "hive/LoadBackup.h"
#include "hive/SchemeFile.h"
#include "resource.h"
#include "tools/bench/BenchSetup.h"

namespace {

int kRounds = 5;

template <class F> double Seconds(F&& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

const char* const kBenchKey = "Software\\VlsmCommandBench";
const char* const kCopied = "Scheme 1";
const char* const kCopyName = "Copy of Scheme 1";

// Answers the dialogs a command opens, as an administrator would, as soon as they are shown: OK
// on the existing scheme's sheet; "Copy an existing one" of kCopied in Scheme Creation; kCopyName
// and OK on the new scheme's sheet. A hook sees each dialog initialised; the answer is posted so
// that it runs inside the dialog's own loop.
class Autopilot {
public:
    Autopilot() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &Autopilot::HelperProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VlsmBenchAutopilot";
        RegisterClassA(&windowClass);
        helper_ = CreateWindowA("VlsmBenchAutopilot", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
        hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, &Autopilot::HookProc, nullptr,
                                  GetCurrentThreadId());
    }
    ~Autopilot() {
        UnhookWindowsHookEx(hook_);
        DestroyWindow(helper_);
    }
    Autopilot(const Autopilot&) = delete;
    Autopilot& operator=(const Autopilot&) = delete;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_INITDIALOG)
            PostMessageA(helper_, WM_APP, 0, reinterpret_cast<LPARAM>(call->hwnd));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK HelperProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg != WM_APP) return DefWindowProcA(window, msg, wParam, lParam);
        HWND dialog = reinterpret_cast<HWND>(lParam);
        char title[128] = "";
        GetWindowTextA(dialog, title, sizeof title);
        const std::string shown = title;
        if (shown == kExistingSchemeCaption) {
            PostMessageA(dialog, PSM_PRESSBUTTON, PSBTN_OK, 0);
        } else if (shown == "Scheme Creation") {
            SendMessageA(GetDlgItem(dialog, IDC_COPY_EXISTING), BM_CLICK, 0, 0);
            HWND list = GetDlgItem(dialog, IDC_COPY_LIST);
            LRESULT at = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(kCopied));
            SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COPY_LIST, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        } else if (shown == kNewSchemeCaption) {
            HWND page = reinterpret_cast<HWND>(SendMessageA(dialog, PSM_GETCURRENTPAGEHWND, 0, 0));
            SetDlgItemTextA(page, IDC_GENERAL_NAME, kCopyName);
            PostMessageA(dialog, PSM_PRESSBUTTON, PSBTN_OK, 0);
        }
        return 0;
    }

    static HWND helper_;
    HHOOK hook_ = nullptr;
};
HWND Autopilot::helper_ = nullptr;

// The file dialogs answer with one path.
class FixedChooser : public FileChooser {
public:
    std::string path;
    bool ChooseToOpen(HWND, const FileDialogOptions&, std::string& chosen) override {
        chosen = path;
        return true;
    }
    bool ChooseToSave(HWND, const FileDialogOptions&, std::string& chosen) override {
        chosen = path;
        return true;
    }
};

// The main dialog as start-up leaves it, without its modal loop: commands are sent to it as its
// buttons would send them.
class OpenMainDialog {
public:
    OpenMainDialog() { main_.Create(); }
    ~OpenMainDialog() { main_.Destroy(); }
    CMainDialog& Main() { return main_; }
    void Click(int id) { SendMessageA(main_.Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Select(const std::string& name) {
        ListView list = main_.SchemeList();
        for (int row = 0; row < list.Count(); ++row) {
            if (list.ItemText(row, 0) == name) list.Select(row);
        }
    }

private:
    CMainDialog main_;
};

struct Row {
    int schemes = 0;
    long values = 0;
    double walk = 0, startup = 0, edit = 0, create = 0, load = 0, regImport = 0, save = 0,
           regExport = 0, loadOver = 0;
    int shown = 0;
};

void RemoveCopy() {
    RegKey schemes(false, kSchemesKey);
    schemes.DeleteTree(kCopyName);
    schemes.DeleteValue(kCopyName);
}

Row Measure(int schemes, int roots, int links, FixedChooser& chooser, const std::string& folder) {
    Row row;
    row.schemes = schemes;
    bench::PrintedNotices notices;
    SetNotices(&notices);
    bench::ScratchMachine machine(kBenchKey);
    if (!machine.Ok()) return row;
    machine.Seed(schemes, roots, links);
    const std::string realSchemes = "HKCU\\" + machine.Path() + "\\" + kSchemesKey;
    const std::string schemeFile = folder + "\\all.esm";
    const std::string regFile = folder + "\\all.reg";
    // The same schemes with other values: a load of it replaces every scheme, with its backup.
    const std::string otherFile = folder + "\\other.esm";
    {
        SchemeStore other;
        for (int i = 0; i < schemes; ++i) {
            const std::string name = "Scheme " + std::to_string(i + 1);
            other.entries.push_back({name, "Another description of " + name});
            other.schemes.push_back(bench::MakeScheme(name, roots, links, "other"));
        }
        other.ExportAll();
        SchemeFile file;
        file.records = std::move(other.records);
        file.WriteRecords(otherFile);
    }
    SetBackupFolder(folder + "\\backups");

    // Every measure once per round, the rounds one after another, the best of each kept: a
    // machine whose load changes meanwhile slows the program and its yardsticks alike.
    OpenMainDialog main;
    Autopilot autopilot;
    const std::string edited = "Scheme " + std::to_string((schemes + 1) / 2);
    chooser.path = schemeFile;
    auto best = [](double& kept, double seconds) {
        if (kept == 0 || seconds < kept) kept = seconds;
    };
    for (int round = 0; round < kRounds; ++round) {
        bench::WalkCounts counts;
        best(row.walk, Seconds([&] { bench::Walk(HKEY_LOCAL_MACHINE, kSchemesKey, counts); }));
        row.values = counts.values;
        // Start-up: the scheme test, then the main dialog until its list is filled.
        best(row.startup, Seconds([&] {
                 if (SchemesPresent()) OpenMainDialog();
             }));
        main.Select(edited);
        best(row.edit, Seconds([&] { main.Click(IDC_EDIT); }));
        best(row.create, Seconds([&] { main.Click(IDC_CREATE); }));
        RemoveCopy();
        main.Main().Store().RefreshEntries();
        main.Main().RefreshList();
        best(row.save, Seconds([&] { main.Click(IDC_SAVE_TO_DISK); }));
        best(row.regExport, Seconds([&] {
                 bench::RunReg("export \"" + realSchemes + "\" \"" + regFile + "\" /y");
             }));
        // Both write into an empty Schemes key; the program's list ends as it began.
        bench::ClearSchemes();
        best(row.load, Seconds([&] { main.Click(IDC_LOAD_FROM_DISK); }));
        bench::ClearSchemes();
        best(row.regImport, Seconds([&] { bench::RunReg("import \"" + regFile + "\""); }));
        // Over the machine's own schemes: every one replaced, each backed up first.
        chooser.path = otherFile;
        best(row.loadOver, Seconds([&] { main.Click(IDC_LOAD_FROM_DISK); }));
        chooser.path = schemeFile;
        bench::ClearSchemes();
        machine.Seed(schemes, roots, links);
    }
    if (main.Main().SchemeList().Count() != schemes) ++notices.shown;
    DeleteFileA(schemeFile.c_str());
    DeleteFileA(regFile.c_str());
    DeleteFileA(otherFile.c_str());
    for (const BackupSummary& backup : ListBackups()) {
        DeleteFileA((folder + "\\backups\\" + backup.id + ".vlb").c_str());
        DeleteFileA(BackupSchemeFile(backup.id).c_str());
    }
    RemoveDirectoryA((folder + "\\backups").c_str());
    SetBackupFolder(std::string());
    row.shown = notices.shown;
    SetNotices(nullptr);
    return row;
}

} // namespace

int main(int argc, char** argv) {
    const int roots = bench::Argument(argc, argv, 1, 20);
    const int links = bench::Argument(argc, argv, 2, 30);
    std::vector<int> sizes;
    std::stringstream list(argc > 3 ? argv[3] : "10,100");
    for (std::string size; std::getline(list, size, ',');)
        sizes.push_back(std::atoi(size.c_str()));
    kRounds = bench::Argument(argc, argv, 4, kRounds);
    InitCommonControls();

    FixedChooser chooser;
    SetFileChooser(&chooser);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "vlsm-command-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);

    std::printf(
        "%d roots and %d links per scheme; best of %d rounds; times in ms; x = time / full walk\n",
        roots, links, kRounds);
    std::printf("| schemes | values | full walk | start-up | x | Edit+OK | x | Create copy | x | "
                "Load | reg import | "
                "Load/import | Save | reg export | Save/export | Load over | Load over/import |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    bool ok = true;
    for (int schemes : sizes) {
        const Row r = Measure(schemes, roots, links, chooser, folder);
        std::printf("| %d | %ld | %.0f | %.0f | %.2f | %.0f | %.3f | %.0f | %.3f | %.0f | %.0f | "
                    "%.2f | %.0f | %.0f | %.2f | %.0f | %.2f |\n",
                    r.schemes, r.values, r.walk * 1e3, r.startup * 1e3, r.startup / r.walk,
                    r.edit * 1e3, r.edit / r.walk, r.create * 1e3, r.create / r.walk, r.load * 1e3,
                    r.regImport * 1e3, r.load / r.regImport, r.save * 1e3, r.regExport * 1e3,
                    r.save / r.regExport, r.loadOver * 1e3, r.loadOver / r.regImport);
        std::fflush(stdout);
        ok = ok && r.shown == 0 && r.values > 0;
    }
    SetFileChooser(nullptr);
    RemoveDirectoryA(folder.c_str());
    if (!ok) std::printf("SOMETHING FAILED: see above\n");
    return ok ? 0 : 1;
}
