#pragma once
#include "framework/Window.h"

class ComboBox : public Window {
public:
    using Window::Window;
    int Add(const std::string& text) const { return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()))); }
    int Delete(int index) const { return static_cast<int>(Send(CB_DELETESTRING, static_cast<WPARAM>(index))); }
    void Clear() const { Send(CB_RESETCONTENT); }
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int Selected() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void Select(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int Find(const std::string& text) const { return static_cast<int>(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()))); }
    std::string ItemText(int index) const {
        LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length == CB_ERR) return std::string();
        std::string text(static_cast<size_t>(length) + 1, '\0');
        Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        return text;
    }
};
