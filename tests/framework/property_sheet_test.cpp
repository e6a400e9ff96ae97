#include <gtest/gtest.h>
#include <functional>
#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"
#include "resource.h"
#include "tests/bench/robot/Robot.h"

namespace {
const char* const kCaption = "Sheet Under Test";

// Counts what the sheet tells it; its template is any page template of the program.
class CountingPage : public PropertyPage {
public:
    CountingPage() : PropertyPage(IDD_GENERAL_PAGE) {}
    int inits = 0, saves = 0, applies = 0, resets = 0;
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
    }
    CountingPage first, second;
    int helps = 0, tabsAtInit = -1;

protected:
    void OnInitialized() override { tabsAtInit = TabCtrl_GetItemCount(TabControl()); }
    void OnHelp() override { ++helps; }
};

// Shows the sheet while `script` drives its window; returns what DoModal returned.
INT_PTR Show(TestSheet& sheet, const std::function<void(Robot&, HWND)>& script) {
    Robot robot;
    INT_PTR result = -2;
    robot.Run([&] { result = sheet.DoModal(); },
              [&] {
                  HWND window = robot.WaitForWindow(kCaption);
                  if (window) script(robot, window);
              });
    return result;
}
} // namespace

TEST(PropertySheetTest, OkAndCancelReachTheShownPagesAndARefusingPageKeepsTheSheetOpen) {
    TestSheet sheet;
    sheet.first.refuseLeaving = true;
    bool openAfterRefusal = false;
    EXPECT_EQ(IDOK, Show(sheet, [&](Robot& robot, HWND window) {
                  robot.Post(window, PSM_PRESSBUTTON, PSBTN_OK);
                  robot.Settle();
                  openAfterRefusal = IsWindowVisible(window) != FALSE;
                  robot.OnDialogThread([&] { sheet.first.refuseLeaving = false; });
                  robot.Post(window, PSM_PRESSBUTTON, PSBTN_OK);
                  robot.WaitUntilGone(window);
              }));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(2, sheet.tabsAtInit);
    EXPECT_EQ(2, sheet.first.saves);
    EXPECT_EQ(1, sheet.first.applies);
    EXPECT_EQ(0, sheet.second.inits) << "a page never shown has no window to tell";

    EXPECT_EQ(IDCANCEL, Show(sheet, [&](Robot& robot, HWND window) {
                  robot.Post(window, PSM_PRESSBUTTON, PSBTN_CANCEL);
                  robot.WaitUntilGone(window);
              }));
    EXPECT_EQ(2, sheet.first.inits) << "every showing makes the page afresh";
    EXPECT_EQ(1, sheet.first.resets);
    EXPECT_EQ(1, sheet.first.applies);
}

TEST(PropertySheetTest, HelpOnAPageOrOnTheSheetReachesTheSheet) {
    TestSheet sheet;
    Show(sheet, [&](Robot& robot, HWND window) {
        robot.OnDialogThread([&] {
            for (HWND target : {sheet.first.Hwnd(), window}) {
                HELPINFO help = {sizeof help, HELPINFO_WINDOW, 0, target, 0, {0, 0}};
                SendMessageA(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
            }
        });
        robot.Post(window, PSM_PRESSBUTTON, PSBTN_CANCEL);
        robot.WaitUntilGone(window);
    });
    EXPECT_EQ(2, sheet.helps);
    EXPECT_EQ(nullptr, sheet.Hwnd());
}
