#pragma once
// The Links page of the scheme sheet: the scheme's web links in their order, each with its
// button picture. Links move up and down, and are added, edited (also by a double-click) and
// removed (after a question) through the Web Links dialog.
#include <vector>
#include "editor/HoverButton.h"
#include "editor/PictureLibrary.h"
#include "framework/Dialog.h"
#include "framework/ListView.h"
#include "framework/PropertyPage.h"
#include "resource.h"
#include "sections/Scheme.h"

class CPage2 : public PropertyPage {
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
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR* header) override;

private:
    static const std::vector<Command<CPage2>> commands_;

    void OnUp() { Move(-1); }
    void OnDown() { Move(+1); }
    void OnAdd();
    void OnRemove();
    void OnEdit();

    ListView List() const { return ListView(Hwnd(), IDC_LINK_LIST); }
    void SetUpButtons();
    void FillList();
    void Move(int by);
    void SelectRow(int row);
    void UpdateButtons();

    std::vector<WebLink> links_;
    PictureLibrary library_;
    CHoverButton up_;
    CHoverButton down_;
};
