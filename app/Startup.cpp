#include "app/Startup.h"
#include <cstring>
#include "store/Settings.h"
#include "framework/FileSystem.h"
#include "framework/Notices.h"
#include "hive/LoadBackup.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"

const char* const kProgramTitle = "Vexar Lumen Scheme Manager";

namespace {
const char* const kOwnExeNames[] = {
    "Vexar Lumen Scheme Manager",
    "Vexar Lumen Scheme Manager.",
    "Vexar Lumen Scheme Manager.exe",
    "C:\\Program Files\\Orrinford\\Vexar Lumen Scheme Manager\\Vexar Lumen Scheme Manager.exe",
};

bool IsOwnExeName(const std::string& name) {
    for (const char* own : kOwnExeNames) {
        if (lstrcmpiA(name.c_str(), own) == 0) return true;
    }
    return false;
}

// The start-up boxes have no owner, no icon and only OK.
void StartupMessage(const char* text, const char* title) { ShowMessage(nullptr, text, title, MB_OK); }
} // namespace

bool AnotherInstanceRunning(ProcessSource& processes) {
    int count = 0;
    for (const std::string& name : processes.QueryableExeNames()) {
        if (IsOwnExeName(name)) ++count;
    }
    return count > 1;
}

bool SchemesPresent() {
    // One listed scheme (a value with its key) is enough; its sections are not read here.
    SchemeStore store;
    if (store.LoadEntries(false) && !store.entries.empty()) return true;
    StartupMessage("There are no Vexar Lumen Schemes on this machine\n\rso Vexar Lumen Scheme Manager cannot "
                   "run.\n\r\n\rPlease reinstall Vexar Lumen.",
                   "No Schemes Found");
    return false;
}

bool PolicyAllowsUse() {
    DWORD lock = 0;
    RegKey key(false, kPolicyKey, HKEY_CURRENT_USER);
    if (key.Open(KEY_READ) && !key.ReadRaw("Lock", &lock, sizeof lock)) lock = 0;
    if (lock == 0) return true;
    StartupMessage("Vexar Lumen Scheme Manager cannot be used by pupils.", "Access Denied");
    return false;
}

bool PicturesPresent() {
    // The picture folder becomes the working folder, and stays so.
    SetCurrentFolder(GetDefaultPicturesFolder());
    if (!ListFiles(std::string(), "*.bmp").empty()) return true;
    StartupMessage("There are no bitmaps available for the Scheme Manager.\n\rPlease reinstall Vexar Lumen.",
                   "Unable to Run");
    return false;
}

void CopyDefaultPictures() {
    const std::string pictures = GetDefaultPicturesFolder();
    // Without a picture folder the targets would be the root of the current drive.
    if (pictures.empty()) return;
    const std::string install = GetInstallFolder();
    for (const char* file : {"Closed Folder.bmp", "On-Line Resources.bmp"}) {
        const std::string target = pictures + "\\" + file;
        if (CanOpenForReading(target)) continue;
        CopyFileIfMissing(install + "\\" + file, target); // a failed copy is not reported
    }
}

void RunStartup(ProcessSource& processes, WindowFinder& windows, const std::function<void()>& showMain) {
    if (AnotherInstanceRunning(processes)) {
        if (HWND first = windows.FindTopLevel(kProgramTitle)) windows.Restore(first);
        return;
    }
    // A load that never finished is put back before anything reads the schemes.
    RecoverInterruptedChange();
    if (!SchemesPresent() || !PolicyAllowsUse() || !PicturesPresent()) return;
    CopyDefaultPictures();
    if (showMain) showMain();
}
