#pragma once
// Test support for the scheme sheet: stored schemes with every section, and the sheet and its
// General page as the robot sees them.
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "framework/ComboBox.h"
#include "sections/Scheme.h"
#include "store/RegistryPaths.h"
#include "tests/bench/Sandbox.h"
#include "tests/bench/robot/Robot.h"

// A scheme whose every value is set, none of them to what the General page would store.
inline Scheme SampleScheme(const std::string& name) {
    Scheme scheme;
    scheme.name = name;
    scheme.tabs = {1, 1, 1};
    for (ToolBarPage& page : scheme.toolBars.pages) {
        page = ToolBarPage();
        page.view = 7;
        page.side = 7;
        page.cut = 7;
    }
    scheme.toolBars.pages[1].newItem = 1;
    scheme.toolBars.pages[1].copy = 1;
    scheme.toolBars.pages[1].icon = 1;
    DefaultsSection& defaults = scheme.defaults;
    defaults.defaultView = "icons";
    defaults.defaultIconSize = 48;
    defaults.defaultFirstTab = 1;
    defaults.shortToolTips = 5;
    defaults.silent = 1;
    defaults.contextMenu = 0;
    defaults.optionsMenu = 1;
    FolderRoot root;
    root.displayName = "Work";
    root.path = "C:\\Work";
    root.folderLevels = -1;
    scheme.roots.roots = {root};
    scheme.roots.count = 1;
    WebLink link;
    link.displayName = "School";
    link.url = "http://school.example/";
    scheme.webLinks.links = {link};
    scheme.webLinks.count = 1;
    return scheme;
}

// Stores the scheme with its description, as the shell's installation would.
inline void StoreScheme(const Scheme& scheme, const std::string& description) {
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kProductKey);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, scheme.name, description);
    scheme.WriteToRegistry(scheme.name);
}

struct ShownSheet {
    HWND sheet = nullptr;
    HWND page = nullptr; // the page in front
};

inline ShownSheet WaitForSheet(Robot& robot, const std::string& caption) {
    ShownSheet shown;
    shown.sheet = robot.WaitForWindow(caption);
    if (shown.sheet) {
        DWORD_PTR page = 0;
        SendMessageTimeoutA(shown.sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, 4000, &page);
        shown.page = reinterpret_cast<HWND>(page);
    }
    return shown;
}

struct ComboState {
    std::vector<std::string> entries;
    int selected = -1;
};

inline ComboState ReadCombo(Robot& robot, HWND dialog, int id) {
    ComboState state;
    robot.OnDialogThread([&] {
        ComboBox list(dialog, id);
        for (int i = 0; i < list.Count(); ++i) state.entries.push_back(list.ItemText(i));
        state.selected = list.Selected();
    });
    return state;
}

// Chooses an entry as a user would: the selection, then the list's notification.
inline void ChooseInCombo(Robot& robot, HWND dialog, int id, int entry) {
    robot.OnDialogThread([&] {
        HWND list = GetDlgItem(dialog, id);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    });
}

inline void PressSheetButton(Robot& robot, const ShownSheet& shown, int button) {
    robot.Post(shown.sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button));
    robot.WaitUntilGone(shown.sheet);
}
