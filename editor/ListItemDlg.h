#pragma once
// What the dialogs that add or edit one item of a list page share: one dialog serves both Add and
// Edit, its own Cancel button closes it, F1 opens the program's help, and it shows the pictures
// of a library it builds once.
#include <string>
#include "editor/PictureLibrary.h"
#include "framework/Dialog.h"

class CListItemDlg : public Dialog {
public:
    void SetEditMode(bool edit) { editMode_ = edit; }

protected:
    CListItemDlg(UINT templateId, HWND parent);

    bool EditMode() const { return editMode_; }
    const PictureLibrary& Library() const { return library_; }

    void OnHelp() override;
    // At another DPI the pictures come from a library rebuilt for it.
    void OnDpiChanged(int dpi) override;
    // Shows the dialog's pictures again from the rebuilt library.
    virtual void ReshowPictures() {}
    void OnCancelButton() { EndDialog(IDCANCEL); }

    // Focuses the name with all its text selected; FALSE for OnInitDialog, as the focus is set.
    BOOL FocusName() const;
    // The path of the picture chosen in the Icon Picker; false when it closed without a choice.
    bool ChoosePicture(std::string& path) const;

private:
    PictureLibrary library_;
    bool editMode_ = false;
};
