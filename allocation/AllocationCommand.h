#pragma once
// The main dialog's "&Allocate Schemes": shows the allocation dialog modally.
class CMainDialog;

void ShowAllocation(CMainDialog& main);
