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
//   probe select TITLE ID TEXT   select the list-view row whose first column is TEXT (only it)
//   probe selectrow TITLE ID N   select row N (from 0) of a list view, for rows without text
//   probe settext TITLE ID TEXT  set a control's text (an edit reacts as to typing)
//   probe choose TITLE ID TEXT   select TEXT in a list box or drop-down list, telling the dialog
//   probe command TITLE ID       post the command ID to the window, as a menu item would
//   probe texts TITLE            print the texts of the window's controls, one a line
//   probe idle TITLE             wait until the window's thread has finished what it was doing
//   probe page TITLE N           show page N (from 0) of the property sheet TITLE, as its tab would
//   probe key TITLE ID VK        press and release the virtual key VK (decimal) in control ID
// Controls are found by id anywhere below the window, so the pages of a property sheet count; a
// visible control comes before a hidden one, as pages share ids and only the shown page is in use.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// From one list of the windows taken at once: stepping with FindWindowEx fails as soon as a test's
// window of the same title closes under our feet, and the program's would seem to be missing.
HWND Find(const char* title) {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        char text[512] = ""; // another process's window: its caption is read without a message
        if (!GetWindowTextA(window, text, sizeof text) || std::strcmp(text, title) != 0) continue;
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

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM param) {
    ControlSearch* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    if (!search->found) search->found = child;
    if (!IsWindowVisible(child)) return TRUE; // a visible one may follow on another page
    search->found = child;
    return FALSE;
}

// A direct child first: deeper windows (a combo box's edit, a page's controls) may reuse the id.
HWND FindControl(HWND window, int id) {
    if (HWND child = GetDlgItem(window, id)) return child;
    ControlSearch search = {id, nullptr};
    EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// List-view requests carry pointers, so they go through memory allocated in the program's process.
class RemoteBuffer {
public:
    explicit RemoteBuffer(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) memory_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    bool Ok() const { return memory_ != nullptr; }
    char* At(size_t offset) const { return memory_ + offset; }
    void Put(size_t offset, const void* data, size_t size) const {
        WriteProcessMemory(process_, memory_ + offset, data, size, nullptr);
    }
    void Get(size_t offset, void* data, size_t size) const {
        ReadProcessMemory(process_, memory_ + offset, data, size, nullptr);
    }
    static const size_t kSize = sizeof(LVITEMA) + 1024;

private:
    HANDLE process_ = nullptr;
    char* memory_ = nullptr;
};

std::string RowText(HWND list, const RemoteBuffer& remote, int row, int column) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = remote.At(sizeof(LVITEMA));
    item.cchTextMax = 1024;
    remote.Put(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.At(0)));
    char text[1024] = "";
    remote.Get(sizeof(LVITEMA), text, sizeof text - 1);
    return text;
}

// Selects row `found` (or the row whose first column is `text` when `found` is -1), only it.
int SelectRow(HWND list, const std::string& text, int found = -1) {
    RemoteBuffer remote(list);
    if (!remote.Ok()) return 3;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count && found < 0; ++row)
        if (RowText(list, remote, row, 0) == text) found = row;
    if (found < 0 || found >= count) return 1;
    for (int row = 0; row < count; ++row) {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = row == found ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
        remote.Put(0, &item, sizeof item);
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.At(0)));
    }
    return 0;
}

int Choose(HWND control, const std::string& text) {
    char className[64] = "";
    GetClassNameA(control, className, sizeof className);
    const bool combo = lstrcmpiA(className, "ComboBox") == 0;
    LRESULT index = SendMessageA(control, combo ? CB_SELECTSTRING : LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) return 1;
    // Selecting by message does not notify; a user's click would.
    WORD code = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
    return 0;
}

int PrintRows(HWND list) {
    RemoteBuffer remote(list);
    if (!remote.Ok()) return 3;
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        remote.Put(0, &item, sizeof item);
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.At(0)));
        remote.Get(0, &item, sizeof item);
        std::printf("%d", item.iImage);
        for (int column = 0; column < (columns > 0 ? columns : 1); ++column)
            std::printf("\t%s", RowText(list, remote, row, column).c_str());
        std::printf("\n");
    }
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
    if (command == "command") return PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(arg), 0) ? 0 : 1;
    if (command == "syscommand")
        return PostMessageA(window, WM_SYSCOMMAND, static_cast<WPARAM>(arg), 0) ? 0 : 1;
    if (command == "page") {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(window, PSM_SETCURSEL, static_cast<WPARAM>(arg), 0, SMTO_NORMAL, 5000, &result) &&
                       result
                   ? 0
                   : 1;
    }
    if (command == "idle") {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &result) ? 0 : 1;
    }
    if (command == "texts") {
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            std::printf("%s\n", TextOf(child).c_str());
        return 0;
    }
    HWND control = arg ? FindControl(window, arg) : window;
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
    const std::string text = argc > 4 ? argv[4] : "";
    if (command == "select") return SelectRow(control, text);
    if (command == "selectrow") return SelectRow(control, text, std::atoi(text.c_str()));
    if (command == "key") {
        const WPARAM key = static_cast<WPARAM>(std::atoi(text.c_str()));
        // Posted in order: the control sees the press and then the release, as from the keyboard.
        return PostMessageA(control, WM_KEYDOWN, key, 1) && PostMessageA(control, WM_KEYUP, key, 0xC0000001) ? 0 : 1;
    }
    if (command == "settext") {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 5000,
                                   &result) ? 0 : 1;
    }
    if (command == "choose") return Choose(control, text);
    std::fprintf(stderr, "probe: unknown command %s\n", command.c_str());
    return 2;
}
