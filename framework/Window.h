#pragma once
// Base of the thin control wrappers: a copyable, non-owning HWND with one-line helpers.
#include <windows.h>
#include <commctrl.h>
#include <cassert>
#include <string>

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : hwnd_(hwnd) {}
    Window(HWND dialog, int id) : hwnd_(GetDlgItem(dialog, id)) {}

    HWND Hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        assert(IsWindow(hwnd_));
        return SendMessageA(hwnd_, msg, wParam, lParam);
    }
    void Enable(bool on) const { EnableWindow(hwnd_, on); }
    bool IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void Show(bool on) const { ShowWindow(hwnd_, on ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void SetText(const std::string& text) const { SetWindowTextA(hwnd_, text.c_str()); }
    std::string Text() const {
        std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
        text.resize(static_cast<size_t>(GetWindowTextA(hwnd_, &text[0], static_cast<int>(text.size()))));
        return text;
    }
    void Redraw() const { InvalidateRect(hwnd_, nullptr, TRUE); }
    // Off while many items change, so the control is not repainted once per item.
    void SetRedraw(bool on) const { SendMessageA(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0); }
    void Focus() const { SetFocus(hwnd_); }
    LONG_PTR Style() const { return GetWindowLongPtrA(hwnd_, GWL_STYLE); }
    void AddStyle(LONG_PTR style) const { SetWindowLongPtrA(hwnd_, GWL_STYLE, Style() | style); }

protected:
    HWND hwnd_ = nullptr;
};
