#pragma once
// The window side of a CProgressBar: the modeless dialog from the library's template, with its
// Cancel button, the "&Always on top" item of its system menu, its cursor and the clock ticks.
#include <vector>
#include "framework/Dialog.h"

class CProgressBar;

// Posted by the clock thread; the thread never calls into the dialog itself, since the window
// belongs to the caller's thread.
constexpr UINT WM_CLOCK_TICK = WM_APP + 1;

class CProgressBarDlg : public Dialog {
public:
    CProgressBarDlg(CProgressBar& owner, HWND parent);
    ~CProgressBarDlg() override;

    // Set by Cancel or Close; never cleared.
    bool IsAborted() const { return aborted_; }
    bool IsInitialised() const { return initialised_; }
    void SetTopmost(bool on) const;
    void EnableClose(bool on) const;
    // Clock face `frame` (0 = the hand at 12), drawn for the window's DPI.
    void ShowClockFace(int frame);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    // Enter must not end a job's dialog.
    void OnOK() override {}
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void OnDpiChanged(int dpi) override;

private:
    static const std::vector<Command<CProgressBarDlg>> commands_;

    void OnCancelClicked();
    bool OnSysCommand(WPARAM command);
    void OnSetCursor();
    void OnClockTick();
    void CenterOnOwner() const;

    void LoadClockFace(int frame, int dpi);

    CProgressBar& owner_;
    bool aborted_ = false;
    bool initialised_ = false;
    // The face shown, loaded at the window's size for it (so not shared: destroyed here).
    HICON face_ = nullptr;
    int faceFrame_ = 0;
};
