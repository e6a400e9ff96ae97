#pragma once
// An edit of a stored value whose live check judges only what the user types. Stored values may
// hold what typing may not (scheme files bring names of up to 255 characters with any of the
// refused characters, and older data exists), so the value read goes into the edit unchecked and
// comes back byte for byte while the edit still shows it: opening an editor and pressing OK
// changes nothing.
#include <windows.h>
#include <string>
#include "editor/TextRules.h"

class CheckedEdit {
public:
    CheckedEdit(int id, const TextRule& rule) : id_(id), rule_(&rule) {}

    // Puts `shown` into the edit without checking it; `value` is what the edit gives back until
    // its text changes.
    void Show(HWND dialog, const std::string& value, const std::string& shown);
    void Show(HWND dialog, const std::string& value) { Show(dialog, value, value); }
    // The edit's EN_CHANGE: every change but Show's is checked and corrected as typed text.
    void OnChange(HWND dialog) const;
    // Whether the edit's text differs from what Show put there. Typing and then restoring the
    // same text is no change; a shown value that typing touched has been checked whole.
    bool Changed(HWND dialog) const;
    // The value given to Show while the edit is unchanged, else the edit's (checked) text.
    std::string Value(HWND dialog) const;

private:
    int id_;
    const TextRule* rule_;
    std::string value_;
    std::string shown_;
    bool showing_ = false;
};
