#pragma once
// The live check of an edit whose text goes into a scheme, run from its change handler: one
// refused character removed or the text cut to the rule's limit, each with its own box owned by
// `owner`. Putting the corrected text back is a change of its own, which checks again.
#include <windows.h>
#include "editor/TextRules.h"

void CorrectTypedText(HWND owner, int editId, const TextRule& rule, UINT boxFlags);
