#include "allocation/SchemePicker.h"
#include "resource.h"
#include "store/SchemeStore.h"

const std::vector<Command<CSchemePicker>>& CSchemePicker::Commands() {
    static const std::vector<Command<CSchemePicker>> table = {
        {IDC_PICKER_LIST, LBN_DBLCLK, &CSchemePicker::OnListDoubleClick},
    };
    return table;
}

CSchemePicker::CSchemePicker(HWND parent) : Dialog(IDD_SCHEME_PICKER, parent) {}

BOOL CSchemePicker::OnInitDialog() {
    list_.Attach(Item(IDC_PICKER_LIST));
    chosen.clear();
    SchemeStore store;
    store.LoadEntries(true); // names only
    for (const SchemeEntry& entry : store.entries)
        names_.push_back(entry.name);
    Exchange(false);
    return TRUE;
}

bool CSchemePicker::OnCommand(WORD code, int id, HWND) {
    return DispatchCommand(this, Commands(), code, id);
}

bool CSchemePicker::Exchange(bool save) {
    if (save) {
        int selected = list_.Selected();
        chosen = selected < 0 ? std::string() : list_.ItemText(selected);
    } else {
        list_.Clear();
        for (const std::string& name : names_)
            list_.Add(name);
    }
    return true;
}

void CSchemePicker::OnListDoubleClick() { OnOK(); }

void CSchemePicker::OnOK() {
    Exchange(true);
    accepted = true;
    EndDialog(IDOK);
}

void CSchemePicker::OnCancel() {
    accepted = false;
    EndDialog(IDCANCEL);
}
