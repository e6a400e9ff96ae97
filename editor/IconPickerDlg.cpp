#include "editor/IconPickerDlg.h"
#include "store/Settings.h"
#include "resource.h"

CIconPickerDlg::CIconPickerDlg(HWND parent) : Dialog(IDD_ICON_PICKER, parent) {
    library_.Build(Dpi::OfWindow(parent)); // the picker opens over its owner, at its scale
}

ListView CIconPickerDlg::Pictures() const { return ListView(Hwnd(), IDC_PICKER_PICTURES); }

BOOL CIconPickerDlg::OnInitDialog() {
    selected_ = -1;
    ListView list = Pictures();
    list.SetImageList(library_.ImageList(), LVSIL_NORMAL);
    for (int i = 0; i < library_.Count(); ++i) list.InsertItem(i, "", i);
    return TRUE;
}

bool CIconPickerDlg::OnNotify(int id, NMHDR* header) {
    if (id != IDC_PICKER_PICTURES || header->code != NM_DBLCLK) return false;
    OnOK();
    return true;
}

bool CIconPickerDlg::Exchange(bool save) {
    if (save) selected_ = Pictures().Selected();
    return true;
}

void CIconPickerDlg::OnDpiChanged(int dpi) {
    library_.Build(dpi);
    ListView list = Pictures();
    list.SetImageList(library_.ImageList(), LVSIL_NORMAL);
    list.Send(LVM_ARRANGE, LVA_DEFAULT);
}

void CIconPickerDlg::OnHelp() { OpenHelp(); }
