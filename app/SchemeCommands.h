#pragma once
// The main dialog's Create, Edit and Delete commands. Each works on the dialog's store and list
// (Edit and Delete on the selected row) and ends with the dialog's RefreshList.
class CMainDialog;

void CreateScheme(CMainDialog& main);
void EditScheme(CMainDialog& main);
void DeleteScheme(CMainDialog& main);
