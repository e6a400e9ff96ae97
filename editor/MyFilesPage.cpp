#include "editor/MyFilesPage.h"
#include "resource.h"

namespace {
const int kNameWidth = 160;
const int kPathWidth = 300;
} // namespace

CMyFilesPage::CMyFilesPage() : COrderedListPage(IDD_MY_FILES_PAGE, {IDC_ROOT_LIST, kNameWidth, "Path", kPathWidth}) {}

void CMyFilesPage::StoreInto(Scheme& scheme) const {
    scheme.roots.roots = roots_;
    scheme.roots.count = static_cast<int>(roots_.size());
    scheme.defaults.defaultIconSize = iconSize_;
}

COrderedListPage::Row CMyFilesPage::RowAt(size_t index) const {
    const FolderRoot& root = roots_[index];
    return {root.displayName, root.path, root.collapsedIconFile};
}

void CMyFilesPage::OnAdd() {
    rootDialog_.SetParent(Hwnd());
    rootDialog_.SetEditMode(false);
    if (rootDialog_.DoModal() != IDOK) return;
    roots_.emplace_back();
    rootDialog_.ApplyTo(roots_.back());
    FillList();
}

void CMyFilesPage::OnRemove() {
    const int row = ConfirmRemoval("Are you sure you want to delete this root ?", "Root Deletion");
    if (row < 0) return;
    roots_.erase(roots_.begin() + row);
    List().DeleteItem(row);
    UpdateButtons();
}

void CMyFilesPage::OnEdit() {
    const int row = List().Selected();
    if (row < 0) return;
    FolderRoot& root = roots_[static_cast<size_t>(row)];
    rootDialog_.SetParent(Hwnd());
    rootDialog_.SetEditMode(true);
    rootDialog_.SetDisplayName(root.displayName);
    rootDialog_.SetRootPath(root.path);
    rootDialog_.SetCollapsedPicture(root.collapsedIconFile);
    rootDialog_.SetExpandedPicture(root.expandedIconFile);
    rootDialog_.SetFolderLevels(root.folderLevels);
    if (rootDialog_.DoModal() != IDOK) return;
    rootDialog_.ApplyTo(root);
    FillList();
    SelectRow(row);
}
