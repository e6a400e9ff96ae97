#include "editor/TypedText.h"
#include "framework/Edit.h"
#include "framework/Notices.h"

namespace {
void PutBack(const Edit& edit, const TextCheck& check) {
    edit.SetText(check.text);
    edit.SetSelection(static_cast<int>(check.caret), static_cast<int>(check.caret));
}
} // namespace

void CorrectTypedText(HWND owner, int editId, const TextRule& rule, UINT boxFlags) {
    Edit edit(owner, editId);
    const TextCheck check = CheckTypedText(edit.Text(), rule);
    switch (check.outcome) {
    case TextCheck::Outcome::kFine:
        break;
    case TextCheck::Outcome::kRefused:
        // The pass that putting back starts deals with the rest before this box is shown.
        PutBack(edit, check);
        ShowMessage(owner, RefusedCharacterMessage(rule, check.removed), kRefusedCharacterTitle, boxFlags);
        break;
    case TextCheck::Outcome::kTooLong:
        ShowMessage(owner, TextTooLongMessage(rule), kTextTooLongTitle, boxFlags);
        PutBack(edit, check);
        break;
    }
}
