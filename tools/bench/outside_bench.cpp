// The real program on a machine of generated schemes, timed from outside as an administrator
// sees it: from starting the program until its list shows every scheme, and Edit with OK and no
// change until the program is ready again. Not a test; tools/bench/outside-bench.sh runs it on a
// copy of a seeded prefix, since it replaces that machine's schemes.
//   outside_bench EXE SCHEMES [roots=20] [links=30] [runs=5]
#include <windows.h>
#include <commctrl.h>
#include <chrono>
#include <cstdio>
#include <string>
#include "tools/bench/BenchSetup.h"

namespace {

const char* const kTitle = "Vexar Lumen Scheme Manager";
const char* const kSheet = "Existing Scheme Properties";
const int kSchemeList = 1021;
const int kEditButton = 1016;
const DWORD kTimeoutMs = 60000;

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Polls every millisecond until `found` gives a window, or the time is up.
template <class F> HWND Poll(F&& found) {
    const Clock::time_point start = Clock::now();
    while (Since(start) * 1000 < kTimeoutMs) {
        if (HWND window = found()) return window;
        Sleep(1);
    }
    return nullptr;
}

HWND Visible(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    return window && IsWindowVisible(window) ? window : nullptr;
}

bool Idle(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &result) != 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: outside_bench EXE SCHEMES [roots] [links] [runs]\n");
        return 2;
    }
    const std::string exe = argv[1];
    const int schemes = std::atoi(argv[2]);
    const int roots = bench::Argument(argc, argv, 3, 20);
    const int links = bench::Argument(argc, argv, 4, 30);
    const int runs = bench::Argument(argc, argv, 5, 5);

    // This machine's schemes become the generated ones.
    bench::ClearSchemes();
    RegKey schemesKey(true, kSchemesKey);
    for (int i = 1; i <= schemes; ++i) {
        const std::string name = "Scheme " + std::to_string(i);
        schemesKey.WriteString(name, "Description of " + name);
        bench::MakeScheme(name, roots, links).WriteToRegistry(name);
    }

    double startup = 1e30, edit = 1e30;
    for (int run = 0; run < runs; ++run) {
        std::string command = "\"" + exe + "\"";
        STARTUPINFOA startupInfo = {};
        startupInfo.cb = sizeof startupInfo;
        PROCESS_INFORMATION process = {};
        const Clock::time_point started = Clock::now();
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startupInfo, &process)) {
            std::fprintf(stderr, "cannot start %s\n", exe.c_str());
            return 1;
        }
        HWND main = Poll([&]() -> HWND {
            HWND window = Visible(kTitle);
            HWND list = window ? GetDlgItem(window, kSchemeList) : nullptr;
            return list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == schemes ? window : nullptr;
        });
        const double tookStart = Since(started);
        bool ok = main && Idle(main);
        double tookEdit = 0;
        if (ok) {
            // The first row, as the keyboard selects it.
            HWND list = GetDlgItem(main, kSchemeList);
            SendMessageA(list, WM_KEYDOWN, VK_HOME, 0);
            SendMessageA(list, WM_KEYUP, VK_HOME, 0);
            ok = Idle(main);
            const Clock::time_point clicked = Clock::now();
            PostMessageA(GetDlgItem(main, kEditButton), BM_CLICK, 0, 0);
            HWND sheet = Poll([] { return Visible(kSheet); });
            ok = ok && sheet;
            if (sheet) PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
            ok = ok && Poll([&]() -> HWND { return IsWindow(sheet) ? nullptr : main; }) &&
                 Idle(main);
            tookEdit = Since(clicked);
        }
        if (main) PostMessageA(main, WM_COMMAND, IDOK, 0);
        if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (!ok) {
            std::fprintf(stderr, "run %d: the program did not show its list or finish the Edit\n",
                         run + 1);
            return 1;
        }
        if (tookStart < startup) startup = tookStart;
        if (tookEdit < edit) edit = tookEdit;
    }
    std::printf("%d\t%.0f\t%.0f\n", schemes, startup * 1e3, edit * 1e3);
    return 0;
}
