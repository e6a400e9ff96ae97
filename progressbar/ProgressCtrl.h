#pragma once
// Thin wrapper over a progress bar control (msctls_progress32).
#include "framework/Window.h"

class ProgressCtrl : public Window {
public:
    using Window::Window;
    void SetRange(int lower, int upper) const { Send(PBM_SETRANGE32, lower, upper); }
    int Lower() const { return static_cast<int>(Send(PBM_GETRANGE, TRUE)); }
    int Upper() const { return static_cast<int>(Send(PBM_GETRANGE, FALSE)); }
    int SetPos(int pos) const { return static_cast<int>(Send(PBM_SETPOS, pos)); }
    int Pos() const { return static_cast<int>(Send(PBM_GETPOS)); }
    int SetStep(int step) const { return static_cast<int>(Send(PBM_SETSTEP, step)); }
    int StepIt() const { return static_cast<int>(Send(PBM_STEPIT)); }
};
