// "&Save to disk" and "&Load from disk" through the real main dialog, with the file dialogs
// scripted; and the system's Save dialog itself, driven by the robot.
#include <gtest/gtest.h>
#include "app/MainDialog.h"
#include "framework/FileChooser.h"
#include "framework/FileSystem.h"
#include "resource.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"
#include "tests/bench/robot/Robot.h"
#include "tests/sections/SchemeSamples.h"

namespace {

const char* const kFilter = "Vexar Lumen Scheme Manager file (*.esm)|*.esm|";

// Answers the file dialogs from a script and remembers how they were asked for.
class ScriptedChooser : public FileChooser {
public:
    struct Call {
        bool open;
        HWND owner;
        FileDialogOptions options;
    };

    ScriptedChooser() : previous_(SetFileChooser(this)) {}
    ~ScriptedChooser() override { SetFileChooser(previous_); }

    bool ChooseToOpen(HWND owner, const FileDialogOptions& options, std::string& path) override {
        return Answer(true, owner, options, path);
    }
    bool ChooseToSave(HWND owner, const FileDialogOptions& options, std::string& path) override {
        return Answer(false, owner, options, path);
    }

    std::string path;    // the path picked
    bool pressOk = true; // false: the user cancels
    std::vector<Call> calls;

private:
    bool Answer(bool open, HWND owner, const FileDialogOptions& options, std::string& chosen) {
        calls.push_back({open, owner, options});
        if (pressOk) chosen = path;
        return pressOk;
    }
    FileChooser* previous_;
};

// The owners of the progress dialogs this thread makes.
class ProgressOwners {
public:
    ProgressOwners() {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~ProgressOwners() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    std::vector<HWND> owners;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && current_) {
            const CREATESTRUCTA& window = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            if (window.lpszName && std::string(window.lpszName) == "Progress")
                current_->owners.push_back(window.hwndParent);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static ProgressOwners* current_;
    HHOOK hook_;
};
ProgressOwners* ProgressOwners::current_ = nullptr;

class DiskCommandsTest : public testing::Test {
protected:
    DiskCommandsTest() {
        for (const char* name : {"Alpha", "Beta"}) {
            RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, name,
                                       std::string("About ") + name);
            SampleScheme(name).WriteToRegistry(name);
        }
    }

    // Shows the main dialog while `script` drives it, then closes it.
    void RunMain(const std::function<void()>& script) {
        robot.Run([&] { CMainDialog().DoModal(); },
                  [&] {
                      main = robot.WaitForWindow("Vexar Lumen Scheme Manager");
                      if (!main) return;
                      script();
                      robot.Click(main, IDOK);
                  });
    }

    // While a save or load runs, its progress dialog drops every message posted to other windows
    // of the thread, the robot's own among them; so the end is awaited from here, by its effect.
    static bool Eventually(const std::function<bool()>& condition) {
        for (int i = 0; i < 400; ++i) {
            if (condition()) return true;
            Sleep(10);
        }
        return false;
    }

    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (const ListRow& row : robot.ListRows(main, IDC_SCHEME_LIST))
            rows.push_back(row.texts.at(0) + " / " + row.texts.at(1));
        return rows;
    }

    RegistrySandbox registry;
    TempFolder folder;
    RecordingNotices notices;
    ScriptedChooser chooser;
    Robot robot;
    HWND main = nullptr;
};

TEST_F(DiskCommandsTest, SavedSchemesLoadBackAndTheListFollows) {
    chooser.path = folder.File("all.esm");
    std::vector<std::string> afterLoad;
    const ProgressOwners progress;
    RunMain([&] {
        robot.Click(main, IDC_SAVE_TO_DISK);
        ASSERT_TRUE(Eventually([&] { return PathExists(chooser.path); }));
        robot.Settle();
        robot.OnDialogThread([] {
            RegKey(false, kSchemesKey).DeleteTree("Beta");
            RegKey(true, kSchemesKey).DeleteValue("Beta");
            RegKey(true, kSchemesKey).WriteString("Alpha", "Changed");
        });
        robot.Click(main, IDC_LOAD_FROM_DISK);
        ASSERT_TRUE(Eventually([] {
            return RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Beta") ==
                   "About Beta";
        }));
        robot.Settle();
        afterLoad = Rows();
    });
    EXPECT_EQ(afterLoad, (std::vector<std::string>{"Alpha / About Alpha", "Beta / About Beta"}));
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Beta") + "\\Defaults",
                                         "DefaultView"),
              "details");
    EXPECT_TRUE(notices.shown.empty());
    // Owned by the main dialog: no taskbar button of its own, never behind the main dialog.
    EXPECT_EQ(progress.owners, (std::vector<HWND>{main, main}));

    ASSERT_EQ(chooser.calls.size(), 2u);
    for (const ScriptedChooser::Call& call : chooser.calls) {
        EXPECT_EQ(call.owner, main);
        EXPECT_EQ(call.options.filter, kFilter);
        EXPECT_EQ(call.options.defaultExtension, "*.esm");
        EXPECT_EQ(call.options.initialName, "*.esm");
    }
    EXPECT_FALSE(chooser.calls[0].open);
    EXPECT_EQ(chooser.calls[0].options.flags,
              static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON));
    EXPECT_TRUE(chooser.calls[1].open);
    EXPECT_EQ(chooser.calls[1].options.flags,
              static_cast<DWORD>(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON));
}

TEST_F(DiskCommandsTest, SaveIntoAMissingFolderIsRefused) {
    chooser.path = folder.File("gone\\all.esm");
    RunMain([&] {
        robot.Click(main, IDC_SAVE_TO_DISK);
        robot.WaitForNotices(notices, 1);
    });
    ASSERT_EQ(notices.shown.size(), 1u);
    EXPECT_EQ(notices.shown[0].owner, main);
    EXPECT_EQ(notices.shown[0].title, "Export Problem");
    EXPECT_EQ(notices.shown[0].text,
              "The folder you have specified is read only, please pick another");
    EXPECT_EQ(notices.shown[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(notices.beeps, std::vector<UINT>{MB_ICONEXCLAMATION});
    EXPECT_FALSE(PathExists(folder.File("gone")));
}

TEST_F(DiskCommandsTest, CancelledFileDialogsDoNothing) {
    chooser.pressOk = false;
    chooser.path = folder.File("all.esm");
    std::vector<std::string> before, after;
    RunMain([&] {
        before = Rows();
        robot.Click(main, IDC_SAVE_TO_DISK);
        robot.Click(main, IDC_LOAD_FROM_DISK);
        robot.Settle();
        after = Rows();
    });
    EXPECT_EQ(chooser.calls.size(), 2u);
    EXPECT_EQ(after, before);
    EXPECT_EQ(folder.Read("all.esm"), "<missing>");
    EXPECT_TRUE(notices.shown.empty());
}

TEST(SystemFileChooser, SaveDialogAddsTheExtensionToATypedName) {
    TempFolder folder;
    Robot robot;
    std::string path;
    bool chosen = false;
    robot.Run(
        [&] {
            chosen = SystemFileChooser().ChooseToSave(
                nullptr, {kFilter, "*.esm", "*.esm", OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON},
                path);
        },
        [&] {
            HWND dialog = robot.WaitForWindow("Save As");
            ASSERT_TRUE(dialog);
            robot.SetText(dialog, 1148, folder.File("backup"));
            robot.Click(dialog, IDOK);
            robot.WaitUntilGone(dialog);
        });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(path, folder.File("backup.esm"));
}

} // namespace
