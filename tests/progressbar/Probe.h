#pragma once
// Reads a CProgressBar's dialog as the user sees it; runs a job on a thread of its own.
#include <windows.h>
#include <commctrl.h>
#include <process.h>
#include <functional>
#include <string>
#include <vector>
#include "progressbar/ProgressBar.h"
#include "progressbar/resource.h"

namespace probe {
inline HWND Item(const CProgressBar& bar, int id) { return GetDlgItem(bar.GetDialogCWnd(), id); }
inline bool Visible(const CProgressBar& bar, int id) {
    return IsWindowVisible(Item(bar, id)) != FALSE;
}
inline bool Enabled(const CProgressBar& bar, int id) {
    return IsWindowEnabled(Item(bar, id)) != FALSE;
}
inline std::string Text(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}
inline std::string Text(const CProgressBar& bar, int id) { return Text(Item(bar, id)); }
inline int BarQuery(const CProgressBar& bar, UINT msg, WPARAM wParam = 0) {
    return static_cast<int>(SendMessageA(Item(bar, IDC_PROGRESS_BAR), msg, wParam, 0));
}
inline int Pos(const CProgressBar& bar) { return BarQuery(bar, PBM_GETPOS); }
inline int Upper(const CProgressBar& bar) { return BarQuery(bar, PBM_GETRANGE, FALSE); }
inline HICON ShownFace(const CProgressBar& bar) {
    return reinterpret_cast<HICON>(SendMessageA(Item(bar, IDC_CLOCK_FACE), STM_GETICON, 0, 0));
}
// A face from the library's own resources: the program's module has none.
inline HICON LibraryFace(int id) {
    return LoadIconA(GetModuleHandleA("Ketterel.dll"), MAKEINTRESOURCEA(id));
}
// What an icon shows, to tell faces apart: the dialog loads a copy of its own of each face.
inline std::vector<BYTE> Picture(HICON icon) {
    std::vector<BYTE> bits;
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return bits;
    for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
        if (!bitmap) continue;
        BITMAP header = {};
        GetObjectA(bitmap, sizeof header, &header);
        std::vector<BYTE> part(static_cast<size_t>(header.bmWidthBytes) * header.bmHeight);
        GetBitmapBits(bitmap, static_cast<LONG>(part.size()), part.data());
        bits.insert(bits.end(), part.begin(), part.end());
        DeleteObject(bitmap);
    }
    return bits;
}
inline bool MenuFlag(const CProgressBar& bar, UINT command, UINT flag) {
    return (GetMenuState(GetSystemMenu(bar.GetDialogCWnd(), FALSE), command, MF_BYCOMMAND) &
            flag) != 0;
}
inline bool Topmost(const CProgressBar& bar) {
    return (GetWindowLongPtrA(bar.GetDialogCWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Runs `body` on a new thread, which owns the dialogs it makes, waiting at most `milliseconds`:
// a hang fails the test instead of stopping the run.
inline unsigned __stdcall RunJob(void* body) {
    (*static_cast<std::function<void()>*>(body))();
    return 0;
}
inline bool FinishesWithin(DWORD milliseconds, std::function<void()> body) {
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, RunJob, &body, 0, nullptr));
    if (!thread) return false;
    bool finished = WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0;
    if (!finished) TerminateThread(thread, 1);
    CloseHandle(thread);
    return finished;
}
} // namespace probe
