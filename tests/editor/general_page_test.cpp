#include <gtest/gtest.h>
#include <functional>
#include "editor/MyPropertySheet.h"
#include "resource.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/editor/scheme_sheet_bench.h"

namespace {
const char* const kIllegalText = "The following characters are not allowed:\n\n< > ? / \\ : * \" |";

class GeneralPageTest : public testing::Test {
protected:
    GeneralPageTest() : maths(SampleScheme("Maths")) {}

    // Stores `maths`, shows the sheet over it while `script` drives it, and returns what Show
    // returned; `stored` gets what OK would store into a copy of the scheme.
    INT_PTR Edit(const std::function<void(const ShownSheet&)>& script, const std::string& description = "Sums",
                 bool existing = true) {
        StoreScheme(maths, description);
        CMyPropertySheet sheet(existing ? kExistingSchemeCaption : kNewSchemeCaption);
        sheet.Fill(maths, maths.name, description);
        INT_PTR result = -2;
        robot.Run([&] { result = sheet.Show(existing); },
                  [&] {
                      ShownSheet shown = WaitForSheet(robot, existing ? kExistingSchemeCaption : kNewSchemeCaption);
                      if (shown.page) script(shown);
                  });
        stored = maths;
        sheet.StoreInto(stored);
        nameText = sheet.General().nameText;
        descriptionText = sheet.General().descriptionText;
        return result;
    }

    RegistrySandbox registry;
    RecordingNotices notices;
    Robot robot;
    Scheme maths;
    Scheme stored;
    std::string nameText;
    std::string descriptionText;
};
} // namespace

TEST_F(GeneralPageTest, OpensWithTheStoredValues) {
    maths.toolBars.pages[1].deleteItem = 0;
    maths.toolBars.pages[1].print = 1;
    std::string name, description;
    bool boxes[6] = {};
    bool silentOn = false, talkingOn = true, menusOff = false, optionsOn = false;
    Edit([&](const ShownSheet& shown) {
        name = robot.Text(shown.page, IDC_GENERAL_NAME);
        description = robot.Text(shown.page, IDC_GENERAL_DESCRIPTION);
        const int ids[6] = {IDC_GENERAL_NEW_RENAME, IDC_GENERAL_DELETE, IDC_GENERAL_CUT_COPY_PASTE,
                            IDC_GENERAL_UNDO, IDC_GENERAL_PRINT, IDC_GENERAL_ICON_SIZE};
        for (int i = 0; i < 6; ++i) boxes[i] = robot.IsChecked(shown.page, ids[i]);
        silentOn = robot.IsChecked(shown.page, IDC_GENERAL_SILENT);
        talkingOn = robot.IsChecked(shown.page, IDC_GENERAL_TALKING);
        menusOff = robot.IsChecked(shown.page, IDC_GENERAL_MENUS_OFF);
        optionsOn = robot.IsChecked(shown.page, IDC_GENERAL_OPTIONS_ON);
        PressSheetButton(robot, shown, PSBTN_CANCEL);
    });
    EXPECT_EQ("Maths", name);
    EXPECT_EQ("Sums", description);
    const bool expected[6] = {true, false, true, false, true, true};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(expected[i], boxes[i]) << "toolbar box " << i;
    EXPECT_TRUE(silentOn);
    EXPECT_FALSE(talkingOn);
    EXPECT_TRUE(menusOff);
    EXPECT_TRUE(optionsOn);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(GeneralPageTest, TheTemplateAndABlankDescriptionOpenEmpty) {
    maths.name = kNewSchemeTemplate;
    std::string name = "?", description = "?";
    Edit([&](const ShownSheet& shown) {
        name = robot.Text(shown.page, IDC_GENERAL_NAME);
        description = robot.Text(shown.page, IDC_GENERAL_DESCRIPTION);
        PressSheetButton(robot, shown, PSBTN_OK);
    }, "The template", false);
    EXPECT_EQ("", name);
    EXPECT_EQ("", description);
    EXPECT_EQ("", nameText);

    maths.name = "Maths";
    Edit([&](const ShownSheet& shown) {
        name = robot.Text(shown.page, IDC_GENERAL_NAME);
        description = robot.Text(shown.page, IDC_GENERAL_DESCRIPTION);
        PressSheetButton(robot, shown, PSBTN_OK);
    }, " ");
    EXPECT_EQ("Maths", name);
    EXPECT_EQ("", description);
    EXPECT_EQ("", descriptionText);
}

TEST_F(GeneralPageTest, RefusedCharactersGoOnePerPassEachWithItsBox) {
    std::string afterTyping, afterPasting, afterTerminator;
    Edit([&](const ShownSheet& shown) {
        robot.SetText(shown.page, IDC_GENERAL_NAME, "a<b");
        afterTyping = robot.Text(shown.page, IDC_GENERAL_NAME);
        robot.SetText(shown.page, IDC_GENERAL_NAME, "a<b>c");
        afterPasting = robot.Text(shown.page, IDC_GENERAL_NAME);
        robot.SetText(shown.page, IDC_GENERAL_DESCRIPTION, "x\xACy");
        afterTerminator = robot.Text(shown.page, IDC_GENERAL_DESCRIPTION);
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    EXPECT_EQ("ab", afterTyping);
    EXPECT_EQ("abc", afterPasting);
    EXPECT_EQ("xy", afterTerminator);
    EXPECT_EQ("abc", nameText);
    EXPECT_EQ("xy", descriptionText);
    ASSERT_EQ(4u, notices.shown.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ("Error: Illegal Character", notices.shown[i].title);
        EXPECT_EQ(kIllegalText, notices.shown[i].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), notices.shown[i].flags);
        EXPECT_NE(nullptr, notices.shown[i].owner);
    }
    // The scheme file's field terminator is named in its box.
    EXPECT_EQ(std::string(kIllegalText) + " \xAC", notices.shown[3].text);
}

TEST_F(GeneralPageTest, TextOverFiftyCharactersIsCut) {
    const std::string sixty = "0123456789abcdefghijABCDEFGHIJ0123456789abcdefghijABCDEFGHIJ";
    std::string description;
    Edit([&](const ShownSheet& shown) {
        robot.SetText(shown.page, IDC_GENERAL_DESCRIPTION, sixty);
        description = robot.Text(shown.page, IDC_GENERAL_DESCRIPTION);
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    EXPECT_EQ(sixty.substr(0, 50), description);
    EXPECT_EQ(sixty.substr(0, 50), descriptionText);
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Error: Text too long", notices.shown[0].title);
    EXPECT_EQ("There is a limit of 50 characters", notices.shown[0].text);
}

TEST_F(GeneralPageTest, TheTabListHoldsTheCheckedTabsWithTheStoredFirstOne) {
    maths.tabs = {0, 1, 1};
    maths.defaults.defaultFirstTab = 3;
    ComboState tabs;
    Edit([&](const ShownSheet& shown) {
        tabs = ReadCombo(robot, shown.page, IDC_GENERAL_TAB);
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    EXPECT_EQ((std::vector<std::string>{"My Files", "Links"}), tabs.entries);
    EXPECT_EQ(1, tabs.selected);
    EXPECT_EQ(3, stored.defaults.defaultFirstTab);
    EXPECT_EQ(0, stored.tabs.page1);
    EXPECT_EQ(1, stored.tabs.page2);
    EXPECT_EQ(1, stored.tabs.page3);
}

TEST_F(GeneralPageTest, TheTabListFollowsTheTabBoxes) {
    maths.defaults.defaultFirstTab = 3;
    ComboState afterUncheck, afterCheck, afterChoice;
    bool viewWhenClear = true, viewWhenSet = false;
    Edit([&](const ShownSheet& shown) {
        // Links is selected; removing it selects the entry before it.
        robot.Click(shown.page, IDC_GENERAL_LINKS);
        robot.Settle();
        afterUncheck = ReadCombo(robot, shown.page, IDC_GENERAL_TAB);
        robot.Click(shown.page, IDC_GENERAL_MY_FILES);
        robot.Settle();
        viewWhenClear = robot.IsEnabled(shown.page, IDC_GENERAL_VIEW);
        robot.Click(shown.page, IDC_GENERAL_MY_FILES);
        robot.Settle();
        viewWhenSet = robot.IsEnabled(shown.page, IDC_GENERAL_VIEW);
        afterCheck = ReadCombo(robot, shown.page, IDC_GENERAL_TAB);
        ChooseInCombo(robot, shown.page, IDC_GENERAL_TAB, 0);
        afterChoice = ReadCombo(robot, shown.page, IDC_GENERAL_TAB);
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    EXPECT_EQ((std::vector<std::string>{"Programs", "My Files"}), afterUncheck.entries);
    EXPECT_EQ(1, afterUncheck.selected);
    EXPECT_FALSE(viewWhenClear);
    EXPECT_TRUE(viewWhenSet);
    // Checked again, My Files goes to the end and is selected.
    EXPECT_EQ((std::vector<std::string>{"Programs", "My Files"}), afterCheck.entries);
    EXPECT_EQ(1, afterCheck.selected);
    EXPECT_EQ(0, afterChoice.selected);
    EXPECT_EQ(1, stored.defaults.defaultFirstTab);
    EXPECT_EQ(0, stored.tabs.page3);
}

TEST_F(GeneralPageTest, UncheckingTheSelectedTabMovesTheDefaultTabBack) {
    maths.defaults.defaultFirstTab = 2;
    ComboState tabs;
    Edit([&](const ShownSheet& shown) {
        robot.Click(shown.page, IDC_GENERAL_MY_FILES);
        robot.Settle();
        tabs = ReadCombo(robot, shown.page, IDC_GENERAL_TAB);
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    EXPECT_EQ((std::vector<std::string>{"Programs", "Links"}), tabs.entries);
    EXPECT_EQ(0, tabs.selected);
    EXPECT_EQ(1, stored.defaults.defaultFirstTab);
}

TEST_F(GeneralPageTest, AnUnknownViewSelectsNothingAndOkStoresTheFirstView) {
    maths.defaults.defaultView = "Tree1";
    ComboState views;
    Edit([&](const ShownSheet& shown) {
        views = ReadCombo(robot, shown.page, IDC_GENERAL_VIEW);
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    EXPECT_EQ((std::vector<std::string>{"One Pane Tree", "Two Pane Tree", "Icon View", "Details View"}), views.entries);
    EXPECT_EQ(-1, views.selected);
    EXPECT_EQ("tree1", stored.defaults.defaultView);

    Edit([&](const ShownSheet& shown) {
        ChooseInCombo(robot, shown.page, IDC_GENERAL_VIEW, 3);
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    EXPECT_EQ("details", stored.defaults.defaultView);
}

TEST_F(GeneralPageTest, OkWithoutATabAsksAgainWithOnlyTheTabBoxesKept) {
    bool tabsAfter[3] = {true, true, true};
    bool undoAfter = true;
    std::string nameAfter;
    INT_PTR result = Edit([&](const ShownSheet& shown) {
        for (int id : {IDC_GENERAL_PROGRAMS, IDC_GENERAL_MY_FILES, IDC_GENERAL_LINKS, IDC_GENERAL_UNDO})
            robot.Click(shown.page, id);
        robot.SetText(shown.page, IDC_GENERAL_NAME, "Renamed");
        robot.Settle();
        PressSheetButton(robot, shown, PSBTN_OK);
        ShownSheet again = WaitForSheet(robot, kExistingSchemeCaption);
        if (!again.page) return;
        const int ids[3] = {IDC_GENERAL_PROGRAMS, IDC_GENERAL_MY_FILES, IDC_GENERAL_LINKS};
        for (int i = 0; i < 3; ++i) tabsAfter[i] = robot.IsChecked(again.page, ids[i]);
        undoAfter = robot.IsChecked(again.page, IDC_GENERAL_UNDO);
        nameAfter = robot.Text(again.page, IDC_GENERAL_NAME);
        PressSheetButton(robot, again, PSBTN_CANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Tab Selection Error", notices.shown[0].title);
    EXPECT_EQ("You need to select at least one\n\rof the tabs for Programs, Files, or\n\rWeb Links.", notices.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), notices.shown[0].flags);
    EXPECT_EQ(nullptr, notices.shown[0].owner);
    for (bool on : tabsAfter) EXPECT_FALSE(on);
    EXPECT_FALSE(undoAfter) << "the stored Undo is back";
    EXPECT_EQ("Maths", nameAfter);
}

TEST_F(GeneralPageTest, ANewSchemeWithoutATabIsNotChecked) {
    INT_PTR result = Edit([&](const ShownSheet& shown) {
        for (int id : {IDC_GENERAL_PROGRAMS, IDC_GENERAL_MY_FILES, IDC_GENERAL_LINKS}) robot.Click(shown.page, id);
        robot.Settle();
        PressSheetButton(robot, shown, PSBTN_OK);
    }, "Sums", false);
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_EQ(0, stored.tabs.page1 + stored.tabs.page2 + stored.tabs.page3);
}

TEST_F(GeneralPageTest, OkStoresThePageAndLeavesEverythingElse) {
    Edit([&](const ShownSheet& shown) {
        for (int id : {IDC_GENERAL_NEW_RENAME, IDC_GENERAL_DELETE, IDC_GENERAL_CUT_COPY_PASTE, IDC_GENERAL_UNDO,
                       IDC_GENERAL_TALKING, IDC_GENERAL_MENUS_ON, IDC_GENERAL_OPTIONS_OFF})
            robot.Click(shown.page, id);
        robot.Settle();
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    const ToolBarPage& page2 = stored.toolBars.pages[1];
    for (int on : {page2.back, page2.forward, page2.refresh, page2.help, page2.up}) EXPECT_EQ(1, on);
    EXPECT_EQ(0, page2.newItem);
    EXPECT_EQ(0, page2.rename);
    EXPECT_EQ(1, page2.deleteItem);
    EXPECT_EQ(0, page2.cut);
    EXPECT_EQ(0, page2.copy);
    EXPECT_EQ(0, page2.paste);
    EXPECT_EQ(1, page2.undo);
    EXPECT_EQ(0, page2.print);
    EXPECT_EQ(1, page2.icon);
    EXPECT_EQ(0, stored.toolBars.pages[2].copy);
    EXPECT_EQ(0, stored.toolBars.pages[2].print);
    EXPECT_EQ(0, stored.defaults.silent);
    EXPECT_EQ(1, stored.defaults.contextMenu);
    EXPECT_EQ(0, stored.defaults.optionsMenu);
    EXPECT_EQ("icons", stored.defaults.defaultView);
    // What the page does not show stays as it was.
    EXPECT_EQ(7, page2.view);
    EXPECT_EQ(7, page2.side);
    EXPECT_EQ(7, stored.toolBars.pages[0].cut);
    EXPECT_EQ(7, stored.toolBars.pages[2].cut);
    EXPECT_EQ(0, stored.toolBars.pages[0].back);
    EXPECT_EQ(5, stored.defaults.shortToolTips);
    EXPECT_EQ(48, stored.defaults.defaultIconSize);
    ASSERT_EQ(1u, stored.roots.roots.size());
    EXPECT_EQ("C:\\Work", stored.roots.roots[0].path);
    ASSERT_EQ(1u, stored.webLinks.links.size());
    EXPECT_EQ("http://school.example/", stored.webLinks.links[0].url);
    EXPECT_EQ("Maths", stored.name);
}

TEST_F(GeneralPageTest, TabsShowTheirIconsAndF1OpensHelp) {
    int images = 0, firstImage = -1;
    Edit([&](const ShownSheet& shown) {
        robot.OnDialogThread([&] {
            HWND tabs = PropSheet_GetTabControl(shown.sheet);
            images = ImageList_GetImageCount(TabCtrl_GetImageList(tabs));
            TCITEMA item = {};
            item.mask = TCIF_IMAGE;
            SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            firstImage = item.iImage;
            HELPINFO help = {sizeof help, HELPINFO_WINDOW, IDC_GENERAL_NAME, GetDlgItem(shown.page, IDC_GENERAL_NAME),
                             0, {0, 0}};
            SendMessageA(shown.page, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        });
        PressSheetButton(robot, shown, PSBTN_CANCEL);
    });
    EXPECT_EQ(3, images);
    EXPECT_EQ(0, firstImage);
    // No help file in the sandbox: the help's own report shows that F1 reached it.
    EXPECT_EQ(std::vector<std::string>{"Help Problem"}, notices.Titles());
}
