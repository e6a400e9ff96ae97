#include "editor/OrderedListPage.h"
#include "framework/Notices.h"
#include "resource.h"

namespace {
const COLORREF kNavy = RGB(0, 0, 128);
} // namespace

const std::vector<Command<COrderedListPage>> COrderedListPage::commands_ = {
    {IDC_MOVE_UP, BN_CLICKED, &COrderedListPage::OnUp},
    {IDC_MOVE_DOWN, BN_CLICKED, &COrderedListPage::OnDown},
    {IDC_ITEM_ADD, BN_CLICKED, &COrderedListPage::OnAdd},
    {IDC_ITEM_REMOVE, BN_CLICKED, &COrderedListPage::OnRemove},
    {IDC_ITEM_EDIT, BN_CLICKED, &COrderedListPage::OnEdit},
};

COrderedListPage::COrderedListPage(UINT templateId, const Layout& layout)
    : PropertyPage(templateId), layout_(layout) {}

BOOL COrderedListPage::OnInitDialog() {
    SetUpButtons();
    ListView list = List();
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    library_.Build(ShownDpi());
    list.SetImageList(library_.ImageList(), LVSIL_SMALL);
    list.InsertColumn(0, "Display Name", Dpi::Scale(layout_.nameWidth, ShownDpi()));
    list.InsertColumn(1, layout_.detailTitle, Dpi::Scale(layout_.detailWidth, ShownDpi()));
    FillList();
    EnableItem(IDC_ITEM_ADD, true);
    return TRUE;
}

void COrderedListPage::SetUpButtons() {
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

void COrderedListPage::OnDpiChanged(int dpi) {
    // The rows keep their image numbers: the pictures are the same, only larger or smaller.
    library_.Build(dpi);
    List().SetImageList(library_.ImageList(), LVSIL_SMALL);
    List().ScaleColumns(ShownDpi(), dpi);
}

void COrderedListPage::OnControlsRescaled() { List().FitLastColumn(); }

bool COrderedListPage::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

bool COrderedListPage::OnNotify(int id, NMHDR* header) {
    if (id != layout_.listId) return false;
    if (header->code == LVN_ITEMCHANGED) UpdateButtons();
    else if (header->code == NM_DBLCLK) OnEdit();
    else return false;
    SetMsgResult(0);
    return true;
}

void COrderedListPage::FillList() {
    ListView list = List();
    list.DeleteAll();
    const int fallback = library_.IndexOf(FallbackPicture());
    for (size_t i = 0; i < ItemCount(); ++i) {
        const Row shown = RowAt(i);
        const int own = library_.IndexOf(shown.picture);
        const int image = own >= 0 ? own : fallback >= 0 ? fallback : I_IMAGENONE;
        const int row = list.InsertItem(static_cast<int>(i), shown.name, image);
        list.SetItemText(row, 1, shown.detail);
    }
    list.FitLastColumn();
    UpdateButtons();
}

void COrderedListPage::SelectRow(int row) {
    ListView list = List();
    list.Select(row);
    list.EnsureVisible(row);
    UpdateButtons();
}

void COrderedListPage::UpdateButtons() {
    const bool selected = List().Selected() >= 0;
    EnableItem(IDC_ITEM_EDIT, selected);
    EnableItem(IDC_ITEM_REMOVE, selected);
}

int COrderedListPage::ConfirmRemoval(const char* text, const char* title) const {
    const int row = List().Selected();
    if (row < 0) return -1;
    return Warn(Hwnd(), text, title, MB_OKCANCEL) == IDOK ? row : -1;
}

void COrderedListPage::Move(int by) {
    const int row = List().Selected();
    const int other = row + by;
    if (row < 0 || other < 0 || other >= static_cast<int>(ItemCount())) return;
    SwapItems(static_cast<size_t>(row), static_cast<size_t>(other));
    FillList();
    SelectRow(other);
}
