#pragma once
// A modal property sheet over PropertySheetA: the pages are PropertyPage objects that the sheet
// borrows (a derived sheet usually holds them as members and adds them in its constructor, in
// tab order). The sheet never has a Help button; F1 anywhere in it ends in OnHelp.
//
//   class CMySheet : public PropertySheet {
//   public:
//       CMySheet() : PropertySheet("Caption") { AddPage(first_); AddPage(second_); }
//   protected:
//       void OnInitialized() override { /* the sheet window and its tab control exist */ }
//       void OnHelp() override { OpenHelp(); }
//   private:
//       CFirstPage first_;
//       CSecondPage second_;
//   };
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// prsht.h maps PropertySheet to PropertySheetA; the name is ours.
#undef PropertySheet
#include <string>
#include <vector>

class PropertyPage;

class PropertySheet {
public:
    explicit PropertySheet(const std::string& caption, HWND parent = nullptr, HINSTANCE instance = nullptr);
    virtual ~PropertySheet() = default;
    PropertySheet(const PropertySheet&) = delete;
    PropertySheet& operator=(const PropertySheet&) = delete;

    // Pages show in the order they are added; the sheet borrows them.
    void AddPage(PropertyPage& page);
    size_t PageCount() const { return pages_.size(); }
    void SetParent(HWND parent) { parent_ = parent; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    // Hides the Apply button (PSH_NOAPPLYNOW).
    void SetNoApplyNow(bool on) { noApplyNow_ = on; }

    // Shows the sheet modally: IDOK or IDCANCEL, or -1 when it could not be made. It can be shown
    // again; every showing makes the page windows afresh.
    INT_PTR DoModal();

    // The sheet's window while it is shown, else nullptr.
    HWND Hwnd() const { return hwnd_; }
    HWND TabControl() const { return hwnd_ ? PropSheet_GetTabControl(hwnd_) : nullptr; }
    // Posted, as a press from inside a handler must not re-enter the sheet's loop.
    void PressButton(int button) const { PostMessageA(hwnd_, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }

protected:
    // The sheet window and its tab control have just been made (the tab images go on here).
    virtual void OnInitialized() {}
    // The sheet now shows at `dpi`: remake the tab images.
    virtual void OnDpiChanged(int /*dpi*/) {}
    // F1 in the sheet or on any page whose own OnHelp is not overridden.
    virtual void OnHelp() {}

private:
    friend class PropertyPage;
    static int CALLBACK Callback(HWND hwnd, UINT msg, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);

    std::string caption_;
    HWND parent_;
    HINSTANCE instance_;
    bool noApplyNow_ = false;
    std::vector<PropertyPage*> pages_;
    HWND hwnd_ = nullptr;
};
