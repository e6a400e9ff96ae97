// Stands in for eventcreate in the deployment test (Wine has none): appends its command line to
// the file that VLSM_EVENTS names, and succeeds as eventcreate does.
#include <windows.h>
#include <cstdio>

int main() {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("VLSM_EVENTS", path, sizeof path);
    if (length == 0 || length >= sizeof path) return 1;
    FILE* events = std::fopen(path, "ab");
    if (!events) return 1;
    std::fprintf(events, "%s\r\n", GetCommandLineA());
    return std::fclose(events) == 0 ? 0 : 1;
}
