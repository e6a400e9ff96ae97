#pragma once
#include "framework/Window.h"

class Edit : public Window {
public:
    using Window::Window;
    void SetLimit(int chars) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
    void SetSelection(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void SetReadOnly(bool on) const { Send(EM_SETREADONLY, on); }
};
