#include <gtest/gtest.h>
#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"
#include "resource.h"
#include "tests/bench/robot/Robot.h"

namespace {
const char* const kCaption = "Sheet Under Test";

// A page that counts what the sheet tells it; its template is any page template of the program.
class CountingPage : public PropertyPage {
public:
    CountingPage() : PropertyPage(IDD_GENERAL_PAGE) {}

    int inits = 0;
    int saves = 0;
    int applies = 0;
    int resets = 0;
    bool refuseLeaving = false;

protected:
    BOOL OnInitDialog() override {
        ++inits;
        return TRUE;
    }
    bool Exchange(bool save) override {
        if (save) ++saves;
        return !refuseLeaving;
    }
    bool OnApply() override {
        ++applies;
        return true;
    }
    void OnReset() override { ++resets; }
};

class TestSheet : public PropertySheet {
public:
    TestSheet() : PropertySheet(kCaption) {
        AddPage(first);
        AddPage(second);
        SetNoApplyNow(true);
    }

    CountingPage first;
    CountingPage second;
    int helps = 0;
    int tabsAtInit = -1;

protected:
    void OnInitialized() override { tabsAtInit = TabCtrl_GetItemCount(TabControl()); }
    void OnHelp() override { ++helps; }
};

void SendHelp(HWND window) {
    HELPINFO help = {sizeof help, HELPINFO_WINDOW, 0, window, 0, {0, 0}};
    SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
}
} // namespace

TEST(PropertySheetTest, OkAndCancelEndTheSheetAndReachThePages) {
    Robot robot;
    TestSheet sheet;
    INT_PTR result = -2;
    robot.Run([&] { result = sheet.DoModal(); },
              [&] {
                  HWND window = robot.WaitForWindow(kCaption);
                  ASSERT_TRUE(window);
                  EXPECT_FALSE(GetDlgItem(window, IDHELP) && IsWindowVisible(GetDlgItem(window, IDHELP)));
                  robot.Post(window, PSM_PRESSBUTTON, PSBTN_OK);
                  robot.WaitUntilGone(window);
              });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(2, sheet.tabsAtInit);
    EXPECT_EQ(1, sheet.first.inits);
    EXPECT_EQ(1, sheet.first.saves);
    EXPECT_EQ(1, sheet.first.applies);
    // The second page was never shown, so it has no window to tell.
    EXPECT_EQ(0, sheet.second.inits);
    EXPECT_EQ(0, sheet.second.applies);

    robot.Run([&] { result = sheet.DoModal(); },
              [&] {
                  HWND window = robot.WaitForWindow(kCaption);
                  ASSERT_TRUE(window);
                  robot.Post(window, PSM_PRESSBUTTON, PSBTN_CANCEL);
                  robot.WaitUntilGone(window);
              });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(2, sheet.first.inits) << "every showing makes the page afresh";
    EXPECT_EQ(1, sheet.first.resets);
    EXPECT_EQ(1, sheet.first.applies);
}

TEST(PropertySheetTest, APageThatRefusesToBeLeftKeepsTheSheetOpen) {
    Robot robot;
    TestSheet sheet;
    sheet.first.refuseLeaving = true;
    INT_PTR result = -2;
    bool stillOpen = false;
    robot.Run([&] { result = sheet.DoModal(); },
              [&] {
                  HWND window = robot.WaitForWindow(kCaption);
                  ASSERT_TRUE(window);
                  robot.Post(window, PSM_PRESSBUTTON, PSBTN_OK);
                  robot.Settle();
                  stillOpen = IsWindowVisible(window) != FALSE;
                  robot.OnDialogThread([&] { sheet.first.refuseLeaving = false; });
                  robot.Post(window, PSM_PRESSBUTTON, PSBTN_OK);
                  robot.WaitUntilGone(window);
              });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1, sheet.first.applies);
}

TEST(PropertySheetTest, HelpOnAPageOrOnTheSheetReachesTheSheet) {
    Robot robot;
    TestSheet sheet;
    robot.Run([&] { sheet.DoModal(); },
              [&] {
                  HWND window = robot.WaitForWindow(kCaption);
                  ASSERT_TRUE(window);
                  robot.OnDialogThread([&] {
                      SendHelp(sheet.first.Hwnd());
                      SendHelp(window);
                  });
                  robot.Post(window, PSM_PRESSBUTTON, PSBTN_CANCEL);
                  robot.WaitUntilGone(window);
              });
    EXPECT_EQ(2, sheet.helps);
    EXPECT_EQ(nullptr, sheet.Hwnd());
}
