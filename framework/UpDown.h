#pragma once
#include "framework/Window.h"

class UpDown : public Window {
public:
    using Window::Window;
    void SetBuddy(HWND buddy) const { Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)); }
    void SetRange(int low, int high) const { Send(UDM_SETRANGE32, static_cast<WPARAM>(low), high); }
    void SetPos(int pos) const { Send(UDM_SETPOS32, 0, pos); }
    int Pos() const { return static_cast<int>(Send(UDM_GETPOS32)); }
};
