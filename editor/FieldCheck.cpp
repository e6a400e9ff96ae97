#include "editor/FieldCheck.h"
#include "framework/Edit.h"
#include "framework/Notices.h"

void CheckField(HWND dialog, int id, const TextRule& rule) {
    Edit edit(dialog, id);
    const std::vector<TextCheck> passes = CheckAllPasses(edit.Text(), rule);
    if (passes.empty()) return;
    edit.SetText(passes.back().text);
    const int caret = static_cast<int>(passes.back().caret);
    edit.SetSelection(caret, caret);
    for (const TextCheck& pass : passes) {
        if (pass.outcome == TextCheck::Outcome::kRefused)
            Warn(dialog, RefusedCharacterMessage(rule, pass.removed), kRefusedCharacterTitle);
        else
            Warn(dialog, TextTooLongMessage(rule), kTextTooLongTitle);
    }
}
