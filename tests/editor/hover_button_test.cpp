#include <gtest/gtest.h>
#include <vector>
#include "editor/HoverButton.h"
#include "framework/Dialog.h"
#include "resource.h"

namespace {
const COLORREF kMagenta = RGB(255, 0, 255);

// A dialog to host the buttons: the chooser's template has check boxes, the main one push buttons.
class HostDialog : public Dialog {
public:
    explicit HostDialog(UINT templateId) : Dialog(templateId) { Create(); }
};

// The button as it draws itself, pixel by pixel, without the two outer rings where its border goes.
std::vector<DWORD> Render(HWND button) {
    RECT client;
    GetClientRect(button, &client);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> image;
    for (int y = 2; y < client.bottom - 2; ++y) image.insert(image.end(), pixels + y * client.right + 2, pixels + (y + 1) * client.right - 2);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return image;
}

class HoverButtonTest : public testing::Test {
protected:
    HostDialog chooser{IDD_HELPER_CHOOSER};
    CHoverButton button;
};
} // namespace

TEST_F(HoverButtonTest, SettersReportTheirResultCodes) {
    ASSERT_TRUE(button.Attach(chooser.Hwnd(), IDC_PEEDY));
    const COLORREF before = button.GetColor(CHoverButton::kBackHot);
    EXPECT_EQ(3, button.SetColor(6, RGB(1, 2, 3)));
    EXPECT_EQ(3, button.SetColor(-1, RGB(1, 2, 3)));
    EXPECT_EQ(before, button.GetColor(CHoverButton::kBackHot));
    EXPECT_EQ(0, button.SetColor(5, RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), button.GetColor(5));

    EXPECT_EQ(4, button.SetIconAlignment(3));
    EXPECT_EQ(0, button.SetIconAlignment(2));

    EXPECT_EQ(1, button.SetIcons(9999, 0));
    EXPECT_EQ(1, button.SetIcons(IDI_HELP_ABOUT, 9999));
    EXPECT_EQ(0, button.SetIcons(IDI_HELP_ABOUT, 0));
    EXPECT_EQ(1, button.SetBitmaps(9999, kMagenta, 0, kMagenta));
    EXPECT_EQ(0, button.SetBitmaps(IDB_PEEDY_PRESSED, kMagenta, IDB_PEEDY_NORMAL, kMagenta));
    EXPECT_EQ(1, button.SetDropMenu(9999, chooser.Hwnd()));
    EXPECT_EQ(0, button.SetDropMenu(IDR_HELP_MENU, chooser.Hwnd()));
    EXPECT_EQ(0, button.SetDropMenu(0, nullptr));
    EXPECT_EQ(1, button.SetHoverCursor(9999));
    EXPECT_EQ(0, button.SetHoverCursor(0));

    button.SetLink(std::string(300, 'x'));
    EXPECT_EQ(std::string(259, 'x'), button.Link());
}

TEST_F(HoverButtonTest, TakesItsKindFromTheTemplateAndStaysOwnerDrawn) {
    HostDialog main(IDD_MAIN);
    CHoverButton close;
    ASSERT_TRUE(close.Attach(main.Hwnd(), IDOK));
    EXPECT_TRUE(close.IsDefault());
    EXPECT_FALSE(close.IsCheckBox());
    // The dialog manager moves the default with BM_SETSTYLE; the control must stay owner-drawn.
    SendMessageA(close.Hwnd(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(close.IsDefault());
    EXPECT_EQ(BS_OWNERDRAW, close.Style() & BS_TYPEMASK);
    EXPECT_EQ(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, SendMessageA(close.Hwnd(), WM_GETDLGCODE, 0, 0));

    ASSERT_TRUE(button.Attach(chooser.Hwnd(), IDC_PEEDY));
    EXPECT_TRUE(button.IsCheckBox());
    EXPECT_EQ(BS_OWNERDRAW, button.Style() & BS_TYPEMASK);
    // The control's check state and the button's own are one.
    SendMessageA(button.Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(button.IsChecked());
    EXPECT_TRUE(chooser.IsChecked(IDC_PEEDY));
    // A click toggles a check box.
    SendMessageA(chooser.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PEEDY, BN_CLICKED), reinterpret_cast<LPARAM>(button.Hwnd()));
    EXPECT_FALSE(button.IsChecked());
}

TEST_F(HoverButtonTest, CheckBoxShowsItsInPictureExactlyWhileChecked) {
    ASSERT_TRUE(button.Attach(chooser.Hwnd(), IDC_PEEDY));
    button.SetIconAlignment(CHoverButton::kImageAbove);
    button.SetBitmaps(IDB_PEEDY_PRESSED, kMagenta, IDB_PEEDY_PRESSED, kMagenta);
    const std::vector<DWORD> inPicture = Render(button.Hwnd());
    button.SetBitmaps(IDB_PEEDY_NORMAL, kMagenta, IDB_PEEDY_NORMAL, kMagenta);
    const std::vector<DWORD> outPicture = Render(button.Hwnd());
    ASSERT_NE(inPicture, outPicture);

    button.SetBitmaps(IDB_PEEDY_PRESSED, kMagenta, IDB_PEEDY_NORMAL, kMagenta);
    EXPECT_EQ(outPicture, Render(button.Hwnd()));
    button.SetChecked(true);
    EXPECT_EQ(inPicture, Render(button.Hwnd()));
    button.SetChecked(false);
    EXPECT_EQ(outPicture, Render(button.Hwnd()));

    // The transparent colour never reaches the screen.
    for (DWORD pixel : inPicture) ASSERT_NE(0xFF00FFu, pixel & 0xFFFFFFu);
}

TEST_F(HoverButtonTest, HoversOnlyWhileTheProgramIsActiveOrWhenAskedTo) {
    ASSERT_TRUE(button.Attach(chooser.Hwnd(), IDC_PEEDY));
    SetWindowPos(chooser.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetActiveWindow(nullptr);
    ASSERT_EQ(nullptr, GetActiveWindow());
    RECT rect;
    GetWindowRect(button.Hwnd(), &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ASSERT_EQ(button.Hwnd(), WindowFromPoint(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}));

    SendMessageA(button.Hwnd(), WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(button.IsHot());

    button.SetTrackWhenInactive(true);
    // Pressed outside and dragged in: no hover.
    SendMessageA(button.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_FALSE(button.IsHot());
    SendMessageA(button.Hwnd(), WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(button.IsHot());
    SendMessageA(button.Hwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button.IsHot());

    button.SetTrackWhenInactive(false);
    SetActiveWindow(chooser.Hwnd());
    SendMessageA(button.Hwnd(), WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(button.IsHot());
    // Disabling ends the hover.
    EnableWindow(button.Hwnd(), FALSE);
    EXPECT_FALSE(button.IsHot());
}
