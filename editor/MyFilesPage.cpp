#include "editor/MyFilesPage.h"
#include "framework/Notices.h"
#include "resource.h"

namespace {
const COLORREF kNavy = RGB(0, 0, 128);
const int kNameWidth = 160;
const int kPathWidth = 300;
} // namespace

const std::vector<Command<CMyFilesPage>> CMyFilesPage::commands_ = {
    {IDC_MOVE_UP, BN_CLICKED, &CMyFilesPage::OnUp},
    {IDC_MOVE_DOWN, BN_CLICKED, &CMyFilesPage::OnDown},
    {IDC_ITEM_ADD, BN_CLICKED, &CMyFilesPage::OnAdd},
    {IDC_ITEM_REMOVE, BN_CLICKED, &CMyFilesPage::OnRemove},
    {IDC_ITEM_EDIT, BN_CLICKED, &CMyFilesPage::OnEdit},
};

CMyFilesPage::CMyFilesPage() : PropertyPage(IDD_MY_FILES_PAGE) {}

void CMyFilesPage::StoreInto(Scheme& scheme) const {
    scheme.roots.roots = roots_;
    scheme.roots.count = static_cast<int>(roots_.size());
    scheme.defaults.defaultIconSize = iconSize_;
}

BOOL CMyFilesPage::OnInitDialog() {
    SetUpButtons();
    ListView list = List();
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    library_.Build();
    list.SetImageList(library_.ImageList(), LVSIL_SMALL);
    list.InsertColumn(0, "Display Name", kNameWidth);
    list.InsertColumn(1, "Path", kPathWidth);
    FillList();
    EnableItem(IDC_ITEM_ADD, true);
    return TRUE;
}

void CMyFilesPage::SetUpButtons() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (CHoverButton* button : {&up_, &down_}) {
        const bool up = button == &up_;
        button->Attach(Hwnd(), up ? IDC_MOVE_UP : IDC_MOVE_DOWN);
        button->SetIcons(up ? IDI_ARROW_UP_HOT : IDI_ARROW_DOWN_HOT, up ? IDI_ARROW_UP : IDI_ARROW_DOWN);
        button->SetColor(CHoverButton::kBackHot, face);
        button->SetColor(CHoverButton::kTextHot, kNavy);
        button->UseParentBackground();
        button->SetBorderOnHover(false);
    }
}

bool CMyFilesPage::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

bool CMyFilesPage::OnNotify(int id, NMHDR* header) {
    if (id != IDC_ROOT_LIST) return false;
    if (header->code == LVN_ITEMCHANGED) UpdateButtons();
    else if (header->code == NM_DBLCLK) OnEdit();
    else return false;
    SetMsgResult(0);
    return true;
}

void CMyFilesPage::FillList() {
    ListView list = List();
    list.DeleteAll();
    const int fallback = library_.IndexOf(CRootPropertiesDlg::ClosedFolderPicture());
    for (size_t i = 0; i < roots_.size(); ++i) {
        const int own = library_.IndexOf(roots_[i].collapsedIconFile);
        const int image = own >= 0 ? own : fallback >= 0 ? fallback : I_IMAGENONE;
        const int row = list.InsertItem(static_cast<int>(i), roots_[i].displayName, image);
        list.SetItemText(row, 1, roots_[i].path);
    }
    UpdateButtons();
}

void CMyFilesPage::SelectRow(int row) {
    ListView list = List();
    list.Select(row);
    list.EnsureVisible(row);
    UpdateButtons();
}

void CMyFilesPage::UpdateButtons() {
    const bool selected = List().Selected() >= 0;
    EnableItem(IDC_ITEM_EDIT, selected);
    EnableItem(IDC_ITEM_REMOVE, selected);
}

void CMyFilesPage::Move(int by) {
    const int row = List().Selected();
    const int other = row + by;
    if (row < 0 || other < 0 || other >= static_cast<int>(roots_.size())) return;
    std::swap(roots_[static_cast<size_t>(row)], roots_[static_cast<size_t>(other)]);
    FillList();
    SelectRow(other);
}

void CMyFilesPage::OnAdd() {
    rootDialog_.SetParent(Hwnd());
    rootDialog_.SetEditMode(false);
    if (rootDialog_.DoModal() != IDOK) return;
    roots_.emplace_back();
    rootDialog_.ApplyTo(roots_.back());
    FillList();
}

void CMyFilesPage::OnRemove() {
    const int row = List().Selected();
    if (row < 0) return;
    if (Warn(Hwnd(), "Are you sure you want to delete this root ?", "Root Deletion", MB_OKCANCEL) != IDOK) return;
    roots_.erase(roots_.begin() + row);
    List().DeleteItem(row);
    UpdateButtons();
}

void CMyFilesPage::OnEdit() {
    const int row = List().Selected();
    if (row < 0) return;
    FolderRoot& root = roots_[static_cast<size_t>(row)];
    rootDialog_.SetParent(Hwnd());
    rootDialog_.SetEditMode(true);
    rootDialog_.SetDisplayName(root.displayName);
    rootDialog_.SetRootPath(root.path);
    rootDialog_.SetCollapsedPicture(root.collapsedIconFile);
    rootDialog_.SetExpandedPicture(root.expandedIconFile);
    rootDialog_.SetFolderLevels(root.folderLevels);
    if (rootDialog_.DoModal() != IDOK) return;
    rootDialog_.ApplyTo(root);
    FillList();
    SelectRow(row);
}
