#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"

PropertyPage::PropertyPage(UINT templateId, HINSTANCE instance)
    : templateId_(templateId), instance_(instance ? instance : GetModuleHandleA(nullptr)) {}

std::string PropertyPage::ItemText(int id) const {
    HWND item = Item(id);
    int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(item, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void PropertyPage::OnHelp() {
    if (sheet_) sheet_->OnHelp();
}

PROPSHEETPAGEA PropertyPage::Describe() {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT; // no PSP_HASHELP: the sheet has no Help button
    page.hInstance = instance_;
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pfnDlgProc = Proc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK PropertyPage::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    PropertyPage* self;
    if (msg == WM_INITDIALOG) {
        // lParam is the system's copy of the PROPSHEETPAGEA; ours is in its lParam.
        self = reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        if (self) self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<PropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = self->Handle(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR PropertyPage::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code >= PSN_LAST && header->code <= PSN_FIRST) return HandleSheetNotice(header);
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

INT_PTR PropertyPage::HandleSheetNotice(NMHDR* header) {
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
        return OnNotify(static_cast<int>(header->idFrom), header) ? TRUE : FALSE;
    }
}
