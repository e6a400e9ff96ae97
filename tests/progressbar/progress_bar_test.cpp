// The progress dialog's bar, markers, Cancel button, clock mode and system menu.
#include <gtest/gtest.h>
#include "tests/progressbar/Probe.h"

using namespace probe;

namespace {
const long kShow = CProgressBar::FlagShowCancel;
const long kAllow = CProgressBar::FlagAllowCancel;
const long kClock = CProgressBar::FlagClockMode;
} // namespace

TEST(ProgressBar, ExportDialogStepsToItsUpperBound) {
    const int units = 5; // as an export of four schemes: the entries, then each scheme
    CProgressBar bar(nullptr, 0, units, 1, "Saving your file to disk", "Vexar Lumen Scheme Manager",
                     "Cancel", 0);
    bar.SetAllowCancel(0);
    ASSERT_NE(nullptr, bar.GetDialogCWnd());
    EXPECT_EQ("Vexar Lumen Scheme Manager", Text(bar.GetDialogCWnd()));
    EXPECT_EQ("Saving your file to disk", Text(bar, IDC_BAR_TEXT));
    EXPECT_TRUE(Visible(bar, IDC_PROGRESS_BAR));
    EXPECT_FALSE(Visible(bar, IDC_CLOCK_FACE) || Visible(bar, IDC_LOWER_MARKER) ||
                 Visible(bar, IDC_UPPER_MARKER));
    EXPECT_FALSE(Topmost(bar));
    for (int i = 1; i <= units; ++i) {
        EXPECT_EQ(1, bar.Step());
        EXPECT_EQ(i, Pos(bar));
    }
    EXPECT_EQ(units, Upper(bar));
}

TEST(ProgressBar, RangeStepPositionAndMarkers) {
    CProgressBar bar(nullptr, 3, 12, 5, "Working", "Caption", "Cancel", 0);
    EXPECT_EQ("3", Text(bar, IDC_LOWER_MARKER));
    EXPECT_EQ("12", Text(bar, IDC_UPPER_MARKER));
    bar.SetShowMarkers(1);
    EXPECT_TRUE(Visible(bar, IDC_LOWER_MARKER) && Visible(bar, IDC_UPPER_MARKER));
    bar.SetShowMarkers(0);
    EXPECT_FALSE(Visible(bar, IDC_LOWER_MARKER) || Visible(bar, IDC_UPPER_MARKER));

    bar.SetRange(0, 100);
    EXPECT_EQ(3, bar.SetPos(40)); // the position before, clamped to the old range
    EXPECT_EQ(40, bar.SetPos(30));
    bar.Step();
    EXPECT_EQ(35, Pos(bar));

    // 65536 units or more keep their whole range, on the bar and on the marker.
    bar.SetRange(-5, 70000);
    EXPECT_EQ(70000, Upper(bar));
    EXPECT_EQ("-5", Text(bar, IDC_LOWER_MARKER));
    EXPECT_EQ("70000", Text(bar, IDC_UPPER_MARKER));
    bar.SetPos(69000);
    EXPECT_EQ(69000, Pos(bar));
}

TEST(ProgressBar, CancelButtonAndCursorFollowTheFlags) {
    struct Case {
        long flags;
        const char* abortText;
        bool shown, enabled;
    } cases[] = {
        {0, "Stop", false, false},
        {kAllow, "Stop", false, false},
        {kShow | kAllow, "", false, false}, // nothing to show on it
        {kShow | kAllow, nullptr, false, false},
        {kShow, "Stop", true, false},
        {kShow | kAllow, "Stop", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "flags " << c.flags << " text " << (c.abortText ? c.abortText : "null"));
        CProgressBar bar(nullptr, 0, 10, 1, "Working", "Caption", c.abortText, c.flags);
        HWND dialog = bar.GetDialogCWnd();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(c.shown, Visible(bar, IDCANCEL));
        EXPECT_EQ(c.enabled, Enabled(bar, IDCANCEL));
        EXPECT_EQ(!c.enabled, MenuFlag(bar, SC_CLOSE, MF_GRAYED));
        if (c.shown) {
            EXPECT_EQ("Stop", Text(bar, IDCANCEL));
        }
        SetCursor(nullptr);
        SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(LoadCursorA(nullptr, c.shown ? IDC_APPSTARTING : IDC_WAIT), GetCursor());
    }
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), GetCursor()); // put back on leaving
}

TEST(ProgressBar, ClockModeTurnsTheHandAndLeavesTheBarAlone) {
    CProgressBar bar(nullptr, 0, 10, 2, "Waiting", "Caption", "Cancel", kClock);
    EXPECT_FALSE(Visible(bar, IDC_PROGRESS_BAR));
    EXPECT_TRUE(Visible(bar, IDC_CLOCK_FACE));
    for (int step = 1; step <= CLOCK_FACE_COUNT; ++step) {
        EXPECT_EQ(1, bar.Step());
        EXPECT_EQ(Picture(LibraryFace(IDI_CLOCK_FIRST + step % CLOCK_FACE_COUNT)),
                  Picture(ShownFace(bar)))
            << "step " << step;
    }
    // Range, step and markers wait for the bar; the position does not.
    bar.SetRange(0, 50);
    bar.SetStep(7);
    bar.SetShowMarkers(1);
    EXPECT_EQ(100, Upper(bar)); // the control's own, since the constructor's came in clock mode
    EXPECT_EQ("9999", Text(bar, IDC_UPPER_MARKER));
    EXPECT_FALSE(Visible(bar, IDC_LOWER_MARKER));
    EXPECT_EQ(0, bar.SetPos(20));

    bar.SetClockMode(0);
    EXPECT_TRUE(Visible(bar, IDC_PROGRESS_BAR));
    EXPECT_FALSE(Visible(bar, IDC_CLOCK_FACE));
    bar.SetStep(7);
    bar.Step();
    EXPECT_EQ(27, Pos(bar));
}

TEST(ProgressBar, NothingHappensWithoutTheWindow) {
    CProgressBar bar;
    EXPECT_EQ(0, bar.Step());
    EXPECT_EQ(0, bar.SetPos(5));
    EXPECT_EQ(0, bar.IsAborted());

    bar.CreateDlg();
    HWND dialog = bar.GetDialogCWnd();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Progress", Text(dialog)); // the template as it is, until a mode is chosen
    EXPECT_FALSE(Visible(bar, IDC_PROGRESS_BAR) || Visible(bar, IDC_CLOCK_FACE));
    bar.CreateDlg();
    EXPECT_EQ(dialog, bar.GetDialogCWnd());

    bar.DestroyDlg();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(nullptr, bar.GetDialogCWnd());
    EXPECT_EQ(0, bar.Step());
}

TEST(ProgressBar, AlwaysOnTopFollowsTheSystemMenu) {
    CProgressBar bar(nullptr, 0, 10, 1, "Working", "Caption", "Cancel", 0);
    bar.AlwaysOnTop(1);
    EXPECT_TRUE(Topmost(bar));
    EXPECT_TRUE(MenuFlag(bar, IDM_ALWAYS_ON_TOP, MF_CHECKED));
    for (int chosen = 1; chosen <= 3; ++chosen) {
        PostMessageA(bar.GetDialogCWnd(), WM_SYSCOMMAND, IDM_ALWAYS_ON_TOP, 0);
        bar.IsAborted(); // pumps
        EXPECT_EQ(chosen % 2 == 0, Topmost(bar)) << chosen;
        EXPECT_EQ(chosen % 2 == 0, MenuFlag(bar, IDM_ALWAYS_ON_TOP, MF_CHECKED)) << chosen;
    }
}
