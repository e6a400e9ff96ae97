#pragma once
// A dialog made from a template: one static procedure finds the object through DWLP_USER and
// dispatches to a few virtuals. Derived dialogs keep a command table and one handler per control.
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

// One row of a dialog's command table: control id and notification code to a member function.
template <class T> struct Command {
    int id;
    WORD code;
    void (T::*handler)();
};

template <class T>
bool DispatchCommand(T* self, const std::vector<Command<T>>& table, WORD code, int id) {
    for (const Command<T>& entry : table) {
        if (entry.id == id && entry.code == code) {
            (self->*entry.handler)();
            return true;
        }
    }
    return false;
}

class Dialog {
public:
    explicit Dialog(UINT templateId, HWND parent = nullptr, HINSTANCE instance = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Modal: returns what EndDialog was given, or -1 when the window could not be made.
    INT_PTR DoModal();
    // Modeless: the window, or nullptr.
    HWND Create();
    void Destroy();

    HWND Hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    void SetParent(HWND parent) { parent_ = parent; }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd_, id, text.c_str()); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
    void SetChecked(int id, bool on) const { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
    void EnableItem(int id, bool on) const { EnableWindow(Item(id), on); }
    void EndDialog(INT_PTR result);

protected:
    // Return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Return true when the command was handled.
    virtual bool OnCommand(WORD /*code*/, int /*id*/, HWND /*control*/) { return false; }
    // Return true when handled; the result goes back through SetMsgResult.
    virtual bool OnNotify(int /*id*/, NMHDR* /*header*/) { return false; }
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // F1. Dialogs without help swallow the request, so it does not reach their owner.
    virtual void OnHelp() {}
    // Any other message; set handled to take it.
    virtual INT_PTR OnMessage(UINT /*msg*/, WPARAM, LPARAM, bool& handled) {
        handled = false;
        return 0;
    }
    // Moves the members to the controls (save = false) or back (save = true); false keeps an OK open.
    virtual bool Exchange(bool /*save*/) { return true; }

    void SetMsgResult(LRESULT result) const { SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result); }

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND parent_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
};
