#pragma once
// The main dialog's "&Allocate Schemes": shows the allocation dialog modally over its owner.
#include <windows.h>

void ShowAllocation(HWND owner);
