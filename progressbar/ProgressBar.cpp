#include "progressbar/ProgressBar.h"
#include <process.h>
#include <cstdio>
#include <new>
#include <string>
#include "framework/Button.h"
#include "framework/Notices.h"
#include "progressbar/Module.h"
#include "progressbar/ProgressBarDlg.h"
#include "progressbar/ProgressCtrl.h"
#include "progressbar/resource.h"

namespace {
DWORD g_clockInterval = 1000;
const DWORD kMinClockInterval = 10;
// The clock thread never waits for the caller's thread, so stopping it cannot deadlock; the wait
// is bounded all the same, and the thread owns everything it uses should it outlive the wait.
const DWORD kClockStopTimeout = 5000;
// A window whose painting never validates would bring WM_PAINT back for ever.
const int kMaxMessagesPerPump = 1000;
// Steps pump at most this often: a round of the queue and a repaint cost more than a fast step's
// own work, and a bar moving faster than this is no easier to follow.
const DWORD kStepPumpInterval = 25;

// What a clock thread works with. It never touches the CProgressBar: it posts ticks to the
// dialog, whose window belongs to the caller's thread.
struct ClockContext {
    HWND dialog;
    HANDLE stop;
    DWORD interval;
};

unsigned __stdcall ClockThreadProc(void* parameter) {
    ClockContext* context = static_cast<ClockContext*>(parameter);
    while (WaitForSingleObject(context->stop, context->interval) == WAIT_TIMEOUT)
        PostMessageA(context->dialog, WM_CLOCK_TICK, 0, 0);
    CloseHandle(context->stop);
    delete context;
    Beep(0xFFFFFFFF);
    return 42;
}

const char* OrEmpty(const char* text) { return text ? text : ""; }

std::string Decimal(int number) {
    char text[16];
    snprintf(text, sizeof text, "%d", number);
    return text;
}

ProgressCtrl Bar(const CProgressBarDlg& dialog) {
    return ProgressCtrl(dialog.Hwnd(), IDC_PROGRESS_BAR);
}
Window Face(const CProgressBarDlg& dialog) { return Window(dialog.Hwnd(), IDC_CLOCK_FACE); }
Button CancelButton(const CProgressBarDlg& dialog) { return Button(dialog.Hwnd(), IDCANCEL); }
} // namespace

CProgressBar::CProgressBar(HWND parent) : dialog_(new CProgressBarDlg(*this, parent)) {}

CProgressBar::CProgressBar(HWND parent, int lower, int upper, int step, const char* barText,
                           const char* caption, const char* abortText, long flags)
    : CProgressBar(parent) {
    CreateDlg();
    SetClockMode((flags & FlagClockMode) ? 1 : 0);
    if ((flags & FlagShowCancel) && *OrEmpty(abortText)) {
        ShowCancel(1);
        SetAllowCancel((flags & FlagAllowCancel) ? 1 : 0);
    } else {
        ShowCancel(0);
    }
    SetStep(step);
    SetRange(lower, upper);
    SetBarText(barText);
    SetCaption(caption);
    SetAbortText(abortText);
    AlwaysOnTop(0);
    // Started last, so that the first tick finds the dialog complete.
    if (flags & FlagClockThread) StartClockThread();
}

CProgressBar::~CProgressBar() { DestroyDlg(); }

bool CProgressBar::Shown() const { return dialog_->Hwnd() && dialog_->IsInitialised(); }

void CProgressBar::CreateDlg() {
    if (dialog_->Hwnd()) return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    // The dialog is initialised by the time this returns; when it cannot be made (a bad parent,
    // no template) there is simply no window, and every operation does nothing.
    dialog_->Create();
}

void CProgressBar::DestroyDlg() {
    StopClockThread();
    dialog_->Destroy();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

int CProgressBar::Step() {
    if (dialog_->IsAborted()) {
        DestroyDlg();
        return 0;
    }
    if (!Shown()) return 0;
    // The first step, the one that fills the bar, and the others as the interval allows, pump and
    // paint; in between the bar moves without painting (it would paint at once on every move).
    const DWORD now = GetTickCount();
    const bool onTime = !stepPumped_ || now - lastStepPump_ >= kStepPumpInterval;
    if (!onTime && !clockMode_ && !barQuiet_) {
        Bar(*dialog_).SetRedraw(false);
        barQuiet_ = true;
    }
    Advance();
    const bool full = !clockMode_ && Bar(*dialog_).Pos() >= Bar(*dialog_).Upper();
    if (onTime || full) {
        stepPumped_ = true;
        lastStepPump_ = now;
        DlgMessageLoop();
    }
    return 1;
}

int CProgressBar::IsAborted() {
    if (dialog_->IsAborted()) {
        DestroyDlg();
        return 1;
    }
    DlgMessageLoop();
    return 0;
}

int CProgressBar::SetPos(int pos) {
    if (!Shown()) return 0;
    int previous = Bar(*dialog_).SetPos(pos);
    DlgMessageLoop();
    return previous;
}

void CProgressBar::SetRange(int lower, int upper) {
    if (!Shown()) return;
    if (!clockMode_) {
        // The 32-bit range: a job of 65536 steps or more must not wrap the bar.
        Bar(*dialog_).SetRange(lower, upper);
        dialog_->SetItemText(IDC_LOWER_MARKER, Decimal(lower));
        dialog_->SetItemText(IDC_UPPER_MARKER, Decimal(upper));
    }
    DlgMessageLoop();
}

void CProgressBar::SetStep(int step) {
    if (!Shown()) return;
    if (!clockMode_) Bar(*dialog_).SetStep(step);
    DlgMessageLoop();
}

void CProgressBar::SetShowMarkers(int show) {
    if (!Shown() || (clockMode_ && show)) return;
    Window(dialog_->Hwnd(), IDC_LOWER_MARKER).Show(show != 0);
    Window(dialog_->Hwnd(), IDC_UPPER_MARKER).Show(show != 0);
    DlgMessageLoop();
}

void CProgressBar::SetClockMode(int on) {
    if (!Shown()) return;
    WakeBar();
    clockMode_ = on ? 1 : 0;
    Bar(*dialog_).Show(!clockMode_);
    if (clockMode_) SetShowMarkers(0);
    Face(*dialog_).Show(clockMode_ != 0);
}

void CProgressBar::SetBarText(const char* text) {
    if (!Shown()) return;
    dialog_->SetItemText(IDC_BAR_TEXT, OrEmpty(text));
    DlgMessageLoop();
}

void CProgressBar::SetCaption(const char* text) {
    if (!Shown()) return;
    Window(dialog_->Hwnd()).SetText(OrEmpty(text));
    DlgMessageLoop();
}

void CProgressBar::SetAbortText(const char* text) {
    if (!Shown()) return;
    CancelButton(*dialog_).SetText(OrEmpty(text));
    DlgMessageLoop();
}

void CProgressBar::SetAllowCancel(int allow) {
    if (!Shown()) return;
    CancelButton(*dialog_).Enable(allow != 0);
    dialog_->EnableClose(allow != 0);
    DlgMessageLoop();
}

void CProgressBar::AlwaysOnTop(int on) {
    if (!Shown()) return;
    dialog_->SetTopmost(on != 0);
    DlgMessageLoop();
}

HWND CProgressBar::GetDialogCWnd() const { return Shown() ? dialog_->Hwnd() : nullptr; }

void CProgressBar::SetMsgThread() {}

void CProgressBar::KillMsgThread() {}

void CProgressBar::SetClockInterval(DWORD milliseconds) {
    g_clockInterval = milliseconds < kMinClockInterval ? kMinClockInterval : milliseconds;
}

void CProgressBar::ShowCancel(int show) {
    if (!Shown()) return;
    CancelButton(*dialog_).Show(show != 0);
    if (!show) SetAllowCancel(0);
}

void CProgressBar::Advance() {
    if (clockMode_) {
        clockFrame_ = (clockFrame_ + 1) % CLOCK_FACE_COUNT;
        dialog_->ShowClockFace(clockFrame_);
    } else {
        Bar(*dialog_).StepIt();
    }
}

void CProgressBar::WakeBar() {
    if (!barQuiet_) return;
    barQuiet_ = false;
    ProgressCtrl bar = Bar(*dialog_);
    bar.SetRedraw(true);
    InvalidateRect(bar.Hwnd(), nullptr, TRUE);
}

// Runs every message waiting in this thread's queue that belongs to the dialog, and all
// painting; the caller's other input is dropped, so its windows stay painted but inert.
void CProgressBar::DlgMessageLoop() {
    if (!Shown()) return;
    WakeBar();
    MSG msg;
    for (int count = 0; count < kMaxMessagesPerPump && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
         ++count) {
        if (msg.message == WM_QUIT) {
            // Not ours to drop: the caller's own loop must still end.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        HWND dialog = dialog_->Hwnd();
        if (dialog && (msg.hwnd == dialog || IsChild(dialog, msg.hwnd))) {
            if (!IsDialogMessageA(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        } else if (msg.message == WM_PAINT || msg.message == WM_NCPAINT) {
            DispatchMessageA(&msg);
        }
    }
}

void CProgressBar::StartClockThread() {
    if (clockThread_ || !Shown()) return;
    stopClock_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!stopClock_) return;
    // The thread gets a handle of its own, so that it never waits on one closed under it.
    HANDLE threadStop = nullptr;
    ClockContext* context = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), stopClock_, GetCurrentProcess(), &threadStop, 0, FALSE,
                        DUPLICATE_SAME_ACCESS))
        context = new (std::nothrow) ClockContext{dialog_->Hwnd(), threadStop, g_clockInterval};
    uintptr_t thread =
        context ? _beginthreadex(nullptr, 0, ClockThreadProc, context, 0, nullptr) : 0;
    if (!thread) {
        delete context;
        if (threadStop) CloseHandle(threadStop);
        CloseHandle(stopClock_);
        stopClock_ = nullptr;
        return;
    }
    clockThread_ = reinterpret_cast<HANDLE>(thread);
}

void CProgressBar::StopClockThread() {
    if (!clockThread_) return;
    SetEvent(stopClock_);
    WaitForSingleObject(clockThread_, kClockStopTimeout);
    CloseHandle(clockThread_);
    CloseHandle(stopClock_);
    clockThread_ = nullptr;
    stopClock_ = nullptr;
}
