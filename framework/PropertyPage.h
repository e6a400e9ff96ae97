#pragma once
// One page of a PropertySheet, made from a dialog template whose caption is the tab's text.
//
// Writing a page:
//  - derive from PropertyPage, pass the template id, keep a static Command<T> table at the top and
//    route OnCommand through DispatchCommand (framework/DialogWindow.h), one small handler per control;
//  - OnInitDialog runs each time the page's window is made (on every showing of the sheet): fill
//    the controls there and end with Exchange(false);
//  - Exchange(bool save) moves members to controls (false) or back (true); the default
//    OnKillActive calls Exchange(true), so leaving the page or pressing OK saves it, and a false
//    result keeps the page in front;
//  - OnApply runs on OK for every page whose window exists; return false to keep the sheet open;
//  - F1 on the page calls OnHelp, which by default asks the sheet (PropertySheet::OnHelp).
// The sheet's owner reads the page's members after DoModal.
#include "framework/DialogWindow.h"
#include <prsht.h>
// prsht.h maps PropertySheet to PropertySheetA; the name is ours.
#undef PropertySheet

class PropertySheet;

class PropertyPage : public DialogWindow {
public:
    explicit PropertyPage(UINT templateId, HINSTANCE instance = nullptr);

    PropertySheet* Sheet() const { return sheet_; }

protected:
    // The page comes to the front; false refuses it.
    virtual bool OnSetActive() { return true; }
    // The page is left or OK is pressed; false keeps the page in front and the sheet open.
    virtual bool OnKillActive() { return Exchange(true); }
    // OK; false keeps the sheet open.
    virtual bool OnApply() { return true; }
    // Cancel.
    virtual void OnReset() {}
    void OnHelp() override;

private:
    friend class PropertySheet;
    // What PropertySheetA needs to make this page; the page object travels in lParam.
    PROPSHEETPAGEA Describe();

    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The sheet's own PSN_ notices; the others go to OnNotify.
    INT_PTR HandleNotify(NMHDR* header) override;

    PropertySheet* sheet_ = nullptr;
};
