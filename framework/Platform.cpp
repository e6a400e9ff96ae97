#include "framework/Platform.h"
#include <tlhelp32.h>

namespace {
class ToolhelpProcessSource : public ProcessSource {
public:
    std::vector<std::string> QueryableExeNames() override {
        std::vector<std::string> names;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return names;
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
            // A process this user may not query (another user's copy) does not count.
            HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, entry.th32ProcessID);
            if (!process) continue;
            names.push_back(entry.szExeFile);
            CloseHandle(process);
        }
        CloseHandle(snapshot);
        return names;
    }
};

class UserWindowFinder : public WindowFinder {
public:
    HWND FindTopLevel(const std::string& title) override {
        return FindWindowExA(nullptr, nullptr, nullptr, title.c_str());
    }
    void Restore(HWND window) override { ShowWindow(window, SW_RESTORE); }
};
} // namespace

ProcessSource& SystemProcessSource() {
    static ToolhelpProcessSource source;
    return source;
}

WindowFinder& SystemWindowFinder() {
    static UserWindowFinder finder;
    return finder;
}

namespace {
void ExitProcessHandler(int code) { ExitProcess(static_cast<UINT>(code)); }
ExitHandler g_exitHandler = ExitProcessHandler;
} // namespace

void ExitProgram(int code) { g_exitHandler(code); }

ExitHandler SetExitHandler(ExitHandler handler) {
    ExitHandler previous = g_exitHandler;
    g_exitHandler = handler ? handler : ExitProcessHandler;
    return previous;
}
