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
    // Stores `maths`, shows the sheet over it while `script` drives its General page, and returns
    // what Show returned; `stored` is a copy of the scheme with what OK would store.
    INT_PTR Edit(const std::function<void(const ShownSheet&)>& script, const std::string& description = "Sums",
                 bool existing = true) {
        StoreScheme(maths, description);
        const char* caption = existing ? kExistingSchemeCaption : kNewSchemeCaption;
        CMyPropertySheet sheet(caption);
        sheet.Fill(maths, maths.name, description);
        INT_PTR result = -2;
        robot.Run([&] { result = sheet.Show(); },
                  [&] {
                      ShownSheet shown = WaitForSheet(robot, caption);
                      if (shown.page) script(shown);
                  });
        stored = maths;
        sheet.StoreInto(stored);
        nameText = sheet.General().nameText;
        descriptionText = sheet.General().descriptionText;
        return result;
    }

    // Clicks the boxes of the page in front, then OK.
    void ClickThenOk(const ShownSheet& shown, std::initializer_list<int> ids) {
        for (int id : ids) robot.Click(shown.page, id);
        robot.Settle();
        PressSheetButton(robot, shown, PSBTN_OK);
    }

    RegistrySandbox registry;
    RecordingNotices notices;
    Robot robot;
    Scheme maths = SampleScheme("Maths");
    Scheme stored;
    std::string nameText, descriptionText;
};
} // namespace

TEST_F(GeneralPageTest, OpensWithTheStoredValues) {
    maths.toolBars.pages[1].print = 1;
    std::vector<bool> checked;
    std::string name, description;
    Edit([&](const ShownSheet& shown) {
        name = robot.Text(shown.page, IDC_GENERAL_NAME);
        description = robot.Text(shown.page, IDC_GENERAL_DESCRIPTION);
        for (int id : {IDC_GENERAL_NEW_RENAME, IDC_GENERAL_DELETE, IDC_GENERAL_CUT_COPY_PASTE, IDC_GENERAL_UNDO,
                       IDC_GENERAL_PRINT, IDC_GENERAL_ICON_SIZE, IDC_GENERAL_SILENT, IDC_GENERAL_TALKING,
                       IDC_GENERAL_MENUS_ON, IDC_GENERAL_OPTIONS_ON})
            checked.push_back(robot.IsChecked(shown.page, id));
        PressSheetButton(robot, shown, PSBTN_CANCEL);
    });
    EXPECT_EQ("Maths", name);
    EXPECT_EQ("Sums", description);
    EXPECT_EQ((std::vector<bool>{true, false, true, false, true, true, true, false, false, true}), checked);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(GeneralPageTest, TheTemplateAndABlankDescriptionOpenEmpty) {
    std::string texts[4];
    maths.name = kNewSchemeTemplate;
    Edit([&](const ShownSheet& shown) {
        texts[0] = robot.Text(shown.page, IDC_GENERAL_NAME);
        texts[1] = robot.Text(shown.page, IDC_GENERAL_DESCRIPTION);
        PressSheetButton(robot, shown, PSBTN_OK);
    }, "The template", false);
    EXPECT_EQ("", nameText);
    maths.name = "Maths";
    Edit([&](const ShownSheet& shown) {
        texts[2] = robot.Text(shown.page, IDC_GENERAL_NAME);
        texts[3] = robot.Text(shown.page, IDC_GENERAL_DESCRIPTION);
        PressSheetButton(robot, shown, PSBTN_OK);
    }, " ");
    EXPECT_EQ((std::vector<std::string>{"", "", "Maths", ""}), std::vector<std::string>(texts, texts + 4));
    EXPECT_EQ(" ", descriptionText) << "left untouched, it comes back as stored";
}

TEST_F(GeneralPageTest, OkWithoutTypingKeepsStoredTextThatTypingCouldNotEnter) {
    // A scheme file or older data may bring a colon and more than 50 characters.
    const std::string description = "Number, algebra, shape and data: the first year of secondary";
    maths.name = "Year 7: Maths";
    std::string shownName, shownDescription;
    Edit([&](const ShownSheet& shown) {
        shownName = robot.Text(shown.page, IDC_GENERAL_NAME);
        shownDescription = robot.Text(shown.page, IDC_GENERAL_DESCRIPTION);
        PressSheetButton(robot, shown, PSBTN_OK);
    }, description);
    EXPECT_EQ("Year 7: Maths", shownName);
    EXPECT_EQ(description, shownDescription);
    EXPECT_EQ("Year 7: Maths", nameText);
    EXPECT_EQ(description, descriptionText);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(GeneralPageTest, TypedTextLosesRefusedCharactersOnePerBoxAndIsCutAtFifty) {
    const std::string sixty = "0123456789abcdefghijABCDEFGHIJ0123456789abcdefghijABCDEFGHIJ";
    std::string typed, pasted;
    Edit([&](const ShownSheet& shown) {
        robot.SetText(shown.page, IDC_GENERAL_NAME, "a<b");
        typed = robot.Text(shown.page, IDC_GENERAL_NAME);
        robot.SetText(shown.page, IDC_GENERAL_NAME, "a<b>c");
        pasted = robot.Text(shown.page, IDC_GENERAL_NAME);
        robot.SetText(shown.page, IDC_GENERAL_DESCRIPTION, "x\xAC" + sixty);
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    EXPECT_EQ("ab", typed);
    EXPECT_EQ("abc", pasted);
    EXPECT_EQ("abc", nameText);
    EXPECT_EQ(("x" + sixty).substr(0, 50), descriptionText);
    ASSERT_EQ(5u, notices.shown.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ("Error: Illegal Character", notices.shown[i].title);
        EXPECT_EQ(kIllegalText, notices.shown[i].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), notices.shown[i].flags);
        EXPECT_NE(nullptr, notices.shown[i].owner);
    }
    // The pass started by putting the text back shows its box first.
    EXPECT_EQ("Error: Text too long", notices.shown[3].title);
    EXPECT_EQ("There is a limit of 50 characters", notices.shown[3].text);
    // The scheme file's field terminator is named in its own box.
    EXPECT_EQ(std::string(kIllegalText) + " \xAC", notices.shown[4].text);
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
}

TEST_F(GeneralPageTest, TheTabListAndTheViewListFollowTheTabBoxes) {
    maths.defaults.defaultFirstTab = 3;
    ComboState afterUncheck, afterCheck;
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
        PressSheetButton(robot, shown, PSBTN_OK);
    });
    EXPECT_EQ((std::vector<std::string>{"Programs", "My Files"}), afterUncheck.entries);
    EXPECT_EQ(1, afterUncheck.selected);
    EXPECT_FALSE(viewWhenClear);
    EXPECT_TRUE(viewWhenSet);
    // Checked again, My Files goes to the end and is selected.
    EXPECT_EQ(afterUncheck.entries, afterCheck.entries);
    EXPECT_EQ(1, afterCheck.selected);
    EXPECT_EQ(1, stored.defaults.defaultFirstTab) << "Programs was chosen last";
    EXPECT_EQ(0, stored.tabs.page3);
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
}

TEST_F(GeneralPageTest, OkWithoutATabAsksAgainWithOnlyTheTabBoxesKept) {
    std::vector<bool> checked;
    std::string nameAfter;
    INT_PTR result = Edit([&](const ShownSheet& shown) {
        robot.SetText(shown.page, IDC_GENERAL_NAME, "Renamed");
        ClickThenOk(shown, {IDC_GENERAL_PROGRAMS, IDC_GENERAL_MY_FILES, IDC_GENERAL_LINKS, IDC_GENERAL_UNDO});
        ShownSheet again = WaitForSheet(robot, kExistingSchemeCaption);
        if (!again.page) return;
        for (int id : {IDC_GENERAL_PROGRAMS, IDC_GENERAL_MY_FILES, IDC_GENERAL_LINKS, IDC_GENERAL_UNDO})
            checked.push_back(robot.IsChecked(again.page, id));
        nameAfter = robot.Text(again.page, IDC_GENERAL_NAME);
        PressSheetButton(robot, again, PSBTN_CANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Tab Selection Error", notices.shown[0].title);
    EXPECT_EQ("You need to select at least one\n\rof the tabs for Programs, Files, or\n\rWeb Links.", notices.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), notices.shown[0].flags);
    EXPECT_EQ(nullptr, notices.shown[0].owner);
    EXPECT_EQ(std::vector<bool>(4, false), checked) << "tab boxes kept, the stored Undo back";
    EXPECT_EQ("Maths", nameAfter);
}

TEST_F(GeneralPageTest, OkStoresThePageAndLeavesEverythingElse) {
    Edit([&](const ShownSheet& shown) {
        ClickThenOk(shown, {IDC_GENERAL_NEW_RENAME, IDC_GENERAL_DELETE, IDC_GENERAL_CUT_COPY_PASTE, IDC_GENERAL_UNDO,
                            IDC_GENERAL_TALKING, IDC_GENERAL_MENUS_ON, IDC_GENERAL_OPTIONS_OFF});
    });
    const ToolBarPage& page2 = stored.toolBars.pages[1];
    const ToolBarPage& page3 = stored.toolBars.pages[2];
    for (int on : {page2.back, page2.forward, page2.refresh, page2.help, page2.up, page2.deleteItem, page2.undo,
                   page2.icon, stored.defaults.contextMenu})
        EXPECT_EQ(1, on);
    for (int off : {page2.newItem, page2.rename, page2.cut, page2.copy, page2.paste, page2.print, page3.copy,
                    page3.print, stored.defaults.silent, stored.defaults.optionsMenu})
        EXPECT_EQ(0, off);
    EXPECT_EQ("icons", stored.defaults.defaultView);
    // What the page does not show stays as it was.
    for (int kept : {page2.view, page2.side, stored.toolBars.pages[0].cut, page3.cut}) EXPECT_EQ(7, kept);
    EXPECT_EQ(0, stored.toolBars.pages[0].back);
    EXPECT_EQ(5, stored.defaults.shortToolTips);
    EXPECT_EQ(48, stored.defaults.defaultIconSize);
    ASSERT_EQ(1u, stored.roots.roots.size());
    EXPECT_EQ("C:\\Work", stored.roots.roots[0].path);
    ASSERT_EQ(1u, stored.webLinks.links.size());
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
            HELPINFO help = {sizeof help, HELPINFO_WINDOW, IDC_GENERAL_NAME, nullptr, 0, {0, 0}};
            SendMessageA(shown.page, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        });
        PressSheetButton(robot, shown, PSBTN_CANCEL);
    });
    EXPECT_EQ(3, images);
    EXPECT_EQ(0, firstImage);
    // No help file in the sandbox: the help's own report shows that F1 reached it.
    EXPECT_EQ(std::vector<std::string>{"Help Problem"}, notices.Titles());
}
