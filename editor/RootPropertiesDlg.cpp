#include "editor/RootPropertiesDlg.h"
#include <cstdlib>
#include "store/Settings.h"
#include "editor/DirDlg.h"
#include "framework/Notices.h"
#include "framework/UpDown.h"
#include "resource.h"

namespace {
const int kMinLevels = 1;
const int kMaxLevels = 15;
const int kNoLimit = -1;
const char* const kStartFolder = "C:\\";
} // namespace

const std::vector<Command<CRootPropertiesDlg>> CRootPropertiesDlg::commands_ = {
    {IDC_ITEM_NAME, EN_CHANGE, &CRootPropertiesDlg::OnNameChange},
    {IDC_ROOT_PATH, EN_CHANGE, &CRootPropertiesDlg::OnPathChange},
    {IDC_ROOT_BROWSE, BN_CLICKED, &CRootPropertiesDlg::OnBrowse},
    {IDC_SELECTED_STANDARD, BN_CLICKED, &CRootPropertiesDlg::OnSelectedStandard},
    {IDC_SELECTED_CUSTOM, BN_CLICKED, &CRootPropertiesDlg::OnSelectedCustom},
    {IDC_SELECTED_CHANGE, BN_CLICKED, &CRootPropertiesDlg::OnSelectedChange},
    {IDC_UNSELECTED_STANDARD, BN_CLICKED, &CRootPropertiesDlg::OnUnselectedStandard},
    {IDC_UNSELECTED_CUSTOM, BN_CLICKED, &CRootPropertiesDlg::OnUnselectedCustom},
    {IDC_UNSELECTED_CHANGE, BN_CLICKED, &CRootPropertiesDlg::OnUnselectedChange},
    {IDC_ROOT_LIMIT_LEVELS, BN_CLICKED, &CRootPropertiesDlg::OnLimitLevels},
    {IDC_DIALOG_CANCEL, BN_CLICKED, &CRootPropertiesDlg::OnCancelButton},
};

CRootPropertiesDlg::CRootPropertiesDlg(HWND parent) : CListItemDlg(IDD_ROOT_PROPERTIES, parent) {}

std::string CRootPropertiesDlg::OpenFolderPicture() { return GetDefaultPicturesFolder() + "\\Open Folder.bmp"; }
std::string CRootPropertiesDlg::ClosedFolderPicture() { return GetDefaultPicturesFolder() + "\\Closed Folder.bmp"; }

BOOL CRootPropertiesDlg::OnInitDialog() {
    UpDown spin(Hwnd(), IDC_ROOT_LEVELS_SPIN);
    spin.SetBuddy(Item(IDC_ROOT_LEVELS));
    spin.SetRange(kMinLevels, kMaxLevels);
    if (EditMode()) InitEdit();
    else InitAdd();
    Exchange(false);
    return FocusName();
}

void CRootPropertiesDlg::InitAdd() {
    ShowPicture(IDC_SELECTED_PICTURE, OpenFolderPicture());
    ShowPicture(IDC_UNSELECTED_PICTURE, ClosedFolderPicture());
    displayName_.clear();
    path_.clear();
    selectedChoice_ = unselectedChoice_ = kStandard;
    levels_ = 0;
    limitLevels_ = false;
    EnableItem(IDC_SELECTED_CHANGE, false);
    EnableItem(IDC_UNSELECTED_CHANGE, false);
    EnableLevels(false);
    UpDown(Hwnd(), IDC_ROOT_LEVELS_SPIN).SetPos(kMinLevels);
}

void CRootPropertiesDlg::InitEdit() {
    selectedChoice_ = expandedPicture_ != OpenFolderPicture() ? kCustom : kStandard;
    unselectedChoice_ = collapsedPicture_ != ClosedFolderPicture() ? kCustom : kStandard;
    EnableItem(IDC_SELECTED_CHANGE, selectedChoice_ == kCustom);
    EnableItem(IDC_UNSELECTED_CHANGE, unselectedChoice_ == kCustom);
    ShowPicture(IDC_UNSELECTED_PICTURE, collapsedPicture_);
    ShowPicture(IDC_SELECTED_PICTURE, expandedPicture_);
    limitLevels_ = folderLevelsIn_ != kNoLimit;
    levels_ = limitLevels_ ? folderLevelsIn_ : kMinLevels;
    EnableLevels(limitLevels_);
    UpDown(Hwnd(), IDC_ROOT_LEVELS_SPIN).SetPos(folderLevelsIn_);
}

bool CRootPropertiesDlg::Exchange(bool save) {
    if (save) {
        displayName_ = nameEdit_.Value(Hwnd());
        path_ = pathEdit_.Value(Hwnd());
        selectedChoice_ = IsChecked(IDC_SELECTED_CUSTOM) ? kCustom : kStandard;
        unselectedChoice_ = IsChecked(IDC_UNSELECTED_CUSTOM) ? kCustom : kStandard;
        levels_ = static_cast<int>(std::strtol(ItemText(IDC_ROOT_LEVELS).c_str(), nullptr, 10));
        limitLevels_ = IsChecked(IDC_ROOT_LIMIT_LEVELS);
        return true;
    }
    nameEdit_.Show(Hwnd(), displayName_);
    pathEdit_.Show(Hwnd(), path_);
    SetChecked(IDC_SELECTED_STANDARD, selectedChoice_ == kStandard);
    SetChecked(IDC_SELECTED_CUSTOM, selectedChoice_ == kCustom);
    SetChecked(IDC_UNSELECTED_STANDARD, unselectedChoice_ == kStandard);
    SetChecked(IDC_UNSELECTED_CUSTOM, unselectedChoice_ == kCustom);
    SetItemText(IDC_ROOT_LEVELS, std::to_string(levels_));
    SetChecked(IDC_ROOT_LIMIT_LEVELS, limitLevels_);
    return true;
}

bool CRootPropertiesDlg::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

void CRootPropertiesDlg::OnNameChange() { nameEdit_.OnChange(Hwnd()); }

void CRootPropertiesDlg::OnPathChange() { pathEdit_.OnChange(Hwnd()); }

void CRootPropertiesDlg::OnBrowse() {
    const std::string typed = ItemText(IDC_ROOT_PATH);
    CDirDlg chooser(typed.empty() ? kStartFolder : typed, Hwnd());
    if (chooser.DoModal() != IDOK) return;
    browseResult_ = chooser.Result();
    SetItemText(IDC_ROOT_PATH, browseResult_);
}

void CRootPropertiesDlg::OnSelectedStandard() {
    ShowPicture(IDC_SELECTED_PICTURE, OpenFolderPicture());
    selectedChoice_ = kStandard;
    EnableItem(IDC_SELECTED_CHANGE, false);
}

void CRootPropertiesDlg::OnSelectedCustom() {
    ShowPicture(IDC_SELECTED_PICTURE, expandedPicture_);
    selectedChoice_ = kCustom;
    EnableItem(IDC_SELECTED_CHANGE, true);
}

void CRootPropertiesDlg::OnSelectedChange() {
    std::string path;
    if (!PickPicture(path)) return;
    ShowPicture(IDC_SELECTED_PICTURE, path);
    expandedPicture_ = path;
}

void CRootPropertiesDlg::OnUnselectedStandard() {
    ShowPicture(IDC_UNSELECTED_PICTURE, ClosedFolderPicture());
    unselectedChoice_ = kStandard;
    EnableItem(IDC_UNSELECTED_CHANGE, false);
}

void CRootPropertiesDlg::OnUnselectedCustom() {
    ShowPicture(IDC_UNSELECTED_PICTURE, collapsedPicture_);
    unselectedChoice_ = kCustom;
    EnableItem(IDC_UNSELECTED_CHANGE, true);
}

void CRootPropertiesDlg::OnUnselectedChange() {
    std::string path;
    if (!PickPicture(path)) return;
    ShowPicture(IDC_UNSELECTED_PICTURE, path);
    collapsedPicture_ = path;
}

void CRootPropertiesDlg::OnLimitLevels() { EnableLevels(IsChecked(IDC_ROOT_LIMIT_LEVELS)); }

void CRootPropertiesDlg::OnOK() {
    Exchange(true);
    if (!displayName_.empty() && !path_.empty()) {
        EndDialog(IDOK);
        return;
    }
    if (displayName_.empty()) ShowMessage(Hwnd(), "You must enter a name for this root", "Name Error", MB_OK);
    if (path_.empty()) ShowMessage(Hwnd(), "You must enter a path for this root", "Path Error", MB_OK);
}

void CRootPropertiesDlg::EnableLevels(bool on) {
    EnableItem(IDC_ROOT_LEVELS, on);
    EnableItem(IDC_ROOT_LEVELS_SPIN, on);
}

void CRootPropertiesDlg::ShowPicture(int id, const std::string& path) {
    ShownIcon& shown = id == IDC_SELECTED_PICTURE ? selectedIcon_ : unselectedIcon_;
    shown.Show(Hwnd(), id, Library(), path);
}

bool CRootPropertiesDlg::PickPicture(std::string& path) {
    return ChoosePicture(path) && Library().IndexOf(path) >= 0;
}

void CRootPropertiesDlg::ApplyTo(FolderRoot& root) const {
    root.displayName = displayName_;
    root.path = path_;
    root.longToolTip = displayName_;
    root.shortToolTip = displayName_;
    root.denyModify = 0;
    root.wavFile.clear();
    root.collapsedIconFile =
        unselectedChoice_ == kCustom && !collapsedPicture_.empty() ? collapsedPicture_ : ClosedFolderPicture();
    root.expandedIconFile =
        selectedChoice_ == kCustom && !expandedPicture_.empty() ? expandedPicture_ : OpenFolderPicture();
    root.folderLevels = limitLevels_ ? levels_ : kNoLimit;
}
