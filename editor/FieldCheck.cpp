#include "editor/FieldCheck.h"
#include "framework/Edit.h"
#include "framework/Notices.h"

void CheckField(HWND dialog, int id, const TextRule& rule, UINT boxFlags) {
    Edit edit(dialog, id);
    const std::vector<TextCheck> passes = CheckAllPasses(edit.Text(), rule);
    if (passes.empty()) return;
    edit.SetText(passes.back().text);
    const int caret = static_cast<int>(passes.back().caret);
    edit.SetSelection(caret, caret);
    // The boxes come in the order that nested changes would show them: each pass's box after
    // the passes that its own correction started, so the last pass speaks first.
    for (auto pass = passes.rbegin(); pass != passes.rend(); ++pass) {
        if (pass->outcome == TextCheck::Outcome::kRefused)
            ShowMessage(dialog, RefusedCharacterMessage(rule, pass->removed), kRefusedCharacterTitle, boxFlags);
        else
            ShowMessage(dialog, TextTooLongMessage(rule), kTextTooLongTitle, boxFlags);
    }
}
