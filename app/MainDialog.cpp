#include "app/MainDialog.h"
#include <unordered_map>
#include "allocation/AllocationCommand.h"
#include "app/DiskCommands.h"
#include "app/SchemeCommands.h"
#include "store/Settings.h"
#include "framework/Dpi.h"
#include "framework/Notices.h"
#include "helper_chooser/HelperChooserDlg.h"

namespace {
const COLORREF kNavy = RGB(0, 0, 128);
const int kColumnWidth = 180;
const int kProtectedImage = 0;
const int kSchemeImage = 1;

} // namespace

const std::vector<Command<CMainDialog>> CMainDialog::commands_ = {
    {IDC_EDIT, BN_CLICKED, &CMainDialog::OnEdit},
    {IDC_CREATE, BN_CLICKED, &CMainDialog::OnCreate},
    {IDC_DELETE, BN_CLICKED, &CMainDialog::OnDelete},
    {IDC_LOAD_FROM_DISK, BN_CLICKED, &CMainDialog::OnLoadFromDisk},
    {IDC_SAVE_TO_DISK, BN_CLICKED, &CMainDialog::OnSaveToDisk},
    {IDC_ALLOCATE_SCHEMES, BN_CLICKED, &CMainDialog::OnAllocate},
    {IDC_CHOOSE_HELPER, BN_CLICKED, &CMainDialog::OnChooseHelper},
    {IDM_HELP, 0, &CMainDialog::OnHelpMenu},
    {IDM_ABOUT, 0, &CMainDialog::OnAboutMenu},
};

int CMainDialog::ImageOf(const Row& row) { return row.builtIn ? kProtectedImage : kSchemeImage; }

CMainDialog::CMainDialog(HWND parent) : Dialog(IDD_MAIN, parent) {}

CMainDialog::~CMainDialog() {
    if (waiterInstalled_) SetTurnWaiter(previousWaiter_);
}

BOOL CMainDialog::OnInitDialog() {
    previousWaiter_ = SetTurnWaiter(&waiting_);
    waiterInstalled_ = true;
    store_.LoadEntries(true); // the list; a command reads the sections it needs
    SetUpButtons();
    SetUpList();
    for (int id : {IDC_EDIT, IDC_DELETE, IDC_CREATE}) EnableItem(id, true);
    RefreshList();
    // Beside the system's own commands, so the dialog's layout stays as it is.
    if (HMENU system = GetSystemMenu(Hwnd(), FALSE)) {
        AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(system, MF_STRING, IDM_UNDO_LOAD, "Undo Last Load...");
    }
    SendMessageA(Hwnd(), DM_SETDEFID, IDOK, 0);
    return TRUE;
}

void CMainDialog::SetUpButtons() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (CHoverButton* button : {&load_, &save_}) {
        button->Attach(Hwnd(), button == &load_ ? IDC_LOAD_FROM_DISK : IDC_SAVE_TO_DISK);
        button->SetColor(CHoverButton::kBackHot, face);
        button->SetColor(CHoverButton::kTextHot, kNavy);
        button->UseParentBackground();
    }
    help_.Attach(Hwnd(), IDC_HELP_BUTTON);
    help_.SetIcons(IDI_HELP_ABOUT, 0);
    help_.SetTooltip("Help and About");
    help_.SetColor(CHoverButton::kBackHot, face);
    help_.SetDropMenu(IDR_HELP_MENU, Hwnd());
    help_.UseParentBackground();
    help_.SetBorderOnHover(false);
}

void CMainDialog::SetUpList() {
    // The template carries the list's styles, LVS_SORTASCENDING among them.
    ListView list = SchemeList();
    list.InsertColumn(0, "Name", Dpi::Scale(kColumnWidth, ShownDpi()));
    list.InsertColumn(1, "Description", Dpi::Scale(kColumnWidth, ShownDpi()));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
}

void CMainDialog::RefreshList() {
    ListView list = SchemeList();
    list.SetRedraw(false);
    list.DeleteAll();
    shown_.clear();
    MakeImages(ShownDpi());
    protectedNames_ = SchemeStore::ReadProtectedNames();
    for (const SchemeEntry& entry : store_.entries) {
        const Row shown{entry.description, IsProtected(entry.name)};
        int row = list.InsertItem(list.Count(), entry.name, ImageOf(shown));
        // The list sorts itself, so the row to describe is the one the insertion reports.
        if (row >= 0) list.SetItemText(row, 1, entry.description);
        shown_[entry.name] = shown;
    }
    list.SetRedraw(true); // first: a list that does not draw keeps its scroll bars as they were
    list.FitLastColumn();
    list.Redraw();
}

void CMainDialog::BringIntoStep(const std::string& selected) {
    store_.LoadEntries(false); // ends the program when the Schemes key is gone
    protectedNames_ = SchemeStore::ReadProtectedNames();
    std::unordered_map<std::string, Row> listed;
    for (const SchemeEntry& entry : store_.entries)
        listed.emplace(entry.name, Row{entry.description, IsProtected(entry.name)});
    // Only what went or changed since the rows were filled is looked up, by name.
    ListView list = SchemeList();
    for (const auto& row : shown_) {
        auto at = listed.find(row.first);
        if (at != listed.end() && at->second == row.second) continue;
        const int index = list.FindItem(row.first);
        if (index < 0) continue;
        if (at == listed.end()) {
            list.DeleteItem(index);
        } else {
            list.SetItemText(index, 1, at->second.description);
            list.SetItemImage(index, ImageOf(at->second));
        }
    }
    for (const SchemeEntry& entry : store_.entries) {
        if (shown_.count(entry.name)) continue;
        const Row& shown = listed[entry.name];
        int row = list.InsertItem(list.Count(), entry.name, ImageOf(shown));
        if (row >= 0) list.SetItemText(row, 1, shown.description);
    }
    shown_ = std::move(listed);
    list.FitLastColumn();
    const int row = selected.empty() ? -1 : list.FindItem(selected);
    if (row < 0) return;
    list.Select(row);
    list.EnsureVisible(row);
}

void CMainDialog::MakeImages(int dpi) {
    const int size = Dpi::SmallIconSize(dpi);
    images_.Create(size, ILC_COLOR32 | ILC_MASK, 300, 50);
    SchemeList().SetImageList(images_.Handle(), LVSIL_SMALL);
    for (int id : {IDI_SCHEME_PROTECTED, IDI_SCHEME}) {
        HICON icon = Dpi::LoadIconAt(id, size);
        images_.AddIcon(icon);
        if (icon) DestroyIcon(icon);
    }
}

void CMainDialog::OnDpiChanged(int dpi) {
    MakeImages(dpi);
    SchemeList().ScaleColumns(ShownDpi(), dpi);
    SchemeList().Redraw();
}

void CMainDialog::OnControlsRescaled() { SchemeList().FitLastColumn(); }

bool CMainDialog::SelectedName(std::string& name) const {
    int row = SelectedRow();
    if (row < 0) return false;
    name = SchemeList().ItemText(row, 0);
    return true;
}

bool CMainDialog::IsProtected(const std::string& name) const {
    for (const std::string& protectedName : protectedNames_) {
        if (protectedName == name) return true;
    }
    return false;
}

bool CMainDialog::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

bool CMainDialog::OnNotify(int id, NMHDR* header) {
    if (id == IDC_SCHEME_LIST && header->code == NM_DBLCLK) {
        OnEdit();
        SetMsgResult(0);
        return true;
    }
    return false;
}

void CMainDialog::OnHelp() { OpenHelp(); }

INT_PTR CMainDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
    if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == IDM_UNDO_LOAD) {
        UndoLastLoad(store_, *this);
        handled = true;
        SetMsgResult(0);
        return TRUE;
    }
    handled = msg == WM_SETCURSOR && busy_;
    if (!handled) return FALSE;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    SetMsgResult(TRUE);
    return TRUE;
}

void CMainDialog::OnCreate() { CreateScheme(store_, *this); }

void CMainDialog::OnEdit() { EditScheme(store_, *this); }

void CMainDialog::OnDelete() { DeleteScheme(store_, *this); }

void CMainDialog::OnLoadFromDisk() { LoadFromDisk(store_, *this); }

void CMainDialog::OnSaveToDisk() { SaveToDisk(*this); }

void CMainDialog::OnAllocate() {
    ShowAllocation(Hwnd());
    std::string selected;
    BringIntoStep(SelectedName(selected) ? selected : std::string());
}

void CMainDialog::OnChooseHelper() {
    CHelperChooserDlg chooser(Hwnd());
    chooser.DoModal();
}

void CMainDialog::OnHelpMenu() { OpenHelp(); }

void CMainDialog::OnAboutMenu() {
    Beep(0);
    Dialog about(IDD_ABOUT, Hwnd());
    about.DoModal();
}
