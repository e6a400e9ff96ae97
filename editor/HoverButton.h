#pragma once
// A push button or check box of a dialog template, drawn by this class: flat with a hover look,
// an icon or masked bitmap beside its caption, its own tooltip, and optionally a drop-down menu or
// a link that a click opens. Attach() makes the control owner-drawn; the parent's WM_DRAWITEM and
// the button's clicks are caught through a subclass of the parent, so any dialog can host it.
#include <windows.h>
#include <string>
#include "framework/Button.h"

class CHoverButton : public Button {
public:
    enum Result { kOk = 0, kLoadFailed = 1, kMaskFailed = 2, kBadColorIndex = 3, kBadAlignment = 4 };
    enum ColorIndex {
        kBackHot = 0, kTextHot = 1, kBackNormal = 2, kTextNormal = 3, kBackFocused = 4, kTextFocused = 5, kColorCount = 6
    };
    enum Alignment { kImageLeft = 0, kImageAbove = 1, kImageRight = 2 };

    CHoverButton();
    virtual ~CHoverButton();
    CHoverButton(const CHoverButton&) = delete;
    CHoverButton& operator=(const CHoverButton&) = delete;

    // Takes over control `id` of `dialog`; false when there is no such control.
    bool Attach(HWND dialog, int id);

    int SetIcons(int inId, int outId);
    int SetIcons(HICON in, HICON out); // takes ownership of both
    int SetBitmaps(int inId, COLORREF inTransparent, int outId, COLORREF outTransparent);
    int SetBitmaps(HBITMAP in, COLORREF inTransparent, HBITMAP out, COLORREF outTransparent); // takes ownership
    int SetFlat(bool flat, bool repaint = true);
    int SetIconAlignment(int alignment, bool repaint = true);
    int SetChecked(bool checked, bool repaint = true);
    bool IsChecked() const { return checked_; }
    int ResetColors(bool repaint = true);
    int SetColor(int index, COLORREF color, bool repaint = true);
    COLORREF GetColor(int index) const { return index >= 0 && index < kColorCount ? colors_[index] : 0; }
    int SetTrackWhenInactive(bool on);
    int SetHoverCursor(int cursorId, bool repaint = true);
    int SetBorderOnHover(bool on, bool repaint = true);
    int SetFocusRectWhenFlat(bool on, bool repaint = true);
    int SetTooltip(const std::string& text, bool activate = true);
    int SetTooltip(UINT stringId, bool activate = true);
    int EnableTooltip(bool on);
    bool IsDefault() const { return isDefault_; }
    bool IsCheckBox() const { return isCheckBox_; }
    bool IsHot() const { return hot_; }
    int UseParentBackground(bool repaint = true);
    int SetLink(const std::string& link);
    const std::string& Link() const { return link_; }
    int SetDropMenu(int menuId, HWND owner, bool repaint = true);
    HWND Tooltip() const { return tooltip_; }

protected:
    virtual void PaintBackground(HDC dc, const RECT& rect);
    virtual void PaintBorder(HDC dc, const RECT& rect);
    // A length of the drawing given at 96 DPI, at the button's DPI.
    int Scaled(int length) const;

    // Drawing state, valid during a draw request.
    bool pressed_ = false;
    bool focused_ = false;
    bool disabled_ = false;
    bool hot_ = false;
    bool flat_ = true;
    COLORREF colors_[kColorCount];

private:
    struct Picture {
        HICON icon = nullptr;
        HBITMAP bitmap = nullptr;
        HBITMAP mask = nullptr;
        int width = 0;
        int height = 0;
        bool Empty() const { return !icon && !bitmap; }
    };

    static LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnButtonMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Detach();

    void OnMouseMove(WPARAM keys);
    void EndHover();
    void OnClicked();
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawPicture(HDC dc, const RECT& client, const std::string& caption, RECT& captionRect);
    void DrawCaption(HDC dc, RECT rect, const std::string& caption);
    void PaintParentBackground(HDC dc, const RECT& rect);
    bool ProgramIsActive() const;
    void Repaint(bool repaint) const;
    void FreePictures();
    void FreeBackgroundCache();
    void EnsureTooltip();
    void OnDpiChanged();
    static int LoadBitmapPicture(HBITMAP bitmap, COLORREF transparent, Picture& picture);

    HWND parent_ = nullptr;
    HWND tooltip_ = nullptr;
    Picture in_, out_;
    bool parentBackground_ = false;
    bool isDefault_ = false;
    bool isCheckBox_ = false;
    bool checked_ = false;
    int alignment_ = kImageLeft;
    bool borderOnHover_ = true;
    bool focusRectWhenFlat_ = false;
    bool trackWhenInactive_ = false;
    bool menuShown_ = false;
    HMENU menu_ = nullptr;
    HWND menuOwner_ = nullptr;
    HCURSOR cursor_ = nullptr;
    HDC cacheDc_ = nullptr;
    HBITMAP cacheBitmap_ = nullptr;
    HGDIOBJ cacheOldBitmap_ = nullptr;
    std::string link_;
    int dpi_ = 96; // of the button's window, when attached or moved
    int inIconId_ = 0; // icons set by resource id, to load again at another DPI
    int outIconId_ = 0;
};
