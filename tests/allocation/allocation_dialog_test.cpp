#include <gtest/gtest.h>
#include "allocation/AllocationDialog.h"
#include "allocation/AllocationRules.h"
#include "allocation/Allocations.h"
#include "framework/ComboBox.h"
#include "framework/ListBox.h"
#include "resource.h"
#include "tests/allocation/ClassroomBench.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/robot/Robot.h"

namespace {
const char* const kAllocationTitle = "Classes, Users and Schemes";
const char* const kPerUserTitle = "User Schemes";
const std::string kClassKey = std::string(kProductKey) + "\\Class Schemes";
const std::string kUserKey = std::string(kProductKey) + "\\User Schemes";
const CLSID kNobody = {
    0x0badc0de, 0x7e57, 0x4e11, {0x9a, 0x1e, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55}};

struct Shape {
    int height = 0; // of the dialog window
    int okTop = 0;  // in client coordinates
    bool cancelVisible = false;
    bool listVisible = false;
    bool choiceVisible = false;
};

class AllocationDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterClassroomComponent()); }

    void SetUp() override {
        for (const char* name : {"Infants", "Juniors", "Year 7", "Staff"})
            AddScheme(name);
    }

    void WriteClasses(const std::string& defaultClass, const std::string& available) {
        folder.Write("LocalPallendra.ini", "[Pallendra]\r\nDefault Class=" + defaultClass +
                                               "\r\nAvailable Classes=" + available + "\r\n");
    }
    static void AddUser(const std::string& name) {
        RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, std::string(kAccountsKey) + "\\" + name);
    }

    // Shows the dialog, waits for it under `title` and runs `script` against it; returns what
    // DoModal returned.
    INT_PTR Show(ConfigModeSource& modes, const std::string& title,
                 const std::function<void(HWND)>& script) {
        CAllocationDialog dialog(nullptr, modes);
        dialog.classFiles.ntFolder = folder.Path();
        return robot.RunModal(dialog, title, script);
    }
    INT_PTR Show(int mode, const std::function<void(HWND)>& script) {
        FixedMode modes(mode);
        return Show(modes, IsPerUserMode(mode) ? kPerUserTitle : kAllocationTitle, script);
    }

    Shape ShapeOf(HWND window) {
        Shape shape;
        RECT rect;
        GetWindowRect(window, &rect);
        shape.height = rect.bottom - rect.top;
        GetWindowRect(GetDlgItem(window, IDOK), &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        shape.okTop = rect.top;
        shape.cancelVisible = IsWindowVisible(GetDlgItem(window, IDCANCEL)) != FALSE;
        shape.listVisible = IsWindowVisible(GetDlgItem(window, IDC_ALLOCATION_LIST)) != FALSE;
        shape.choiceVisible =
            IsWindowVisible(GetDlgItem(window, IDC_ALLOCATION_SCHEME_CHOICE)) != FALSE;
        return shape;
    }

    void OkAndWait(HWND window) {
        robot.Click(window, IDOK);
        robot.WaitUntilGone(window);
    }

    // Picks `scheme` in the picker (nothing when empty) and presses OK there.
    void Pick(const std::string& scheme) {
        HWND picker = robot.WaitForWindow("Schemes");
        if (!picker) return;
        if (!scheme.empty()) {
            robot.OnDialogThread([&] {
                ListBox list(picker, IDC_PICKER_LIST);
                list.Select(list.Find(scheme));
            });
        }
        robot.Click(picker, IDOK);
        robot.WaitUntilGone(picker);
    }

    std::string ChoiceText(HWND window) {
        std::string text;
        robot.OnDialogThread([&] {
            ComboBox choice(window, IDC_ALLOCATION_SCHEME_CHOICE);
            text = choice.ItemText(choice.Selected());
        });
        return text;
    }

    RegistrySandbox sandbox;
    TempFolder folder;
    RecordingNotices notices;
    Robot robot;
};

TEST_F(AllocationDialogTest, WithoutTheComponentTheCurrentUserChoosesWithoutCancel) {
    ComConfigModeSource missing(kNobody);
    Shape perUser, allocation;
    EXPECT_EQ(Show(missing, kPerUserTitle,
                   [&](HWND window) {
                       perUser = ShapeOf(window);
                       robot.PressEscape(window);
                       robot.WaitUntilGone(window);
                   }),
              IDCANCEL);
    EXPECT_EQ(Show(1,
                   [&](HWND window) {
                       allocation = ShapeOf(window);
                       robot.PressEscape(window);
                       robot.WaitUntilGone(window);
                   }),
              IDCANCEL);

    EXPECT_FALSE(perUser.cancelVisible);
    EXPECT_FALSE(perUser.listVisible);
    EXPECT_TRUE(perUser.choiceVisible);
    EXPECT_TRUE(allocation.cancelVisible);
    EXPECT_TRUE(allocation.listVisible);
    EXPECT_FALSE(allocation.choiceVisible);
    // From one template: each layout is shorter by as much as it moves OK up, and the per-user
    // one hides more.
    EXPECT_EQ(allocation.height - perUser.height, allocation.okTop - perUser.okTop);
    EXPECT_GT(allocation.okTop, perUser.okTop);
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_CURRENT_USER, kProductKey));
}

TEST_F(AllocationDialogTest, TheStandInComponentSelectsTheLayout) {
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kClassroomSettingsKey, "Mode", 2);
    ComConfigModeSource component;
    bool allocationShown = false;
    Show(component, kAllocationTitle, [&](HWND window) {
        allocationShown = IsWindowVisible(GetDlgItem(window, IDC_ALLOCATION_LIST)) != FALSE;
        robot.PressEscape(window);
        robot.WaitUntilGone(window);
    });
    EXPECT_TRUE(allocationShown);

    for (DWORD perUserMode : {8u, 9u}) {
        RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kClassroomSettingsKey, "Mode", perUserMode);
        bool choiceShown = false;
        Show(component, kPerUserTitle, [&](HWND window) {
            choiceShown =
                IsWindowVisible(GetDlgItem(window, IDC_ALLOCATION_SCHEME_CHOICE)) != FALSE;
            robot.PressEscape(window);
            robot.WaitUntilGone(window);
        });
        EXPECT_TRUE(choiceShown) << perUserMode;
    }
}

TEST_F(AllocationDialogTest, ClassesThenUsersInSourceOrderWithTheirAllocations) {
    WriteClasses("7A", "7A,7B");
    AddUser("mr.patel");
    AddUser("amelia.hughes");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassKey, "7B", "Year 7");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kUserKey, "mr.patel", "Staff");
    RegistrySandbox::SetString(HKEY_CURRENT_USER, kUserKey, "amelia.hughes",
                               "Infants"); // not the machine's

    std::vector<ListRow> rows;
    EXPECT_EQ(Show(1,
                   [&](HWND window) {
                       rows = robot.ListRows(window, IDC_ALLOCATION_LIST);
                       OkAndWait(window);
                   }),
              IDOK);

    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::vector<std::string>> expected = {
        {"7A", "Class Schemes", ""},           {"7A", "Class Schemes", ""},
        {"7B", "Class Schemes", "Year 7"},     {"amelia.hughes", "User Schemes", ""},
        {"mr.patel", "User Schemes", "Staff"},
    };
    for (size_t row = 0; row < rows.size(); ++row) {
        EXPECT_EQ(rows[row].texts, expected[row]) << row;
        EXPECT_EQ(rows[row].image, row < 3 ? 1 : 0) << row;
    }
    // OK without a change: every listed class and user has a value, empty where unallocated.
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassKey, "7A"), "");
    EXPECT_EQ(RegistrySandbox::GetType(HKEY_LOCAL_MACHINE, kClassKey, "7A"),
              static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RegistrySandbox::GetRaw(HKEY_LOCAL_MACHINE, kClassKey, "7A"), std::string(1, '\0'));
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassKey, "7B"), "Year 7");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kUserKey, "amelia.hughes"), "");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kUserKey, "mr.patel"), "Staff");
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(AllocationDialogTest, AnEmptyPickClearsTheSelectedRows) {
    WriteClasses("7B", "");
    AddUser("mr.patel");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassKey, "7B", "Year 7");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kUserKey, "mr.patel", "Staff");

    std::vector<ListRow> rows;
    int stillSelected = -2;
    Show(1, [&](HWND window) {
        robot.SelectRow(window, IDC_ALLOCATION_LIST, 0);
        robot.SelectRow(window, IDC_ALLOCATION_LIST, 1);
        robot.Click(window, IDC_ALLOCATION_CHANGE);
        Pick("");
        rows = robot.ListRows(window, IDC_ALLOCATION_LIST);
        robot.OnDialogThread(
            [&] { stillSelected = ListView(window, IDC_ALLOCATION_LIST).Selected(); });
        OkAndWait(window);
    });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].texts[2], "");
    EXPECT_EQ(rows[1].texts[2], "");
    EXPECT_EQ(stillSelected, -1);
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassKey, "7B"), "");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kUserKey, "mr.patel"), "");
}

TEST_F(AllocationDialogTest, DoubleClickPicksForOneRowAndAClassListedTwiceKeepsTheChange) {
    WriteClasses("7A", "7A,8C");
    Show(1, [&](HWND window) {
        robot.DoubleClickRow(window, IDC_ALLOCATION_LIST, 0); // the first of the two 7A rows
        Pick("Juniors");
        OkAndWait(window);
    });
    // The second 7A row is stored after the first; it must not undo the change.
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassKey, "7A"), "Juniors");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassKey, "8C"), "");
}

TEST_F(AllocationDialogTest, CancelAndACancelledPickWriteNothing) {
    WriteClasses("7A", "");
    AddUser("mr.patel");
    std::vector<ListRow> rows;
    EXPECT_EQ(Show(1,
                   [&](HWND window) {
                       robot.SelectRow(window, IDC_ALLOCATION_LIST, 1);
                       robot.Click(window, IDC_ALLOCATION_CHANGE);
                       HWND picker = robot.WaitForWindow("Schemes");
                       robot.Click(picker, IDCANCEL);
                       robot.WaitUntilGone(picker);
                       rows = robot.ListRows(window, IDC_ALLOCATION_LIST);
                       robot.Click(window, IDCANCEL);
                       robot.WaitUntilGone(window);
                   }),
              IDCANCEL);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].texts[2], "");
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, kClassKey));
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, kUserKey));
}

TEST_F(AllocationDialogTest, ThePickerOffersTheStoredSchemesSorted) {
    WriteClasses("7A", "");
    std::vector<std::string> offered;
    Show(1, [&](HWND window) {
        robot.SelectRow(window, IDC_ALLOCATION_LIST, 0);
        robot.Click(window, IDC_ALLOCATION_CHANGE);
        HWND picker = robot.WaitForWindow("Schemes");
        robot.OnDialogThread([&] {
            ListBox list(picker, IDC_PICKER_LIST);
            for (int index = 0; index < list.Count(); ++index)
                offered.push_back(list.ItemText(index));
        });
        robot.PressEscape(picker);
        robot.WaitUntilGone(picker);
        robot.PressEscape(window);
        robot.WaitUntilGone(window);
    });
    EXPECT_EQ(offered, (std::vector<std::string>{"Infants", "Juniors", "Staff", "Year 7"}));
}

TEST_F(AllocationDialogTest, PerUserListOffersEverySchemeValueAndMatchesConfigToUseIgnoringCase) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Lost Scheme", "its key is gone");
    RegistrySandbox::SetString(HKEY_CURRENT_USER, kProductKey, kConfigToUse, "jUNIORS");
    std::vector<std::string> offered;
    std::string selected;
    EXPECT_EQ(Show(8,
                   [&](HWND window) {
                       robot.OnDialogThread([&] {
                           ComboBox choice(window, IDC_ALLOCATION_SCHEME_CHOICE);
                           for (int index = 0; index < choice.Count(); ++index)
                               offered.push_back(choice.ItemText(index));
                       });
                       selected = ChoiceText(window);
                       OkAndWait(window);
                   }),
              IDOK);
    EXPECT_EQ(offered,
              (std::vector<std::string>{"Infants", "Juniors", "Lost Scheme", "Staff", "Year 7"}));
    EXPECT_EQ(selected, "Juniors");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_CURRENT_USER, kProductKey, kConfigToUse), "Juniors");
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, kClassKey));
}

TEST_F(AllocationDialogTest, PerUserWithoutAMatchOffersTheFirstAndEscapeWritesNothing) {
    RegistrySandbox::SetString(HKEY_CURRENT_USER, kProductKey, kConfigToUse, "Retired Scheme");
    std::string selected;
    Show(9, [&](HWND window) {
        selected = ChoiceText(window);
        robot.PressEscape(window);
        robot.WaitUntilGone(window);
    });
    EXPECT_EQ(selected, "Infants");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_CURRENT_USER, kProductKey, kConfigToUse),
              "Retired Scheme");
}
} // namespace
