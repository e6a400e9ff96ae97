#include <gtest/gtest.h>
#include "editor/RootPropertiesDlg.h"
#include "resource.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/robot/Robot.h"
#include "tests/editor/picture_files.h"

namespace {
using namespace picture_files;
const char* const kTitle = "Root Properties";

class RootPropertiesTest : public testing::Test {
protected:
    RootPropertiesTest() { folders.root.Write("User Pictures\\Library.bmp", Solid(RGB(0, 120, 0))); }

    INT_PTR Run(CRootPropertiesDlg& dialog, const std::function<void(HWND)>& script) {
        return robot.RunModal(dialog, kTitle, script);
    }
    // Whether static `id` shows a picture.
    bool ShowsPicture(HWND window, int id) {
        LRESULT icon = 0;
        robot.OnDialogThread([&] { icon = SendDlgItemMessageA(window, id, STM_GETICON, 0, 0); });
        return icon != 0;
    }
    void Edit(CRootPropertiesDlg& dialog, const std::string& expanded, const std::string& collapsed, int levels) {
        dialog.SetEditMode(true);
        dialog.SetDisplayName("Homework");
        dialog.SetRootPath("H:\\Homework");
        dialog.SetExpandedPicture(expanded);
        dialog.SetCollapsedPicture(collapsed);
        dialog.SetFolderLevels(levels);
    }
    void ClickOk(HWND window) {
        robot.Click(window, IDOK);
        robot.WaitUntilGone(window);
    }

    RegistrySandbox registry;
    Folders folders;
    RecordingNotices notices;
    Robot robot;
};

FolderRoot Applied(const CRootPropertiesDlg& dialog) {
    FolderRoot root;
    root.wavFile = "bell.wav";
    root.denyModify = 1;
    dialog.ApplyTo(root);
    return root;
}
} // namespace

TEST_F(RootPropertiesTest, AddStartsEmptyAndTheClearLimitStoresNoLimit) {
    CRootPropertiesDlg dialog;
    dialog.SetEditMode(false);
    dialog.SetDisplayName("left over");
    INT_PTR result = Run(dialog, [&](HWND w) {
        EXPECT_EQ("", robot.Text(w, IDC_ITEM_NAME));
        EXPECT_TRUE(robot.IsChecked(w, IDC_SELECTED_STANDARD));
        EXPECT_TRUE(robot.IsChecked(w, IDC_UNSELECTED_STANDARD));
        EXPECT_FALSE(robot.IsEnabled(w, IDC_SELECTED_CHANGE));
        EXPECT_FALSE(robot.IsEnabled(w, IDC_UNSELECTED_CHANGE));
        EXPECT_FALSE(robot.IsChecked(w, IDC_ROOT_LIMIT_LEVELS));
        EXPECT_FALSE(robot.IsEnabled(w, IDC_ROOT_LEVELS));
        EXPECT_FALSE(robot.IsEnabled(w, IDC_ROOT_LEVELS_SPIN));
        EXPECT_TRUE(ShowsPicture(w, IDC_SELECTED_PICTURE));
        EXPECT_TRUE(ShowsPicture(w, IDC_UNSELECTED_PICTURE));
        robot.SetText(w, IDC_ITEM_NAME, "Homework");
        robot.SetText(w, IDC_ROOT_PATH, "H:\\Homework");
        ClickOk(w);
    });
    ASSERT_EQ(IDOK, result);
    const FolderRoot root = Applied(dialog);
    EXPECT_EQ("Homework", root.displayName);
    EXPECT_EQ("H:\\Homework", root.path);
    EXPECT_EQ(-1, root.folderLevels);
    EXPECT_EQ(folders.Default("Open Folder.bmp"), root.expandedIconFile);
    EXPECT_EQ(folders.Default("Closed Folder.bmp"), root.collapsedIconFile);
    EXPECT_EQ("Homework", root.longToolTip);
    EXPECT_EQ("Homework", root.shortToolTip);
    EXPECT_EQ("", root.wavFile);
    EXPECT_EQ(0, root.denyModify);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(RootPropertiesTest, CheckingTheLimitWithoutTouchingTheSpinStoresZero) {
    CRootPropertiesDlg dialog;
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND w) {
        robot.SetText(w, IDC_ITEM_NAME, "Shared");
        robot.SetText(w, IDC_ROOT_PATH, "S:\\");
        robot.Click(w, IDC_ROOT_LIMIT_LEVELS);
        robot.Settle();
        EXPECT_TRUE(robot.IsEnabled(w, IDC_ROOT_LEVELS));
        EXPECT_TRUE(robot.IsEnabled(w, IDC_ROOT_LEVELS_SPIN));
        ClickOk(w);
    }));
    EXPECT_TRUE(dialog.LimitLevels());
    EXPECT_EQ(0, Applied(dialog).folderLevels);
}

TEST_F(RootPropertiesTest, EditShowsTheLevelsLimitOrItsAbsence) {
    CRootPropertiesDlg dialog;
    Edit(dialog, CRootPropertiesDlg::OpenFolderPicture(), CRootPropertiesDlg::ClosedFolderPicture(), 3);
    Run(dialog, [&](HWND w) {
        EXPECT_TRUE(robot.IsChecked(w, IDC_ROOT_LIMIT_LEVELS));
        EXPECT_EQ("3", robot.Text(w, IDC_ROOT_LEVELS));
        EXPECT_TRUE(robot.IsEnabled(w, IDC_ROOT_LEVELS));
        EXPECT_EQ("Homework", robot.Text(w, IDC_ITEM_NAME));
        ClickOk(w);
    });
    EXPECT_EQ(3, Applied(dialog).folderLevels);

    Edit(dialog, CRootPropertiesDlg::OpenFolderPicture(), CRootPropertiesDlg::ClosedFolderPicture(), -1);
    Run(dialog, [&](HWND w) {
        EXPECT_FALSE(robot.IsChecked(w, IDC_ROOT_LIMIT_LEVELS));
        EXPECT_EQ("1", robot.Text(w, IDC_ROOT_LEVELS));
        EXPECT_FALSE(robot.IsEnabled(w, IDC_ROOT_LEVELS));
        EXPECT_FALSE(robot.IsEnabled(w, IDC_ROOT_LEVELS_SPIN));
        ClickOk(w);
    });
    EXPECT_EQ(-1, Applied(dialog).folderLevels);
}

TEST_F(RootPropertiesTest, StandardChoicesAreStoredAsStandardPicturesAndShownAsStandardAgain) {
    CRootPropertiesDlg dialog;
    Edit(dialog, folders.User("Library.bmp"), folders.Default("Maths.bmp"), -1);
    Run(dialog, [&](HWND w) {
        EXPECT_TRUE(robot.IsChecked(w, IDC_SELECTED_CUSTOM));
        EXPECT_TRUE(robot.IsChecked(w, IDC_UNSELECTED_CUSTOM));
        EXPECT_TRUE(robot.IsEnabled(w, IDC_SELECTED_CHANGE));
        EXPECT_TRUE(robot.IsEnabled(w, IDC_UNSELECTED_CHANGE));
        robot.Click(w, IDC_SELECTED_STANDARD);
        robot.Click(w, IDC_UNSELECTED_STANDARD);
        robot.Settle();
        EXPECT_FALSE(robot.IsEnabled(w, IDC_SELECTED_CHANGE));
        EXPECT_FALSE(robot.IsEnabled(w, IDC_UNSELECTED_CHANGE));
        ClickOk(w);
    });
    const FolderRoot root = Applied(dialog);
    EXPECT_EQ(folders.Default("Open Folder.bmp"), root.expandedIconFile);
    EXPECT_EQ(folders.Default("Closed Folder.bmp"), root.collapsedIconFile);

    Edit(dialog, root.expandedIconFile, root.collapsedIconFile, root.folderLevels);
    Run(dialog, [&](HWND w) {
        EXPECT_TRUE(robot.IsChecked(w, IDC_SELECTED_STANDARD));
        EXPECT_TRUE(robot.IsChecked(w, IDC_UNSELECTED_STANDARD));
        EXPECT_FALSE(robot.IsEnabled(w, IDC_SELECTED_CHANGE));
        robot.PressEscape(w);
    });
}

TEST_F(RootPropertiesTest, CustomWithoutAPictureFallsBackToTheStandardOne) {
    CRootPropertiesDlg dialog;
    Run(dialog, [&](HWND w) {
        robot.SetText(w, IDC_ITEM_NAME, "Exams");
        robot.SetText(w, IDC_ROOT_PATH, "X:\\");
        robot.Click(w, IDC_SELECTED_CUSTOM);
        robot.Click(w, IDC_UNSELECTED_CUSTOM);
        robot.Settle();
        EXPECT_TRUE(robot.IsEnabled(w, IDC_SELECTED_CHANGE));
        EXPECT_FALSE(ShowsPicture(w, IDC_SELECTED_PICTURE));
        ClickOk(w);
    });
    EXPECT_EQ(CRootPropertiesDlg::kCustom, dialog.SelectedChoice());
    const FolderRoot root = Applied(dialog);
    EXPECT_EQ(folders.Default("Open Folder.bmp"), root.expandedIconFile);
    EXPECT_EQ(folders.Default("Closed Folder.bmp"), root.collapsedIconFile);
}

TEST_F(RootPropertiesTest, ChangeTakesThePickedPictureAndAnEmptyPickChangesNothing) {
    CRootPropertiesDlg dialog;
    Edit(dialog, folders.Default("Maths.bmp"), folders.Default("Maths.bmp"), -1);
    Run(dialog, [&](HWND w) {
        robot.Click(w, IDC_SELECTED_CHANGE);
        HWND picker = robot.WaitForWindow("Icon Picker");
        if (!picker) return;
        std::vector<ListRow> rows = robot.ListRows(picker, IDC_PICKER_PICTURES);
        ASSERT_EQ(5u, rows.size());
        EXPECT_EQ("", rows[4].texts[0]); // pictures without names
        robot.SelectRow(picker, IDC_PICKER_PICTURES, 4); // the user-defined picture comes last
        ClickOk(picker);

        robot.Click(w, IDC_UNSELECTED_CHANGE);
        picker = robot.WaitForWindow("Icon Picker");
        if (picker) ClickOk(picker); // nothing selected
        ClickOk(w);
    });
    EXPECT_EQ(folders.User("Library.bmp"), dialog.ExpandedPicture());
    EXPECT_EQ(folders.Default("Maths.bmp"), dialog.CollapsedPicture());
    EXPECT_EQ(folders.User("Library.bmp"), Applied(dialog).expandedIconFile);
}

TEST_F(RootPropertiesTest, PathKeepsColonsAndIsCutTo255WhileTheNameLosesThem) {
    CRootPropertiesDlg dialog;
    Run(dialog, [&](HWND w) {
        robot.SetText(w, IDC_ITEM_NAME, "Year:7");
        EXPECT_EQ("Year7", robot.Text(w, IDC_ITEM_NAME));
        robot.SetText(w, IDC_ROOT_PATH, "C:\\" + std::string(252, 'p'));
        EXPECT_EQ(255u, robot.Text(w, IDC_ROOT_PATH).size());
        robot.SetText(w, IDC_ROOT_PATH, "C:\\" + std::string(252, 'p') + "q");
        EXPECT_EQ("C:\\" + std::string(252, 'p'), robot.Text(w, IDC_ROOT_PATH));
        ClickOk(w);
    });
    ASSERT_EQ(2u, notices.shown.size());
    EXPECT_EQ("Error: Illegal Character", notices.shown[0].title);
    EXPECT_EQ("The following characters are not allowed:\n\n< > ? \\ / * \" | :", notices.shown[0].text);
    EXPECT_EQ("Error: Text too long", notices.shown[1].title);
    EXPECT_EQ("There is a limit of 255 characters", notices.shown[1].text);
    EXPECT_EQ(UINT(MB_OK | MB_ICONEXCLAMATION), notices.shown[1].flags);
    EXPECT_TRUE(notices.beeps.empty());
    EXPECT_EQ(255u, dialog.RootPath().size());
}

TEST_F(RootPropertiesTest, OkWithoutTypingKeepsAStoredNameAndPathThatTypingCouldNotEnter) {
    const std::string path = "S:/Juniors/" + std::string(250, 'd');
    CRootPropertiesDlg dialog;
    Edit(dialog, CRootPropertiesDlg::OpenFolderPicture(), CRootPropertiesDlg::ClosedFolderPicture(), -1);
    dialog.SetDisplayName("Year 7: Drama");
    dialog.SetRootPath(path);
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND w) {
        EXPECT_EQ("Year 7: Drama", robot.Text(w, IDC_ITEM_NAME));
        ClickOk(w);
    }));
    const FolderRoot root = Applied(dialog);
    EXPECT_EQ("Year 7: Drama", root.displayName);
    EXPECT_EQ(path, root.path);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(RootPropertiesTest, OkWithBothFieldsEmptyShowsNameErrorThenPathErrorAndStaysOpen) {
    CRootPropertiesDlg dialog;
    HWND owner = nullptr;
    INT_PTR result = Run(dialog, [&](HWND w) {
        owner = w;
        robot.Click(w, IDOK);
        robot.WaitForNotices(notices, 2);
        EXPECT_TRUE(IsWindowVisible(w));
        robot.Click(w, IDC_DIALOG_CANCEL);
        robot.WaitUntilGone(w);
    });
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(2u, notices.shown.size());
    EXPECT_EQ("Name Error", notices.shown[0].title);
    EXPECT_EQ("You must enter a name for this root", notices.shown[0].text);
    EXPECT_EQ("Path Error", notices.shown[1].title);
    EXPECT_EQ("You must enter a path for this root", notices.shown[1].text);
    EXPECT_EQ(owner, notices.shown[1].owner);
    EXPECT_EQ(UINT(MB_OK), notices.shown[1].flags);
}

TEST_F(RootPropertiesTest, AnEmptyDefaultFolderSettingGivesPicturesRelativeToNothing) {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, "Default Pictures");
    CRootPropertiesDlg dialog;
    Run(dialog, [&](HWND w) {
        EXPECT_FALSE(ShowsPicture(w, IDC_SELECTED_PICTURE));
        robot.SetText(w, IDC_ITEM_NAME, "Work");
        robot.SetText(w, IDC_ROOT_PATH, "W:\\");
        ClickOk(w);
    });
    const FolderRoot root = Applied(dialog);
    EXPECT_EQ("\\Open Folder.bmp", root.expandedIconFile);
    EXPECT_EQ("\\Closed Folder.bmp", root.collapsedIconFile);
}
