#include "editor/WebLinkDlg.h"
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
        displayName_ = nameEdit_.Value(Hwnd());
        url_ = urlEdit_.Value(Hwnd());
        longToolTip_ = longToolTipEdit_.Value(Hwnd());
        shortToolTip_ = shortToolTipEdit_.Value(Hwnd());
        return true;
    }
    nameEdit_.Show(Hwnd(), displayName_);
    urlEdit_.Show(Hwnd(), url_);
    longToolTipEdit_.Show(Hwnd(), longToolTip_);
    shortToolTipEdit_.Show(Hwnd(), shortToolTip_);
    return true;
}

bool CWebLinkDlg::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

void CWebLinkDlg::OnNameChange() { nameEdit_.OnChange(Hwnd()); }
void CWebLinkDlg::OnUrlChange() { urlEdit_.OnChange(Hwnd()); }
void CWebLinkDlg::OnLongToolTipChange() { longToolTipEdit_.OnChange(Hwnd()); }
void CWebLinkDlg::OnShortToolTipChange() { shortToolTipEdit_.OnChange(Hwnd()); }

void CWebLinkDlg::OnChangePicture() {
    if (!ChoosePicture(iconFile_)) return;
    ShowPicture();
}

void CWebLinkDlg::OnOK() {
    if (nameEdit_.Value(Hwnd()).empty())
        return Refuse("The Name is missing.\n\rPlease enter the Name and try again.", "Missing Name", IDC_ITEM_NAME,
                      false);
    const std::string url = urlEdit_.Value(Hwnd());
    if (url.empty())
        return Refuse("The URL is missing.\n\rPlease enter the URL and try again.", "Missing URL", IDC_LINK_URL, false);
    // Only a typed address is judged: emptying a stored one the user never touched would lose it.
    switch (urlEdit_.Changed(Hwnd()) ? CheckUrl(url) : UrlProblem::kNone) {
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

void CWebLinkDlg::ShowPicture() { picture_.Show(Hwnd(), IDC_LINK_PICTURE, Library(), iconFile_); }
