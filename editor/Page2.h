#pragma once
// The Links page of the scheme sheet: the scheme's web links in their order, each with its
// button picture. Links move up and down, and are added, edited (also by a double-click) and
// removed (after a question) through the Web Links dialog.
#include <utility>
#include <vector>
#include "editor/OrderedListPage.h"
#include "resource.h"
#include "sections/Scheme.h"

class CPage2 : public COrderedListPage {
public:
    CPage2();

    void ClearLinks() { links_.clear(); }
    void AddLink(const WebLink& link) { links_.push_back(link); }
    const std::vector<WebLink>& Links() const { return links_; }
    // The links and their count into the scheme.
    void StoreInto(Scheme& scheme) const;

    // The list picture of a link without a known picture of its own.
    static std::string DefaultLinkPicture();

protected:
    size_t ItemCount() const override { return links_.size(); }
    Row RowAt(size_t index) const override;
    void SwapItems(size_t a, size_t b) override { std::swap(links_[a], links_[b]); }
    std::string FallbackPicture() const override { return DefaultLinkPicture(); }
    void OnAdd() override;
    void OnRemove() override;
    void OnEdit() override;

private:
    std::vector<WebLink> links_;
};
