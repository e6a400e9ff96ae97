#include <gtest/gtest.h>
#include <algorithm>
#include <future>
#include <thread>
#include "app/MainDialog.h"
#include "app/SchemeCommands.h"
#include "app/SchemeListSite.h"
#include "app/WaitTurnDlg.h"
#include "editor/MyPropertySheet.h"
#include "resource.h"
#include "store/RegKey.h"
#include "store/SchemeStore.h"
#include "store/WriterLock.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/editor/scheme_sheet_bench.h"

namespace {
const char* const kMainTitle = "Vexar Lumen Scheme Manager";
const char* const kNameProblem = "Scheme Name Problem";

// Another writer of the machine (the command-line tool importing, say), holding its turn on a
// thread of its own until released.
class TurnHeldElsewhere {
public:
    TurnHeldElsewhere() {
        std::future<void> taken = taken_.get_future();
        thread_ = std::thread([this] {
            WriterLock lock(nullptr, 0);
            taken_.set_value();
            release_.get_future().wait();
        });
        taken.wait();
    }
    ~TurnHeldElsewhere() { Release(); }
    void Release() {
        if (!thread_.joinable()) return;
        release_.set_value();
        thread_.join();
    }

private:
    std::promise<void> taken_, release_;
    std::thread thread_;
};

class SchemeCommandsTest : public testing::Test {
protected:
    SchemeCommandsTest() {
        // In registry order: the template first.
        StoreScheme(SampleScheme("Default User"), "The template");
        StoreScheme(SampleScheme("Maths"), "Sums");
        StoreScheme(SampleScheme("Art"), "Pictures");
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kProtectedSchemesKey, "Default User", "");
    }

    void RunMain(const std::function<void(HWND)>& script) {
        robot.Run([&] { CMainDialog().DoModal(); },
                  [&] {
                      HWND main = robot.WaitForWindow(kMainTitle);
                      if (!main) return;
                      script(main);
                      robot.Click(main, IDOK);
                  });
    }

    int RowOf(HWND main, const std::string& name) {
        std::vector<ListRow> rows = robot.ListRows(main, IDC_SCHEME_LIST);
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].texts.at(0) == name) return static_cast<int>(row);
        }
        ADD_FAILURE() << "no row " << name;
        return -1;
    }

    std::vector<std::string> Names(HWND main) {
        std::vector<std::string> names;
        for (const ListRow& row : robot.ListRows(main, IDC_SCHEME_LIST)) names.push_back(row.texts.at(0));
        return names;
    }

    int SelectedRow(HWND main) {
        return static_cast<int>(SendMessageA(GetDlgItem(main, IDC_SCHEME_LIST), LVM_GETNEXTITEM,
                                             static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    // Clicks Create, answers the Scheme Creation dialog (a copy of `copyOf`, or a completely new
    // scheme when it is empty) and returns the sheet.
    ShownSheet StartCreate(HWND main, const std::string& copyOf = "") {
        robot.Click(main, IDC_CREATE);
        HWND creation = robot.WaitForWindow("Scheme Creation");
        if (!creation) return ShownSheet();
        if (!copyOf.empty()) {
            robot.Click(creation, IDC_COPY_EXISTING);
            robot.Settle();
            ComboState list = ReadCombo(robot, creation, IDC_COPY_LIST);
            auto at = std::find(list.entries.begin(), list.entries.end(), copyOf);
            ChooseInCombo(robot, creation, IDC_COPY_LIST, static_cast<int>(at - list.entries.begin()));
        }
        robot.Click(creation, IDOK);
        robot.WaitUntilGone(creation);
        return WaitForSheet(robot, kNewSchemeCaption);
    }

    ShownSheet StartEdit(HWND main, const std::string& name) {
        robot.SelectRow(main, IDC_SCHEME_LIST, RowOf(main, name));
        robot.Click(main, IDC_EDIT);
        return WaitForSheet(robot, kExistingSchemeCaption);
    }

    // Answers one Scheme Name Problem dialog with `name`.
    void AnswerName(const std::string& name) {
        HWND dialog = robot.WaitForWindow(kNameProblem);
        if (!dialog) return;
        robot.SetText(dialog, IDC_NEW_NAME, name);
        robot.Click(dialog, IDOK);
        robot.WaitUntilGone(dialog);
        ++namesAsked;
    }

    static std::string Description(const std::string& name) {
        return RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemesKey, name);
    }

    // Runs one command on the dialog thread with a stand-in for the main dialog's list (the
    // selection given), while `script` drives its windows.
    void RunCommand(void (*command)(SchemeStore&, SchemeListSite&), const std::string& selection,
                    const std::function<void()>& script) {
        SchemeStore store;
        StandInList list(store, selection);
        robot.Run([&] { command(store, list); }, script);
        stepsTo = list.stepsTo;
        listed.clear();
        for (const SchemeEntry& entry : store.entries)
            listed.push_back(entry.name);
        std::sort(listed.begin(), listed.end());
    }

    // What happens while the sheet is open, from another writer of the machine, in its own turn.
    static void OtherWriter(const std::function<void()>& write) {
        const WriterLock turn(nullptr);
        ASSERT_TRUE(turn.Held());
        write();
    }

    RegistrySandbox registry;
    RecordingNotices notices;
    Robot robot;
    int namesAsked = 0;
    std::vector<std::string> stepsTo; // the selection of each time the list was brought into step
    std::vector<std::string> listed;  // the entries afterwards, sorted

private:
    class StandInList : public SchemeListSite {
    public:
        StandInList(SchemeStore& store, std::string selection)
            : store_(store), selection_(std::move(selection)) {}
        HWND Owner() const override { return nullptr; }
        bool SelectedName(std::string& name) const override {
            name = selection_;
            return true;
        }
        void BringIntoStep(const std::string& selected) override {
            store_.LoadEntries(false);
            stepsTo.push_back(selected);
        }
        void SetBusy(bool) override {}
        std::vector<std::string> stepsTo;

    private:
        SchemeStore& store_;
        std::string selection_;
    };
};
} // namespace

TEST_F(SchemeCommandsTest, CreateFromTheTemplateStoresTheNewSchemeWithABlankDescription) {
    std::string shownName = "?";
    std::vector<std::string> names;
    int selected = -1;
    RunMain([&](HWND main) {
        ShownSheet sheet = StartCreate(main);
        if (!sheet.page) return;
        shownName = robot.Text(sheet.page, IDC_GENERAL_NAME);
        robot.SetText(sheet.page, IDC_GENERAL_NAME, "Science");
        robot.Click(sheet.page, IDC_GENERAL_UNDO);
        robot.Settle();
        PressSheetButton(robot, sheet, PSBTN_OK);
        robot.Settle();
        names = Names(main);
        selected = SelectedRow(main);
    });
    EXPECT_EQ("", shownName);
    EXPECT_EQ(0, namesAsked);
    EXPECT_EQ((std::vector<std::string>{"Art", "Default User", "Maths", "Science"}), names);
    EXPECT_EQ(3, selected);
    EXPECT_EQ(" ", Description("Science"));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), RegistrySandbox::GetType(HKEY_LOCAL_MACHINE, kSchemesKey, "Science"));
    Scheme science;
    EXPECT_TRUE(science.ReadFromRegistry("Science"));
    EXPECT_EQ(1, science.toolBars.pages[1].undo);
    EXPECT_EQ(48, science.defaults.defaultIconSize) << "the template's values the page does not show";
    ASSERT_EQ(1u, science.roots.roots.size());
    EXPECT_EQ("Science", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Science"), "Scheme Name"));
}

TEST_F(SchemeCommandsTest, CreateWithoutATabAsksAgainAsEditDoes) {
    std::vector<std::string> namesBetween;
    RunMain([&](HWND main) {
        ShownSheet sheet = StartCreate(main);
        if (!sheet.page) return;
        // The template shows all three tabs.
        for (int id : {IDC_GENERAL_PROGRAMS, IDC_GENERAL_MY_FILES, IDC_GENERAL_LINKS})
            robot.Click(sheet.page, id);
        robot.SetText(sheet.page, IDC_GENERAL_NAME, "Science");
        robot.Settle();
        PressSheetButton(robot, sheet, PSBTN_OK);
        ShownSheet again = WaitForSheet(robot, kNewSchemeCaption);
        if (!again.page) return;
        namesBetween = Names(main);
        robot.Click(again.page, IDC_GENERAL_LINKS);
        robot.SetText(again.page, IDC_GENERAL_NAME, "Science");
        robot.Settle();
        PressSheetButton(robot, again, PSBTN_OK);
        robot.Settle();
    });
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Tab Selection Error", notices.shown[0].title);
    EXPECT_EQ((std::vector<std::string>{"Art", "Default User", "Maths"}), namesBetween);
    Scheme science;
    ASSERT_TRUE(science.ReadFromRegistry("Science"));
    EXPECT_EQ(0, science.tabs.page1);
    EXPECT_EQ(0, science.tabs.page2);
    EXPECT_EQ(1, science.tabs.page3);
}

TEST_F(SchemeCommandsTest, WithoutTheTemplateTheFirstSchemeIsCopied) {
    RegKey schemes(false, kSchemesKey);
    ASSERT_TRUE(schemes.DeleteTree("Default User"));
    ASSERT_TRUE(schemes.DeleteValue("Default User"));
    std::string shownName, shownDescription;
    RunMain([&](HWND main) {
        ShownSheet sheet = StartCreate(main);
        if (!sheet.page) return;
        shownName = robot.Text(sheet.page, IDC_GENERAL_NAME);
        shownDescription = robot.Text(sheet.page, IDC_GENERAL_DESCRIPTION);
        PressSheetButton(robot, sheet, PSBTN_CANCEL);
    });
    SchemeStore store;
    store.RefreshEntries();
    ASSERT_EQ(2u, store.entries.size());
    EXPECT_EQ(store.entries[0].name, shownName);
    EXPECT_EQ(store.entries[0].description, shownDescription);
}

TEST_F(SchemeCommandsTest, ACopyKeepingItsNameOrACaseVariantIsAskedForAnotherName) {
    RunMain([&](HWND main) {
        ShownSheet sheet = StartCreate(main, "Maths");
        if (!sheet.page) return;
        robot.SetText(sheet.page, IDC_GENERAL_DESCRIPTION, "");
        robot.Post(sheet.sheet, PSM_PRESSBUTTON, PSBTN_OK);
        AnswerName("maths");
        AnswerName("Physics");
        robot.Settle();
    });
    EXPECT_EQ(2, namesAsked);
    EXPECT_EQ(" ", Description("Physics"));
    EXPECT_EQ("Sums", Description("Maths"));
    Scheme physics;
    EXPECT_TRUE(physics.ReadFromRegistry("Physics"));
    ASSERT_EQ(1u, physics.webLinks.links.size());
    EXPECT_EQ("School", physics.webLinks.links[0].displayName);
}

TEST_F(SchemeCommandsTest, EscapeInTheNamingDialogAsksAgainAndTypedNamesAreChecked) {
    std::string typed;
    RunMain([&](HWND main) {
        ShownSheet sheet = StartCreate(main);
        if (!sheet.page) return;
        robot.Post(sheet.sheet, PSM_PRESSBUTTON, PSBTN_OK);
        HWND first = robot.WaitForWindow(kNameProblem);
        if (!first) return;
        robot.OnDialogThread([&] {
            HELPINFO help = {sizeof help, HELPINFO_WINDOW, IDC_NEW_NAME, nullptr, 0, {0, 0}};
            SendMessageA(first, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        });
        robot.PressEscape(first);
        robot.WaitUntilGone(first);
        HWND second = robot.WaitForWindow(kNameProblem);
        if (!second) return;
        robot.SetText(second, IDC_NEW_NAME, "Dr:ama\xAC");
        typed = robot.Text(second, IDC_NEW_NAME);
        robot.Click(second, IDOK);
        robot.WaitUntilGone(second);
        robot.Settle();
    });
    EXPECT_EQ("Drama", typed);
    EXPECT_EQ(" ", Description("Drama"));
    ASSERT_EQ(3u, notices.shown.size());
    // F1 reached the help, which reports the sandbox's missing help file.
    EXPECT_EQ("Help Problem", notices.shown[0].title);
    EXPECT_EQ("Error: Illegal Character", notices.shown[1].title);
    EXPECT_EQ("The following characters are not allowed:\n\n< > ? \\ / * \" | : \xAC", notices.shown[1].text);
    EXPECT_EQ("The following characters are not allowed:\n\n< > ? \\ / * \" | :", notices.shown[2].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), notices.shown[2].flags);
}

TEST_F(SchemeCommandsTest, RenamingMovesTheShellsOwnKeysAndWhoGetsTheScheme) {
    // Keys of the shell's own, which the scheme model does not hold.
    const std::string shellState = SchemeKeyPath("Maths") + "\\Shell State\\Window";
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, shellState, "Left", 40);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths") + "\\Shell State", "Seen", "yes");
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths") + "\\Defaults", "Theme", 3);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7A", "Maths");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7C", "Art");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kUserSchemesKey, "jo", "MATHS");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kUserGroupSchemesKey, "Staff", "maths");
    std::vector<std::string> names;
    int selected = -1;
    RunMain([&](HWND main) {
        ShownSheet sheet = StartEdit(main, "Maths");
        if (!sheet.page) return;
        robot.SetText(sheet.page, IDC_GENERAL_NAME, "art");
        robot.SetText(sheet.page, IDC_GENERAL_DESCRIPTION, "Numbers");
        robot.Post(sheet.sheet, PSM_PRESSBUTTON, PSBTN_OK);
        AnswerName("Algebra"); // "art" is another scheme's name
        robot.Settle();
        names = Names(main);
        selected = SelectedRow(main);
    });
    EXPECT_EQ(1, namesAsked);
    EXPECT_EQ((std::vector<std::string>{"Algebra", "Art", "Default User"}), names);
    EXPECT_EQ(0, selected) << "the renamed scheme stays selected, wherever it sorts";
    EXPECT_EQ("<missing>", Description("Maths"));
    EXPECT_EQ("Numbers", Description("Algebra"));
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths")));
    const std::string moved = SchemeKeyPath("Algebra");
    EXPECT_EQ("yes", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, moved + "\\Shell State", "Seen"));
    EXPECT_TRUE(RegistrySandbox::ValueExists(HKEY_LOCAL_MACHINE, moved + "\\Shell State\\Window", "Left"));
    EXPECT_TRUE(RegistrySandbox::ValueExists(HKEY_LOCAL_MACHINE, moved + "\\Defaults", "Theme"));
    EXPECT_EQ("Algebra", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, moved, "Scheme Name"));
    // The modelled sections read back as they were saved.
    Scheme algebra;
    EXPECT_TRUE(algebra.ReadFromRegistry("Algebra"));
    Scheme expected = SampleScheme("Algebra");
    EXPECT_EQ(expected.defaults.defaultIconSize, algebra.defaults.defaultIconSize);
    EXPECT_EQ(1, algebra.toolBars.pages[1].back);
    ASSERT_EQ(1u, algebra.roots.roots.size());
    EXPECT_EQ(expected.roots.roots[0].path, algebra.roots.roots[0].path);
    // Whoever had the scheme keeps it under its new name.
    EXPECT_EQ("Algebra", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7A"));
    EXPECT_EQ("Algebra", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kUserSchemesKey, "jo"));
    EXPECT_EQ("Algebra",
              RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kUserGroupSchemesKey, "Staff"));
    EXPECT_EQ("Art", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7C"));
}

TEST_F(SchemeCommandsTest, ChangingOnlyTheLetterCaseAsksNothingAndKeepsTheScheme) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths") + "\\Shell State", "Seen",
                               "yes");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7A", "Maths");
    std::vector<std::string> names;
    RunMain([&](HWND main) {
        ShownSheet sheet = StartEdit(main, "Maths");
        if (!sheet.page) return;
        robot.SetText(sheet.page, IDC_GENERAL_NAME, "maths");
        PressSheetButton(robot, sheet, PSBTN_OK);
        robot.Settle();
        names = Names(main);
    });
    EXPECT_EQ(0, namesAsked);
    EXPECT_EQ((std::vector<std::string>{"Art", "Default User", "maths"}), names);
    // The registry finds both spellings; the names it lists must be the new one.
    RegKey schemes(false, kSchemesKey);
    const std::vector<std::string> keys = schemes.SubKeyNames();
    EXPECT_NE(keys.end(), std::find(keys.begin(), keys.end(), "maths"));
    EXPECT_EQ(3u, keys.size());
    const std::vector<std::string> values = schemes.ValueNames();
    EXPECT_NE(values.end(), std::find(values.begin(), values.end(), "maths"));
    EXPECT_EQ("Sums", Description("maths"));
    EXPECT_EQ("maths", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("maths"),
                                                  "Scheme Name"));
    EXPECT_EQ("yes", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE,
                                                SchemeKeyPath("maths") + "\\Shell State", "Seen"));
    EXPECT_EQ("maths", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7A"));
    Scheme maths;
    EXPECT_TRUE(maths.ReadFromRegistry("maths"));
    ASSERT_EQ(1u, maths.roots.roots.size());
}

// Everything below `path` as text: a scheme's keys and values, type and bytes.
std::string Snapshot(const std::string& path) {
    RegKey key(false, path);
    std::string text;
    for (const RegValue& value : key.Values())
        text +=
            path + " " + value.name + "=" + std::to_string(value.type) + ":" + value.data + "\n";
    for (const std::string& sub : key.SubKeyNames())
        text += Snapshot(path + "\\" + sub);
    return text;
}

TEST_F(SchemeCommandsTest, EditAndCreateLeaveEveryOtherSchemeAsItWas) {
    // Art damaged as older tools leave schemes: more roots counted than stored, no links key.
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, SchemeKeyPath("Art") + "\\FolderDisplay",
                              "RootFolderCount", 4);
    RegKey art(false, SchemeKeyPath("Art"));
    ASSERT_TRUE(art.DeleteTree("WebLinks"));
    const std::string before = Snapshot(SchemeKeyPath("Art"));
    const std::string artDescription = Description("Art");
    RunMain([&](HWND main) {
        ShownSheet sheet = StartEdit(main, "Maths");
        if (!sheet.page) return;
        PressSheetButton(robot, sheet, PSBTN_OK);
        robot.Settle();
        sheet = StartCreate(main, "Maths");
        if (!sheet.page) return;
        robot.SetText(sheet.page, IDC_GENERAL_NAME, "Physics");
        PressSheetButton(robot, sheet, PSBTN_OK);
        robot.Settle();
    });
    EXPECT_EQ(0, namesAsked);
    EXPECT_EQ(before, Snapshot(SchemeKeyPath("Art")));
    EXPECT_EQ(artDescription, Description("Art"));
    EXPECT_EQ("Sums", Description("Physics"));
}

TEST_F(SchemeCommandsTest, AfterAnEditTheListShowsWhatAnotherWriterAddedMeanwhile) {
    std::vector<std::string> names;
    int selected = -1;
    int mathsRow = -2;
    RunMain([&](HWND main) {
        StoreScheme(SampleScheme("Biology"), "Plants"); // as the console tool imports it
        ShownSheet sheet = StartEdit(main, "Maths");
        if (!sheet.page) return;
        PressSheetButton(robot, sheet, PSBTN_OK);
        robot.Settle();
        names = Names(main);
        selected = SelectedRow(main);
        mathsRow = RowOf(main, "Maths");
    });
    EXPECT_EQ((std::vector<std::string>{"Art", "Biology", "Default User", "Maths"}), names);
    EXPECT_EQ(mathsRow, selected);
}

TEST_F(SchemeCommandsTest, EditingWithoutARenameAsksNoNameAndKeepsTheKey) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths") + "\\Shell State", "Seen", "yes");
    RunMain([&](HWND main) {
        ShownSheet sheet = StartEdit(main, "Maths");
        if (!sheet.page) return;
        robot.SetText(sheet.page, IDC_GENERAL_DESCRIPTION, "");
        robot.Click(sheet.page, IDC_GENERAL_PRINT);
        robot.Settle();
        PressSheetButton(robot, sheet, PSBTN_OK);
        robot.Settle();
    });
    EXPECT_EQ(0, namesAsked);
    EXPECT_EQ("", Description("Maths")) << "an edited description may be empty";
    EXPECT_EQ("yes", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths") + "\\Shell State", "Seen"));
    Scheme maths;
    maths.ReadFromRegistry("Maths");
    EXPECT_EQ(1, maths.toolBars.pages[1].print);
    EXPECT_EQ(1, maths.toolBars.pages[2].print);
}

TEST_F(SchemeCommandsTest, BuiltInSchemesCannotBeEditedOrDeleted) {
    int selectedAfterEdit = -1;
    RunMain([&](HWND main) {
        const int row = RowOf(main, "Default User");
        robot.SelectRow(main, IDC_SCHEME_LIST, row);
        robot.Click(main, IDC_EDIT);
        robot.Click(main, IDC_DELETE);
        robot.Settle();
        selectedAfterEdit = SelectedRow(main);
    });
    EXPECT_EQ(1, selectedAfterEdit);
    ASSERT_EQ(2u, notices.shown.size());
    EXPECT_EQ("Default User is a built in scheme and cannot be edited", notices.shown[0].text);
    EXPECT_EQ("Default User is a built in scheme and cannot be removed", notices.shown[1].text);
    for (const Notice& notice : notices.shown) {
        EXPECT_EQ("Error", notice.title);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), notice.flags);
        EXPECT_NE(nullptr, notice.owner);
    }
    EXPECT_EQ(std::vector<UINT>(2, MB_ICONEXCLAMATION), notices.beeps);
    EXPECT_TRUE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, SchemeKeyPath("Default User")));
}

TEST_F(SchemeCommandsTest, DeleteRemovesTheSchemeAndItsClassAndUserAllocations) {
    // Built-in names count with their letter case: this one does not protect Maths.
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kProtectedSchemesKey, "MATHS", "");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths") + "\\Shell State\\Deep", "Seen", "yes");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7A", "Maths");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7B", "MATHS");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7C", "Art");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kUserSchemesKey, "jo", "maths");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kUserGroupSchemesKey, "Staff", "Maths");
    notices.Answer(IDCANCEL);
    std::vector<std::string> afterCancel, names;
    RunMain([&](HWND main) {
        for (std::vector<std::string>* seen : {&afterCancel, &names}) {
            robot.SelectRow(main, IDC_SCHEME_LIST, RowOf(main, "Maths"));
            robot.Click(main, IDC_DELETE);
            robot.Settle();
            *seen = Names(main);
        }
    });
    EXPECT_EQ((std::vector<std::string>{"Art", "Default User", "Maths"}), afterCancel);
    EXPECT_EQ((std::vector<std::string>{"Art", "Default User"}), names);
    ASSERT_EQ(2u, notices.shown.size());
    EXPECT_EQ(std::vector<UINT>(2, MB_ICONEXCLAMATION), notices.beeps);
    EXPECT_EQ("Scheme Deletion", notices.shown[0].title);
    EXPECT_EQ("Are you sure you want to delete this scheme ?", notices.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION), notices.shown[0].flags);
    EXPECT_EQ("<missing>", Description("Maths"));
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths")));
    EXPECT_FALSE(RegistrySandbox::ValueExists(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7A"));
    EXPECT_FALSE(RegistrySandbox::ValueExists(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7B"));
    EXPECT_EQ("Art", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7C"));
    EXPECT_FALSE(RegistrySandbox::ValueExists(HKEY_LOCAL_MACHINE, kUserSchemesKey, "jo"));
    EXPECT_EQ("Maths", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kUserGroupSchemesKey, "Staff"));
}

TEST_F(SchemeCommandsTest, DeleteWaitsForAnotherWriterAndWithoutItsTurnWritesNothing) {
    TurnHeldElsewhere other;
    const DWORD usualWait = WriterLock::DefaultWait();
    WriterLock::SetDefaultWait(0);
    HWND shownTo = nullptr;
    RunMain([&](HWND main) {
        shownTo = main;
        robot.SelectRow(main, IDC_SCHEME_LIST, RowOf(main, "Maths"));
        robot.Click(main, IDC_DELETE);
        robot.Settle();
    });
    WriterLock::SetDefaultWait(usualWait);
    other.Release();
    EXPECT_EQ((std::vector<std::string>{"Scheme Deletion", "Schemes Busy"}), notices.Titles());
    EXPECT_EQ(shownTo, notices.shown.back().owner);
    EXPECT_EQ("Sums", Description("Maths"));
    EXPECT_TRUE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths")));
}

TEST_F(SchemeCommandsTest, EditChangedByAnotherWriterWhileOpenWritesNothing) {
    Scheme theirs = SampleScheme("Maths");
    theirs.defaults.defaultView = "details";
    RunCommand(EditScheme, "Maths", [&] {
        ShownSheet sheet = WaitForSheet(robot, kExistingSchemeCaption);
        if (!sheet.page) return;
        OtherWriter([&] { SchemeStore().SaveScheme({"Maths", "Sums"}, theirs); });
        robot.SetText(sheet.page, IDC_GENERAL_DESCRIPTION, "Mine");
        PressSheetButton(robot, sheet, PSBTN_OK);
        robot.WaitUntilGone(sheet.sheet);
    });
    EXPECT_EQ((std::vector<std::string>{"Scheme Changed"}), notices.Titles());
    EXPECT_EQ("The scheme \"Maths\" was changed by another program while it was open. Nothing "
              "has been saved.",
              notices.shown.at(0).text);
    EXPECT_EQ("Sums", Description("Maths"));
    Scheme maths;
    maths.ReadFromRegistry("Maths");
    EXPECT_EQ("details", maths.defaults.defaultView);
    EXPECT_EQ((std::vector<std::string>{"Maths"}), stepsTo);
}

TEST_F(SchemeCommandsTest, EditOfASchemeDeletedBeforeOrWhileOpenWritesNothing) {
    const auto deleteMaths = [] {
        RegKey schemes(false, kSchemesKey);
        schemes.DeleteTree("Maths");
        schemes.DeleteValue("Maths");
    };
    // Deleted after the list was filled: no sheet at all.
    OtherWriter(deleteMaths);
    RunCommand(EditScheme, "Maths", [] {});
    EXPECT_EQ((std::vector<std::string>{"Scheme Deleted"}), notices.Titles());
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths")));
    EXPECT_EQ((std::vector<std::string>{"Art", "Default User"}), listed);

    // Deleted while the sheet is open.
    StoreScheme(SampleScheme("Maths"), "Sums");
    RunCommand(EditScheme, "Maths", [&] {
        ShownSheet sheet = WaitForSheet(robot, kExistingSchemeCaption);
        if (!sheet.page) return;
        OtherWriter(deleteMaths);
        PressSheetButton(robot, sheet, PSBTN_OK);
        robot.WaitUntilGone(sheet.sheet);
    });
    EXPECT_EQ((std::vector<std::string>{"Scheme Deleted", "Scheme Deleted"}), notices.Titles());
    EXPECT_EQ("The scheme \"Maths\" was deleted by another program while it was open. Nothing "
              "has been saved.",
              notices.shown.at(1).text);
    EXPECT_EQ("<missing>", Description("Maths"));
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths")));
    EXPECT_EQ((std::vector<std::string>{"Art", "Default User"}), listed);
}

TEST_F(SchemeCommandsTest, CreateAsksAgainForANameAnotherWriterTookWhileOpen) {
    RunCommand(CreateScheme, "", [&] {
        HWND creation = robot.WaitForWindow("Scheme Creation");
        if (!creation) return;
        robot.Click(creation, IDOK);
        ShownSheet sheet = WaitForSheet(robot, kNewSchemeCaption);
        if (!sheet.page) return;
        OtherWriter([] { StoreScheme(SampleScheme("Science"), "Theirs"); });
        robot.SetText(sheet.page, IDC_GENERAL_NAME, "SCIENCE");
        PressSheetButton(robot, sheet, PSBTN_OK);
        AnswerName("Biology");
    });
    EXPECT_EQ(1, namesAsked);
    EXPECT_EQ("Theirs", Description("Science"));
    EXPECT_EQ("Science", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Science"),
                                                    "Scheme Name"));
    EXPECT_EQ(" ", Description("Biology"));
    EXPECT_EQ((std::vector<std::string>{"Biology"}), stepsTo);
}

TEST_F(SchemeCommandsTest, AWriterWaitsForItsTurnInAWindowThatCanBeCancelled) {
    CWaitTurnDlg waiting;
    TurnWaiter* usual = SetTurnWaiter(&waiting);
    TurnHeldElsewhere other;
    RunCommand(DeleteScheme, "Maths", [&] {
        if (HWND window = robot.WaitForWindow("Waiting for Another Program"))
            robot.Click(window, IDCANCEL);
    });
    const bool keptWhenCancelled =
        RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths"));
    // The other writer finishing ends the wait by itself.
    RunCommand(DeleteScheme, "Maths", [&] {
        HWND window = robot.WaitForWindow("Waiting for Another Program");
        other.Release();
        if (window) robot.WaitUntilGone(window);
    });
    SetTurnWaiter(usual);
    EXPECT_TRUE(keptWhenCancelled);
    EXPECT_EQ((std::vector<std::string>{"Scheme Deletion", "Scheme Deletion"}), notices.Titles());
    EXPECT_EQ("<missing>", Description("Maths"));
}
