#include "app/DiskCommands.h"
#include "app/MainDialog.h"
#include "framework/FileChooser.h"
#include "framework/FileSystem.h"
#include "framework/Notices.h"
#include <algorithm>
#include "hive/ExportImport.h"
#include "hive/LoadBackup.h"
#include "hive/ProgressDialog.h"

namespace {

const char* const kFilter = "Vexar Lumen Scheme Manager file (*.esm)|*.esm|";
const char* const kExtension = "*.esm";

// The hourglass for the length of a command, over the main dialog too while the progress dialog
// lets it repaint; the cursor it replaced comes back at the end.
class BusyCursor {
public:
    explicit BusyCursor(CMainDialog& main)
        : main_(main), previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {
        main_.SetBusy(true);
    }
    ~BusyCursor() {
        main_.SetBusy(false);
        SetCursor(previous_ ? previous_ : LoadCursorA(nullptr, IDC_ARROW));
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    CMainDialog& main_;
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

} // namespace

void LoadFromDisk(CMainDialog& main) {
    std::string path;
    if (!CurrentFileChooser().ChooseToOpen(
            main.Hwnd(),
            {kFilter, kExtension, kExtension,
             OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON},
            path))
        return;
    BusyCursor busy(main);
    SchemeStore written;
    bool complete = false;
    {
        const ProgressDialog progress(main.Hwnd());
        complete = LoadSchemesFromFile(path, &written);
    }
    SchemeStore& store = main.Store();
    ResetStore(store);
    // The list takes what the load has just written; after a refusal or a failed write it is
    // read again, since what is on the machine is then not known here.
    if (complete)
        store.MergeImported(written);
    else
        store.RefreshEntries();
    main.RefreshList();
}

void SaveToDisk(CMainDialog& main) {
    std::string path;
    if (!CurrentFileChooser().ChooseToSave(
            main.Hwnd(),
            {kFilter, kExtension, kExtension, OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON}, path))
        return;
    BusyCursor busy(main);
    if (!PathExists(FolderOf(path))) {
        Warn(main.Hwnd(), "The folder you have specified is read only, please pick another",
             "Export Problem");
        return;
    }
    const ProgressDialog progress(main.Hwnd());
    SaveSchemesToFile(path);
}

void UndoLastLoad(CMainDialog& main) {
    const std::vector<BackupSummary> backups = ListBackups();
    auto last = std::find_if(backups.rbegin(), backups.rend(),
                             [](const BackupSummary& b) { return b.kind == "load"; });
    if (last == backups.rend()) {
        ShowMessage(main.Hwnd(), "There is no load from disk to undo on this computer.",
                    "Undo Last Load", MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::string question =
        "Undo the load of " + last->file + " made at " + last->when + "?\n\n" +
        std::to_string(last->replaced + last->removed) +
        " scheme(s) it changed will be put back as they were before it, and " +
        std::to_string(last->added) + " scheme(s) it added will be removed.";
    if (ShowMessage(main.Hwnd(), question, "Undo Last Load", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    BusyCursor busy(main);
    RestoreBackup(last->id);
    // Whatever was put back, the list shows the registry as it now is.
    SchemeStore& store = main.Store();
    ResetStore(store);
    store.RefreshEntries();
    main.RefreshList();
}
