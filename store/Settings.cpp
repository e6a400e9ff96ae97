#include "store/Settings.h"
#include <windows.h>
#include <shellapi.h>
#include "framework/FileSystem.h"
#include "framework/Notices.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

namespace {
// Through a 260-byte buffer, whatever the value's type: a longer value reads as missing.
std::string ReadSetting(const char* path, const char* value) {
    char buffer[261] = ""; // one byte over, so that 260 bytes without a zero stay terminated
    RegKey key(false, path);
    if (!key.ReadRaw(value, buffer, sizeof buffer - 1)) return std::string();
    return buffer;
}
} // namespace

std::string GetHelpPath() { return ReadSetting(kHelpSettingsKey, "HelpPath"); }
std::string GetDefaultPicturesFolder() { return ReadSetting(kSettingsKey, "Default Pictures"); }
std::string GetUserPicturesFolder() { return ReadSetting(kSettingsKey, "User Defined Pictures"); }
std::string GetInstallFolder() { return ReadSetting(kInstallKey, "Location"); }
std::string GetAgentPath() { return ReadSetting(kSettingsKey, "msAgent Path"); }

bool OpenHelp() {
    std::string path = GetHelpPath();
    if (!PathExists(path)) {
        Beep(MB_ICONEXCLAMATION);
        ShowMessage(nullptr,
                    "There has been a problem locating the correct help file.\nIt is recommended you inform your "
                    "system administrator\nof this error",
                    "Help Problem", MB_ICONINFORMATION);
        return false;
    }
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}
