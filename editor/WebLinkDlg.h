#pragma once
// Adds or edits one web link of the Links page: display name, address, the two tooltips and the
// button's picture. The page builds one for every Add and Edit, sets the values, shows it and on
// IDOK reads them back. OK refuses a missing name, a missing address and an unusable typed address;
// a field the user left unchanged comes back exactly as it was given.
#include <string>
#include "editor/CheckedEdit.h"
#include "editor/FieldRules.h"
#include "editor/ListItemDlg.h"
#include "editor/PictureLibrary.h"
#include "resource.h"
#include "sections/WebLinksSection.h"

class CWebLinkDlg : public CListItemDlg {
public:
    explicit CWebLinkDlg(HWND parent = nullptr);

    // Display name, URL, icon file and both tooltips; the link's sound is not this dialog's.
    void SetValues(const WebLink& link);
    const std::string& DisplayName() const { return displayName_; }
    const std::string& Url() const { return url_; }
    const std::string& IconFile() const { return iconFile_; }
    const std::string& LongToolTip() const { return longToolTip_; }
    const std::string& ShortToolTip() const { return shortToolTip_; }
    // Copies the five values into `link`, which keeps its sound.
    void CopyTo(WebLink& link) const;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    void OnOK() override;
    bool Exchange(bool save) override;
    void ReshowPictures() override { picture_.Reshow(Library()); }

private:
    static const std::vector<Command<CWebLinkDlg>> commands_;

    void OnNameChange();
    void OnUrlChange();
    void OnLongToolTipChange();
    void OnShortToolTipChange();
    void OnChangePicture();

    // Shows why OK cannot close and puts the focus where the fault is.
    void Refuse(const char* text, const char* title, int id, bool empty);
    void ShowPicture();

    CheckedEdit nameEdit_{IDC_ITEM_NAME, kLinkNameRule};
    CheckedEdit urlEdit_{IDC_LINK_URL, kLinkUrlRule};
    CheckedEdit longToolTipEdit_{IDC_LINK_LONG_TIP, kLongToolTipRule};
    CheckedEdit shortToolTipEdit_{IDC_LINK_SHORT_TIP, kShortToolTipRule};
    ShownIcon picture_;
    std::string displayName_;
    std::string url_;
    std::string iconFile_;
    std::string longToolTip_;
    std::string shortToolTip_;
};
