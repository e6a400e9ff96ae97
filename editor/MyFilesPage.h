#pragma once
// The My Files page of the scheme sheet: the scheme's folder roots in their order, each with its
// closed-folder picture. Roots move up and down, and are added, edited (also by a double-click)
// and removed (after a question); adding and editing go through the Root Properties dialog. The
// page only carries the scheme's default icon size.
#include <utility>
#include <vector>
#include "editor/OrderedListPage.h"
#include "editor/RootPropertiesDlg.h"
#include "resource.h"
#include "sections/Scheme.h"

class CMyFilesPage : public COrderedListPage {
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
    size_t ItemCount() const override { return roots_.size(); }
    Row RowAt(size_t index) const override;
    void SwapItems(size_t a, size_t b) override { std::swap(roots_[a], roots_[b]); }
    std::string FallbackPicture() const override { return CRootPropertiesDlg::ClosedFolderPicture(); }
    void OnAdd() override;
    void OnRemove() override;
    void OnEdit() override;

private:
    std::vector<FolderRoot> roots_;
    int iconSize_ = 0;
    CRootPropertiesDlg rootDialog_;
};
