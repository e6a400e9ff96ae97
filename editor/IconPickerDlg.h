#pragma once
// Chooses one picture of the picture folders: the pictures without names, nothing preselected.
// OK or a double-click returns IDOK with the chosen index, or -1 when none was selected.
#include <string>
#include "editor/PictureLibrary.h"
#include "framework/Dialog.h"
#include "framework/ListView.h"

class CIconPickerDlg : public Dialog {
public:
    explicit CIconPickerDlg(HWND parent = nullptr);

    int SelectedIndex() const { return selected_; }
    std::string PathAt(int index) const { return library_.PathAt(index); }
    // The chosen picture's path, or empty when none was chosen.
    std::string SelectedPath() const { return library_.PathAt(selected_); }

protected:
    BOOL OnInitDialog() override;
    bool OnNotify(int id, NMHDR* header) override;
    void OnHelp() override;
    bool Exchange(bool save) override;
    void OnDpiChanged(int dpi) override;

private:
    ListView Pictures() const;

    PictureLibrary library_;
    int selected_ = -1;
};
