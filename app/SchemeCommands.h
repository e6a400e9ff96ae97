#pragma once
// The main dialog's Create, Edit and Delete commands. Each works on the dialog's store and list
// (Edit and Delete on the selected row) and ends with the dialog's RefreshList.
#include <windows.h>
#include <string>
#include <vector>
#include "sections/Scheme.h"

class CMainDialog;

void CreateScheme(CMainDialog& main);
void EditScheme(CMainDialog& main);
void DeleteScheme(CMainDialog& main);

// The naming rules of a new or renamed scheme; both ask through the Scheme Name Problem dialog.
// The name unchanged when it is not empty, else the first non-empty name entered.
std::string RequireNonBlank(HWND owner, const std::string& name);
// The name unchanged when no loaded scheme has it, letter case ignored; else names are asked for
// until one is non-empty and free. The walk includes the scheme being edited or created.
std::string MakeUnique(HWND owner, const std::string& name, const std::vector<Scheme>& schemes);
// Removes the class and user allocations of the scheme, letter case ignored; allocations to user
// groups stay.
void RemoveAllocations(const std::string& name);
