#pragma once
// One page of a PropertySheet, made from a dialog template whose caption is the tab's text.
//
// Writing a page:
//  - derive from PropertyPage, pass the template id, keep a static Command<T> table at the top and
//    route OnCommand through DispatchCommand (framework/Dialog.h), one small handler per control;
//  - OnInitDialog runs each time the page's window is made (on every showing of the sheet): fill
//    the controls there and end with Exchange(false);
//  - Exchange(bool save) moves members to controls (false) or back (true); the default
//    OnKillActive calls Exchange(true), so leaving the page or pressing OK saves it, and a false
//    result keeps the page in front;
//  - OnApply runs on OK for every page whose window exists; return false to keep the sheet open;
//  - F1 on the page calls OnHelp, which by default asks the sheet (PropertySheet::OnHelp).
// The sheet's owner reads the page's members after DoModal.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// prsht.h maps PropertySheet to PropertySheetA; the name is ours.
#undef PropertySheet
#include <string>

class PropertySheet;

class PropertyPage {
public:
    explicit PropertyPage(UINT templateId, HINSTANCE instance = nullptr);
    virtual ~PropertyPage() = default;
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;

    // The page's window while it exists, else nullptr.
    HWND Hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    PropertySheet* Sheet() const { return sheet_; }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd_, id, text.c_str()); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
    void SetChecked(int id, bool on) const { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
    void EnableItem(int id, bool on) const { EnableWindow(Item(id), on); }

protected:
    // Return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Return true when the command was handled.
    virtual bool OnCommand(WORD /*code*/, int /*id*/, HWND /*control*/) { return false; }
    // Notifications other than the sheet's own PSN_ ones; the result goes through SetMsgResult.
    virtual bool OnNotify(int /*id*/, NMHDR* /*header*/) { return false; }
    // The page comes to the front; false refuses it.
    virtual bool OnSetActive() { return true; }
    // The page is left or OK is pressed; false keeps the page in front and the sheet open.
    virtual bool OnKillActive() { return Exchange(true); }
    // OK; false keeps the sheet open.
    virtual bool OnApply() { return true; }
    // Cancel.
    virtual void OnReset() {}
    virtual void OnHelp();
    // Any other message; set handled to take it.
    virtual INT_PTR OnMessage(UINT /*msg*/, WPARAM, LPARAM, bool& handled) {
        handled = false;
        return 0;
    }
    virtual bool Exchange(bool /*save*/) { return true; }

    void SetMsgResult(LRESULT result) const { SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result); }

private:
    friend class PropertySheet;
    // What PropertySheetA needs to make this page; the page object travels in lParam.
    PROPSHEETPAGEA Describe();

    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleSheetNotice(NMHDR* header);

    UINT templateId_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    PropertySheet* sheet_ = nullptr;
};
