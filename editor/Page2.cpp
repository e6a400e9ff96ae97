#include "editor/Page2.h"
#include "app/Settings.h"
#include "editor/WebLinkDlg.h"
#include "framework/Notices.h"
#include "resource.h"

namespace {
const COLORREF kNavy = RGB(0, 0, 128);
const int kNameWidth = 170;
const int kUrlWidth = 320;
} // namespace

const std::vector<Command<CPage2>> CPage2::commands_ = {
    {IDC_MOVE_UP, BN_CLICKED, &CPage2::OnUp},
    {IDC_MOVE_DOWN, BN_CLICKED, &CPage2::OnDown},
    {IDC_ITEM_ADD, BN_CLICKED, &CPage2::OnAdd},
    {IDC_ITEM_REMOVE, BN_CLICKED, &CPage2::OnRemove},
    {IDC_ITEM_EDIT, BN_CLICKED, &CPage2::OnEdit},
};

CPage2::CPage2() : PropertyPage(IDD_LINKS_PAGE) {}

std::string CPage2::DefaultLinkPicture() { return GetDefaultPicturesFolder() + "\\defaultWebLink.bmp"; }

void CPage2::StoreInto(Scheme& scheme) const {
    scheme.webLinks.links = links_;
    scheme.webLinks.count = static_cast<int>(links_.size());
}

BOOL CPage2::OnInitDialog() {
    SetUpButtons();
    ListView list = List();
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    library_.Build();
    list.SetImageList(library_.ImageList(), LVSIL_SMALL);
    list.InsertColumn(0, "Display Name", kNameWidth);
    list.InsertColumn(1, "URL", kUrlWidth);
    FillList();
    EnableItem(IDC_ITEM_ADD, true);
    return TRUE;
}

void CPage2::SetUpButtons() {
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

bool CPage2::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

bool CPage2::OnNotify(int id, NMHDR* header) {
    if (id != IDC_LINK_LIST) return false;
    if (header->code == LVN_ITEMCHANGED) UpdateButtons();
    else if (header->code == NM_DBLCLK) OnEdit();
    else return false;
    SetMsgResult(0);
    return true;
}

void CPage2::FillList() {
    ListView list = List();
    list.DeleteAll();
    const int fallback = library_.IndexOf(DefaultLinkPicture());
    for (size_t i = 0; i < links_.size(); ++i) {
        const int own = library_.IndexOf(links_[i].iconFile);
        const int image = own >= 0 ? own : fallback >= 0 ? fallback : I_IMAGENONE;
        const int row = list.InsertItem(static_cast<int>(i), links_[i].displayName, image);
        list.SetItemText(row, 1, links_[i].url);
    }
    UpdateButtons();
}

void CPage2::SelectRow(int row) {
    ListView list = List();
    list.Select(row);
    list.EnsureVisible(row);
    UpdateButtons();
}

void CPage2::UpdateButtons() {
    const bool selected = List().Selected() >= 0;
    EnableItem(IDC_ITEM_EDIT, selected);
    EnableItem(IDC_ITEM_REMOVE, selected);
}

void CPage2::Move(int by) {
    const int row = List().Selected();
    const int other = row + by;
    if (row < 0 || other < 0 || other >= static_cast<int>(links_.size())) return;
    std::swap(links_[static_cast<size_t>(row)], links_[static_cast<size_t>(other)]);
    FillList();
    SelectRow(other);
}

void CPage2::OnAdd() {
    CWebLinkDlg dialog(Hwnd());
    dialog.SetEditMode(false);
    if (dialog.DoModal() != IDOK) return;
    WebLink link; // a new link has no sound
    dialog.CopyTo(link);
    links_.push_back(link);
    FillList();
}

void CPage2::OnRemove() {
    const int row = List().Selected();
    if (row < 0) return;
    if (Warn(Hwnd(), "Are you sure you want to delete this Web Link ?", "Web Link Deletion", MB_OKCANCEL) != IDOK)
        return;
    links_.erase(links_.begin() + row);
    FillList();
}

void CPage2::OnEdit() {
    const int row = List().Selected();
    if (row < 0) return;
    WebLink& link = links_[static_cast<size_t>(row)];
    CWebLinkDlg dialog(Hwnd());
    dialog.SetEditMode(true);
    dialog.SetValues(link);
    if (dialog.DoModal() != IDOK) return;
    dialog.CopyTo(link); // the link keeps its sound
    FillList();
    SelectRow(row);
}
