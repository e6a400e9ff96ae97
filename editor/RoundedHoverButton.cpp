#include "editor/RoundedHoverButton.h"

namespace {
const COLORREF kOutline = RGB(0xC0, 0xC0, 0xC0);
const int kCorner = 8; // at 96 DPI, as the outline's width of one pixel
} // namespace

int CRoundedHoverButton::SetRounded(bool rounded, bool repaint) {
    rounded_ = rounded;
    if (repaint && hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
    return kOk;
}

void CRoundedHoverButton::PaintBackground(HDC dc, const RECT& rect) {
    if (!hot_ && !pressed_) {
        CHoverButton::PaintBackground(dc, rect);
        return;
    }
    // The corners outside the box keep the normal background.
    HBRUSH normal = CreateSolidBrush(colors_[kBackNormal]);
    FillRect(dc, &rect, normal);
    DeleteObject(normal);
    HBRUSH brush = CreateSolidBrush(colors_[kBackHot]);
    HPEN pen = CreatePen(PS_INSIDEFRAME, Scaled(1), kOutline);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const int corner = Scaled(kCorner);
    if (rounded_) RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
    else Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}
