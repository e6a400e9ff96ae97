#include "framework/Dialog.h"

Dialog::Dialog(UINT templateId, HWND parent, HINSTANCE instance)
    : templateId_(templateId), parent_(parent), instance_(instance ? instance : GetModuleHandleA(nullptr)) {}

Dialog::~Dialog() {
    if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

INT_PTR Dialog::DoModal() {
    modal_ = true;
    INT_PTR result = DialogBoxParamA(instance_, MAKEINTRESOURCEA(templateId_), parent_, Proc,
                                     reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    return result;
}

HWND Dialog::Create() {
    modal_ = false;
    return CreateDialogParamA(instance_, MAKEINTRESOURCEA(templateId_), parent_, Proc,
                              reinterpret_cast<LPARAM>(this));
}

void Dialog::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

std::string Dialog::ItemText(int id) const {
    HWND item = Item(id);
    int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(item, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void Dialog::EndDialog(INT_PTR result) {
    if (modal_) {
        ::EndDialog(hwnd_, result);
    } else {
        DestroyWindow(hwnd_);
    }
}

void Dialog::OnOK() {
    if (Exchange(true)) EndDialog(IDOK);
}

INT_PTR CALLBACK Dialog::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = self->Handle(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR Dialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        WORD code = HIWORD(wParam);
        int id = LOWORD(wParam);
        if (OnCommand(code, id, reinterpret_cast<HWND>(lParam))) return TRUE;
        if (code == BN_CLICKED || code == 0) {
            if (id == IDOK) {
                OnOK();
                return TRUE;
            }
            if (id == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        return OnNotify(static_cast<int>(header->idFrom), header) ? TRUE : FALSE;
    }
    case WM_HELP:
        OnHelp();
        return TRUE;
    default: {
        bool handled = false;
        INT_PTR result = OnMessage(msg, wParam, lParam, handled);
        return handled ? result : FALSE;
    }
    }
}
