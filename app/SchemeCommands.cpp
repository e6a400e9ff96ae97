#include "app/SchemeCommands.h"
#include <algorithm>
#include <optional>
#include "app/SchemeDialogs.h"
#include "app/SchemeListSite.h"
#include "editor/MyPropertySheet.h"
#include "framework/Notices.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/WriterLock.h"

namespace {
const char* const kViews[] = {"tree1", "tree2", "icons", "details"};
// Stands for an empty description in the registry and the list.
const char* const kNoDescription = " ";

// The entry named `name` exactly, else one the registry takes for it (letter case ignored).
const SchemeEntry* FindEntry(const SchemeStore& store, const std::string& name) {
    for (const SchemeEntry& entry : store.entries) {
        if (entry.name == name) return &entry;
    }
    for (const SchemeEntry& entry : store.entries) {
        if (SameSchemeName(entry.name, name)) return &entry;
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
std::vector<std::string> TakenNames(const SchemeStore& store, const std::string& renamed) {
    std::vector<std::string> names;
    for (const SchemeEntry& entry : store.entries) {
        if (entry.name != renamed) names.push_back(entry.name);
    }
    return names;
}

bool Taken(const std::string& name, const std::vector<std::string>& taken) {
    for (const std::string& other : taken) {
        if (SameSchemeName(other, name)) return true;
    }
    return false;
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

void ReportGone(HWND owner, const std::string& name) {
    Warn(owner,
         "The scheme \"" + name +
             "\" is no longer on this computer: another program has deleted it.",
         "Scheme Deleted");
}

// Reads the listed scheme `name` whole, in the writers' turn: its entry as the registry lists it
// now, and its sections. False when it is not listed any more or the turn was not had; `gone` says
// which.
bool ReadListed(HWND owner, SchemeStore& store, const std::string& name, SchemeEntry& entry,
                Scheme& scheme, bool& gone) {
    gone = false;
    const WriterLock turn(owner);
    if (!turn.Held()) return false;
    store.LoadEntries(false);
    const SchemeEntry* listed = FindEntry(store, name);
    gone = listed == nullptr;
    if (gone) return false;
    entry = *listed;
    scheme.ReadFromRegistry(entry.name, true);
    return true;
}

// Takes the writers' turn and reads the entries again under it; then asks for names until `name`
// is free among them (letter case ignored; `renamed` is no clash), giving the turn back while it
// asks. `unchanged` runs first under every turn: when it says false the command writes nothing.
// True with the turn held and a free name; false when there is nothing to write.
template <class Unchanged>
bool TurnWithFreeName(HWND owner, SchemeStore& store, std::string& name, const std::string& renamed,
                      std::optional<WriterLock>& turn, Unchanged unchanged) {
    for (;;) {
        turn.emplace(owner);
        if (!turn->Held()) return false;
        store.LoadEntries(false);
        if (!unchanged()) return false;
        const std::vector<std::string> taken = TakenNames(store, renamed);
        if (!Taken(name, taken)) return true;
        // Another writer took the name meanwhile: ask for another without holding the turn.
        turn.reset();
        name = MakeUnique(owner, name, taken);
        if (name.empty()) return false; // no name could be asked for
    }
}

// Edits the listed scheme `name` and writes it back unless another writer changed or deleted it
// while the sheet was open; returns the name it has afterwards. The shell keeps keys of its own
// under a scheme's key, which the model does not hold: a rename moves the whole tree, and the
// modelled sections are then written over it.
std::string EditListedScheme(SchemeStore& store, HWND owner, const std::string& name) {
    SchemeEntry opened;
    Scheme scheme;
    bool gone = false;
    if (!ReadListed(owner, store, name, opened, scheme, gone)) {
        if (gone) ReportGone(owner, name);
        return name;
    }
    const std::string oldName = opened.name;
    const Scheme asOpened = scheme;

    CMyPropertySheet sheet(kExistingSchemeCaption, owner);
    sheet.Fill(scheme, oldName, opened.description, &scheme);
    if (sheet.Show() != IDOK) return oldName;

    const CPage1& page = sheet.General();
    std::string newName = page.nameText;
    const bool renamed = newName != oldName;
    if (renamed)
        newName = MakeUnique(owner, RequireNonBlank(owner, newName), TakenNames(store, oldName));
    if (renamed && newName.empty()) return oldName; // no name could be asked for

    // What the sheet was opened on must still be what the registry holds.
    bool deleted = false, changed = false;
    const auto unchanged = [&] {
        const SchemeEntry* now = FindEntry(store, oldName);
        deleted = now == nullptr;
        if (deleted) return false;
        Scheme current;
        current.ReadFromRegistry(now->name, true);
        changed = now->name != oldName || now->description != opened.description ||
                  !current.SameSettings(asOpened);
        return !changed;
    };
    std::optional<WriterLock> turn;
    if (!TurnWithFreeName(owner, store, newName, oldName, turn, unchanged)) {
        if (deleted || changed)
            Warn(owner,
                 "The scheme \"" + oldName + "\" was " + (deleted ? "deleted" : "changed") +
                     " by another program while it was open. Nothing has been saved.",
                 deleted ? "Scheme Deleted" : "Scheme Changed");
        return oldName;
    }

    sheet.StoreInto(scheme);
    scheme.name = newName;
    // The description value is deleted and written again even when the name stays: it then
    // comes last in the Schemes key's value order, which the template choice, Scheme Creation's
    // list and the next save follow. In another letter case it is the same value, which
    // SaveScheme writes under the new spelling.
    RegKey schemes(false, kSchemesKey);
    if (schemes.Open(KEY_ALL_ACCESS)) schemes.DeleteValue(oldName);
    if (renamed) {
        // When the copy fails the old tree stays, so nothing of the shell's is lost.
        store.MoveSchemeKey(oldName, newName);
        RenameAllocations(oldName, newName);
    }
    store.SaveScheme({newName, page.descriptionText}, scheme);
    return newName;
}

// Creates a scheme from the template the user picks; returns its name, or nothing when none was
// written.
std::string CreateListedScheme(SchemeStore& store, HWND owner) {
    CSchemeCreationDlg creation(owner);
    if (creation.DoModal() != IDOK) return std::string();

    // The template as the registry holds it now, read whole.
    const std::string templateName = creation.copy ? creation.chosenName : kNewSchemeTemplate;
    SchemeEntry sourceEntry;
    Scheme source;
    bool gone = false;
    if (!ReadListed(owner, store, templateName, sourceEntry, source, gone)) {
        // Without "Default User" a completely new scheme starts from the first scheme listed.
        const bool firstInstead = gone && !creation.copy && !store.entries.empty();
        if (gone && creation.copy) ReportGone(owner, templateName);
        const std::string first = firstInstead ? store.entries.front().name : std::string();
        if (!firstInstead || !ReadListed(owner, store, first, sourceEntry, source, gone))
            return std::string();
    }
    Scheme created = NewSchemeFrom(source);

    CMyPropertySheet sheet(kNewSchemeCaption, owner);
    sheet.Fill(created, sourceEntry.name, sourceEntry.description, &source);
    if (sheet.Show() != IDOK) return std::string();
    const CPage1& page = sheet.General();
    std::string newName =
        MakeUnique(owner, RequireNonBlank(owner, page.nameText), TakenNames(store, std::string()));
    // The name must be free among the registry's entries when the scheme is written, whatever
    // another writer added while the sheet was open.
    std::optional<WriterLock> turn;
    if (newName.empty() ||
        !TurnWithFreeName(owner, store, newName, std::string(), turn, [] { return true; }))
        return std::string();
    sheet.StoreInto(created);
    created.name = newName;
    store.SaveScheme(
        {newName, page.descriptionText.empty() ? kNoDescription : page.descriptionText}, created);
    return newName;
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
        if (!Taken(current, taken) || current.empty()) return current;
        // Every name entered is checked against every scheme again.
        current = RequireNonBlank(owner, std::string());
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

void CreateScheme(SchemeStore& store, SchemeListSite& list) {
    // The selection goes to the new scheme; the list follows the registry whatever happened.
    list.BringIntoStep(CreateListedScheme(store, list.Owner()));
}

void EditScheme(SchemeStore& store, SchemeListSite& list) {
    std::string name;
    if (!list.SelectedName(name)) return;
    if (IsProtected(name)) {
        Warn(list.Owner(), name + " is a built in scheme and cannot be edited", "Error");
    } else {
        name = EditListedScheme(store, list.Owner(), name);
    }
    // The selection stays on the scheme, wherever a rename sorted it.
    list.BringIntoStep(name);
}

void DeleteScheme(SchemeStore& store, SchemeListSite& list) {
    std::string name;
    if (!list.SelectedName(name)) return;
    const HWND owner = list.Owner();
    if (name.empty()) {
        Warn(owner,
             "As the name of this scheme is a blank deleting it is not possible.\nPlease contact your system "
             "administrator for help",
             "Error");
    } else if (IsProtected(name)) {
        Warn(owner, name + " is a built in scheme and cannot be removed", "Error");
    } else if (Warn(owner, "Are you sure you want to delete this scheme ?", "Scheme Deletion",
                    MB_OKCANCEL) == IDOK) {
        const WriterLock turn(owner);
        if (turn.Held()) {
            RetireScheme(name);
            store.schemes.erase(
                std::remove_if(store.schemes.begin(), store.schemes.end(),
                               [&](const Scheme& scheme) { return scheme.name == name; }),
                store.schemes.end());
        }
    }
    list.BringIntoStep(name);
}
