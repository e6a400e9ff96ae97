#include <gtest/gtest.h>
#include <algorithm>
#include "app/MainDialog.h"
#include "resource.h"
#include "store/RegistryPaths.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"
#include "tests/bench/robot/Robot.h"

namespace {
const char* const kTitle = "Vexar Lumen Scheme Manager";

class MainDialogTest : public testing::Test {
protected:
    MainDialogTest() {
        // In registry order beta, Alpha, Gamma; Gamma is built in.
        for (const char* name : {"beta", "Alpha", "Gamma"}) {
            RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, name, std::string("About ") + name);
            RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, SchemeKeyPath(name));
        }
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kProtectedSchemesKey, "Gamma", "");
    }

    // Shows the main dialog while `script` drives it; returns what the dialog ended with.
    INT_PTR RunMain(const std::function<void(HWND)>& script) {
        INT_PTR result = -2;
        robot.Run([&] { result = CMainDialog().DoModal(); },
                  [&] {
                      HWND main = robot.WaitForWindow(kTitle);
                      if (main) script(main);
                  });
        return result;
    }

    RegistrySandbox registry;
    RecordingNotices notices;
    Robot robot;
};
} // namespace

TEST_F(MainDialogTest, ListsSchemesByNameWithBuiltInOnesMarked) {
    std::vector<ListRow> rows;
    RunMain([&](HWND main) {
        rows = robot.ListRows(main, IDC_SCHEME_LIST);
        robot.Click(main, IDOK);
    });
    ASSERT_EQ(3u, rows.size());
    const char* names[] = {"Alpha", "beta", "Gamma"};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(names[i], rows[i].texts.at(0));
        EXPECT_EQ(std::string("About ") + names[i], rows[i].texts.at(1));
        EXPECT_EQ(names[i] == std::string("Gamma") ? 0 : 1, rows[i].image) << names[i];
    }
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(MainDialogTest, CloseEndsWithOkAndEscapeWithCancel) {
    EXPECT_EQ(IDOK, RunMain([&](HWND main) { robot.Click(main, IDOK); }));
    EXPECT_EQ(IDCANCEL, RunMain([&](HWND main) { robot.PressEscape(main); }));
}

TEST_F(MainDialogTest, EditAndDeleteWithoutSelectionDoNothing) {
    std::vector<ListRow> rows;
    RunMain([&](HWND main) {
        robot.Click(main, IDC_EDIT);
        robot.Click(main, IDC_DELETE);
        robot.Settle();
        rows = robot.ListRows(main, IDC_SCHEME_LIST);
        robot.Click(main, IDOK);
    });
    EXPECT_EQ(3u, rows.size());
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_TRUE(notices.beeps.empty());
    for (const char* name : {"beta", "Alpha", "Gamma"})
        EXPECT_TRUE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, SchemeKeyPath(name)));
}

TEST_F(MainDialogTest, HelpWithoutHelpFileShowsHelpProblem) {
    RunMain([&](HWND main) {
        ASSERT_TRUE(robot.PickFromDropMenu(main, IDC_HELP_BUTTON, IDM_HELP));
        ASSERT_TRUE(robot.WaitForNotices(notices, 1));
        // F1 on the dialog asks for the same help.
        robot.OnDialogThread([&] {
            HELPINFO help = {sizeof help, HELPINFO_WINDOW, IDC_SCHEME_LIST, nullptr, 0, {0, 0}};
            SendMessageA(main, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        });
        robot.Click(main, IDOK);
    });
    ASSERT_EQ(2u, notices.shown.size());
    for (const Notice& notice : notices.shown) {
        EXPECT_EQ("Help Problem", notice.title);
        EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), notice.flags);
        EXPECT_EQ("There has been a problem locating the correct help file.\nIt is recommended you inform your "
                  "system administrator\nof this error",
                  notice.text);
    }
    EXPECT_EQ(std::vector<UINT>(2, MB_ICONEXCLAMATION), notices.beeps);
}

TEST_F(MainDialogTest, AboutBeepsThenShowsTheVersion) {
    std::vector<std::string> texts;
    RunMain([&](HWND main) {
        ASSERT_TRUE(robot.PickFromDropMenu(main, IDC_HELP_BUTTON, IDM_ABOUT));
        HWND about = robot.WaitForWindow("About Vexar Lumen Scheme Manager");
        ASSERT_TRUE(about);
        EXPECT_EQ(main, GetWindow(about, GW_OWNER));
        texts = robot.ChildTexts(about);
        robot.Click(about, IDOK);
        robot.WaitUntilGone(about);
        robot.Click(main, IDOK);
    });
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "Vexar Lumen Scheme Manager version 2.28.0.0"));
    EXPECT_EQ(std::vector<UINT>{0}, notices.beeps);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(MainDialogTest, OpeningReportsValuesWithoutKeysButNotDamagedSections) {
    // beta, Alpha and Gamma have keys but no sections at all; Zed has no key.
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Zed", "Lost");
    size_t rows = 0;
    EXPECT_EQ(IDOK, RunMain([&](HWND main) {
                  rows = robot.ListRows(main, IDC_SCHEME_LIST).size();
                  robot.Click(main, IDOK);
              }));
    EXPECT_EQ(3u, rows);
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Schemes Problem", notices.shown[0].title);
    EXPECT_EQ("The following scheme/s could not be read:\nZed.\n\nIt's recommended that they are "
              "reloaded from a "
              "valid\nVexar Lumen Scheme Manager configuration file.",
              notices.shown[0].text);
    EXPECT_EQ(nullptr, notices.shown[0].owner);
}
