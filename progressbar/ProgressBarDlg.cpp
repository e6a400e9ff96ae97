#include "progressbar/ProgressBarDlg.h"
#include "framework/Button.h"
#include "framework/Dpi.h"
#include "progressbar/Module.h"
#include "progressbar/ProgressBar.h"
#include "progressbar/resource.h"

namespace {
constexpr int kClockSide = 32; // pixels at 96 DPI
} // namespace

const std::vector<Command<CProgressBarDlg>> CProgressBarDlg::commands_ = {
    {IDCANCEL, BN_CLICKED, &CProgressBarDlg::OnCancelClicked},
};

CProgressBarDlg::CProgressBarDlg(CProgressBar& owner, HWND parent)
    : Dialog(IDD_PROGRESS, parent, KetterelModule()), owner_(owner) {}

CProgressBarDlg::~CProgressBarDlg() {
    // The window goes first (the base class's destructor would be too late for the face).
    Destroy();
    if (face_) DestroyIcon(face_);
}

BOOL CProgressBarDlg::OnInitDialog() {
    CenterOnOwner();
    // The template's face is the system's icon size, which need not be the window's.
    LoadClockFace(0, ShownDpi());
    if (HMENU menu = GetSystemMenu(Hwnd(), FALSE)) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_ALWAYS_ON_TOP, "&Always on top");
    }
    initialised_ = true;
    return TRUE;
}

bool CProgressBarDlg::OnCommand(WORD code, int id, HWND) {
    return DispatchCommand(this, commands_, code, id);
}

INT_PTR CProgressBarDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
    switch (msg) {
    case WM_SYSCOMMAND:
        handled = OnSysCommand(wParam);
        return handled;
    case WM_SETCURSOR:
        OnSetCursor();
        SetMsgResult(TRUE);
        handled = true;
        return TRUE;
    case WM_CLOCK_TICK:
        OnClockTick();
        handled = true;
        return TRUE;
    default:
        handled = false;
        return FALSE;
    }
}

// Cancel, Esc, and Close on the system menu or the caption all arrive here. Only an enabled
// Cancel button lets them stop the job: a job that offers no Cancel always runs to its end.
void CProgressBarDlg::OnCancelClicked() {
    if (Button(Hwnd(), IDCANCEL).IsEnabled()) aborted_ = true;
}

bool CProgressBarDlg::OnSysCommand(WPARAM command) {
    if (command != IDM_ALWAYS_ON_TOP) return false;
    SetTopmost((GetWindowLongPtrA(Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
    return true;
}

void CProgressBarDlg::OnSetCursor() {
    bool cancelShown = Button(Hwnd(), IDCANCEL).IsVisible();
    SetCursor(LoadCursorA(nullptr, cancelShown ? IDC_APPSTARTING : IDC_WAIT));
}

void CProgressBarDlg::OnClockTick() {
    // Ticks pile up while the caller does not pump; the clock shows time, so one advance is enough.
    MSG later;
    while (PeekMessageA(&later, Hwnd(), WM_CLOCK_TICK, WM_CLOCK_TICK, PM_REMOVE)) {
    }
    // After a cancel the dialog waits, unchanged, for the caller's next Step() or IsAborted().
    if (aborted_) return;
    owner_.Advance();
    InvalidateRect(Hwnd(), nullptr, FALSE);
    UpdateWindow(Hwnd());
}

void CProgressBarDlg::ShowClockFace(int frame) { LoadClockFace(frame, ShownDpi()); }

void CProgressBarDlg::OnDpiChanged(int dpi) { LoadClockFace(faceFrame_, dpi); }

void CProgressBarDlg::LoadClockFace(int frame, int dpi) {
    const int side = Dpi::Scale(kClockSide, dpi);
    HICON face =
        static_cast<HICON>(LoadImageA(KetterelModule(), MAKEINTRESOURCEA(IDI_CLOCK_FIRST + frame),
                                      IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
    if (!face) return;
    SendDlgItemMessageA(Hwnd(), IDC_CLOCK_FACE, STM_SETICON, reinterpret_cast<WPARAM>(face), 0);
    if (face_) DestroyIcon(face_);
    face_ = face;
    faceFrame_ = frame;
}

void CProgressBarDlg::SetTopmost(bool on) const {
    SetWindowPos(Hwnd(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW);
    if (HMENU menu = GetSystemMenu(Hwnd(), FALSE))
        CheckMenuItem(menu, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void CProgressBarDlg::EnableClose(bool on) const {
    if (HMENU menu = GetSystemMenu(Hwnd(), FALSE))
        EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

// Over a visible owner, else in the middle of the work area.
void CProgressBarDlg::CenterOnOwner() const {
    RECT area;
    HWND owner = GetWindow(Hwnd(), GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    RECT self;
    GetWindowRect(Hwnd(), &self);
    int x = area.left + (area.right - area.left - (self.right - self.left)) / 2;
    int y = area.top + (area.bottom - area.top - (self.bottom - self.top)) / 2;
    SetWindowPos(Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
