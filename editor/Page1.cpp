#include "editor/Page1.h"

namespace {
const char* const kTabNames[3] = {"Programs", "My Files", "Links"};
const int kTabBoxes[3] = {IDC_GENERAL_PROGRAMS, IDC_GENERAL_MY_FILES, IDC_GENERAL_LINKS};
const char* const kViewNames[4] = {"One Pane Tree", "Two Pane Tree", "Icon View", "Details View"};
const char* const kViewValues[4] = {"tree1", "tree2", "icons", "details"};
// Stands for "no description" (an empty registry value would read as a missing one elsewhere).
const char* const kNoDescription = " ";

int TabNamed(const std::string& name) {
    for (int tab = 0; tab < 3; ++tab) {
        if (name == kTabNames[tab]) return tab;
    }
    return -1;
}
} // namespace

const std::vector<Command<CPage1>> CPage1::commands_ = {
    {IDC_GENERAL_NAME, EN_CHANGE, &CPage1::OnNameChange},
    {IDC_GENERAL_DESCRIPTION, EN_CHANGE, &CPage1::OnDescriptionChange},
    {IDC_GENERAL_PROGRAMS, BN_CLICKED, &CPage1::OnPrograms},
    {IDC_GENERAL_MY_FILES, BN_CLICKED, &CPage1::OnMyFiles},
    {IDC_GENERAL_LINKS, BN_CLICKED, &CPage1::OnLinks},
    {IDC_GENERAL_TAB, CBN_SELCHANGE, &CPage1::OnTabChoice},
    {IDC_GENERAL_VIEW, CBN_SELCHANGE, &CPage1::OnViewChoice},
};

CPage1::CPage1() : PropertyPage(IDD_GENERAL_PAGE) {}

void CPage1::SetNameAndDescription(const std::string& name, const std::string& description) {
    initialName_ = name;
    initialDescription_ = description;
}

void CPage1::SetStored(const Scheme& stored) {
    stored_ = stored;
    storedGiven_ = true;
}

void CPage1::SetTabs(bool programs, bool myFiles, bool links) {
    showTab[kPrograms] = programs;
    showTab[kMyFiles] = myFiles;
    showTab[kLinks] = links;
}

bool CPage1::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

BOOL CPage1::OnInitDialog() {
    if (!storedGiven_) {
        stored_ = Scheme();
        stored_.ReadFromRegistry(initialName_); // a section that cannot be read shows its empty values
    }
    const ToolBarPage& page2 = stored_.toolBars.pages[1];
    newRename = page2.newItem != 0;
    deleteButton = page2.deleteItem != 0;
    cutCopyPaste = page2.copy != 0;
    undo = page2.undo != 0;
    print = page2.print != 0;
    iconSize = page2.icon != 0;
    silent = stored_.defaults.silent != 0;
    contextMenus = stored_.defaults.contextMenu != 0;
    optionsMenu = stored_.defaults.optionsMenu != 0;

    // The template of a completely new scheme lends its settings, not its name.
    const bool fromTemplate = initialName_ == kNewSchemeTemplate;
    nameText = fromTemplate ? std::string() : initialName_;
    descriptionText = fromTemplate ? std::string() : initialDescription_;
    name_.Show(Hwnd(), nameText);
    description_.Show(Hwnd(), descriptionText, descriptionText == kNoDescription ? std::string() : descriptionText);

    Exchange(false);
    FillTabList(stored_.defaults.defaultFirstTab);
    FillViewList(stored_.defaults.defaultView);
    EnableItem(IDC_GENERAL_VIEW, showTab[kMyFiles]);
    return TRUE;
}

bool CPage1::Exchange(bool save) {
    struct Box {
        int id;
        bool CPage1::*field;
    };
    static const Box boxes[] = {
        {IDC_GENERAL_NEW_RENAME, &CPage1::newRename},   {IDC_GENERAL_DELETE, &CPage1::deleteButton},
        {IDC_GENERAL_CUT_COPY_PASTE, &CPage1::cutCopyPaste}, {IDC_GENERAL_UNDO, &CPage1::undo},
        {IDC_GENERAL_PRINT, &CPage1::print},           {IDC_GENERAL_ICON_SIZE, &CPage1::iconSize},
        {IDC_GENERAL_SILENT, &CPage1::silent},         {IDC_GENERAL_MENUS_ON, &CPage1::contextMenus},
        {IDC_GENERAL_OPTIONS_ON, &CPage1::optionsMenu},
    };
    // The second button of each radio pair is the first one's opposite.
    static const int opposites[][2] = {{IDC_GENERAL_SILENT, IDC_GENERAL_TALKING},
                                       {IDC_GENERAL_MENUS_ON, IDC_GENERAL_MENUS_OFF},
                                       {IDC_GENERAL_OPTIONS_ON, IDC_GENERAL_OPTIONS_OFF}};
    for (const Box& box : boxes) {
        if (save) {
            this->*box.field = IsChecked(box.id);
        } else {
            SetChecked(box.id, this->*box.field);
        }
    }
    for (int tab = 0; tab < 3; ++tab) {
        if (save) {
            showTab[tab] = IsChecked(kTabBoxes[tab]);
        } else {
            SetChecked(kTabBoxes[tab], showTab[tab]);
        }
    }
    if (!save) {
        for (const auto& pair : opposites) SetChecked(pair[1], !IsChecked(pair[0]));
    }
    return true;
}

void CPage1::CheckTypedEdit(const CheckedEdit& edit, std::string& text) {
    edit.OnChange(Hwnd());
    // A correction has checked the text again by now, so this is the final text.
    text = edit.Value(Hwnd());
}

void CPage1::ToggleTab(Tab tab) {
    showTab[tab] = IsChecked(kTabBoxes[tab]);
    ComboBox list = TabList();
    if (showTab[tab]) {
        SelectTabEntry(list.Add(kTabNames[tab]));
    } else {
        const int entry = list.Find(kTabNames[tab]);
        if (entry >= 0) {
            list.Delete(entry);
            // The entry before the removed one, or the first; an empty list keeps the default tab.
            if (list.Count() > 0) SelectTabEntry(entry > 0 ? entry - 1 : 0);
        }
    }
    if (tab == kMyFiles) EnableItem(IDC_GENERAL_VIEW, showTab[kMyFiles]);
    list.Redraw();
}

void CPage1::FillTabList(int storedFirstTab) {
    ComboBox list = TabList();
    list.Clear();
    for (int tab = 0; tab < 3; ++tab) {
        if (showTab[tab]) list.Add(kTabNames[tab]);
    }
    defaultTab = kPrograms;
    if (list.Count() == 0) return;
    const int stored = storedFirstTab - 1;
    const int entry = stored >= 0 && stored < 3 ? list.Find(kTabNames[stored]) : -1;
    SelectTabEntry(entry >= 0 ? entry : 0);
}

void CPage1::SelectTabEntry(int entry) {
    ComboBox list = TabList();
    list.Select(entry);
    const int tab = TabNamed(list.ItemText(entry));
    if (tab >= 0) defaultTab = tab;
}

void CPage1::OnTabChoice() {
    const int entry = TabList().Selected();
    if (entry >= 0) SelectTabEntry(entry);
}

void CPage1::FillViewList(const std::string& storedView) {
    ComboBox list = ViewList();
    list.Clear();
    for (const char* name : kViewNames) list.Add(name);
    defaultView = 0;
    for (int view = 0; view < 4; ++view) {
        if (storedView == kViewValues[view]) {
            list.Select(view);
            defaultView = view;
        }
    }
}

void CPage1::OnViewChoice() {
    const int view = ViewList().Selected();
    if (view >= 0 && view < 4) defaultView = view;
}

void CPage1::StoreInto(Scheme& scheme) const {
    scheme.tabs.page1 = showTab[kPrograms] ? 1 : 0;
    scheme.tabs.page2 = showTab[kMyFiles] ? 1 : 0;
    scheme.tabs.page3 = showTab[kLinks] ? 1 : 0;

    ToolBarPage& page2 = scheme.toolBars.pages[1];
    // The shell's navigation buttons are always offered.
    page2.back = page2.forward = page2.refresh = page2.help = page2.up = 1;
    page2.newItem = page2.rename = newRename ? 1 : 0;
    page2.cut = page2.copy = page2.paste = cutCopyPaste ? 1 : 0;
    page2.deleteItem = deleteButton ? 1 : 0;
    page2.undo = undo ? 1 : 0;
    page2.print = print ? 1 : 0;
    page2.icon = iconSize ? 1 : 0;
    ToolBarPage& page3 = scheme.toolBars.pages[2];
    page3.copy = cutCopyPaste ? 1 : 0;
    page3.print = print ? 1 : 0;

    DefaultsSection& defaults = scheme.defaults;
    defaults.defaultFirstTab = defaultTab + 1;
    defaults.defaultView = kViewValues[defaultView >= 0 && defaultView < 4 ? defaultView : 0];
    defaults.silent = silent ? 1 : 0;
    defaults.contextMenu = contextMenus ? 1 : 0;
    defaults.optionsMenu = optionsMenu ? 1 : 0;
}
