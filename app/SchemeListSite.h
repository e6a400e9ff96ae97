#pragma once
// What a scheme command needs of the window that lists the schemes: the command's owner window,
// the selected scheme, and bringing the rows into step with the registry afterwards. The main
// dialog is one; a test can stand in for it.
#include <windows.h>
#include <string>

class SchemeListSite {
public:
    virtual ~SchemeListSite() = default;
    // The window that owns the command's dialogs and boxes.
    virtual HWND Owner() const = 0;
    // The Name text of the selected row; false when no row is selected.
    virtual bool SelectedName(std::string& name) const = 0;
    // Reads the registry's entries and the built-in marks again and brings the rows into step
    // with them ("Serious Problem", and the end of the program, when the Schemes key is gone);
    // then selects the row named `selected`, when there is one.
    virtual void BringIntoStep(const std::string& selected) = 0;
    // While set, the busy cursor shows over the list's window.
    virtual void SetBusy(bool busy) = 0;
};
