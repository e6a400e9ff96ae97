#pragma once
// A modal or modeless dialog made from a template, with OK and Cancel. The dispatch, the command
// table and the item helpers come from DialogWindow.
#include "framework/DialogWindow.h"

class Dialog : public DialogWindow {
public:
    explicit Dialog(UINT templateId, HWND parent = nullptr, HINSTANCE instance = nullptr);
    ~Dialog() override;

    // Modal: returns what EndDialog was given, or -1 when the window could not be made.
    INT_PTR DoModal();
    // Modeless: the window, or nullptr.
    HWND Create();
    void Destroy();

    void SetParent(HWND parent) { parent_ = parent; }
    void EndDialog(INT_PTR result);

protected:
    // Ends with IDOK when Exchange(true) accepts the fields.
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }

private:
    INT_PTR HandleCommand(WORD code, int id, HWND control) override;

    HWND parent_;
    bool modal_ = false;
};
