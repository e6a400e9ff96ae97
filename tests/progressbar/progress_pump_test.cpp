// The progress dialog's message pump, Cancel, the clock thread and failed creation.
#include <gtest/gtest.h>
#include "tests/progressbar/Probe.h"

using namespace probe;

namespace {
const long kShow = CProgressBar::FlagShowCancel;
const long kAllow = CProgressBar::FlagAllowCancel;
const long kClock = CProgressBar::FlagClockMode;
const long kThread = CProgressBar::FlagClockThread;

int g_input = 0;
int g_paints = 0;

LRESULT CALLBACK CallerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN || msg == WM_LBUTTONDOWN || msg == WM_COMMAND) ++g_input;
    if (msg == WM_PAINT) ++g_paints;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class ClockThread : public ::testing::Test {
protected:
    void SetUp() override { CProgressBar::SetClockInterval(10); }
    void TearDown() override { CProgressBar::SetClockInterval(1000); }
};
} // namespace

TEST(ProgressPump, CallerInputIsDroppedButPaintingGoesOn) {
    WNDCLASSA type = {};
    type.lpfnWndProc = CallerWindowProc;
    type.lpszClassName = "KetterelTestCaller";
    RegisterClassA(&type);
    HWND caller = CreateWindowExA(0, type.lpszClassName, "Caller", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    CProgressBar bar(nullptr, 0, 10, 1, "Working", "Caption", "Cancel", 0);
    g_input = g_paints = 0;
    PostMessageA(caller, WM_KEYDOWN, 'A', 0);
    PostMessageA(caller, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(caller, WM_COMMAND, MAKEWPARAM(1014, BN_CLICKED), 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0);
    InvalidateRect(caller, nullptr, TRUE);

    EXPECT_EQ(1, bar.Step());
    EXPECT_EQ(0, g_input);
    EXPECT_GE(g_paints, 1);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "delayed: " << msg.message;

    // A quit request is the caller's loop's business, not input to drop.
    PostQuitMessage(7);
    EXPECT_EQ(1, bar.Step());
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    DestroyWindow(caller);
}

TEST(ProgressPump, CancelEndsTheDialogAtTheCallersNextStep) {
    CProgressBar bar(nullptr, 0, 10, 1, "Working", "Caption", "Cancel", kShow | kAllow);
    HWND dialog = bar.GetDialogCWnd();
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(0, bar.IsAborted()); // the pump takes the click
    EXPECT_TRUE(IsWindow(dialog)); // shown until the caller looks
    EXPECT_EQ(0, bar.Step());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(1, bar.IsAborted());
    EXPECT_EQ(1, bar.IsAborted());
    EXPECT_EQ(0, bar.Step());
    EXPECT_EQ(0, bar.SetPos(3));
}

TEST(ProgressPump, OnlyAnEnabledCancelStopsTheJob) {
    struct Request {
        const char* name;
        UINT msg;
        WPARAM wParam;
        bool cancels;
    } requests[] = {
        {"Close", WM_CLOSE, 0, true},
        {"Escape", WM_KEYDOWN, VK_ESCAPE, true},
        {"Cancel command", WM_COMMAND, IDCANCEL, true},
        {"Enter", WM_COMMAND, IDOK, false},
    };
    for (long flags : {0L, kShow, kAllow, kShow | kAllow}) {
        for (const Request& request : requests) {
            CProgressBar bar(nullptr, 0, 10, 1, "Working", "Caption", "Cancel", flags);
            HWND dialog = bar.GetDialogCWnd();
            PostMessageA(dialog, request.msg, request.wParam, 0);
            bar.SetPos(0);
            bool stops = request.cancels && flags == (kShow | kAllow);
            EXPECT_EQ(stops ? 1 : 0, bar.IsAborted()) << request.name << ", flags " << flags;
            EXPECT_EQ(!stops, IsWindow(dialog) != FALSE) << request.name << ", flags " << flags;
        }
    }
}

TEST(ProgressPump, FailedCreationLeavesAnInertObject) {
    HWND gone =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    int results = -1;
    HWND dialog = gone;
    EXPECT_TRUE(FinishesWithin(3000, [&] {
        CProgressBar bar(gone, 0, 10, 1, "Working", "Caption", "Cancel",
                         kShow | kAllow | kClock | kThread);
        dialog = bar.GetDialogCWnd();
        bar.AlwaysOnTop(1);
        results = bar.Step() + bar.SetPos(4) + bar.IsAborted();
        bar.DestroyDlg();
    }));
    EXPECT_EQ(nullptr, dialog);
    EXPECT_EQ(0, results);
}

TEST_F(ClockThread, TicksStepTheBarAndStopWithTheDialog) {
    int pos = -1;
    HWND dialog = nullptr, destroyed = nullptr;
    EXPECT_TRUE(FinishesWithin(3000, [&] {
        {
            CProgressBar bar(nullptr, 0, 1000, 1, "Working", "Caption", "Cancel", kThread);
            dialog = bar.GetDialogCWnd();
            for (int i = 0; i < 50 && Pos(bar) == 0; ++i) {
                Sleep(20);
                bar.IsAborted(); // ticks arrive when the caller pumps
            }
            pos = Pos(bar);
            bar.DestroyDlg();
        }
        // And a clock still running when the object goes.
        CProgressBar bar(nullptr, 0, 10, 1, "Working", "Caption", "Cancel", kClock | kThread);
        destroyed = bar.GetDialogCWnd();
        Sleep(30);
    }));
    EXPECT_GT(pos, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(destroyed));
}

TEST_F(ClockThread, TicksQueuedByABusyCallerAdvanceOnce) {
    CProgressBar::SetClockInterval(20);
    int pos = -1;
    EXPECT_TRUE(FinishesWithin(3000, [&] {
        CProgressBar bar(nullptr, 0, 1000, 1, "Working", "Caption", "Cancel", kThread);
        Sleep(300); // about fifteen ticks queue up
        bar.IsAborted();
        pos = Pos(bar);
    }));
    // One advance, or a few more that arrived while the pump ran.
    EXPECT_GE(pos, 1);
    EXPECT_LT(pos, 5);
}

TEST_F(ClockThread, TicksAfterCancelLeaveTheDialogAlone) {
    bool sameFace = false, shown = false, gone = false;
    int step = -1, aborted = -1;
    EXPECT_TRUE(FinishesWithin(3000, [&] {
        CProgressBar bar(nullptr, 0, 10, 1, "Working", "Caption", "Cancel",
                         kClock | kShow | kAllow | kThread);
        HWND dialog = bar.GetDialogCWnd();
        PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        bar.SetPos(0); // takes the click
        HICON face = ShownFace(bar);
        Sleep(60);
        bar.SetPos(0); // and now the ticks
        sameFace = ShownFace(bar) == face;
        shown = IsWindow(dialog) != FALSE;
        step = bar.Step();
        gone = !IsWindow(dialog);
        aborted = bar.IsAborted();
    }));
    EXPECT_TRUE(sameFace);
    EXPECT_TRUE(shown);
    EXPECT_EQ(0, step);
    EXPECT_TRUE(gone);
    EXPECT_EQ(1, aborted);
}
