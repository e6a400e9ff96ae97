#pragma once
// Ketterel.dll: a modeless progress dialog for a job that runs on the caller's user-interface
// thread. The dialog has no message loop of its own: every operation pumps the calling thread's
// pending messages once, so a job that calls Step() as it advances keeps the dialog painted and
// its Cancel button working. While it pumps, the caller's other windows repaint but their input
// (keys, clicks, commands) is discarded.
//
// Every operation belongs to the thread that created the dialog. Once the dialog window is gone
// (never created, cancelled or destroyed) the operations do nothing and return 0, except
// IsAborted(), which keeps returning 1 after a cancel.
#include <windows.h>
#include <memory>

#ifdef KETTEREL_BUILD
#define KETTEREL_API __declspec(dllexport)
#else
#define KETTEREL_API __declspec(dllimport)
#endif

class CProgressBarDlg;

class KETTEREL_API CProgressBar {
public:
    // Bits of the last argument of the full constructor.
    enum Flag : long {
        FlagClockMode = 1,   // start with the clock face instead of the bar
        FlagShowCancel = 2,  // show the Cancel button (not with an empty abort text)
        FlagClockThread = 4, // advance the display once a second by itself
        FlagAllowCancel = 8, // enable the Cancel button and the Close command
    };

    // No window yet: call CreateDlg() and then the setters.
    explicit CProgressBar(HWND parent = nullptr);
    // Builds and shows the whole dialog. A null text counts as empty.
    CProgressBar(HWND parent, int lower, int upper, int step, const char* barText,
                 const char* caption, const char* abortText, long flags);
    // Stops the clock thread and removes the dialog.
    virtual ~CProgressBar();
    CProgressBar(const CProgressBar&) = delete;
    CProgressBar& operator=(const CProgressBar&) = delete;

    // Creates the dialog, owned by the constructor's parent; if that fails, there is no window.
    void CreateDlg();
    // Stops the clock thread, removes the window and puts back the arrow cursor.
    void DestroyDlg();

    // 0 once cancelled (the dialog is then removed), else advances the bar or the clock: 1.
    int Step();
    // 1 once cancelled (the dialog is then removed), else 0.
    int IsAborted();
    // Returns the previous position; moves the bar in clock mode too.
    int SetPos(int pos);
    // The bar's range and step, and the marker labels; ignored in clock mode.
    void SetRange(int lower, int upper);
    void SetStep(int step);
    // Shows or hides the labels under the ends of the bar; in clock mode they stay hidden.
    void SetShowMarkers(int show);
    void SetClockMode(int on);
    void SetBarText(const char* text);
    void SetCaption(const char* text);
    void SetAbortText(const char* text);
    // Enables the Cancel button and the Close command, or disables both.
    void SetAllowCancel(int allow);
    void AlwaysOnTop(int on);
    // The dialog window while it exists, else null.
    HWND GetDialogCWnd() const;
    // Kept for callers of earlier versions; they do nothing.
    void SetMsgThread();
    void KillMsgThread();

    // Time between two ticks of clock threads started from now on; 1000 ms unless changed.
    static void SetClockInterval(DWORD milliseconds);

private:
    friend class CProgressBarDlg;

    bool Shown() const;
    void ShowCancel(int show);
    // The display's advance, shared by Step() and the clock thread's ticks.
    void Advance();
    void DlgMessageLoop();
    // Lets the bar paint again after steps that moved it quietly.
    void WakeBar();
    void StartClockThread();
    void StopClockThread();

    std::unique_ptr<CProgressBarDlg> dialog_;
    int clockMode_ = 0;
    int clockFrame_ = 0;
    bool stepPumped_ = false;
    bool barQuiet_ = false; // the bar's redraw is off until the next pump
    DWORD lastStepPump_ = 0;
    HANDLE clockThread_ = nullptr;
    HANDLE stopClock_ = nullptr;
};
