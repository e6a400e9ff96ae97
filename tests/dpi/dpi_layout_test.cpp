// Every window of the program at the display scale of the Wine prefix this runs in (run.sh makes
// one prefix per scale and names the scale in VLSM_DPI): no caption is wider or taller than its
// control, every control lies inside its window, no list scrolls across, and the images the
// program sizes itself follow the scale.
#include <gtest/gtest.h>
#include <cstdlib>
#include "allocation/AllocationDialog.h"
#include "allocation/SchemePicker.h"
#include "app/MainDialog.h"
#include "app/SchemeDialogs.h"
#include "editor/IconPickerDlg.h"
#include "editor/MyPropertySheet.h"
#include "editor/RootPropertiesDlg.h"
#include "editor/WebLinkDlg.h"
#include "framework/Dpi.h"
#include "helper_chooser/HelperChooserDlg.h"
#include "resource.h"
#include "tests/allocation/ClassroomBench.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/editor/picture_files.h"
#include "tests/editor/scheme_sheet_bench.h"

namespace {
int ExpectedDpi() {
    const char* named = std::getenv("VLSM_DPI");
    return named ? std::atoi(named) : Dpi::kBase;
}

std::string ClassOf(HWND control) {
    char name[64] = "";
    GetClassNameA(control, name, sizeof name);
    return name;
}

std::string TextOf(HWND control) {
    char text[1024] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}

// The extent of `text` in the control's own font, on one line or wrapped at `wrapWidth`.
SIZE Measure(HWND control, const std::string& text, UINT format, int wrapWidth = 0) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT rect = {0, 0, wrapWidth, 0};
    DrawTextA(dc, text.c_str(), -1, &rect, format | DT_CALCRECT);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

int AverageCharWidth(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return metrics.tmAveCharWidth;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// Every visible button, check box, radio button, group box and text of `window` (and of the
// windows inside it) whose caption does not fit, as "caption: needs N, has M".
std::vector<std::string> CutCaptions(HWND window) {
    std::vector<std::string> cut;
    std::vector<HWND> controls;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&controls));
    for (HWND control : controls) {
        // A wrapping text is measured as it is drawn: a blank at its end may push its last word
        // to a line of its own. On one line, blanks at the end draw nothing.
        const std::string drawn = TextOf(control);
        std::string text = drawn;
        text.erase(text.find_last_not_of(' ') + 1);
        if (text.empty() || !IsWindowVisible(control)) continue;
        RECT client;
        GetClientRect(control, &client);
        const int dpi = Dpi::OfWindow(control);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        const std::string kind = ClassOf(control);
        int room = client.right;
        SIZE needed = {0, 0};
        if (kind == "Button") {
            const LONG type = style & BS_TYPEMASK;
            needed = Measure(control, text, DT_SINGLELINE);
            if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE) {
                // The mark, then a gap of half a character before the caption.
                room -= Dpi::Scale(13, dpi) + AverageCharWidth(control) / 2;
            } else if (type == BS_GROUPBOX) {
                room -= 2 * AverageCharWidth(control); // the frame's line runs on each side
            } else {
                room -= 2 * Dpi::Scale(4, dpi); // inside the focus rectangle, with a pixel to spare
            }
        } else if (kind == "Static") {
            const LONG type = style & SS_TYPEMASK;
            const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
            if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) {
                // Wrapped at the control's width: the words must fit across and the lines down.
                needed =
                    Measure(control, drawn, DT_WORDBREAK | DT_EXPANDTABS | prefix, client.right);
                if (needed.cy > client.bottom) {
                    cut.push_back(text + ": needs " + std::to_string(needed.cy) +
                                  " pixels down, has " + std::to_string(client.bottom));
                }
            } else if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE) {
                needed = Measure(control, text, DT_SINGLELINE | prefix);
            } else {
                continue; // pictures
            }
        } else {
            continue;
        }
        if (needed.cx > room) {
            cut.push_back(text + ": needs " + std::to_string(needed.cx) + ", has " +
                          std::to_string(room));
        }
    }
    return cut;
}

// Every visible control of `window` (and of the windows inside it) that reaches outside the
// window's client area, and every list that scrolls across.
std::vector<std::string> MisplacedControls(HWND window) {
    std::vector<std::string> misplaced;
    RECT area;
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    std::vector<HWND> controls;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&controls));
    for (HWND control : controls) {
        if (!IsWindowVisible(control)) continue;
        const std::string name = ClassOf(control) + " " + std::to_string(GetDlgCtrlID(control)) +
                                 " \"" + TextOf(control) + "\"";
        RECT rect;
        GetWindowRect(control, &rect);
        if (rect.left < area.left || rect.top < area.top || rect.right > area.right ||
            rect.bottom > area.bottom)
            misplaced.push_back(name + " lies outside the client area");
        if (ClassOf(control) == WC_LISTVIEWA && (GetWindowLongA(control, GWL_STYLE) & WS_HSCROLL))
            misplaced.push_back(name + " scrolls across");
    }
    return misplaced;
}

// Whether the columns of list `id` fill its width exactly.
void ExpectColumnsFill(HWND window, int id) {
    ListView list(window, id);
    RECT client;
    GetClientRect(list.Hwnd(), &client);
    int total = 0;
    for (int column = 0; column < list.ColumnCount(); ++column)
        total += list.ColumnWidth(column);
    EXPECT_EQ(client.right, total) << "list " << id;
}

int IconSide(HIMAGELIST list) {
    int width = 0;
    int height = 0;
    if (!list || !ImageList_GetIconSize(list, &width, &height)) return 0;
    EXPECT_EQ(width, height);
    return width;
}

int ListImageSide(HWND dialog, int id, int which) {
    return IconSide(
        reinterpret_cast<HIMAGELIST>(SendDlgItemMessageA(dialog, id, LVM_GETIMAGELIST, which, 0)));
}

class DpiLayoutTest : public testing::Test {
protected:
    // The demo machine's schemes, users and classes, and a few more schemes.
    DpiLayoutTest() {
        const std::pair<const char*, const char*> schemes[] = {
            {"Default User", "Starting point for new schemes"},
            {"Infants", "Reception to Year 2: big pictures and a talking helper"},
            {"Juniors", "Years 3 to 6"},
            {"Year 7", "First year of secondary school"},
            {"Sixth Form", "Years 12 and 13: the full toolbar"},
            {"Staff", "Teaching and support staff"},
            {"Exam Room", "Locked down for examinations: no web links"}};
        for (const auto& scheme : schemes)
            StoreScheme(SampleScheme(scheme.first), scheme.second);
        for (int more = 1; more <= 9; ++more) // enough that the scheme list scrolls down
            AddScheme("Class " + std::to_string(more));
        for (const char* name : {"Default User", "Exam Room"})
            RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kProtectedSchemesKey, name, "");
        for (const char* user : {"amelia.hughes", "ben.carter", "chloe.okafor", "daniel.price",
                                 "mrs.whitfield", "mr.patel", "ict.technician"})
            RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, std::string(kAccountsKey) + "\\" + user);
        classes.Write("LocalPallendra.ini", "[Pallendra]\r\nDefault Class=7A\r\nAvailable "
                                            "Classes=7A,7B,8C,9 Science,10 ICT Set 2\r\n");
        classes.Write("Pallendra.ini", "[Pallendra]\r\nDefault Class=Staff\r\nAvailable "
                                       "Classes=11 Media,12 Computing,13 Computing,Staff\r\n");
    }

    int Scaled(int length) const { return MulDiv(length, dpi, Dpi::kBase); }

    // Checks the captions and the controls' places of the window titled `title` that `dialog`
    // shows and runs `more` on it; the robot closes it after.
    template <class ModalDialog>
    void Check(ModalDialog& dialog, const std::string& title,
               const std::function<void(HWND)>& more = nullptr) {
        robot.RunModal(dialog, title, [&](HWND window) {
            robot.OnDialogThread([&] {
                EXPECT_EQ(dpi, Dpi::OfWindow(window)) << title;
                for (const std::string& cut : CutCaptions(window))
                    ADD_FAILURE() << title << ": " << cut;
                for (const std::string& misplaced : MisplacedControls(window))
                    ADD_FAILURE() << title << ": " << misplaced;
                if (more) more(window);
            });
        });
    }

    const int dpi = ExpectedDpi();
    RegistrySandbox registry;
    picture_files::Folders pictures;
    TempFolder classes;
    RecordingNotices notices;
    Robot robot;
};
} // namespace

TEST_F(DpiLayoutTest, MainWindowAndItsSmallDialogs) {
    CMainDialog main;
    Check(main, "Vexar Lumen Scheme Manager", [&](HWND window) {
        EXPECT_EQ(Scaled(16), ListImageSide(window, IDC_SCHEME_LIST, LVSIL_SMALL));
        // Moved to a monitor at half as much again: the window takes the suggested place and
        // remakes its icons and columns.
        const int moved = dpi * 3 / 2;
        ListView list(window, IDC_SCHEME_LIST);
        const int nameWidth = list.ColumnWidth(0);
        RECT place;
        GetWindowRect(window, &place);
        place.right += 50;
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(moved, moved), reinterpret_cast<LPARAM>(&place));
        EXPECT_EQ(MulDiv(16, moved, Dpi::kBase), ListImageSide(window, IDC_SCHEME_LIST, LVSIL_SMALL));
        EXPECT_EQ(MulDiv(nameWidth, moved, dpi), list.ColumnWidth(0));
        RECT now;
        GetWindowRect(window, &now);
        EXPECT_EQ(place.right - place.left, now.right - now.left);
        // Once the list has its size at the new scale, the description column takes the rest.
        MSG posted;
        while (PeekMessageA(&posted, window, 0, 0, PM_REMOVE))
            DispatchMessageA(&posted);
        ExpectColumnsFill(window, IDC_SCHEME_LIST);
    });
    Dialog about(IDD_ABOUT);
    Check(about, "About Vexar Lumen Scheme Manager");
    CSchemeCreationDlg creation;
    Check(creation, "Scheme Creation");
    CSchemeNameDlg naming;
    Check(naming, "Scheme Name Problem");
}

TEST_F(DpiLayoutTest, SchemeSheetWithItsPagesAndDialogs) {
    const std::string caption = "Scheme Properties";
    CMyPropertySheet sheet(caption);
    sheet.Fill(SampleScheme("Year 7"), "Year 7", "About it");
    robot.Run([&] { sheet.DoModal(); },
              [&] {
                  ShownSheet shown = WaitForSheet(robot, caption);
                  if (!shown.sheet) return;
                  robot.OnDialogThread([&] {
                      HWND tabs = PropSheet_GetTabControl(shown.sheet);
                      EXPECT_EQ(Scaled(16), IconSide(TabCtrl_GetImageList(tabs)));
                      // Each page's window is made when it first comes to the front.
                      for (int page = 0; page < 3; ++page) {
                          SendMessageA(shown.sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
                          HWND front = PropSheet_GetCurrentPageHwnd(shown.sheet);
                          for (int list : {IDC_LINK_LIST, IDC_ROOT_LIST}) {
                              if (GetDlgItem(front, list)) {
                                  EXPECT_EQ(Scaled(32), ListImageSide(front, list, LVSIL_SMALL))
                                      << page;
                              }
                          }
                          // Only the page in front is visible, so each is looked at in turn.
                          for (const std::string& cut : CutCaptions(shown.sheet))
                              ADD_FAILURE() << page << ": " << cut;
                          for (const std::string& misplaced : MisplacedControls(shown.sheet))
                              ADD_FAILURE() << page << ": " << misplaced;
                      }
                  });
              });
    CRootPropertiesDlg root;
    Check(root, "Root Properties");
    CWebLinkDlg link;
    Check(link, "Web Links");
    CIconPickerDlg picker;
    Check(picker, "Icon Picker", [&](HWND window) {
        EXPECT_EQ(Scaled(32), ListImageSide(window, IDC_PICKER_PICTURES, LVSIL_NORMAL));
    });
}

TEST_F(DpiLayoutTest, AllocationHelperChooserAndSchemePicker) {
    for (int mode : {0, 8}) { // the allocation layout and the per-user one
        FixedMode modes(mode);
        CAllocationDialog allocation(nullptr, modes);
        allocation.classFiles.ntFolder = classes.Path();
        Check(allocation, mode ? "User Schemes" : "Classes, Users and Schemes", [&](HWND window) {
            if (!mode) {
                EXPECT_EQ(Scaled(16), ListImageSide(window, IDC_ALLOCATION_LIST, LVSIL_SMALL));
                ExpectColumnsFill(window, IDC_ALLOCATION_LIST);
            }
        });
    }
    CSchemePicker picker(nullptr);
    Check(picker, "Schemes");
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSettingsKey);
    CHelperChooserDlg chooser;
    Check(chooser, "Choose an OnScreen Helper");
}
