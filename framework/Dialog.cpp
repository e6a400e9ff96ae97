#include "framework/Dialog.h"

Dialog::Dialog(UINT templateId, HWND parent, HINSTANCE instance)
    : DialogWindow(templateId, instance), parent_(parent) {}

Dialog::~Dialog() {
    if (Hwnd() && !modal_) DestroyWindow(Hwnd());
}

INT_PTR Dialog::DoModal() {
    modal_ = true;
    return DialogBoxParamA(Instance(), MAKEINTRESOURCEA(TemplateId()), parent_, Proc,
                           reinterpret_cast<LPARAM>(static_cast<DialogWindow*>(this)));
}

HWND Dialog::Create() {
    modal_ = false;
    return CreateDialogParamA(Instance(), MAKEINTRESOURCEA(TemplateId()), parent_, Proc,
                              reinterpret_cast<LPARAM>(static_cast<DialogWindow*>(this)));
}

void Dialog::Destroy() {
    if (Hwnd()) DestroyWindow(Hwnd());
}

void Dialog::EndDialog(INT_PTR result) {
    if (modal_) {
        ::EndDialog(Hwnd(), result);
    } else {
        DestroyWindow(Hwnd());
    }
}

void Dialog::OnOK() {
    if (Exchange(true)) EndDialog(IDOK);
}

INT_PTR Dialog::HandleCommand(WORD code, int id, HWND control) {
    if (DialogWindow::HandleCommand(code, id, control)) return TRUE;
    if (code == BN_CLICKED) {
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
