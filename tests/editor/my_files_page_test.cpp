#include <gtest/gtest.h>
#include "resource.h"
#include "tests/editor/picture_pages.h"

namespace {
using Rows = std::vector<std::pair<std::string, int>>;

FolderRoot Root(const std::string& name, const std::string& picture) {
    FolderRoot root;
    root.displayName = name;
    root.path = "C:\\" + name;
    root.collapsedIconFile = picture;
    root.folderLevels = 2;
    root.wavFile = name + ".wav";
    root.denyModify = 1;
    return root;
}

class MyFilesPageTest : public PicturePageTest {
protected:
    MyFilesPageTest() {
        scheme.roots.roots = {Root("Maths", folders.Default("Maths.bmp")), Root("Clubs", folders.User("Eco Club.bmp")),
                              Root("Odd", folders.Default("maths.bmp"))};
        scheme.roots.count = 3;
    }
    std::vector<std::string> StoredNames() const {
        std::vector<std::string> names;
        for (const FolderRoot& root : stored.roots.roots) names.push_back(root.displayName);
        return names;
    }
};
} // namespace

TEST_F(MyFilesPageTest, ComesThirdAndListsRootsWithTheirPicturesOrTheClosedFolder) {
    std::vector<std::string> tabs;
    Rows rows;
    bool edit = true, remove = true;
    Edit(kMyFilesTab, [&](HWND sheet, HWND page) {
        HWND tabControl = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        for (int i = 0; i < 3; ++i) {
            char text[64] = "";
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(tabControl, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            tabs.push_back(text);
        }
        rows = RowsOf(page, IDC_ROOT_LIST);
        edit = robot.IsEnabled(page, IDC_ITEM_EDIT);
        remove = robot.IsEnabled(page, IDC_ITEM_REMOVE);
        PressOk(sheet);
    });
    EXPECT_EQ((std::vector<std::string>{"General", "Links", "My Files"}), tabs);
    // A stored path in other letters is no picture of the library: the closed folder stands in.
    EXPECT_EQ((Rows{{"Maths", ImageOf(folders.Default("Maths.bmp"))},
                    {"Clubs", ImageOf(folders.User("Eco Club.bmp"))},
                    {"Odd", ImageOf(folders.Default("Closed Folder.bmp"))}}),
              rows);
    EXPECT_FALSE(edit);
    EXPECT_FALSE(remove);
    // OK without changes keeps the roots whole, and the icon size it only carries.
    ASSERT_EQ(3, stored.roots.count);
    EXPECT_EQ("Maths.wav", stored.roots.roots[0].wavFile);
    EXPECT_EQ(48, stored.defaults.defaultIconSize);
}

TEST_F(MyFilesPageTest, UpAndDownMoveTheSelectedRootButNotPastTheEnds) {
    std::vector<int> selections;
    Edit(kMyFilesTab, [&](HWND sheet, HWND page) {
        robot.SelectRow(page, IDC_ROOT_LIST, 0);
        robot.Click(page, IDC_MOVE_UP);
        robot.Settle();
        selections.push_back(Selected(page, IDC_ROOT_LIST));
        robot.Click(page, IDC_MOVE_DOWN);
        robot.Settle();
        selections.push_back(Selected(page, IDC_ROOT_LIST));
        EXPECT_TRUE(robot.IsEnabled(page, IDC_ITEM_EDIT));
        robot.Click(page, IDC_MOVE_DOWN);
        robot.Click(page, IDC_MOVE_DOWN); // the last: nothing happens
        robot.Settle();
        selections.push_back(Selected(page, IDC_ROOT_LIST));
        PressOk(sheet);
    });
    EXPECT_EQ((std::vector<int>{0, 1, 2}), selections);
    EXPECT_EQ((std::vector<std::string>{"Clubs", "Odd", "Maths"}), StoredNames());
    EXPECT_EQ(folders.Default("Maths.bmp"), stored.roots.roots[2].collapsedIconFile); // moved whole
    EXPECT_EQ("Maths.wav", stored.roots.roots[2].wavFile);
}

TEST_F(MyFilesPageTest, RemoveAsksFirst) {
    notices.Answer(IDCANCEL);
    notices.Answer(IDOK);
    Rows rows;
    Edit(kMyFilesTab, [&](HWND sheet, HWND page) {
        robot.SelectRow(page, IDC_ROOT_LIST, 1);
        robot.Click(page, IDC_ITEM_REMOVE);
        robot.WaitForNotices(notices, 1);
        robot.Click(page, IDC_ITEM_REMOVE);
        robot.WaitForNotices(notices, 2);
        rows = RowsOf(page, IDC_ROOT_LIST);
        PressOk(sheet);
    });
    ASSERT_EQ(2u, notices.shown.size());
    EXPECT_EQ("Root Deletion", notices.shown[0].title);
    EXPECT_EQ("Are you sure you want to delete this root ?", notices.shown[0].text);
    EXPECT_EQ(UINT(MB_OKCANCEL | MB_ICONEXCLAMATION), notices.shown[0].flags);
    EXPECT_EQ(2u, notices.beeps.size());
    EXPECT_EQ((Rows{{"Maths", ImageOf(folders.Default("Maths.bmp"))},
                    {"Odd", ImageOf(folders.Default("Closed Folder.bmp"))}}),
              rows);
    EXPECT_EQ(2, stored.roots.count);
    EXPECT_EQ((std::vector<std::string>{"Maths", "Odd"}), StoredNames());
}

TEST_F(MyFilesPageTest, AddAndEditGoThroughRootPropertiesIntoTheScheme) {
    Edit(kMyFilesTab, [&](HWND sheet, HWND page) {
        robot.Click(page, IDC_ITEM_ADD);
        HWND dialog = robot.WaitForWindow("Root Properties");
        if (!dialog) return;
        robot.SetText(dialog, IDC_ITEM_NAME, "Homework");
        robot.SetText(dialog, IDC_ROOT_PATH, "H:\\");
        robot.Click(dialog, IDOK);
        robot.WaitUntilGone(dialog);

        robot.DoubleClickRow(page, IDC_ROOT_LIST, 0);
        dialog = robot.WaitForWindow("Root Properties");
        if (!dialog) return;
        EXPECT_EQ("Maths", robot.Text(dialog, IDC_ITEM_NAME));
        EXPECT_EQ("2", robot.Text(dialog, IDC_ROOT_LEVELS));
        robot.SetText(dialog, IDC_ITEM_NAME, "Numbers");
        robot.Click(dialog, IDOK);
        robot.WaitUntilGone(dialog);
        PressOk(sheet);
    });
    ASSERT_EQ(4, stored.roots.count);
    ASSERT_EQ(4u, stored.roots.roots.size());
    const FolderRoot& added = stored.roots.roots[3];
    EXPECT_EQ("Homework", added.displayName);
    EXPECT_EQ(-1, added.folderLevels);
    EXPECT_EQ(folders.Default("Closed Folder.bmp"), added.collapsedIconFile);
    const FolderRoot& edited = stored.roots.roots[0];
    EXPECT_EQ("Numbers", edited.displayName);
    EXPECT_EQ("Numbers", edited.longToolTip);
    EXPECT_EQ("Numbers", edited.shortToolTip);
    EXPECT_EQ("", edited.wavFile);
    EXPECT_EQ(0, edited.denyModify);
    EXPECT_EQ(2, edited.folderLevels);
    EXPECT_EQ(folders.Default("Maths.bmp"), edited.collapsedIconFile); // a custom picture stays
    EXPECT_EQ(48, stored.defaults.defaultIconSize);
}
