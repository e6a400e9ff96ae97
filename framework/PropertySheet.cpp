#include "framework/PropertySheet.h"
#include "framework/Dpi.h"
#include "framework/PropertyPage.h"

namespace {
const UINT_PTR kSubclassId = 1;

// The callback of PropertySheetA carries no user data: the sheet being made is noted here.
thread_local PropertySheet* t_opening = nullptr;

// Without a Help button the caption's "?" makes no sense either.
void RemoveContextHelp(void* dialogTemplate) {
    WORD* words = static_cast<WORD*>(dialogTemplate);
    const bool extended = words[1] == 0xFFFF;
    DWORD* style = extended ? reinterpret_cast<DWORD*>(words + 6) : reinterpret_cast<DWORD*>(words);
    *style &= ~static_cast<DWORD>(DS_CONTEXTHELP);
}
} // namespace

PropertySheet::PropertySheet(const std::string& caption, HWND parent, HINSTANCE instance)
    : caption_(caption), parent_(parent), instance_(instance ? instance : GetModuleHandleA(nullptr)) {}

void PropertySheet::AddPage(PropertyPage& page) {
    page.sheet_ = this;
    pages_.push_back(&page);
}

INT_PTR PropertySheet::DoModal() {
    std::vector<PROPSHEETPAGEA> pages;
    for (PropertyPage* page : pages_) pages.push_back(page->Describe());

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | (noApplyNow_ ? PSH_NOAPPLYNOW : 0);
    header.hwndParent = parent_;
    header.hInstance = instance_;
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = 0;
    header.ppsp = pages.data();
    header.pfnCallback = Callback;

    PropertySheet* outer = t_opening;
    t_opening = this;
    INT_PTR result = PropertySheetA(&header);
    t_opening = outer;
    hwnd_ = nullptr;
    if (result < 0) return -1;
    return result > 0 ? IDOK : IDCANCEL;
}

int CALLBACK PropertySheet::Callback(HWND hwnd, UINT msg, LPARAM lParam) {
    if (msg == PSCB_PRECREATE && lParam) RemoveContextHelp(reinterpret_cast<void*>(lParam));
    if (msg == PSCB_INITIALIZED && t_opening) {
        PropertySheet* self = t_opening;
        t_opening = nullptr; // a sheet opened from inside this one notes itself afresh
        self->hwnd_ = hwnd;
        SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(self));
        self->OnInitialized();
    }
    return 0;
}

LRESULT CALLBACK PropertySheet::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
    PropertySheet* self = reinterpret_cast<PropertySheet*>(data);
    switch (msg) {
    case WM_HELP:
        self->OnHelp();
        return TRUE;
    case WM_DPICHANGED: {
        const RECT* place = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd, nullptr, place->left, place->top, place->right - place->left, place->bottom - place->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        self->OnDpiChanged(HIWORD(wParam));
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        self->hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}
