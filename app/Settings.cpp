#include "app/Settings.h"
#include <windows.h>
#include <shellapi.h>
#include "framework/FileSystem.h"
#include "framework/Notices.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

namespace {
// Read as a fixed 260-byte buffer would be, whatever the value's type.
std::string ReadSetting(const char* path, const char* value) {
    char buffer[260] = "";
    RegKey key(false, path);
    if (!key.Open(KEY_READ) || !key.ReadRaw(value, buffer, sizeof buffer - 1)) return std::string();
    return buffer;
}
} // namespace

std::string GetHelpPath() { return ReadSetting(kHelpSettingsKey, "HelpPath"); }
std::string GetDefaultPicturesFolder() { return ReadSetting(kSettingsKey, "Default Pictures"); }
std::string GetUserPicturesFolder() { return ReadSetting(kSettingsKey, "User Defined Pictures"); }
std::string GetInstallFolder() { return ReadSetting(kInstallKey, "Location"); }

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
