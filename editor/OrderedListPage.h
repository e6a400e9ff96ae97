#pragma once
// A page of the scheme sheet that shows the scheme's items in their order, one row each with its
// picture, a name and one more column. The owner-drawn arrow buttons move the selected row up
// and down; Add, Edit (also a double-click on a row) and Remove are the derived page's, which
// owns the items and tells this class how a row looks.
#include <string>
#include <vector>
#include "editor/HoverButton.h"
#include "editor/PictureLibrary.h"
#include "framework/ListView.h"
#include "framework/PropertyPage.h"

class COrderedListPage : public PropertyPage {
protected:
    // The list control and its two columns: "Display Name" and the page's own.
    struct Layout {
        int listId;
        int nameWidth;
        const char* detailTitle;
        int detailWidth;
    };
    // One item as its row shows it.
    struct Row {
        std::string name;
        std::string detail;
        std::string picture;
    };

    COrderedListPage(UINT templateId, const Layout& layout);

    virtual size_t ItemCount() const = 0;
    virtual Row RowAt(size_t index) const = 0;
    virtual void SwapItems(size_t a, size_t b) = 0;
    // The row picture of an item without a known picture of its own.
    virtual std::string FallbackPicture() const = 0;
    virtual void OnAdd() = 0;
    virtual void OnRemove() = 0;
    virtual void OnEdit() = 0;

    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR* header) override;
    void OnDpiChanged(int dpi) override;
    void OnControlsRescaled() override;

    ListView List() const { return ListView(Hwnd(), layout_.listId); }
    void FillList();
    void SelectRow(int row);
    // Edit and Remove need a selected row.
    void UpdateButtons();
    // The selected row once the user has agreed to remove it, else -1.
    int ConfirmRemoval(const char* text, const char* title) const;

private:
    static const std::vector<Command<COrderedListPage>> commands_;

    void OnUp() { Move(-1); }
    void OnDown() { Move(+1); }

    void SetUpButtons();
    void Move(int by);

    Layout layout_;
    PictureLibrary library_;
    CHoverButton up_;
    CHoverButton down_;
};
