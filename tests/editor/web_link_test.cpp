#include <gtest/gtest.h>
#include "editor/WebLinkDlg.h"
#include "resource.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/robot/Robot.h"
#include "tests/editor/picture_files.h"

namespace {
using namespace picture_files;
const char* const kTitle = "Web Links";

class WebLinkTest : public testing::Test {
protected:
    WebLinkTest() { folders.root.Write("User Pictures\\School Crest.bmp", Solid(RGB(120, 0, 0))); }

    INT_PTR Run(CWebLinkDlg& dialog, const std::function<void(HWND)>& script) {
        return robot.RunModal(dialog, kTitle, script);
    }
    bool ShowsPicture(HWND window) {
        LRESULT icon = 0;
        robot.OnDialogThread([&] { icon = SendDlgItemMessageA(window, IDC_LINK_PICTURE, STM_GETICON, 0, 0); });
        return icon != 0;
    }
    void Fill(HWND w, const std::string& name, const std::string& url) {
        robot.SetText(w, IDC_ITEM_NAME, name);
        robot.SetText(w, IDC_LINK_URL, url);
    }
    void ClickOk(HWND w) {
        robot.Click(w, IDOK);
        robot.WaitUntilGone(w);
    }

    RegistrySandbox registry;
    Folders folders;
    RecordingNotices notices;
    Robot robot;
};
} // namespace

TEST_F(WebLinkTest, AddStartsEmptyAndWithoutChangeKeepsNoPicture) {
    CWebLinkDlg dialog;
    WebLink stale;
    stale.displayName = "Old";
    stale.iconFile = folders.Default("Maths.bmp");
    dialog.SetValues(stale);
    dialog.SetEditMode(false);
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND w) {
        EXPECT_EQ("", robot.Text(w, IDC_ITEM_NAME));
        EXPECT_FALSE(ShowsPicture(w));
        Fill(w, "News", "http://news.example.org/");
        robot.SetText(w, IDC_LINK_LONG_TIP, "Today's news");
        robot.SetText(w, IDC_LINK_SHORT_TIP, "News");
        ClickOk(w);
    }));
    WebLink link;
    link.wavFile = "kept.wav";
    dialog.CopyTo(link);
    EXPECT_EQ("News", link.displayName);
    EXPECT_EQ("http://news.example.org/", link.url);
    EXPECT_EQ("", link.iconFile);
    EXPECT_EQ("Today's news", link.longToolTip);
    EXPECT_EQ("News", link.shortToolTip);
    EXPECT_EQ("kept.wav", link.wavFile);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(WebLinkTest, LiveChecksRemoveSpacesFromTheUrlAndCutTheTooltips) {
    CWebLinkDlg dialog;
    Run(dialog, [&](HWND w) {
        robot.SetText(w, IDC_LINK_URL, "http://a b.org");
        EXPECT_EQ("http://ab.org", robot.Text(w, IDC_LINK_URL));
        robot.SetText(w, IDC_LINK_LONG_TIP, std::string(101, 'l'));
        EXPECT_EQ(std::string(100, 'l'), robot.Text(w, IDC_LINK_LONG_TIP));
        robot.SetText(w, IDC_LINK_SHORT_TIP, std::string(51, 's'));
        EXPECT_EQ(std::string(50, 's'), robot.Text(w, IDC_LINK_SHORT_TIP));
        robot.SetText(w, IDC_ITEM_NAME, "a:b");
        EXPECT_EQ("ab", robot.Text(w, IDC_ITEM_NAME));
        robot.PressEscape(w);
    });
    ASSERT_EQ(4u, notices.shown.size());
    EXPECT_EQ("Error: Illegal Character", notices.shown[0].title);
    EXPECT_EQ("The following characters are not allowed:\n\n< > \\   * \" |", notices.shown[0].text);
    EXPECT_EQ("There is a limit of 100 characters", notices.shown[1].text);
    EXPECT_EQ("Error: Text too long", notices.shown[1].title);
    EXPECT_EQ("There is a limit of 50 characters", notices.shown[2].text);
    EXPECT_EQ("The following characters are not allowed:\n\n< > ? / \\ : * \" |", notices.shown[3].text);
    for (const Notice& notice : notices.shown) EXPECT_EQ(UINT(MB_OK | MB_ICONEXCLAMATION), notice.flags);
}

TEST_F(WebLinkTest, OkRefusesAMissingNameAMissingUrlAndBadCharactersButAcceptsPercent) {
    CWebLinkDlg dialog;
    INT_PTR result = Run(dialog, [&](HWND w) {
        robot.Click(w, IDOK);
        robot.WaitForNotices(notices, 1);
        robot.SetText(w, IDC_ITEM_NAME, "Search");
        robot.Click(w, IDOK);
        robot.WaitForNotices(notices, 2);
        robot.SetText(w, IDC_LINK_URL, "http://search.example.org/#top");
        robot.Click(w, IDOK);
        robot.WaitForNotices(notices, 3);
        EXPECT_EQ("", robot.Text(w, IDC_LINK_URL));
        EXPECT_TRUE(IsWindowVisible(w));
        robot.SetText(w, IDC_LINK_URL, "http://search.example.org/?q=a%20b");
        ClickOk(w);
    });
    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(3u, notices.shown.size());
    EXPECT_EQ("Missing Name", notices.shown[0].title);
    EXPECT_EQ("The Name is missing.\n\rPlease enter the Name and try again.", notices.shown[0].text);
    EXPECT_EQ(nullptr, notices.shown[0].owner);
    EXPECT_EQ("Missing URL", notices.shown[1].title);
    EXPECT_EQ("The URL is missing.\n\rPlease enter the URL and try again.", notices.shown[1].text);
    EXPECT_EQ("Invalid characters in URL", notices.shown[2].title);
    EXPECT_EQ("Invalid characters have been found in the URL\n\r\n\rPlease do not use the characters:\n\r"
              "{}|\\^~[]'<>\"#%@!",
              notices.shown[2].text);
    EXPECT_EQ(UINT(MB_OK), notices.shown[2].flags);
    EXPECT_EQ("http://search.example.org/?q=a%20b", dialog.Url());
}

TEST_F(WebLinkTest, OkWithoutTypingKeepsStoredFieldsThatTypingCouldNotEnter) {
    WebLink stored;
    stored.displayName = "Maths: Games";
    stored.url = "file://\\\\server\\maths games\\index.htm";
    stored.longToolTip = std::string(101, 'l');
    stored.shortToolTip = std::string(51, 's');
    CWebLinkDlg dialog;
    dialog.SetEditMode(true);
    dialog.SetValues(stored);
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND w) { ClickOk(w); }));
    WebLink link;
    dialog.CopyTo(link);
    EXPECT_EQ(stored.displayName, link.displayName);
    EXPECT_EQ(stored.url, link.url);
    EXPECT_EQ(stored.longToolTip, link.longToolTip);
    EXPECT_EQ(stored.shortToolTip, link.shortToolTip);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(WebLinkTest, EditShowsTheLinkAndChangeTakesThePickedPicture) {
    CWebLinkDlg dialog;
    WebLink link;
    link.displayName = "Maths";
    link.url = "http://maths.example.org/";
    link.iconFile = folders.Default("Maths.bmp");
    link.longToolTip = "Maths pages";
    link.shortToolTip = "Maths";
    link.wavFile = "chime.wav";
    dialog.SetEditMode(true);
    dialog.SetValues(link);
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND w) {
        EXPECT_EQ("Maths", robot.Text(w, IDC_ITEM_NAME));
        EXPECT_EQ("Maths pages", robot.Text(w, IDC_LINK_LONG_TIP));
        EXPECT_TRUE(ShowsPicture(w));
        robot.Click(w, IDC_LINK_CHANGE);
        HWND picker = robot.WaitForWindow("Icon Picker");
        if (!picker) return;
        robot.DoubleClickRow(picker, IDC_PICKER_PICTURES, 4);
        robot.WaitUntilGone(picker);
        ClickOk(w);
    }));
    dialog.CopyTo(link);
    EXPECT_EQ(folders.User("School Crest.bmp"), link.iconFile);
    EXPECT_EQ("chime.wav", link.wavFile);
}
