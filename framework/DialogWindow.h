#pragma once
// What a Dialog and a PropertyPage share: a window made from a dialog template whose one static
// procedure finds the object through DWLP_USER and dispatches to a few virtuals, and the helpers
// over the window's items. Derived windows keep a command table and one handler per control.
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

class DialogWindow {
public:
    virtual ~DialogWindow() = default;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // The window while it exists, else nullptr.
    HWND Hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd_, id, text.c_str()); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
    void SetChecked(int id, bool on) const { CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
    void EnableItem(int id, bool on) const { EnableWindow(Item(id), on); }

protected:
    DialogWindow(UINT templateId, HINSTANCE instance)
        : templateId_(templateId), instance_(instance ? instance : GetModuleHandleA(nullptr)) {}

    UINT TemplateId() const { return templateId_; }
    HINSTANCE Instance() const { return instance_; }

    // Return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Return true when the command was handled.
    virtual bool OnCommand(WORD /*code*/, int /*id*/, HWND /*control*/) { return false; }
    // Return true when handled; the result goes back through SetMsgResult.
    virtual bool OnNotify(int /*id*/, NMHDR* /*header*/) { return false; }
    // F1. Windows without help swallow the request, so it does not reach their owner.
    virtual void OnHelp() {}
    // Any other message; set handled to take it.
    virtual INT_PTR OnMessage(UINT /*msg*/, WPARAM, LPARAM, bool& handled) {
        handled = false;
        return 0;
    }
    // The window now shows at `dpi` (moved to a monitor of another scale): remake what the window
    // draws itself. The dialog's own controls are rescaled by the system. ShownDpi() still gives
    // the earlier DPI here.
    virtual void OnDpiChanged(int /*dpi*/) {}
    // After OnDpiChanged, once the system has given the controls their size at the new DPI: fit
    // what follows the controls' sizes.
    virtual void OnControlsRescaled() {}
    // The DPI the window was made at or last moved to.
    int ShownDpi() const { return shownDpi_; }
    // Moves the members to the controls (save = false) or back (save = true); false refuses to
    // let the window close or be left.
    virtual bool Exchange(bool /*save*/) { return true; }

    // WM_COMMAND and WM_NOTIFY: a Dialog adds OK and Cancel here, a page the sheet's notices.
    virtual INT_PTR HandleCommand(WORD code, int id, HWND control) {
        return OnCommand(code, id, control) ? TRUE : FALSE;
    }
    virtual INT_PTR HandleNotify(NMHDR* header) {
        return OnNotify(static_cast<int>(header->idFrom), header) ? TRUE : FALSE;
    }

    void SetMsgResult(LRESULT result) const { SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result); }

    // The dialog procedure; the lParam of WM_INITDIALOG is the DialogWindow* the window is for.
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    int shownDpi_ = 96;

    void DpiChanged(int dpi);
};
