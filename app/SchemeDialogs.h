#pragma once
// The two small dialogs of creating and naming a scheme.
#include <string>
#include <vector>
#include "framework/Dialog.h"
#include "store/SchemeStore.h"

// Asks whether a new scheme starts from the built-in template or as a copy of a chosen scheme.
class CSchemeCreationDlg : public Dialog {
public:
    explicit CSchemeCreationDlg(HWND parent = nullptr);

    bool copy = false;
    std::string chosenName;
    // The entries as the dialog read them when it opened.
    const std::vector<SchemeEntry>& Entries() const { return store_.entries; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;

private:
    static const std::vector<Command<CSchemeCreationDlg>> commands_;

    void OnCompletelyNew() { SetCopy(false); }
    void OnCopyExisting() { SetCopy(true); }
    void OnChoice();
    void SetCopy(bool on);

    SchemeStore store_;
};

// Asks again for a scheme name that was blank or already taken. It has no Cancel button; Escape
// closes it with the name still empty, so that the caller asks again. F1 opens the help.
class CSchemeNameDlg : public Dialog {
public:
    explicit CSchemeNameDlg(HWND parent = nullptr);

    std::string enteredName;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    bool Exchange(bool save) override;
    void OnHelp() override;

private:
    static const std::vector<Command<CSchemeNameDlg>> commands_;

    void OnNameChange();
};
