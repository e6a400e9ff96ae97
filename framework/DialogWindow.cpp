#include "framework/DialogWindow.h"
#include "framework/Dpi.h"

namespace {
// Posted on a change of DPI, so that it arrives after the system has rescaled the controls. A
// registered message, since dialogs keep WM_APP messages of their own.
UINT ControlsRescaledMessage() {
    static const UINT message = RegisterWindowMessageA("VexarLumen.ControlsRescaled");
    return message;
}
} // namespace

std::string DialogWindow::ItemText(int id) const {
    HWND item = Item(id);
    int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(item, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

INT_PTR CALLBACK DialogWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogWindow* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        if (self) self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = self->Handle(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR DialogWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        shownDpi_ = Dpi::OfWindow(hwnd_);
        return OnInitDialog();
    case WM_COMMAND:
        return HandleCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return HandleNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP:
        OnHelp();
        return TRUE;
    case WM_DPICHANGED: {
        // A top-level window takes the place the system suggests for the new scale; the default
        // dialog handling then rescales the controls (so this stays unhandled).
        const RECT* place = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, place->left, place->top, place->right - place->left,
                     place->bottom - place->top, SWP_NOZORDER | SWP_NOACTIVATE);
        DpiChanged(HIWORD(wParam));
        return FALSE;
    }
    case WM_DPICHANGED_AFTERPARENT: // a property page inside a sheet that moved
        DpiChanged(Dpi::OfWindow(hwnd_));
        return FALSE;
    default: {
        if (msg == ControlsRescaledMessage()) {
            OnControlsRescaled();
            return TRUE;
        }
        bool handled = false;
        INT_PTR result = OnMessage(msg, wParam, lParam, handled);
        return handled ? result : FALSE;
    }
    }
}

void DialogWindow::DpiChanged(int dpi) {
    if (dpi == shownDpi_) return;
    OnDpiChanged(dpi);
    shownDpi_ = dpi;
    PostMessageA(hwnd_, ControlsRescaledMessage(), 0, 0);
}
