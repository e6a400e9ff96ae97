#include "app/DiskCommands.h"
#include "app/MainDialog.h"
#include "framework/FileChooser.h"
#include "framework/FileSystem.h"
#include "framework/Notices.h"
#include "hive/ExportImport.h"
#include "hive/ProgressDialog.h"

namespace {

const char* const kFilter = "Vexar Lumen Scheme Manager file (*.esm)|*.esm|";
const char* const kExtension = "*.esm";

// The hourglass for the length of a command; the cursor it replaced comes back at the end.
class BusyCursor {
public:
    BusyCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~BusyCursor() { SetCursor(previous_ ? previous_ : LoadCursorA(nullptr, IDC_ARROW)); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
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
    BusyCursor busy;
    const ProgressDialog progress(main.Hwnd());
    LoadSchemesFromFile(path);
    ResetStore(main.Store());
    main.Store().Load(false);
    main.RefreshList();
}

void SaveToDisk(CMainDialog& main) {
    std::string path;
    if (!CurrentFileChooser().ChooseToSave(
            main.Hwnd(),
            {kFilter, kExtension, kExtension, OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON}, path))
        return;
    BusyCursor busy;
    if (!PathExists(FolderOf(path))) {
        Warn(main.Hwnd(), "The folder you have specified is read only, please pick another",
             "Export Problem");
        return;
    }
    const ProgressDialog progress(main.Hwnd());
    SaveSchemesToFile(path);
}
