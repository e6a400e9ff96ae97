#include "editor/HoverButton.h"
#include <shellapi.h>
#include <windowsx.h>
#include "framework/Dpi.h"

namespace {
// Lengths at 96 DPI; drawing scales them to the button's DPI.
const int kSpacing = 3;        // between the picture and the caption, and from the edge
const int kFocusInset = 3;
const int kTooltipWidth = 400;
const size_t kMaxLink = 259;

HINSTANCE ResourceModule() { return GetModuleHandleA(nullptr); }

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// Draws `bitmap` at (x, y) where `mask` is black; the white part of the mask leaves the
// destination as it was (xor, and, xor: no change to the loaded bitmap is needed).
void DrawMasked(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, HBITMAP mask) {
    HDC image = CreateCompatibleDC(dc);
    HDC stencil = CreateCompatibleDC(dc);
    HDC work = CreateCompatibleDC(dc);
    HBITMAP workBitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldImage = SelectObject(image, bitmap);
    HGDIOBJ oldStencil = SelectObject(stencil, mask);
    HGDIOBJ oldWork = SelectObject(work, workBitmap);
    BitBlt(work, 0, 0, width, height, dc, x, y, SRCCOPY);
    SetBkColor(work, RGB(255, 255, 255));
    SetTextColor(work, RGB(0, 0, 0));
    BitBlt(work, 0, 0, width, height, image, 0, 0, SRCINVERT);
    BitBlt(work, 0, 0, width, height, stencil, 0, 0, SRCAND);
    BitBlt(work, 0, 0, width, height, image, 0, 0, SRCINVERT);
    BitBlt(dc, x, y, width, height, work, 0, 0, SRCCOPY);
    SelectObject(work, oldWork);
    SelectObject(stencil, oldStencil);
    SelectObject(image, oldImage);
    DeleteObject(workBitmap);
    DeleteDC(work);
    DeleteDC(stencil);
    DeleteDC(image);
}
} // namespace

CHoverButton::CHoverButton() { ResetColors(false); }

CHoverButton::~CHoverButton() {
    Detach();
    FreePictures();
    FreeBackgroundCache();
    if (menu_) DestroyMenu(menu_);
    if (cursor_) DestroyCursor(cursor_);
}

bool CHoverButton::Attach(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return false;
    Detach();
    hwnd_ = control;
    parent_ = dialog;
    dpi_ = Dpi::OfWindow(control);
    LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    LONG_PTR type = style & BS_TYPEMASK;
    isCheckBox_ = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
    isDefault_ = type == BS_DEFPUSHBUTTON;
    SetWindowLongPtrA(control, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetWindowSubclass(control, ButtonProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(dialog, ParentProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    Repaint(true);
    return true;
}

void CHoverButton::Detach() {
    if (!hwnd_) return;
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    RemoveWindowSubclass(hwnd_, ButtonProc, reinterpret_cast<UINT_PTR>(this));
    if (parent_) RemoveWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this));
    hwnd_ = nullptr;
    parent_ = nullptr;
}

// ---- setters ------------------------------------------------------------------------------------

int CHoverButton::SetIcons(int inId, int outId) {
    // The buttons' icons are small icons, at the system's small-icon size for the button's DPI.
    const int size = Dpi::SmallIconSize(dpi_);
    HICON in = Dpi::LoadIconAt(inId, size);
    HICON out = outId ? Dpi::LoadIconAt(outId, size) : nullptr;
    if (!in || (outId && !out)) {
        if (in) DestroyIcon(in);
        if (out) DestroyIcon(out);
        FreePictures();
        Repaint(true);
        return kLoadFailed;
    }
    const int result = SetIcons(in, out);
    inIconId_ = inId;
    outIconId_ = outId;
    return result;
}

int CHoverButton::SetIcons(HICON in, HICON out) {
    FreePictures();
    Picture* targets[] = {&in_, &out_};
    HICON icons[] = {in, out};
    int result = kOk;
    for (int i = 0; i < 2; ++i) {
        if (!icons[i]) continue;
        ICONINFO info = {};
        if (!GetIconInfo(icons[i], &info)) {
            DestroyIcon(icons[i]);
            result = kLoadFailed;
            continue;
        }
        targets[i]->icon = icons[i];
        // The hotspot of an icon is its centre.
        targets[i]->width = static_cast<int>(info.xHotspot * 2);
        targets[i]->height = static_cast<int>(info.yHotspot * 2);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    Repaint(true);
    return result;
}

int CHoverButton::SetBitmaps(int inId, COLORREF inTransparent, int outId, COLORREF outTransparent) {
    auto load = [](int id) {
        return static_cast<HBITMAP>(
            LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    };
    HBITMAP in = load(inId);
    HBITMAP out = outId ? load(outId) : nullptr;
    if (!in || (outId && !out)) {
        if (in) DeleteObject(in);
        if (out) DeleteObject(out);
        FreePictures();
        Repaint(true);
        return kLoadFailed;
    }
    return SetBitmaps(in, inTransparent, out, outTransparent);
}

int CHoverButton::SetBitmaps(HBITMAP in, COLORREF inTransparent, HBITMAP out, COLORREF outTransparent) {
    FreePictures();
    int result = LoadBitmapPicture(in, inTransparent, in_);
    if (result == kOk && out) result = LoadBitmapPicture(out, outTransparent, out_);
    if (result != kOk) {
        if (!in_.bitmap && in) DeleteObject(in);
        if (!out_.bitmap && out) DeleteObject(out);
        FreePictures();
    }
    Repaint(true);
    return result;
}

int CHoverButton::LoadBitmapPicture(HBITMAP bitmap, COLORREF transparent, Picture& picture) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return kLoadFailed;
    HBITMAP mask = CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
    if (!mask) return kMaskFailed;
    // Colour to monochrome: the pixels of the background colour turn white, all others black.
    HDC source = CreateCompatibleDC(nullptr);
    HDC target = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    HGDIOBJ oldTarget = SelectObject(target, mask);
    SetBkColor(source, transparent);
    BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(target, oldTarget);
    SelectObject(source, oldSource);
    DeleteDC(target);
    DeleteDC(source);
    picture.bitmap = bitmap;
    picture.mask = mask;
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    return kOk;
}

void CHoverButton::FreePictures() {
    inIconId_ = outIconId_ = 0;
    for (Picture* picture : {&in_, &out_}) {
        if (picture->icon) DestroyIcon(picture->icon);
        if (picture->bitmap) DeleteObject(picture->bitmap);
        if (picture->mask) DeleteObject(picture->mask);
        *picture = Picture();
    }
}

int CHoverButton::SetFlat(bool flat, bool repaint) {
    flat_ = flat;
    Repaint(repaint);
    return kOk;
}

int CHoverButton::SetIconAlignment(int alignment, bool repaint) {
    if (alignment < kImageLeft || alignment > kImageRight) return kBadAlignment;
    alignment_ = alignment;
    Repaint(repaint);
    return kOk;
}

int CHoverButton::SetChecked(bool checked, bool repaint) {
    if (isCheckBox_) {
        checked_ = checked;
        Repaint(repaint);
    }
    return kOk;
}

int CHoverButton::ResetColors(bool repaint) {
    for (int index : {kBackHot, kBackNormal, kBackFocused}) colors_[index] = GetSysColor(COLOR_BTNFACE);
    for (int index : {kTextHot, kTextNormal, kTextFocused}) colors_[index] = GetSysColor(COLOR_BTNTEXT);
    Repaint(repaint);
    return kOk;
}

int CHoverButton::SetColor(int index, COLORREF color, bool repaint) {
    if (index < 0 || index >= kColorCount) return kBadColorIndex;
    colors_[index] = color;
    Repaint(repaint);
    return kOk;
}

int CHoverButton::SetTrackWhenInactive(bool on) {
    trackWhenInactive_ = on;
    return kOk;
}

int CHoverButton::SetHoverCursor(int cursorId, bool repaint) {
    if (cursor_) DestroyCursor(cursor_);
    cursor_ = nullptr;
    if (cursorId) {
        cursor_ = static_cast<HCURSOR>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(cursorId), IMAGE_CURSOR, 0, 0, 0));
        if (!cursor_) return kLoadFailed;
    }
    Repaint(repaint);
    return kOk;
}

int CHoverButton::SetBorderOnHover(bool on, bool repaint) {
    borderOnHover_ = on;
    Repaint(repaint);
    return kOk;
}

int CHoverButton::SetFocusRectWhenFlat(bool on, bool repaint) {
    focusRectWhenFlat_ = on;
    Repaint(repaint);
    return kOk;
}

void CHoverButton::EnsureTooltip() {
    if (tooltip_ || !hwnd_) return;
    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, ResourceModule(), nullptr);
    if (!tooltip_) return;
    SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scaled(kTooltipWidth));
}

int CHoverButton::SetTooltip(const std::string& text, bool activate) {
    EnsureTooltip();
    if (!tooltip_) return kOk;
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = hwnd_;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>(text.c_str());
    if (SendMessageA(tooltip_, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        tool.uFlags = 0;
        GetClientRect(hwnd_, &tool.rect);
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_, TTM_ACTIVATE, activate, 0);
    return kOk;
}

int CHoverButton::SetTooltip(UINT stringId, bool activate) {
    char text[512] = "";
    LoadStringA(ResourceModule(), stringId, text, sizeof text);
    return SetTooltip(std::string(text), activate);
}

int CHoverButton::EnableTooltip(bool on) {
    if (tooltip_ && SendMessageA(tooltip_, TTM_GETTOOLCOUNT, 0, 0) > 0) SendMessageA(tooltip_, TTM_ACTIVATE, on, 0);
    return kOk;
}

int CHoverButton::UseParentBackground(bool repaint) {
    parentBackground_ = true;
    FreeBackgroundCache();
    Repaint(repaint);
    return kOk;
}

int CHoverButton::SetLink(const std::string& link) {
    link_ = link.substr(0, kMaxLink);
    return kOk;
}

int CHoverButton::SetDropMenu(int menuId, HWND owner, bool repaint) {
    if (menu_) DestroyMenu(menu_);
    menu_ = nullptr;
    menuOwner_ = owner;
    if (menuId) {
        menu_ = LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(menuId));
        if (!menu_) return kLoadFailed;
    }
    Repaint(repaint);
    return kOk;
}

int CHoverButton::Scaled(int length) const { return Dpi::Scale(length, dpi_); }

void CHoverButton::OnDpiChanged() {
    dpi_ = Dpi::OfWindow(hwnd_);
    FreeBackgroundCache(); // the button has a new size
    if (inIconId_) SetIcons(inIconId_, outIconId_);
    if (tooltip_ && SendMessageA(tooltip_, TTM_GETTOOLCOUNT, 0, 0) > 0) {
        TTTOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = hwnd_;
        tool.uId = 1;
        GetClientRect(hwnd_, &tool.rect);
        SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scaled(kTooltipWidth));
    }
    Repaint(true);
}

void CHoverButton::Repaint(bool repaint) const {
    if (repaint && hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void CHoverButton::FreeBackgroundCache() {
    if (!cacheDc_) return;
    SelectObject(cacheDc_, cacheOldBitmap_);
    DeleteObject(cacheBitmap_);
    DeleteDC(cacheDc_);
    cacheDc_ = nullptr;
    cacheBitmap_ = nullptr;
}

// ---- messages -----------------------------------------------------------------------------------

LRESULT CALLBACK CHoverButton::ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
    CHoverButton* self = reinterpret_cast<CHoverButton*>(data);
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    return self->OnButtonMessage(msg, wParam, lParam);
}

LRESULT CHoverButton::OnButtonMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_;
    if (tooltip_ && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        MSG relayed = {hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&relayed.pt);
        SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON | (isDefault_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE: {
        // The dialog manager moves the default; the control itself stays owner-drawn.
        WPARAM type = wParam & BS_TYPEMASK;
        if (type == BS_DEFPUSHBUTTON) isDefault_ = true;
        else if (type == BS_PUSHBUTTON) isDefault_ = false;
        return DefSubclassProc(hwnd, msg, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
    }
    case BM_GETCHECK:
        if (isCheckBox_) return checked_ ? BST_CHECKED : BST_UNCHECKED;
        break;
    case BM_SETCHECK:
        if (isCheckBox_) {
            SetChecked(wParam == BST_CHECKED, true);
            return 0;
        }
        break;
    case WM_LBUTTONDBLCLK:
        // A double click is two presses.
        return DefSubclassProc(hwnd, WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE:
        OnMouseMove(wParam);
        break;
    case WM_MOUSELEAVE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
        EndHover();
        break;
    case WM_ENABLE:
        if (!wParam) {
            // A disabled button must not keep the focus.
            if (GetFocus() == hwnd) {
                HWND next = GetNextDlgTabItem(parent_, hwnd, FALSE);
                SetFocus(next && next != hwnd ? next : parent_);
            }
            EndHover();
        }
        break;
    case WM_SETCURSOR:
        if (cursor_) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_SYSCOLORCHANGE:
        FreeBackgroundCache();
        break;
    case WM_DPICHANGED_AFTERPARENT:
        OnDpiChanged();
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CHoverButton::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
    CHoverButton* self = reinterpret_cast<CHoverButton*>(data);
    switch (msg) {
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->hwndItem == self->hwnd_) {
            self->DrawItem(*item);
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == self->hwnd_ && self->hwnd_ &&
            (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED)) {
            self->OnClicked(); // the parent's own handler runs after this
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) self->EndHover();
        break;
    case WM_SYSCOLORCHANGE:
        self->FreeBackgroundCache();
        break;
    case WM_NCDESTROY:
        self->Detach();
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool CHoverButton::ProgramIsActive() const { return GetActiveWindow() != nullptr; }

void CHoverButton::OnMouseMove(WPARAM keys) {
    if ((keys & MK_LBUTTON) && !hot_) return;
    if (!flat_) return;
    POINT cursor;
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) == hwnd_ && (ProgramIsActive() || trackWhenInactive_)) {
        if (!hot_) {
            hot_ = true;
            Repaint(true);
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd_, HOVER_DEFAULT};
            TrackMouseEvent(&track);
        }
    } else {
        EndHover();
    }
}

void CHoverButton::EndHover() {
    if (!flat_ || !hot_) return;
    hot_ = false;
    Repaint(true);
}

void CHoverButton::OnClicked() {
    if (isCheckBox_) {
        checked_ = !checked_;
        Repaint(true);
    } else if (menu_) {
        HMENU popup = GetSubMenu(menu_, 0);
        if (!popup) return;
        menuShown_ = true;
        Repaint(true);
        UpdateWindow(hwnd_);
        RECT rect;
        GetWindowRect(hwnd_, &rect);
        TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, rect.left, rect.bottom, menuOwner_, nullptr);
        menuShown_ = false;
        Repaint(true);
    } else if (!link_.empty()) {
        SHELLEXECUTEINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.lpVerb = "open";
        info.lpFile = link_.c_str();
        info.nShow = SW_SHOWMAXIMIZED;
        ShellExecuteExA(&info);
    }
}

// ---- drawing ------------------------------------------------------------------------------------

void CHoverButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    pressed_ = isCheckBox_ ? (selected || checked_) : (selected || menuShown_);
    focused_ = (item.itemState & ODS_FOCUS) != 0;
    disabled_ = (item.itemState & ODS_DISABLED) != 0;

    SetBkMode(dc, TRANSPARENT);
    if (!flat_ && (focused_ || isDefault_)) {
        HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        for (int line = Scaled(1); line > 0; --line) {
            FrameRect(dc, &rect, black);
            InflateRect(&rect, -1, -1);
        }
    }
    if (parentBackground_) PaintParentBackground(dc, rect);
    else PaintBackground(dc, rect);
    PaintBorder(dc, rect);

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    std::string caption = Text();
    RECT captionRect = rect;
    DrawPicture(dc, rect, caption, captionRect);
    if (!caption.empty()) DrawCaption(dc, captionRect, caption);
    if (oldFont) SelectObject(dc, oldFont);

    if (focused_ && (!flat_ || focusRectWhenFlat_)) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -Scaled(kFocusInset), -Scaled(kFocusInset));
        DrawFocusRect(dc, &focus);
    }
}

void CHoverButton::PaintBackground(HDC dc, const RECT& rect) {
    COLORREF color = (hot_ || pressed_) ? colors_[kBackHot] : focused_ ? colors_[kBackFocused] : colors_[kBackNormal];
    FillSolid(dc, rect, color);
}

void CHoverButton::PaintBorder(HDC dc, const RECT& rect) {
    RECT edge = rect;
    if (pressed_) {
        if (!flat_) FrameRect(dc, &edge, GetSysColorBrush(COLOR_BTNSHADOW));
        else if (borderOnHover_) DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    } else if (!flat_) {
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    } else if (hot_ && borderOnHover_) {
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
}

void CHoverButton::PaintParentBackground(HDC dc, const RECT& rect) {
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!cacheDc_) {
        // Let the parent paint its own background into the cache at the button's place.
        POINT origin = {0, 0};
        MapWindowPoints(hwnd_, parent_, &origin, 1);
        cacheDc_ = CreateCompatibleDC(dc);
        cacheBitmap_ = CreateCompatibleBitmap(dc, client.right, client.bottom);
        cacheOldBitmap_ = SelectObject(cacheDc_, cacheBitmap_);
        SetViewportOrgEx(cacheDc_, -origin.x, -origin.y, nullptr);
        SendMessageA(parent_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(cacheDc_), 0);
        SendMessageA(parent_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(cacheDc_), PRF_CLIENT);
        SetViewportOrgEx(cacheDc_, 0, 0, nullptr);
    }
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, cacheDc_, rect.left, rect.top,
           SRCCOPY);
}

void CHoverButton::DrawPicture(HDC dc, const RECT& client, const std::string& caption, RECT& captionRect) {
    // Check boxes show their "in" picture while checked; hovering changes only their background.
    bool showIn = isCheckBox_ ? pressed_ : (hot_ || pressed_);
    const Picture& picture = (showIn || out_.Empty()) ? in_ : out_;
    if (picture.Empty()) return;

    const int width = picture.width;
    const int height = picture.height;
    const int spacing = Scaled(kSpacing);
    const int shift = Scaled(1);
    const int clientWidth = client.right - client.left;
    const int clientHeight = client.bottom - client.top;
    int x = client.left + (clientWidth - width) / 2;
    int y = client.top + (clientHeight - height) / 2;
    if (!caption.empty()) {
        switch (alignment_) {
        case kImageAbove:
            y = client.top + spacing;
            captionRect.top = y + height + spacing;
            break;
        case kImageRight:
            x = client.right - spacing - width;
            captionRect.right = x - spacing;
            break;
        default:
            x = client.left + spacing;
            captionRect.left = x + width + spacing;
            break;
        }
    }
    if (pressed_ && !isCheckBox_) {
        x += shift;
        y += shift;
    }
    if (picture.icon) {
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.icon), 0, x, y, width, height,
                   DST_ICON | (disabled_ ? DSS_DISABLED : DSS_NORMAL));
    } else if (disabled_) {
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.bitmap), 0, x, y, width, height,
                   DST_BITMAP | DSS_DISABLED);
    } else {
        DrawMasked(dc, x, y, width, height, picture.bitmap, picture.mask);
    }
}

void CHoverButton::DrawCaption(HDC dc, RECT rect, const std::string& caption) {
    if (pressed_ && !isCheckBox_) OffsetRect(&rect, Scaled(1), Scaled(1));
    // Word-wrapped and centred in both directions.
    RECT measured = rect;
    DrawTextA(dc, caption.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    int textHeight = measured.bottom - measured.top;
    rect.top += ((rect.bottom - rect.top) - textHeight) / 2;
    rect.bottom = rect.top + textHeight;
    const UINT format = DT_WORDBREAK | DT_CENTER;
    if (disabled_) {
        RECT shadow = rect;
        OffsetRect(&shadow, Scaled(1), Scaled(1));
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextA(dc, caption.c_str(), -1, &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    } else {
        SetTextColor(dc, (hot_ || pressed_) ? colors_[kTextHot] : colors_[kTextNormal]);
    }
    DrawTextA(dc, caption.c_str(), -1, &rect, format);
}
