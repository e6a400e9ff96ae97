#pragma once
// The General page of the scheme sheet: name and description, which of the shell's three tabs are
// shown and which comes first, six toolbar buttons, the view of My Files and three switches.
// The owner sets the name, description and tabs before the sheet is shown and reads the public
// fields afterwards; everything else starts from the scheme as stored in the registry.
#include <string>
#include <vector>
#include "editor/CheckedEdit.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/PropertyPage.h"
#include "resource.h"
#include "sections/Scheme.h"

// The built-in scheme that a completely new scheme is copied from.
inline const char* const kNewSchemeTemplate = "Default User";

class CPage1 : public PropertyPage {
public:
    // Tabs and views by their index in the fields below.
    enum Tab { kPrograms = 0, kMyFiles = 1, kLinks = 2 };

    CPage1();

    void SetNameAndDescription(const std::string& name, const std::string& description);
    // The scheme as the registry holds it under the name above, when the owner has just read it;
    // otherwise the page reads it itself.
    void SetStored(const Scheme& stored);
    // Only these three survive a second showing of the sheet: the rest is read again.
    void SetTabs(bool programs, bool myFiles, bool links);
    // What OK keeps: the tabs, toolbar pages 2 and 3 and the defaults. The name, description,
    // roots, web links, icon size and every other value are the owner's or other pages' business.
    void StoreInto(Scheme& scheme) const;

    // As typed, or exactly as given when the user left the edit unchanged.
    std::string nameText;
    std::string descriptionText;
    bool showTab[3] = {false, false, false}; // by Tab
    bool newRename = false;
    bool deleteButton = false;
    bool cutCopyPaste = false;
    bool undo = false;
    bool print = false;
    bool iconSize = false;
    int defaultTab = kPrograms;
    int defaultView = 0; // "tree1", "tree2", "icons", "details"
    bool silent = false;
    bool contextMenus = false;
    bool optionsMenu = false;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    bool Exchange(bool save) override;

private:
    static const std::vector<Command<CPage1>> commands_;

    void OnNameChange() { CheckTypedEdit(name_, nameText); }
    void OnDescriptionChange() { CheckTypedEdit(description_, descriptionText); }
    void OnPrograms() { ToggleTab(kPrograms); }
    void OnMyFiles() { ToggleTab(kMyFiles); }
    void OnLinks() { ToggleTab(kLinks); }
    void OnTabChoice();
    void OnViewChoice();

    void CheckTypedEdit(const CheckedEdit& edit, std::string& text);
    void ToggleTab(Tab tab);
    void FillTabList(int storedFirstTab);
    void FillViewList(const std::string& storedView);
    void SelectTabEntry(int entry);
    ComboBox TabList() const { return ComboBox(Hwnd(), IDC_GENERAL_TAB); }
    ComboBox ViewList() const { return ComboBox(Hwnd(), IDC_GENERAL_VIEW); }

    std::string initialName_;
    std::string initialDescription_;
    CheckedEdit name_{IDC_GENERAL_NAME, kGeneralTextRule};
    CheckedEdit description_{IDC_GENERAL_DESCRIPTION, kGeneralTextRule};
    Scheme stored_;
    bool storedGiven_ = false;
};
