#include "cli/StatusReport.h"
#include <windows.h>
#include "cli/ToolText.h"
#include "hive/SchemeFile.h"
#include "hive/Sha256.h"

std::string UtcNowText() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return UtcTimeText(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

long long UtcNowSeconds() {
    long long seconds = 0;
    ParseUtcTime(UtcNowText(), seconds);
    return seconds;
}

std::string ThisComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD length = sizeof name;
    if (GetComputerNameA(name, &length) && length > 0) return std::string(name, length);
    // The name is kept in the registry, which a caller may have redirected; the system's
    // environment carries it too.
    length = GetEnvironmentVariableA("COMPUTERNAME", name, sizeof name);
    return length > 0 && length < sizeof name ? std::string(name, length) : std::string();
}

bool LeaveStatusRecord(const std::string& folder, const std::string& schemeFile,
                       StatusRecord& record, std::string& why) {
    const std::string name = ThisComputerName();
    // The name becomes a file name in a shared folder: nothing that could reach outside it.
    if (name.empty() || name.find_first_of("\\/:*?\"<>|.") != std::string::npos) {
        why = "this computer's name cannot be read";
        return false;
    }
    record.computer = Cp1252ToUtf8(name);
    record.time = UtcNowText();
    char full[MAX_PATH * 2] = "";
    const DWORD fullLength = GetFullPathNameA(schemeFile.c_str(), sizeof full, full, nullptr);
    record.filePath =
        Cp1252ToUtf8(fullLength > 0 && fullLength < sizeof full ? std::string(full) : schemeFile);
    std::string bytes;
    if (ReadWholeFile(schemeFile, bytes)) {
        record.fileSize = bytes.size();
        record.fileSha256 = Sha256Hex(bytes);
    }
    const std::string path = folder + "\\" + name + ".json";
    if (ReplaceWholeFile(path, StatusRecordJson(record))) return true;
    why = "it cannot be written as " + path;
    return false;
}
