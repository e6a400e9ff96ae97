#include "editor/ListItemDlg.h"
#include "store/Settings.h"
#include "editor/IconPickerDlg.h"
#include "framework/Edit.h"
#include "resource.h"

CListItemDlg::CListItemDlg(UINT templateId, HWND parent) : Dialog(templateId, parent) {
    library_.Build(Dpi::OfWindow(parent));
}

void CListItemDlg::OnHelp() { OpenHelp(); }

void CListItemDlg::OnDpiChanged(int dpi) {
    library_.Build(dpi);
    ReshowPictures();
}

BOOL CListItemDlg::FocusName() const {
    Edit name(Hwnd(), IDC_ITEM_NAME);
    name.Focus();
    name.SetSelection(0, -1);
    return FALSE;
}

bool CListItemDlg::ChoosePicture(std::string& path) const {
    CIconPickerDlg picker(Hwnd());
    if (picker.DoModal() != IDOK || picker.SelectedIndex() == -1) return false;
    path = picker.PathAt(picker.SelectedIndex());
    return true;
}
