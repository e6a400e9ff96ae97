#include "editor/WebLinkDlg.h"
#include "editor/FieldCheck.h"
#include "framework/Notices.h"
#include "resource.h"

const std::vector<Command<CWebLinkDlg>> CWebLinkDlg::commands_ = {
    {IDC_ITEM_NAME, EN_CHANGE, &CWebLinkDlg::OnNameChange},
    {IDC_LINK_URL, EN_CHANGE, &CWebLinkDlg::OnUrlChange},
    {IDC_LINK_LONG_TIP, EN_CHANGE, &CWebLinkDlg::OnLongToolTipChange},
    {IDC_LINK_SHORT_TIP, EN_CHANGE, &CWebLinkDlg::OnShortToolTipChange},
    {IDC_LINK_CHANGE, BN_CLICKED, &CWebLinkDlg::OnChangePicture},
    {IDC_DIALOG_CANCEL, BN_CLICKED, &CWebLinkDlg::OnCancelButton},
};

CWebLinkDlg::CWebLinkDlg(HWND parent) : CListItemDlg(IDD_WEB_LINK, parent) {}

void CWebLinkDlg::SetValues(const WebLink& link) {
    displayName_ = link.displayName;
    url_ = link.url;
    iconFile_ = link.iconFile;
    longToolTip_ = link.longToolTip;
    shortToolTip_ = link.shortToolTip;
}

void CWebLinkDlg::CopyTo(WebLink& link) const {
    link.displayName = displayName_;
    link.url = url_;
    link.iconFile = iconFile_;
    link.longToolTip = longToolTip_;
    link.shortToolTip = shortToolTip_;
}

BOOL CWebLinkDlg::OnInitDialog() {
    if (!EditMode()) SetValues(WebLink());
    Exchange(false);
    ShowPicture();
    return EditMode() ? FocusName() : TRUE;
}

bool CWebLinkDlg::Exchange(bool save) {
    if (save) {
        displayName_ = ItemText(IDC_ITEM_NAME);
        url_ = ItemText(IDC_LINK_URL);
        longToolTip_ = ItemText(IDC_LINK_LONG_TIP);
        shortToolTip_ = ItemText(IDC_LINK_SHORT_TIP);
        return true;
    }
    SetItemText(IDC_ITEM_NAME, displayName_);
    SetItemText(IDC_LINK_URL, url_);
    SetItemText(IDC_LINK_LONG_TIP, longToolTip_);
    SetItemText(IDC_LINK_SHORT_TIP, shortToolTip_);
    return true;
}

bool CWebLinkDlg::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

void CWebLinkDlg::OnNameChange() { CheckField(Hwnd(), IDC_ITEM_NAME, kLinkNameRule); }
void CWebLinkDlg::OnUrlChange() { CheckField(Hwnd(), IDC_LINK_URL, kLinkUrlRule); }
void CWebLinkDlg::OnLongToolTipChange() { CheckField(Hwnd(), IDC_LINK_LONG_TIP, kLongToolTipRule); }
void CWebLinkDlg::OnShortToolTipChange() { CheckField(Hwnd(), IDC_LINK_SHORT_TIP, kShortToolTipRule); }

void CWebLinkDlg::OnChangePicture() {
    if (!ChoosePicture(iconFile_)) return;
    ShowPicture();
}

void CWebLinkDlg::OnOK() {
    if (ItemText(IDC_ITEM_NAME).empty())
        return Refuse("The Name is missing.\n\rPlease enter the Name and try again.", "Missing Name", IDC_ITEM_NAME,
                      false);
    const std::string url = ItemText(IDC_LINK_URL);
    if (url.empty())
        return Refuse("The URL is missing.\n\rPlease enter the URL and try again.", "Missing URL", IDC_LINK_URL, false);
    switch (CheckUrl(url)) {
    case UrlProblem::kInvalidCharacter:
        return Refuse(kInvalidUrlText, kInvalidUrlTitle, IDC_LINK_URL, true);
    case UrlProblem::kSpace:
        return Refuse(kUrlSpaceText, kInvalidUrlTitle, IDC_LINK_URL, true);
    case UrlProblem::kNone:
        break;
    }
    Exchange(true);
    EndDialog(IDOK);
}

void CWebLinkDlg::Refuse(const char* text, const char* title, int id, bool empty) {
    ShowMessage(nullptr, text, title, MB_OK);
    if (empty) SetItemText(id, "");
    SetFocus(Item(id));
}

void CWebLinkDlg::ShowPicture() { picture_.Show(Hwnd(), IDC_LINK_PICTURE, Library().Icon(Library().IndexOf(iconFile_))); }
