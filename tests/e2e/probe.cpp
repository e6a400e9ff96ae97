// Looks at the program from outside, as a user would: finds its windows by title, reads texts,
// list rows and window states, and presses buttons. Used by the end-to-end tests.
//   probe wait TITLE MS          wait until a top-level window TITLE exists
//   probe gone TITLE MS          wait until no top-level window TITLE exists
//   probe text TITLE ID          print the text of control ID (0 for the window itself), with
//                                line ends, tabs and backslashes escaped as in C
//   probe has TITLE ID           exit 0 when control ID exists and is visible
//   probe icon TITLE ID          exit 0 when static ID shows an icon
//   probe click TITLE ID         press button ID (posted, so a box it opens does not block us)
//   probe state TITLE            print "minimized", "hidden" or "normal"
//   probe minimize TITLE
//   probe rows TITLE ID          print the rows of list view ID: image, then the column texts
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// Only the program's own windows count: GUI tests in the same prefix show dialogs of the same title.
const char* const kProgramExe = "Vexar Lumen Scheme Manager.exe";

bool IsProgramProcess(DWORD pid) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        found = entry.th32ProcessID == pid && lstrcmpiA(entry.szExeFile, kProgramExe) == 0;
    CloseHandle(snapshot);
    return found;
}

HWND Find(const char* title) {
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title); window;
         window = FindWindowExA(nullptr, window, nullptr, title)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (IsProgramProcess(pid)) return window;
    }
    return nullptr;
}

bool WaitFor(const char* title, DWORD ms, bool present) {
    for (DWORD waited = 0;; waited += 50) {
        // A dialog exists before it is shown; only a visible window counts as there.
        HWND window = Find(title);
        if ((window != nullptr && IsWindowVisible(window)) == present) return true;
        if (waited >= ms) return false;
        Sleep(50);
    }
}

std::string TextOf(HWND window) {
    char buffer[4096] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return buffer;
}

// List-view texts live in the other process: the request goes through memory allocated there.
int PrintRows(HWND list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return 3;
    const SIZE_T size = sizeof(LVITEMA) + 1024;
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &item, sizeof item, nullptr);
        std::printf("%d", item.iImage);
        for (int column = 0; column < (columns > 0 ? columns : 1); ++column) {
            LVITEMA textItem = {};
            textItem.iSubItem = column;
            textItem.pszText = remote + sizeof(LVITEMA);
            textItem.cchTextMax = 1024;
            WriteProcessMemory(process, remote, &textItem, sizeof textItem, nullptr);
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
            char text[1024] = "";
            ReadProcessMemory(process, remote + sizeof(LVITEMA), text, sizeof text - 1, nullptr);
            std::printf("\t%s", text);
        }
        std::printf("\n");
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: probe wait|gone|text|has|click|state|minimize|rows TITLE [ARG]\n");
        return 2;
    }
    const std::string command = argv[1];
    const char* title = argv[2];
    const int arg = argc > 3 ? std::atoi(argv[3]) : 0;
    if (command == "wait") return WaitFor(title, static_cast<DWORD>(arg), true) ? 0 : 1;
    if (command == "gone") return WaitFor(title, static_cast<DWORD>(arg), false) ? 0 : 1;

    HWND window = Find(title);
    if (!window) {
        std::fprintf(stderr, "probe: no window \"%s\"\n", title);
        return 1;
    }
    HWND control = arg ? GetDlgItem(window, arg) : window;
    if (command == "has") return control && IsWindowVisible(control) ? 0 : 1;
    if (command == "icon") return control && IsWindowVisible(control) && SendMessageA(control, STM_GETICON, 0, 0) ? 0 : 1;
    if (!control) {
        std::fprintf(stderr, "probe: no control %d in \"%s\"\n", arg, title);
        return 1;
    }
    if (command == "text") {
        for (char c : TextOf(control)) {
            if (c == '\n') std::fputs("\\n", stdout);
            else if (c == '\r') std::fputs("\\r", stdout);
            else if (c == '\t') std::fputs("\\t", stdout);
            else if (c == '\\') std::fputs("\\\\", stdout);
            else std::putchar(c);
        }
        return 0;
    }
    if (command == "click") return PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
    if (command == "state") {
        std::printf("%s\n", IsIconic(window) ? "minimized" : IsWindowVisible(window) ? "normal" : "hidden");
        return 0;
    }
    if (command == "minimize") return PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0) ? 0 : 1;
    if (command == "rows") return PrintRows(control);
    std::fprintf(stderr, "probe: unknown command %s\n", command.c_str());
    return 2;
}
