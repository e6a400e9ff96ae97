#include "app/DiskCommands.h"
#include "app/SchemeListSite.h"
#include "framework/FileChooser.h"
#include "framework/FileSystem.h"
#include "framework/Notices.h"
#include <algorithm>
#include "hive/ExportImport.h"
#include "hive/LoadBackup.h"
#include "hive/ProgressDialog.h"
#include "store/SchemeStore.h"

namespace {

const char* const kFilter = "Vexar Lumen Scheme Manager file (*.esm)|*.esm|";
const char* const kExtension = "*.esm";

// The hourglass for the length of a command, over the main dialog too while the progress dialog
// lets it repaint; the cursor it replaced comes back at the end.
class BusyCursor {
public:
    explicit BusyCursor(SchemeListSite& list)
        : list_(list), previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {
        list_.SetBusy(true);
    }
    ~BusyCursor() {
        list_.SetBusy(false);
        SetCursor(previous_ ? previous_ : LoadCursorA(nullptr, IDC_ARROW));
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    SchemeListSite& list_;
    HCURSOR previous_;
};

// The store as a fresh one: no records, no schemes, the usual label and working strings.
void ResetStore(SchemeStore& store) {
    store.records.clear();
    store.schemes.clear();
    store.hiveName = "Lumen Hive";
    store.currentSection.clear();
    store.currentKey.clear();
}

// The selected scheme, or none.
std::string Selected(const SchemeListSite& list) {
    std::string name;
    return list.SelectedName(name) ? name : std::string();
}

} // namespace

void LoadFromDisk(SchemeStore& store, SchemeListSite& list) {
    std::string path;
    if (!CurrentFileChooser().ChooseToOpen(
            list.Owner(),
            {kFilter, kExtension, kExtension,
             OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON},
            path))
        return;
    BusyCursor busy(list);
    {
        const ProgressDialog progress(list.Owner());
        LoadSchemesFromFile(path);
    }
    ResetStore(store);
    // Read again, not taken from the file: another writer may have changed other schemes too.
    list.BringIntoStep(Selected(list));
}

void SaveToDisk(SchemeListSite& list) {
    std::string path;
    if (!CurrentFileChooser().ChooseToSave(
            list.Owner(),
            {kFilter, kExtension, kExtension, OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON}, path))
        return;
    BusyCursor busy(list);
    if (!PathExists(FolderOf(path))) {
        Warn(list.Owner(), "The folder you have specified is read only, please pick another",
             "Export Problem");
    } else {
        const ProgressDialog progress(list.Owner());
        SaveSchemesToFile(path);
    }
    list.BringIntoStep(Selected(list));
}

void UndoLastLoad(SchemeStore& store, SchemeListSite& list) {
    const std::vector<BackupSummary> backups = ListBackups();
    auto last = std::find_if(backups.rbegin(), backups.rend(),
                             [](const BackupSummary& b) { return b.kind == "load"; });
    if (last == backups.rend()) {
        ShowMessage(list.Owner(), "There is no load from disk to undo on this computer.",
                    "Undo Last Load", MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::string question =
        "Undo the load of " + last->file + " made at " + last->when + "?\n\n" +
        std::to_string(last->replaced + last->removed) +
        " scheme(s) it changed will be put back as they were before it, and " +
        std::to_string(last->added) + " scheme(s) it added will be removed.";
    if (ShowMessage(list.Owner(), question, "Undo Last Load", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    BusyCursor busy(list);
    RestoreBackup(last->id);
    // Whatever was put back, the list shows the registry as it now is.
    ResetStore(store);
    list.BringIntoStep(Selected(list));
}
