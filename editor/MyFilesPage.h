#pragma once
// The My Files page of the scheme sheet: the scheme's folder roots in their order, each with its
// closed-folder picture. Roots move up and down, and are added, edited (also by a double-click)
// and removed (after a question); adding and editing go through the Root Properties dialog. The
// page only carries the scheme's default icon size.
#include <vector>
#include "editor/HoverButton.h"
#include "editor/PictureLibrary.h"
#include "editor/RootPropertiesDlg.h"
#include "framework/Dialog.h"
#include "framework/ListView.h"
#include "framework/PropertyPage.h"
#include "resource.h"
#include "sections/Scheme.h"

class CMyFilesPage : public PropertyPage {
public:
    CMyFilesPage();

    void ClearRoots() { roots_.clear(); }
    void AddRoot(const FolderRoot& root) { roots_.push_back(root); }
    void SetIconSize(int size) { iconSize_ = size; }
    const std::vector<FolderRoot>& Roots() const { return roots_; }
    int IconSize() const { return iconSize_; }
    // The roots, their count and the icon size into the scheme.
    void StoreInto(Scheme& scheme) const;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR* header) override;

private:
    static const std::vector<Command<CMyFilesPage>> commands_;

    void OnUp() { Move(-1); }
    void OnDown() { Move(+1); }
    void OnAdd();
    void OnRemove();
    void OnEdit();

    ListView List() const { return ListView(Hwnd(), IDC_ROOT_LIST); }
    void SetUpButtons();
    void FillList();
    void Move(int by);
    void SelectRow(int row);
    void UpdateButtons();

    std::vector<FolderRoot> roots_;
    int iconSize_ = 0;
    PictureLibrary library_;
    CRootPropertiesDlg rootDialog_;
    CHoverButton up_;
    CHoverButton down_;
};
