#include "editor/Page2.h"
#include "store/Settings.h"
#include "editor/WebLinkDlg.h"
#include "resource.h"

namespace {
const int kNameWidth = 170;
const int kUrlWidth = 320;
} // namespace

CPage2::CPage2() : COrderedListPage(IDD_LINKS_PAGE, {IDC_LINK_LIST, kNameWidth, "URL", kUrlWidth}) {}

std::string CPage2::DefaultLinkPicture() { return GetDefaultPicturesFolder() + "\\defaultWebLink.bmp"; }

void CPage2::StoreInto(Scheme& scheme) const {
    scheme.webLinks.links = links_;
    scheme.webLinks.count = static_cast<int>(links_.size());
}

COrderedListPage::Row CPage2::RowAt(size_t index) const {
    const WebLink& link = links_[index];
    return {link.displayName, link.url, link.iconFile};
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
    const int row = ConfirmRemoval("Are you sure you want to delete this Web Link ?", "Web Link Deletion");
    if (row < 0) return;
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
