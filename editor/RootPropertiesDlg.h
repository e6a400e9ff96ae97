#pragma once
// Adds or edits one folder root of the My Files page: display name, path (typed or browsed),
// the pictures of the open and closed states (standard or chosen in the Icon Picker) and an
// optional limit on the folder levels users may create. The page sets the fields, shows the
// dialog and on IDOK applies the result to a root with ApplyTo.
#include <string>
#include "editor/CheckedEdit.h"
#include "editor/FieldRules.h"
#include "editor/ListItemDlg.h"
#include "editor/PictureLibrary.h"
#include "resource.h"
#include "sections/FolderRootsSection.h"

class CRootPropertiesDlg : public CListItemDlg {
public:
    enum PictureChoice { kStandard = 0, kCustom = 1 };

    // Builds the dialog's picture library once; the object is reused for every Add and Edit.
    explicit CRootPropertiesDlg(HWND parent = nullptr);

    void SetDisplayName(const std::string& name) { displayName_ = name; }
    void SetRootPath(const std::string& path) { path_ = path; }
    void SetCollapsedPicture(const std::string& path) { collapsedPicture_ = path; }
    void SetExpandedPicture(const std::string& path) { expandedPicture_ = path; }
    void SetFolderLevels(int levels) { folderLevelsIn_ = levels; }

    const std::string& DisplayName() const { return displayName_; }
    const std::string& RootPath() const { return path_; }
    int SelectedChoice() const { return selectedChoice_; }
    int UnselectedChoice() const { return unselectedChoice_; }
    const std::string& ExpandedPicture() const { return expandedPicture_; }
    const std::string& CollapsedPicture() const { return collapsedPicture_; }
    bool LimitLevels() const { return limitLevels_; }
    int Levels() const { return levels_; }

    // The dialog's result as a root's values: tooltips from the name, no sound, not protected,
    // standard pictures where no custom one was chosen, -1 levels for no limit.
    void ApplyTo(FolderRoot& root) const;

    // The standard pictures: files of the default picture folder.
    static std::string OpenFolderPicture();
    static std::string ClosedFolderPicture();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    void OnOK() override;
    bool Exchange(bool save) override;
    void ReshowPictures() override {
        selectedIcon_.Reshow(Library());
        unselectedIcon_.Reshow(Library());
    }

private:
    static const std::vector<Command<CRootPropertiesDlg>> commands_;

    void OnNameChange();
    void OnPathChange();
    void OnBrowse();
    void OnSelectedStandard();
    void OnSelectedCustom();
    void OnSelectedChange();
    void OnUnselectedStandard();
    void OnUnselectedCustom();
    void OnUnselectedChange();
    void OnLimitLevels();

    void InitAdd();
    void InitEdit();
    void EnableLevels(bool on);
    // Shows the picture with this path in control `id` when the library has it, else nothing.
    void ShowPicture(int id, const std::string& path);
    // The Icon Picker's choice, when it is one of this dialog's pictures.
    bool PickPicture(std::string& path);

    // A browsed folder counts as typed; what the root held comes back unchanged.
    CheckedEdit nameEdit_{IDC_ITEM_NAME, kRootNameRule};
    CheckedEdit pathEdit_{IDC_ROOT_PATH, kRootPathRule};
    ShownIcon selectedIcon_;
    ShownIcon unselectedIcon_;
    std::string displayName_;
    std::string path_;
    int selectedChoice_ = kStandard;
    int unselectedChoice_ = kStandard;
    int levels_ = 0;
    bool limitLevels_ = false;
    std::string expandedPicture_;
    std::string collapsedPicture_;
    int folderLevelsIn_ = -1;
    std::string browseResult_;
};
