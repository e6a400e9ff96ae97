// The start-up guards: their order, their messages, and the default pictures.
#include <gtest/gtest.h>
#include "store/Settings.h"
#include "app/Startup.h"
#include "framework/FileSystem.h"
#include "store/RegKey.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"

namespace {
const std::string kSchemes = "Software\\Orrinford\\VexarLumen\\Schemes";
const std::string kSettings = "Software\\Orrinford\\VexarLumen\\Settings";
const std::string kInstall = "Software\\Orrinford\\Vexar Lumen Scheme Manager";
const std::string kPolicy = "Software\\Policies\\Orrinford\\Vexar Lumen Scheme Manager";

class FakeProcesses : public ProcessSource {
public:
    std::vector<std::string> names;
    std::vector<std::string> QueryableExeNames() override { return names; }
};

class FakeWindows : public WindowFinder {
public:
    HWND found = nullptr;
    std::string searchedTitle;
    HWND restored = nullptr;
    HWND FindTopLevel(const std::string& title) override {
        searchedTitle = title;
        return found;
    }
    void Restore(HWND window) override { restored = window; }
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.MakeFolder("Pictures");
        folder.MakeFolder("Install");
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSettings, "Default Pictures", folder.File("Pictures"));
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kInstall, "Location", folder.File("Install"));
        folder.Write("Install\\Closed Folder.bmp", "closed");
        folder.Write("Install\\On-Line Resources.bmp", "online");
        processes.names = {"explorer.exe", "Vexar Lumen Scheme Manager.exe"};
    }
    void AddScheme(const std::string& name) {
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemes, name, "");
        RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSchemes + "\\" + name);
    }
    void AddPicture(const std::string& name) { folder.Write("Pictures\\" + name, "BM"); }
    bool Run() {
        bool shown = false;
        RunStartup(processes, windows, [&] { shown = true; });
        return shown;
    }

    RegistrySandbox registry;
    TempFolder folder;
    RecordingNotices notices;
    FakeProcesses processes;
    FakeWindows windows;
};

TEST_F(StartupTest, AllGuardsPassAndTheMainDialogOpens) {
    AddScheme("Default User");
    AddPicture("Maths.bmp");
    EXPECT_TRUE(Run());
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_EQ("closed", folder.Read("Pictures\\Closed Folder.bmp"));
    EXPECT_EQ("online", folder.Read("Pictures\\On-Line Resources.bmp"));
}

TEST_F(StartupTest, SecondCopyRestoresTheFirstAndShowsNothing) {
    AddScheme("Default User");
    AddPicture("Maths.bmp");
    processes.names.push_back("VEXAR LUMEN SCHEME MANAGER.EXE");
    windows.found = reinterpret_cast<HWND>(0x1234);
    EXPECT_FALSE(Run());
    EXPECT_EQ("Vexar Lumen Scheme Manager", windows.searchedTitle);
    EXPECT_EQ(windows.found, windows.restored);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(StartupTest, EveryOwnNameCountsButOnlyQueryableProcessesAreListed) {
    processes.names = {"Vexar Lumen Scheme Manager", "Vexar Lumen Scheme Manager."};
    EXPECT_TRUE(AnotherInstanceRunning(processes));
    processes.names = {"C:\\Program Files\\Orrinford\\Vexar Lumen Scheme Manager\\Vexar Lumen Scheme Manager.exe",
                       "Vexar Lumen Scheme Manager.exe"};
    EXPECT_TRUE(AnotherInstanceRunning(processes));
    processes.names = {"Vexar Lumen Scheme Manager.exe", "Vexar Lumen Scheme Manager (2).exe"};
    EXPECT_FALSE(AnotherInstanceRunning(processes));
}

TEST_F(StartupTest, NoSchemesStopsBeforeThePolicyIsRead) {
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSchemes);
    RegistrySandbox::SetDword(HKEY_CURRENT_USER, kPolicy, "Lock", 1);
    AddPicture("Maths.bmp");
    EXPECT_FALSE(Run());
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("No Schemes Found", notices.shown[0].title);
    EXPECT_EQ("There are no Vexar Lumen Schemes on this machine\n\rso Vexar Lumen Scheme Manager cannot run.\n\r\n\r"
              "Please reinstall Vexar Lumen.",
              notices.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), notices.shown[0].flags);
    EXPECT_EQ(nullptr, notices.shown[0].owner);
    EXPECT_EQ("<missing>", folder.Read("Pictures\\Closed Folder.bmp"));
}

TEST_F(StartupTest, LockPolicy) {
    AddScheme("Default User");
    AddPicture("Maths.bmp");
    RegistrySandbox::SetDword(HKEY_CURRENT_USER, kPolicy, "Lock", 0);
    EXPECT_TRUE(PolicyAllowsUse());
    RegistrySandbox::SetBinary(HKEY_CURRENT_USER, kPolicy, "Lock", std::string(8, '\x01'));
    EXPECT_TRUE(PolicyAllowsUse()) << "a value longer than four bytes cannot be read and allows use";
    EXPECT_TRUE(notices.shown.empty());

    RegistrySandbox::SetDword(HKEY_CURRENT_USER, kPolicy, "Lock", 1);
    EXPECT_FALSE(Run());
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Access Denied", notices.shown[0].title);
    EXPECT_EQ("Vexar Lumen Scheme Manager cannot be used by pupils.", notices.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), notices.shown[0].flags);
}

TEST_F(StartupTest, NoPicturesStopsTheProgram) {
    AddScheme("Default User");
    folder.Write("Pictures\\readme.txt", "not a picture");
    EXPECT_FALSE(Run());
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Unable to Run", notices.shown[0].title);
    EXPECT_EQ("There are no bitmaps available for the Scheme Manager.\n\rPlease reinstall Vexar Lumen.",
              notices.shown[0].text);
    EXPECT_EQ("<missing>", folder.Read("Pictures\\Closed Folder.bmp"));
}

TEST_F(StartupTest, PicturesAreCountedInTheStartingFolderWhenTheSettingIsMissing) {
    AddScheme("Default User");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSettings, "Other", "x");
    SetCurrentFolder(folder.File("Pictures"));
    RegKey(true, kSettings).DeleteValue("Default Pictures"); // only the setting goes
    AddPicture("Here.bmp");
    EXPECT_TRUE(PicturesPresent());
}

TEST_F(StartupTest, OnlyMissingDefaultPicturesAreCopied) {
    folder.Write("Pictures\\Closed Folder.bmp", "school's own");
    CopyDefaultPictures();
    EXPECT_EQ("school's own", folder.Read("Pictures\\Closed Folder.bmp"));
    EXPECT_EQ("online", folder.Read("Pictures\\On-Line Resources.bmp"));
}

TEST_F(StartupTest, NoPictureFolderSettingCopiesNothing) {
    // Otherwise the pictures would land in the root of the current drive.
    SetCurrentFolder(folder.Path());
    RegKey(true, kSettings).DeleteValue("Default Pictures");
    CopyDefaultPictures();
    EXPECT_FALSE(PathExists("\\Closed Folder.bmp"));
    EXPECT_FALSE(PathExists("\\On-Line Resources.bmp"));
}

TEST_F(StartupTest, SettingsAreReadUnexpandedAndEmptyWhenMissing) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSettings, "User Defined Pictures", "%WINDIR%\\Pics", REG_EXPAND_SZ);
    EXPECT_EQ("%WINDIR%\\Pics", GetUserPicturesFolder());
    EXPECT_EQ("", GetHelpPath());
    // Through a 260-byte buffer: 259 characters and the zero byte fit, one more does not.
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kInstall, "Location", std::string(259, 'L'));
    EXPECT_EQ(std::string(259, 'L'), GetInstallFolder());
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kInstall, "Location", std::string(260, 'L'));
    EXPECT_EQ("", GetInstallFolder());
}

TEST_F(StartupTest, HelpProblemWhenTheHelpFileIsMissing) {
    EXPECT_FALSE(OpenHelp());
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Help Problem", notices.shown[0].title);
    EXPECT_EQ("There has been a problem locating the correct help file.\nIt is recommended you inform your system "
              "administrator\nof this error",
              notices.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), notices.shown[0].flags);
    EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, notices.beeps);
}
} // namespace
