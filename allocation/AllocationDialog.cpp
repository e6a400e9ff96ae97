#include "allocation/AllocationDialog.h"
#include "allocation/AllocationRules.h"
#include "allocation/Allocations.h"
#include "allocation/SchemePicker.h"
#include "framework/Dpi.h"
#include "resource.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/WriterLock.h"

namespace {
constexpr int kNameColumn = 0;
constexpr int kTypeColumn = 1;
constexpr int kSchemeColumn = 2;
constexpr int kUserImage = 0;
constexpr int kClassImage = 1;

// Where control `id` lies in the dialog's client area.
RECT ItemRect(HWND dialog, int id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MoveItemUp(HWND dialog, int id, int pixels) {
    const RECT rect = ItemRect(dialog, id);
    SetWindowPos(GetDlgItem(dialog, id), nullptr, rect.left, rect.top - pixels, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MakeShorter(HWND dialog, int pixels) {
    RECT rect;
    GetWindowRect(dialog, &rect);
    SetWindowPos(dialog, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top - pixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HideItems(HWND dialog, std::initializer_list<int> ids) {
    for (int id : ids)
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
}
} // namespace

const std::vector<Command<CAllocationDialog>>& CAllocationDialog::Commands() {
    static const std::vector<Command<CAllocationDialog>> table = {
        {IDC_ALLOCATION_CHANGE, BN_CLICKED, &CAllocationDialog::OnChange},
    };
    return table;
}

CAllocationDialog::CAllocationDialog(HWND parent, ConfigModeSource& modes)
    : Dialog(IDD_ALLOCATION, parent), mode_(kUnansweredMode), modes_(modes) {}

bool CAllocationDialog::PerUserLayout() const { return IsPerUserMode(mode_); }

BOOL CAllocationDialog::OnInitDialog() {
    mode_ = kUnansweredMode;
    modes_.Query(mode_);
    list_.Attach(Item(IDC_ALLOCATION_LIST));
    schemeChoice_.Attach(Item(IDC_ALLOCATION_SCHEME_CHOICE));
    ArrangeLayout();

    MakeImages(ShownDpi());
    SetUpList();

    // Both layouts are filled; the hidden one is only hidden.
    ReadSchemeChoices();
    ReadRows();
    Exchange(false);
    return TRUE;
}

// The template holds both layouts, the per-user controls below the allocation ones. Each layout
// closes the gap its hidden controls leave, measured from the controls as the window shows them
// (their pixels follow the dialog's font and scale): the per-user group takes the allocation
// group's place, or OK takes the per-user group's.
void CAllocationDialog::ArrangeLayout() {
    HWND dialog = Hwnd();
    const int perUserTop = ItemRect(dialog, IDC_PER_USER_GROUP).top;
    if (PerUserLayout()) {
        const int lift = perUserTop - ItemRect(dialog, IDC_ALLOCATION_GROUP).top;
        SetWindowTextA(dialog, "User Schemes");
        HideItems(dialog, {IDC_ALLOCATION_HINT, IDC_ALLOCATION_LIST, IDC_ALLOCATION_CHANGE,
                           IDC_ALLOCATION_GROUP});
        for (int id : {IDC_PER_USER_GROUP, IDC_PER_USER_HINT, IDC_PER_USER_LABEL,
                       IDC_ALLOCATION_SCHEME_CHOICE, IDC_ALLOCATION_APPLY, IDOK})
            MoveItemUp(dialog, id, lift);
        MakeShorter(dialog, lift);
        HideItems(dialog, {IDCANCEL});
    } else {
        const int lift = ItemRect(dialog, IDOK).top - perUserTop;
        HideItems(dialog, {IDC_PER_USER_GROUP, IDC_PER_USER_HINT, IDC_ALLOCATION_SCHEME_CHOICE,
                           IDC_ALLOCATION_APPLY, IDC_PER_USER_LABEL});
        MakeShorter(dialog, lift);
        MoveItemUp(dialog, IDOK, lift);
        MoveItemUp(dialog, IDCANCEL, lift);
    }
}

void CAllocationDialog::MakeImages(int dpi) {
    const int size = Dpi::SmallIconSize(dpi);
    images_.Create(size, ILC_COLOR32 | ILC_MASK, 10, 5);
    for (int id : {IDI_USER, IDI_CLASS}) { // images 0 and 1
        // The image list keeps its own copy of the icon, so the loaded one is given back at once.
        HICON icon = Dpi::LoadIconAt(id, size);
        if (!icon) continue;
        images_.AddIcon(icon);
        DestroyIcon(icon);
    }
}

void CAllocationDialog::OnDpiChanged(int dpi) {
    MakeImages(dpi);
    list_.SetImageList(images_.Handle(), LVSIL_SMALL);
    list_.ScaleColumns(ShownDpi(), dpi);
}

void CAllocationDialog::OnControlsRescaled() { list_.FitLastColumn(); }

void CAllocationDialog::SetUpList() {
    list_.InsertColumn(kNameColumn, "Class or User", Dpi::Scale(180, ShownDpi()));
    list_.InsertColumn(kTypeColumn, "Type", 0);
    list_.InsertColumn(kSchemeColumn, "Schemes", 0); // fitted once the rows are in
    list_.SetImageList(images_.Handle(), LVSIL_SMALL);
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
}

// Every value of the Schemes key is offered, whether or not its scheme key exists.
void CAllocationDialog::ReadSchemeChoices() {
    schemeNames_.clear();
    RegKey schemes(false, kSchemesKey);
    if (schemes.Open(KEY_QUERY_VALUE)) schemeNames_ = schemes.ValueNames();
    userScheme_ = ReadConfigToUse();
}

void CAllocationDialog::ReadRows() {
    classes_.clear();
    users_.clear();
    if (IsNtPlatform()) {
        ReadUsersNt(users_);
        ReadClassesNt(classes_, classFiles.ntFolder);
    } else {
        ReadUsers9x(users_);
        ReadClasses9x(classes_, classFiles.file9x);
    }
    rows_.clear();
    for (const std::string& name : classes_)
        rows_.push_back({name, kClassSchemes, ""});
    for (const std::string& name : users_)
        rows_.push_back({name, kUserSchemes, ""});
    for (AllocationRow& row : rows_)
        ReadAllocation(row.name, row.type, row.scheme);
}

bool CAllocationDialog::Exchange(bool save) {
    if (save) {
        for (size_t index = 0; index < rows_.size(); ++index)
            rows_[index].scheme = list_.ItemText(static_cast<int>(index), kSchemeColumn);
        int selected = schemeChoice_.Selected();
        userScheme_ = selected < 0 ? std::string() : schemeChoice_.ItemText(selected);
        return true;
    }
    list_.DeleteAll();
    for (const AllocationRow& row : rows_) {
        int index = list_.InsertItem(list_.Count(), row.name,
                                     row.type == kClassSchemes ? kClassImage : kUserImage);
        list_.SetItemText(index, kTypeColumn, row.type);
        list_.SetItemText(index, kSchemeColumn, row.scheme);
    }
    list_.FitLastColumn();
    schemeChoice_.Clear();
    for (const std::string& name : schemeNames_)
        schemeChoice_.Add(name);
    int match = schemeChoice_.Find(userScheme_); // letter case does not count
    schemeChoice_.Select(match >= 0 ? match : 0);
    return true;
}

bool CAllocationDialog::OnCommand(WORD code, int id, HWND) {
    return DispatchCommand(this, Commands(), code, id);
}

bool CAllocationDialog::OnNotify(int id, NMHDR* header) {
    if (id != IDC_ALLOCATION_LIST || header->code != NM_DBLCLK) return false;
    OnChange();
    SetMsgResult(TRUE);
    return true;
}

void CAllocationDialog::OnChange() {
    std::vector<int> selected;
    for (int index = list_.NextSelected(-1); index >= 0; index = list_.NextSelected(index))
        selected.push_back(index);
    if (selected.empty()) return;
    CSchemePicker picker(Hwnd());
    picker.DoModal();
    if (!picker.accepted) return;
    for (int index : selected) {
        SetSchemeOfSameRows(index, picker.chosen);
        list_.Select(index, false);
    }
}

// A class or user listed twice is one registry value: every row of it shows the new scheme, so
// that the row stored last cannot undo the one just changed.
void CAllocationDialog::SetSchemeOfSameRows(int changed, const std::string& scheme) {
    const AllocationRow& target = rows_[static_cast<size_t>(changed)];
    for (size_t index = 0; index < rows_.size(); ++index) {
        const AllocationRow& row = rows_[index];
        if (row.type == target.type && lstrcmpiA(row.name.c_str(), target.name.c_str()) == 0)
            list_.SetItemText(static_cast<int>(index), kSchemeColumn, scheme);
    }
}

void CAllocationDialog::OnOK() {
    // Without the turn nothing is written and the dialog stays open, to try again or cancel.
    const WriterLock turn(Hwnd());
    if (!turn.Held()) return;
    Exchange(true);
    if (PerUserLayout()) {
        WriteConfigToUse(userScheme_);
    } else {
        for (const AllocationRow& row : rows_)
            WriteAllocation(row.name, row.type, row.scheme);
    }
    EndDialog(IDOK);
}
