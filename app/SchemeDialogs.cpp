#include "app/SchemeDialogs.h"
#include "editor/FieldCheck.h"
#include "framework/ComboBox.h"
#include "resource.h"
#include "store/Settings.h"

const std::vector<Command<CSchemeCreationDlg>> CSchemeCreationDlg::commands_ = {
    {IDC_COMPLETELY_NEW, BN_CLICKED, &CSchemeCreationDlg::OnCompletelyNew},
    {IDC_COPY_EXISTING, BN_CLICKED, &CSchemeCreationDlg::OnCopyExisting},
    {IDC_COPY_LIST, CBN_SELCHANGE, &CSchemeCreationDlg::OnChoice},
};

CSchemeCreationDlg::CSchemeCreationDlg(HWND parent) : Dialog(IDD_SCHEME_CREATION, parent) {}

BOOL CSchemeCreationDlg::OnInitDialog() {
    // Only the names are shown, so the entries are all this dialog reads.
    store_.RefreshEntries();
    SetChecked(IDC_COMPLETELY_NEW, true);
    SetChecked(IDC_COPY_EXISTING, false);
    SetCopy(false);
    ComboBox list(Hwnd(), IDC_COPY_LIST);
    for (const SchemeEntry& entry : store_.entries) list.Add(entry.name);
    list.Select(0);
    chosenName = list.ItemText(list.Selected());
    return TRUE;
}

bool CSchemeCreationDlg::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

void CSchemeCreationDlg::SetCopy(bool on) {
    copy = on;
    EnableItem(IDC_COPY_LABEL, on);
    EnableItem(IDC_COPY_LIST, on);
}

void CSchemeCreationDlg::OnChoice() {
    ComboBox list(Hwnd(), IDC_COPY_LIST);
    chosenName = list.ItemText(list.Selected());
}

const std::vector<Command<CSchemeNameDlg>> CSchemeNameDlg::commands_ = {
    {IDC_NEW_NAME, EN_CHANGE, &CSchemeNameDlg::OnNameChange},
};

CSchemeNameDlg::CSchemeNameDlg(HWND parent) : Dialog(IDD_SCHEME_NAME_PROBLEM, parent) {}

BOOL CSchemeNameDlg::OnInitDialog() {
    SetFocus(Item(IDC_NEW_NAME));
    return FALSE; // the focus is set
}

bool CSchemeNameDlg::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

bool CSchemeNameDlg::Exchange(bool save) {
    if (save) enteredName = ItemText(IDC_NEW_NAME);
    return true;
}

void CSchemeNameDlg::OnNameChange() { CheckField(Hwnd(), IDC_NEW_NAME, kSchemeNameRule, MB_ICONEXCLAMATION); }

void CSchemeNameDlg::OnHelp() { OpenHelp(); }
