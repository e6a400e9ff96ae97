#pragma once
// The one seam for what the user is told: every message box and every MessageBeep of the
// program goes through here, so that a test can record them and script the answers.
#include <windows.h>
#include <string>

class Notices {
public:
    virtual ~Notices() = default;
    virtual int Show(HWND owner, const std::string& text, const std::string& title, UINT flags) = 0;
    virtual void Beep(UINT type) = 0;
    // What lies behind the next box, for a reader that keeps a log. A box's text is fixed and
    // has no room for it, so the program shows nothing; the command-line tool prints it.
    virtual void Explain(const std::string& detail) { (void)detail; }
};

// The notices in force: the real message boxes unless a test installed its own.
Notices& CurrentNotices();
// Installs `notices` (nullptr restores the real ones); returns the previous ones.
Notices* SetNotices(Notices* notices);

inline int ShowMessage(HWND owner, const std::string& text, const std::string& title, UINT flags) {
    return CurrentNotices().Show(owner, text, title, flags);
}
inline void Beep(UINT type) { CurrentNotices().Beep(type); }
inline void Explain(const std::string& detail) { CurrentNotices().Explain(detail); }

// The usual warning: an exclamation beep, then the box with the exclamation icon.
inline int Warn(HWND owner, const std::string& text, const std::string& title, UINT buttons = MB_OK) {
    Beep(MB_ICONEXCLAMATION);
    return ShowMessage(owner, text, title, buttons | MB_ICONEXCLAMATION);
}
