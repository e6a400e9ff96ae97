#pragma once
// The DPI a window is shown at, and the sizes the program draws itself scaled to it. The per-window
// functions exist only from Windows 10 1607 on, so they are looked up at run time; before that the
// whole desktop has one DPI, the display's LOGPIXELSY.
#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace Dpi {
constexpr int kBase = 96; // 100 %
constexpr int kSmallIcon = 16;

// The DPI of the display as the process sees it.
inline int OfSystem() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBase;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBase;
}

// The DPI of the monitor `window` is on, or the system's when the system cannot tell.
inline int OfWindow(HWND window) {
    using ForWindow = UINT(WINAPI*)(HWND);
    static const ForWindow forWindow = reinterpret_cast<ForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = forWindow && window ? forWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : OfSystem();
}

// A length given at 96 DPI, at `dpi`.
inline int Scale(int length, int dpi) { return MulDiv(length, dpi, kBase); }

// The system's small-icon size at `dpi` (16 at 100 %, 24 at 150 %, 32 at 200 %).
inline int SmallIconSize(int dpi) {
    using ForDpi = int(WINAPI*)(int, UINT);
    static const ForDpi forDpi = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
    const int size = forDpi ? forDpi(SM_CXSMICON, static_cast<UINT>(dpi)) : 0;
    return size > 0 ? size : Scale(kSmallIcon, dpi);
}

// Icon `id` of the program at `size` pixels: the system picks the image of that size, or scales
// down the nearest larger one.
inline HICON LoadIconAt(int id, int size) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
} // namespace Dpi
