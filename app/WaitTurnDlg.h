#pragma once
// "Waiting for Another Program": shown while another writer of the schemes has its turn, so that
// the program's windows stay painted and the user can give up waiting. Installed as the turn
// waiter of the program's writers (store/WriterLock.h).
#include "framework/Dialog.h"
#include "store/WriterLock.h"

class CWaitTurnDlg : public Dialog, public TurnWaiter {
public:
    CWaitTurnDlg();

    // Shows the window, owned by `owner` (else the active window), until the turn is taken, the
    // wait runs out, or the user cancels.
    Outcome Wait(HWND owner, HANDLE turn, DWORD waitMs) override;

protected:
    BOOL OnInitDialog() override;
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    // Takes the turn when it is free; ends the window then, or once the wait has run out.
    void Poll();

    HANDLE turn_ = nullptr;
    DWORD waitMs_ = 0;
    DWORD started_ = 0;
    Outcome outcome_ = kCancelled;
};
