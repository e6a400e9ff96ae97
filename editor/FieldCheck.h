#pragma once
// The live check of an editor text field, run on every change of its text.
#include <windows.h>
#include "editor/FieldRules.h"

// Puts the corrected text back into edit `id` of `dialog` (its own change then passes the check)
// and shows, owned by the dialog, the message of every pass (one per character removed, and one
// when the text was cut), the last pass first. All passes are worked out first, in a loop, so a long paste of refused
// characters cannot nest one change inside another until the stack runs out.
void CheckField(HWND dialog, int id, const TextRule& rule, UINT boxFlags = MB_OK | MB_ICONEXCLAMATION);
