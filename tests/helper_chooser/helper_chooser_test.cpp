#include <gtest/gtest.h>
#include "helper_chooser/HelperChooserDlg.h"
#include "resource.h"
#include "store/RegistryPaths.h"
#include "tests/bench/Sandbox.h"
#include "tests/bench/robot/Robot.h"

namespace {
const char* const kTitle = "Choose an OnScreen Helper";
const char* const kValue = "msAgent Path";

std::string WindowsFolder() {
    char folder[MAX_PATH] = "";
    FolderPathFunction folderPath = FindFolderFunction();
    return folderPath && SUCCEEDED(folderPath(nullptr, 36, nullptr, 0, folder)) ? folder : "";
}

class HelperChooserTest : public testing::Test {
protected:
    HelperChooserTest() { RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSettingsKey); }

    void Store(const std::string& path) { RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSettingsKey, kValue, path); }
    std::string Stored() { return RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSettingsKey, kValue); }
    std::string PathOf(const std::string& character) { return AgentPath(WindowsFolder(), character); }

    // Opens the chooser and reports the character it shows, then lets `script` go on.
    INT_PTR RunChooser(std::string& shown, const std::function<void(HWND)>& script) {
        INT_PTR result = -2;
        robot.Run([&] { result = CHelperChooserDlg().DoModal(); },
                  [&] {
                      HWND chooser = robot.WaitForWindow(kTitle);
                      if (!chooser) return;
                      shown = robot.Text(chooser, IDC_HELPER_NAME);
                      script(chooser);
                  });
        return result;
    }

    RegistrySandbox registry;
    Robot robot;
};
} // namespace

TEST(HelperChooserPath, CharacterIsTheFileNameWithoutItsExtension) {
    EXPECT_EQ("Merlin", CharacterOfPath("C:\\Windows\\msagent\\chars\\Merlin.acs"));
    EXPECT_EQ("merlin", CharacterOfPath("C:\\Windows\\msagent\\chars\\merlin.acs"));
    EXPECT_EQ("Genie", CharacterOfPath("\\Genie.acs"));  // the first character is never a separator
    EXPECT_EQ("enie", CharacterOfPath("Genie.acs"));     // no separator: all after the first character
    EXPECT_EQ("", CharacterOfPath(".acs"));
    EXPECT_EQ("", CharacterOfPath(""));
    EXPECT_EQ("\\msagent\\chars\\Peedy.acs", AgentPath("", "Peedy"));
}

TEST(HelperChooserPath, FolderFunctionIsFoundOnEveryOpening) {
    FolderPathFunction first = FindFolderFunction();
    ASSERT_TRUE(first);
    EXPECT_EQ(first, FindFolderFunction());
}

TEST_F(HelperChooserTest, ShowsTheStoredCharacter) {
    Store(PathOf("Merlin"));
    std::string shown;
    bool merlin = false, others = true;
    RunChooser(shown, [&](HWND chooser) {
        merlin = robot.IsChecked(chooser, IDC_MERLIN);
        others = robot.IsChecked(chooser, IDC_PEEDY) || robot.IsChecked(chooser, IDC_ROBBY) ||
                 robot.IsChecked(chooser, IDC_GENIE);
        robot.PressEscape(chooser);
    });
    EXPECT_EQ("Merlin", shown);
    EXPECT_TRUE(merlin);
    EXPECT_FALSE(others);
    EXPECT_EQ(PathOf("Merlin"), Stored());
}

TEST_F(HelperChooserTest, UnknownOrMissingCharacterBecomesPeedyAtOnce) {
    for (bool missing : {false, true}) {
        if (!missing) Store(PathOf("merlin")); // letter case counts
        else RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, kValue);
        std::string shown;
        bool peedy = false;
        RunChooser(shown, [&](HWND chooser) {
            peedy = robot.IsChecked(chooser, IDC_PEEDY);
            robot.PressEscape(chooser); // stored already, Escape or not
        });
        EXPECT_EQ("Peedy", shown) << "missing: " << missing;
        EXPECT_TRUE(peedy);
        EXPECT_EQ(PathOf("Peedy"), Stored());
    }
}

TEST_F(HelperChooserTest, OkStoresTheChosenCharacter) {
    Store(PathOf("Robby"));
    std::string shown, after;
    bool genie = false, robby = true;
    INT_PTR result = RunChooser(shown, [&](HWND chooser) {
        robot.Click(chooser, IDC_GENIE);
        robot.Settle();
        after = robot.Text(chooser, IDC_HELPER_NAME);
        genie = robot.IsChecked(chooser, IDC_GENIE);
        robby = robot.IsChecked(chooser, IDC_ROBBY);
        robot.Click(chooser, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("Robby", shown);
    EXPECT_EQ("Genie", after);
    EXPECT_TRUE(genie);
    EXPECT_FALSE(robby);
    EXPECT_EQ(WindowsFolder() + "\\msagent\\chars\\Genie.acs", Stored());
}

TEST_F(HelperChooserTest, EscapeStoresNothing) {
    Store(PathOf("Robby"));
    std::string shown;
    INT_PTR result = RunChooser(shown, [&](HWND chooser) {
        robot.Click(chooser, IDC_MERLIN);
        robot.Settle();
        robot.PressEscape(chooser);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(PathOf("Robby"), Stored());
}

TEST_F(HelperChooserTest, WithoutTheSettingsKeyNothingIsStored) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
    std::string shown;
    RunChooser(shown, [&](HWND chooser) { robot.Click(chooser, IDOK); });
    EXPECT_EQ("Peedy", shown);
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
}
