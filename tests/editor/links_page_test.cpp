#include <gtest/gtest.h>
#include "resource.h"
#include "tests/editor/picture_pages.h"

namespace {
using Rows = std::vector<std::pair<std::string, int>>;

WebLink Link(const std::string& name, const std::string& picture) {
    WebLink link;
    link.displayName = name;
    link.url = "http://" + name + ".example.org/";
    link.iconFile = picture;
    link.longToolTip = name + " pages";
    link.shortToolTip = name;
    link.wavFile = name + ".wav";
    return link;
}

class LinksPageTest : public PicturePageTest {
protected:
    LinksPageTest() {
        scheme.webLinks.links = {Link("News", ""), Link("Clubs", folders.User("Eco Club.bmp")),
                                 Link("Gone", folders.Default("Gone.bmp"))};
        scheme.webLinks.count = 3;
    }
};
} // namespace

TEST_F(LinksPageTest, ListsLinksWithTheirPicturesOrTheDefaultLinkPicture) {
    Rows rows;
    std::vector<std::string> urls;
    Edit(kLinksTab, [&](HWND sheet, HWND page) {
        rows = RowsOf(page, IDC_LINK_LIST);
        for (const ListRow& row : robot.ListRows(page, IDC_LINK_LIST)) urls.push_back(row.texts[1]);
        EXPECT_FALSE(robot.IsEnabled(page, IDC_ITEM_EDIT));
        robot.SelectRow(page, IDC_LINK_LIST, 1);
        robot.Settle();
        EXPECT_TRUE(robot.IsEnabled(page, IDC_ITEM_EDIT));
        EXPECT_TRUE(robot.IsEnabled(page, IDC_ITEM_REMOVE));
        PressOk(sheet);
    });
    const int fallback = ImageOf(folders.Default("defaultWebLink.bmp"));
    EXPECT_EQ((Rows{{"News", fallback}, {"Clubs", ImageOf(folders.User("Eco Club.bmp"))}, {"Gone", fallback}}), rows);
    EXPECT_EQ("http://News.example.org/", urls[0]);
    EXPECT_EQ(3, stored.webLinks.count);
    EXPECT_EQ(folders.Default("Gone.bmp"), stored.webLinks.links[2].iconFile); // kept, only not shown
}

TEST_F(LinksPageTest, UpAndDownStopAtTheEndsAndRemoveAsksFirst) {
    notices.Answer(IDCANCEL);
    Edit(kLinksTab, [&](HWND sheet, HWND page) {
        robot.SelectRow(page, IDC_LINK_LIST, 2);
        robot.Click(page, IDC_MOVE_DOWN);
        robot.Click(page, IDC_MOVE_UP);
        robot.Click(page, IDC_MOVE_UP);
        robot.Click(page, IDC_MOVE_UP);
        robot.Settle();
        EXPECT_EQ(0, Selected(page, IDC_LINK_LIST));
        robot.Click(page, IDC_ITEM_REMOVE); // answered Cancel
        robot.WaitForNotices(notices, 1);
        robot.Click(page, IDC_ITEM_REMOVE);
        robot.WaitForNotices(notices, 2);
        PressOk(sheet);
    });
    ASSERT_EQ(2u, notices.shown.size());
    EXPECT_EQ("Web Link Deletion", notices.shown[0].title);
    EXPECT_EQ("Are you sure you want to delete this Web Link ?", notices.shown[0].text);
    EXPECT_EQ(UINT(MB_OKCANCEL | MB_ICONEXCLAMATION), notices.shown[0].flags);
    ASSERT_EQ(2, stored.webLinks.count);
    EXPECT_EQ("News", stored.webLinks.links[0].displayName);
    EXPECT_EQ("Clubs", stored.webLinks.links[1].displayName);
}

TEST_F(LinksPageTest, AddStoresNoPictureNorSoundAndEditKeepsTheSound) {
    Rows rows;
    Edit(kLinksTab, [&](HWND sheet, HWND page) {
        robot.Click(page, IDC_ITEM_ADD);
        HWND dialog = robot.WaitForWindow("Web Links");
        if (!dialog) return;
        robot.SetText(dialog, IDC_ITEM_NAME, "Library");
        robot.SetText(dialog, IDC_LINK_URL, "http://library.example.org/");
        robot.Click(dialog, IDOK);
        robot.WaitUntilGone(dialog);

        robot.SelectRow(page, IDC_LINK_LIST, 1);
        robot.Click(page, IDC_ITEM_EDIT);
        dialog = robot.WaitForWindow("Web Links");
        if (!dialog) return;
        EXPECT_EQ("Clubs pages", robot.Text(dialog, IDC_LINK_LONG_TIP));
        robot.SetText(dialog, IDC_LINK_URL, "http://clubs.example.org/new");
        robot.Click(dialog, IDOK);
        robot.WaitUntilGone(dialog);
        rows = RowsOf(page, IDC_LINK_LIST);
        PressOk(sheet);
    });
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ(std::make_pair(std::string("Library"), ImageOf(folders.Default("defaultWebLink.bmp"))), rows[3]);
    ASSERT_EQ(4, stored.webLinks.count);
    const WebLink& added = stored.webLinks.links[3];
    EXPECT_EQ("", added.iconFile);
    EXPECT_EQ("", added.wavFile);
    const WebLink& edited = stored.webLinks.links[1];
    EXPECT_EQ("http://clubs.example.org/new", edited.url);
    EXPECT_EQ(folders.User("Eco Club.bmp"), edited.iconFile);
    EXPECT_EQ("Clubs.wav", edited.wavFile);
}
