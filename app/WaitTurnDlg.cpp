#include "app/WaitTurnDlg.h"
#include "resource.h"

namespace {
const UINT_PTR kPollTimer = 1;
// Often enough that the program goes on at once to the eye, seldom enough to cost nothing.
const UINT kPollMs = 100;

bool Taken(DWORD waited) { return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED; }
} // namespace

CWaitTurnDlg::CWaitTurnDlg() : Dialog(IDD_WAIT_TURN) {}

TurnWaiter::Outcome CWaitTurnDlg::Wait(HWND owner, HANDLE turn, DWORD waitMs) {
    turn_ = turn;
    waitMs_ = waitMs;
    started_ = GetTickCount();
    outcome_ = kCancelled; // unless the turn comes or the wait runs out first
    SetParent(owner ? owner : GetActiveWindow());
    // The turn is taken on this thread either way: the one that gives it back.
    if (DoModal() == -1) return Taken(WaitForSingleObject(turn, waitMs)) ? kTaken : kTimedOut;
    return outcome_;
}

BOOL CWaitTurnDlg::OnInitDialog() {
    SetTimer(Hwnd(), kPollTimer, kPollMs, nullptr);
    return TRUE;
}

INT_PTR CWaitTurnDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
    handled = msg == WM_TIMER && wParam == kPollTimer;
    if (handled) Poll();
    return 0;
}

void CWaitTurnDlg::Poll() {
    if (Taken(WaitForSingleObject(turn_, 0))) {
        outcome_ = kTaken;
    } else if (GetTickCount() - started_ >= waitMs_) {
        outcome_ = kTimedOut;
    } else {
        return;
    }
    KillTimer(Hwnd(), kPollTimer);
    EndDialog(outcome_ == kTaken ? IDOK : IDABORT);
}
