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

// The names a new or renamed scheme must not take: every listed scheme but the one being renamed,
// which is no clash with itself (so a change of letter case alone is allowed).
std::vector<std::string> TakenNames(const SchemeStore& store,
                                    const SchemeEntry* renamed = nullptr) {
    std::vector<std::string> names;
    for (const SchemeEntry& entry : store.entries) {
        if (&entry != renamed) names.push_back(entry.name);
    }
    return names;
}

// The copy a new scheme starts as; a view the shell does not know becomes the two-pane tree.
Scheme NewSchemeFrom(const Scheme& source) {
    Scheme created = source;
    bool known = false;
    for (const char* view : kViews)
        known = known || SameSchemeName(created.defaults.defaultView, view);
    if (!known) created.defaults.defaultView = "tree2";
    return created;
}

// Reads the one scheme it edits and writes only that one back; returns the name it has afterwards.
// The shell keeps keys of its own under a scheme's key, which the model does not hold: a rename
// moves the whole tree, and the modelled sections are then written over it.
std::string EditListedScheme(CMainDialog& main, size_t index) {
    SchemeStore& store = main.Store();
    CMainDialog::SchemeWork& work = main.Work();
    const HWND owner = main.Hwnd();
    work.oldName = store.entries[index].name;
    Scheme scheme;
    {
        // Read whole: no writer is half way through it meanwhile. The turn ends before the sheet.
        const WriterLock turn(owner);
        if (!turn.Held()) return work.oldName;
        scheme.ReadFromRegistry(work.oldName, true);
    }

    CMyPropertySheet sheet(kExistingSchemeCaption, owner);
    sheet.Fill(scheme, work.oldName, store.entries[index].description, &scheme);
    if (sheet.Show(true) != IDOK) return work.oldName;

    const CPage1& page = sheet.General();
    work.newName = page.nameText;
    const bool renamed = work.newName != work.oldName;
    if (renamed)
        work.newName = MakeUnique(owner, RequireNonBlank(owner, work.newName),
                                  TakenNames(store, &store.entries[index]));
    if (renamed && work.newName.empty()) return work.oldName; // no name could be asked for
    const WriterLock turn(owner);
    if (!turn.Held()) return work.oldName;
    work.description = page.descriptionText;

    sheet.StoreInto(scheme);
    scheme.name = work.newName;
    if (renamed) {
        // The old name's value goes first: in another letter case it is the same value, which
        // SaveScheme then writes under the new spelling. Without a rename the value is written in
        // place, once.
        RegKey schemes(false, kSchemesKey);
        if (schemes.Open(KEY_ALL_ACCESS)) schemes.DeleteValue(work.oldName);
        // When the copy fails the old tree stays, so nothing of the shell's is lost.
        store.MoveSchemeKey(work.oldName, work.newName);
        RenameAllocations(work.oldName, work.newName);
    }
    store.SaveScheme({work.newName, work.description}, scheme);
    return work.newName;
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

std::string MakeUnique(HWND owner, const std::string& name, const std::vector<std::string>& taken) {
    std::string current = name;
    for (;;) {
        bool clash = false;
        for (const std::string& other : taken)
            clash = clash || SameSchemeName(other, current);
        if (!clash || current.empty()) return current;
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
            if (SameSchemeName(value.Text(), name)) noted.push_back(value.name);
        }
        for (const std::string& valueName : noted) key.DeleteValue(valueName);
    }
}

void RenameAllocations(const std::string& oldName, const std::string& newName) {
    for (const char* path : {kClassSchemesKey, kUserSchemesKey, kUserGroupSchemesKey}) {
        RegKey key(false, path);
        if (!key.Open(KEY_ALL_ACCESS)) continue;
        for (const RegValue& value : key.Values()) {
            if (SameSchemeName(value.Text(), oldName)) key.WriteString(value.name, newName);
        }
    }
}

void CreateScheme(CMainDialog& main) {
    CSchemeCreationDlg creation(main.Hwnd());
    if (creation.DoModal() != IDOK) return;
    SchemeStore& store = main.Store();
    // The entries the dialog has just read are the machine's: no need to read them again.
    store.entries = creation.Entries();
    if (store.entries.empty()) return; // nothing to start a new scheme from
    const HWND owner = main.Hwnd();
    CMainDialog::SchemeWork& work = main.Work();

    const std::string templateName = creation.copy ? creation.chosenName : kNewSchemeTemplate;
    const SchemeEntry* sourceEntry = FindEntry(store, templateName);
    if (!sourceEntry) sourceEntry = &store.entries.front();
    const std::string sourceName = sourceEntry->name;
    const std::string sourceDescription = sourceEntry->description;
    // The template is the one scheme read.
    Scheme source;
    {
        const WriterLock turn(owner);
        if (!turn.Held()) return;
        source.ReadFromRegistry(sourceName, true);
    }
    Scheme created = NewSchemeFrom(source);

    CMyPropertySheet sheet(kNewSchemeCaption, owner);
    sheet.Fill(created, sourceName, sourceDescription, &source);
    if (sheet.Show(false) != IDOK) return;
    const CPage1& page = sheet.General();
    work.newName = MakeUnique(owner, RequireNonBlank(owner, page.nameText), TakenNames(store));
    if (work.newName.empty()) return; // no name could be asked for
    const WriterLock turn(owner);
    if (!turn.Held()) return;
    work.description = page.descriptionText.empty() ? kNoDescription : page.descriptionText;

    sheet.StoreInto(created);
    created.name = work.newName;
    store.entries.push_back({work.newName, work.description});
    store.SaveScheme(store.entries.back(), created);
    main.ShowEntries(work.newName);
}

void EditScheme(CMainDialog& main) {
    const int row = main.SelectedRow();
    std::string name;
    if (row < 0 || !main.SelectedName(name)) return;
    SchemeStore& store = main.Store();

    size_t index = static_cast<size_t>(row);
    for (size_t i = 0; i < store.entries.size(); ++i) {
        if (store.entries[i].name == name) {
            index = i;
            break;
        }
    }
    main.Work().selectionEditable = !IsProtected(name);
    if (!main.Work().selectionEditable) {
        Warn(main.Hwnd(), name + " is a built in scheme and cannot be edited", "Error");
    } else if (index < store.entries.size()) {
        name = EditListedScheme(main, index);
    }
    // The selection stays on the scheme, wherever a rename sorted it.
    main.SyncList(name);
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
    main.SyncList(std::string());
}
