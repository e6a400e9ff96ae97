#include "app/SchemeCommands.h"
#include <algorithm>
#include "app/MainDialog.h"
#include "app/SchemeDialogs.h"
#include "editor/MyPropertySheet.h"
#include "framework/Notices.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/WriterLock.h"

namespace {
const char* const kViews[] = {"tree1", "tree2", "icons", "details"};
// Stands for an empty description in the registry and the list.
const char* const kNoDescription = " ";

// Letter case as the code page has it, so that accented letters match too.
std::string Upper(std::string text) {
    if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && Upper(a) == Upper(b);
}

Scheme* FindScheme(SchemeStore& store, const std::string& name) {
    for (Scheme& scheme : store.schemes) {
        if (scheme.name == name) return &scheme;
    }
    return nullptr;
}

SchemeEntry* FindEntry(SchemeStore& store, const std::string& name) {
    for (SchemeEntry& entry : store.entries) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

bool IsProtected(const std::string& name) {
    for (const std::string& protectedName : SchemeStore::ReadProtectedNames()) {
        if (protectedName == name) return true;
    }
    return false;
}

void WriteDescription(const std::string& name, const std::string& description) {
    RegKey schemes(false, kSchemesKey);
    if (schemes.Open(KEY_ALL_ACCESS)) schemes.WriteString(name, description);
}

// The shell keeps keys of its own under a scheme's key, which the model does not hold: a rename
// moves the whole tree, and the modelled sections are then written over it. When the copy fails
// the old tree stays, so nothing of the shell's is lost.
void MoveSchemeKey(SchemeStore& store, const std::string& oldName, const std::string& newName) {
    RegKey schemes(false, kSchemesKey);
    if (schemes.CopyTree(oldName, newName)) store.Delete(oldName);
}

void SelectRow(CMainDialog& main, int row) {
    ListView list = main.SchemeList();
    list.Redraw();
    if (row < 0 || row >= list.Count()) return;
    list.Select(row);
    list.EnsureVisible(row);
}

// The copy a new scheme starts as; a view the shell does not know becomes the two-pane tree.
Scheme NewSchemeFrom(const Scheme& source) {
    Scheme created = source;
    bool known = false;
    for (const char* view : kViews) known = known || SameIgnoringCase(created.defaults.defaultView, view);
    if (!known) created.defaults.defaultView = "tree2";
    return created;
}

void EditLoadedScheme(CMainDialog& main, size_t index) {
    SchemeStore& store = main.Store();
    CMainDialog::SchemeWork& work = main.Work();
    const HWND owner = main.Hwnd();
    work.oldName = store.schemes[index].name;
    SchemeEntry* entry = FindEntry(store, work.oldName);

    CMyPropertySheet sheet(kExistingSchemeCaption, owner);
    sheet.Fill(store.schemes[index], work.oldName, entry ? entry->description : std::string());
    if (sheet.Show(true) != IDOK) return;

    const CPage1& page = sheet.General();
    work.newName = page.nameText;
    const bool renamed = work.newName != work.oldName;
    if (renamed) work.newName = MakeUnique(owner, RequireNonBlank(owner, work.newName), store.schemes);
    if (renamed && work.newName.empty()) return; // no name could be asked for
    const WriterLock turn(owner);
    if (!turn.Held()) return;
    work.description = page.descriptionText;

    RegKey schemes(false, kSchemesKey);
    if (schemes.Open(KEY_ALL_ACCESS) && schemes.DeleteValue(work.oldName))
        schemes.WriteString(work.newName, work.description);
    schemes.Close();

    Scheme& scheme = store.schemes[index];
    sheet.StoreInto(scheme);
    scheme.name = work.newName;
    if (entry) {
        entry->name = work.newName;
        entry->description = work.description;
    }
    if (renamed) MoveSchemeKey(store, work.oldName, work.newName);
    store.SaveAll();
    store.Load(false);
    main.RefreshList();
}
} // namespace

std::string RequireNonBlank(HWND owner, const std::string& name) {
    std::string current = name;
    while (current.empty()) {
        CSchemeNameDlg dialog(owner);
        // A dialog that cannot be made would ask for ever: give up with no name.
        if (dialog.DoModal() == -1) return std::string();
        current = dialog.enteredName;
    }
    return current;
}

std::string MakeUnique(HWND owner, const std::string& name, const std::vector<Scheme>& schemes) {
    std::string current = name;
    for (;;) {
        bool taken = false;
        for (const Scheme& scheme : schemes) taken = taken || SameIgnoringCase(scheme.name, current);
        if (!taken || current.empty()) return current;
        // Every name entered is checked against every scheme again.
        current = RequireNonBlank(owner, std::string());
    }
}

void RemoveAllocations(const std::string& name) {
    for (const char* path : {kClassSchemesKey, kUserSchemesKey}) {
        RegKey key(false, path);
        if (!key.Open(KEY_ALL_ACCESS)) continue;
        std::vector<std::string> noted;
        for (const RegValue& value : key.Values()) {
            if (SameIgnoringCase(value.Text(), name)) noted.push_back(value.name);
        }
        for (const std::string& valueName : noted) key.DeleteValue(valueName);
    }
}

void CreateScheme(CMainDialog& main) {
    CSchemeCreationDlg creation(main.Hwnd());
    if (creation.DoModal() != IDOK) return;
    SchemeStore& store = main.Store();
    if (store.schemes.empty()) return; // nothing to start a new scheme from
    const HWND owner = main.Hwnd();
    CMainDialog::SchemeWork& work = main.Work();

    const std::string templateName = creation.copy ? creation.chosenName : kNewSchemeTemplate;
    const Scheme* source = FindScheme(store, templateName);
    if (!source) source = &store.schemes.front();
    const SchemeEntry* sourceEntry = FindEntry(store, source->name);
    const std::string sourceName = source->name;
    const std::string sourceDescription = sourceEntry ? sourceEntry->description : std::string();
    // In the store while the sheet is open, so that its own name counts as taken.
    store.schemes.push_back(NewSchemeFrom(*source));

    CMyPropertySheet sheet(kNewSchemeCaption, owner);
    sheet.Fill(store.schemes.back(), sourceName, sourceDescription);
    if (sheet.Show(false) != IDOK) {
        store.schemes.pop_back();
        return;
    }
    const CPage1& page = sheet.General();
    work.newName = MakeUnique(owner, RequireNonBlank(owner, page.nameText), store.schemes);
    if (work.newName.empty()) { // no name could be asked for
        store.schemes.pop_back();
        return;
    }
    const WriterLock turn(owner);
    if (!turn.Held()) {
        store.schemes.pop_back();
        return;
    }
    work.description = page.descriptionText.empty() ? kNoDescription : page.descriptionText;
    WriteDescription(work.newName, work.description);

    Scheme& created = store.schemes.back();
    sheet.StoreInto(created);
    created.name = work.newName;
    store.SaveAll();
    store.RefreshEntries();
    main.RefreshList();
    SelectRow(main, main.SchemeList().Count() - 1);
}

void EditScheme(CMainDialog& main) {
    const int row = main.SelectedRow();
    std::string name;
    if (row < 0 || !main.SelectedName(name)) return;
    SchemeStore& store = main.Store();

    size_t index = static_cast<size_t>(row);
    for (size_t i = 0; i < store.schemes.size(); ++i) {
        if (store.schemes[i].name == name) {
            index = i;
            break;
        }
    }
    main.Work().selectionEditable = !IsProtected(name);
    if (!main.Work().selectionEditable) {
        Warn(main.Hwnd(), name + " is a built in scheme and cannot be edited", "Error");
    } else if (index < store.schemes.size()) {
        EditLoadedScheme(main, index);
    }
    SelectRow(main, row);
}

void DeleteScheme(CMainDialog& main) {
    const int row = main.SelectedRow();
    std::string name;
    if (row < 0 || !main.SelectedName(name)) return;
    const HWND owner = main.Hwnd();
    if (name.empty()) {
        Warn(owner,
             "As the name of this scheme is a blank deleting it is not possible.\nPlease contact your system "
             "administrator for help",
             "Error");
        return;
    }
    main.Work().selectionEditable = !IsProtected(name);
    if (!main.Work().selectionEditable) {
        Warn(owner, name + " is a built in scheme and cannot be removed", "Error");
        return;
    }
    if (Warn(owner, "Are you sure you want to delete this scheme ?", "Scheme Deletion", MB_OKCANCEL) != IDOK) return;
    const WriterLock turn(owner);
    if (!turn.Held()) return;

    RemoveAllocations(name);
    RegKey schemes(false, kSchemesKey);
    if (schemes.Open(KEY_ALL_ACCESS)) schemes.DeleteValue(name);
    schemes.Close();
    SchemeStore& store = main.Store();
    store.Delete(name);
    store.schemes.erase(std::remove_if(store.schemes.begin(), store.schemes.end(),
                                       [&](const Scheme& scheme) { return scheme.name == name; }),
                        store.schemes.end());
    store.entries.erase(std::remove_if(store.entries.begin(), store.entries.end(),
                                       [&](const SchemeEntry& entry) { return entry.name == name; }),
                        store.entries.end());
    ListView list = main.SchemeList();
    list.DeleteItem(row);
    list.Redraw();
}
