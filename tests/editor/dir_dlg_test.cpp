#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>
#include "editor/DirDlg.h"
#include "editor/RootPropertiesDlg.h"
#include "resource.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/robot/Robot.h"
#include "tests/editor/picture_files.h"

namespace {
const char* const kTitle = "Choose a Folder";

class DirDlgTest : public testing::Test {
protected:
    DirDlgTest() {
        folder.MakeFolder("Year 7");
        folder.Write("notes.txt", "not a folder");
    }

    INT_PTR Run(CDirDlg& chooser, const std::function<void(HWND)>& script) {
        return robot.RunModal(chooser, kTitle, script);
    }
    // The file-name box's text (an edit inside a combo box inside the box on Wine).
    std::string Shown(HWND frame) {
        HWND box = GetDlgItem(frame, cmb13) ? GetDlgItem(frame, cmb13) : GetDlgItem(frame, edt1);
        HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
        for (HWND inner = FindWindowExA(box, nullptr, nullptr, nullptr); !edit && inner;
             inner = FindWindowExA(box, inner, nullptr, nullptr))
            edit = FindWindowExA(inner, nullptr, "Edit", nullptr);
        return robot.Text(edit ? edit : box, 0);
    }
    // Waits until the chooser shows its folder and has handled what it posted while opening: the
    // folder it shows again after a change of folder would otherwise replace a name typed now.
    void WaitUntilReady(HWND frame) {
        robot.WaitUntil([&] { return !Shown(frame).empty(); });
        robot.Settle();
    }
    void Type(HWND frame, const std::string& text) {
        robot.SetText(frame, GetDlgItem(frame, cmb13) ? cmb13 : edt1, text);
    }
    // The standard dialog's own Open processing, as Enter on its hidden Open button would run it.
    void StandardOpen(HWND frame) {
        robot.Post(frame, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(frame, IDOK)));
        robot.Settle();
    }
    void Select(HWND frame) {
        robot.Click(frame, CDirDlg::kSelectId);
        robot.WaitUntilGone(frame);
    }
    std::string Folder() const { return folder.Path() + "\\"; }

    TempFolder folder;
    Robot robot;
};
} // namespace

TEST_F(DirDlgTest, IsReshapedIntoAFolderChooserThatSelectsTheFolderShown) {
    CDirDlg chooser(folder.Path());
    INT_PTR result = Run(chooser, [&](HWND frame) {
        robot.WaitUntil([&] { return !Shown(frame).empty(); });
        EXPECT_EQ("Folder Path:", robot.Text(frame, stc3));
        EXPECT_EQ("Select", robot.Text(frame, CDirDlg::kSelectId));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(frame, CDirDlg::kSelectId)));
        for (int hidden : {IDOK, stc2, cmb1}) EXPECT_FALSE(IsWindowVisible(GetDlgItem(frame, hidden))) << hidden;
        EXPECT_EQ(0, GetWindowLongPtrA(frame, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
        // Enter presses Select.
        DWORD_PTR defaultId = 0;
        SendMessageTimeoutA(frame, DM_GETDEFID, 0, 0, SMTO_NORMAL, 2000, &defaultId);
        EXPECT_EQ(CDirDlg::kSelectId, LOWORD(defaultId));
        EXPECT_EQ(Folder(), Shown(frame));
        Select(frame);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(Folder(), chooser.Result());
}

TEST_F(DirDlgTest, ReturnsTheFolderNavigatedToWithATrailingBackslash) {
    CDirDlg chooser(folder.Path());
    EXPECT_EQ(IDOK, Run(chooser, [&](HWND frame) {
        WaitUntilReady(frame);
        Type(frame, folder.File("Year 7"));
        StandardOpen(frame);
        robot.WaitUntil([&] { return Shown(frame) == folder.File("Year 7") + "\\"; });
        Select(frame);
    }));
    EXPECT_EQ(folder.File("Year 7") + "\\", chooser.Result());
}

TEST_F(DirDlgTest, ATypedFileNameIsNeverAccepted) {
    CDirDlg chooser(folder.Path());
    EXPECT_EQ(IDOK, Run(chooser, [&](HWND frame) {
        WaitUntilReady(frame);
        for (const char* typed : {"notes.txt", "missing.txt"}) {
            Type(frame, typed);
            StandardOpen(frame);
            EXPECT_TRUE(IsWindow(frame) && IsWindowVisible(frame)) << typed;
        }
        Select(frame);
    }));
    EXPECT_EQ(Folder(), chooser.Result());
}

TEST_F(DirDlgTest, CancelReturnsCancel) {
    CDirDlg chooser(folder.Path());
    EXPECT_EQ(IDCANCEL, Run(chooser, [&](HWND frame) {
        robot.Click(frame, IDCANCEL);
        robot.WaitUntilGone(frame);
    }));
}

TEST_F(DirDlgTest, RootPropertiesBrowseStartsAtTheDriveRootWhenThePathIsEmpty) {
    RegistrySandbox registry;
    picture_files::Folders pictures;
    RecordingNotices notices;
    CRootPropertiesDlg dialog;
    std::string path;
    robot.Run([&] { dialog.DoModal(); },
              [&] {
                  HWND window = robot.WaitForWindow("Root Properties");
                  if (!window) return;
                  robot.Click(window, IDC_ROOT_BROWSE);
                  HWND frame = robot.WaitForWindow(kTitle);
                  if (!frame) return;
                  robot.WaitUntil([&] { return !Shown(frame).empty(); });
                  EXPECT_EQ("C:\\", Shown(frame));
                  Select(frame);
                  robot.Settle();
                  path = robot.Text(window, IDC_ROOT_PATH);

                  // A typed path is where the next browse starts.
                  robot.SetText(window, IDC_ROOT_PATH, folder.Path());
                  robot.Click(window, IDC_ROOT_BROWSE);
                  frame = robot.WaitForWindow(kTitle);
                  if (!frame) return;
                  robot.WaitUntil([&] { return !Shown(frame).empty(); });
                  EXPECT_EQ(Folder(), Shown(frame));
                  robot.Click(frame, IDCANCEL);
                  robot.WaitUntilGone(frame);
                  robot.Settle();
                  EXPECT_EQ(folder.Path(), robot.Text(window, IDC_ROOT_PATH)); // Cancel changes nothing
              });
    EXPECT_EQ("C:\\", path);
}
