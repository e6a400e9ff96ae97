#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"

PropertyPage::PropertyPage(UINT templateId, HINSTANCE instance) : DialogWindow(templateId, instance) {}

void PropertyPage::OnHelp() {
    if (sheet_) sheet_->OnHelp();
}

PROPSHEETPAGEA PropertyPage::Describe() {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT; // no PSP_HASHELP: the sheet has no Help button
    page.hInstance = Instance();
    page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(static_cast<DialogWindow*>(this));
    return page;
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // At WM_INITDIALOG lParam is the system's copy of the PROPSHEETPAGEA; ours is in its lParam.
    if (msg == WM_INITDIALOG) lParam = reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam;
    return Proc(hwnd, msg, wParam, lParam);
}

INT_PTR PropertyPage::HandleNotify(NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE:
        SetMsgResult(OnSetActive() ? 0 : -1);
        return TRUE;
    case PSN_KILLACTIVE:
        SetMsgResult(OnKillActive() ? FALSE : TRUE);
        return TRUE;
    case PSN_APPLY:
        SetMsgResult(OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
        return TRUE;
    case PSN_RESET:
        OnReset();
        return TRUE;
    default:
        return DialogWindow::HandleNotify(header);
    }
}
