#include "editor/CheckedEdit.h"
#include "editor/FieldCheck.h"
#include "framework/Edit.h"

void CheckedEdit::Show(HWND dialog, const std::string& value, const std::string& shown) {
    value_ = value;
    shown_ = shown;
    showing_ = true;
    Edit edit(dialog, id_);
    edit.SetText(shown);
    showing_ = false;
    // What the edit holds, should it not take the text exactly as given.
    shown_ = edit.Text();
}

void CheckedEdit::OnChange(HWND dialog) const {
    if (!showing_) CheckField(dialog, id_, *rule_);
}

bool CheckedEdit::Changed(HWND dialog) const { return Edit(dialog, id_).Text() != shown_; }

std::string CheckedEdit::Value(HWND dialog) const {
    const std::string text = Edit(dialog, id_).Text();
    return text == shown_ ? value_ : text;
}
