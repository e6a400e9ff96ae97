#pragma once
// The Create, Edit and Delete commands. Each works on the store and the list it is given (Edit and
// Delete on the selected row), writes in the writers' turn what no other writer changed meanwhile,
// and ends by bringing the list into step with the registry.
#include <windows.h>
#include <string>
#include <vector>

class SchemeListSite;
class SchemeStore;

void CreateScheme(SchemeStore& store, SchemeListSite& list);
void EditScheme(SchemeStore& store, SchemeListSite& list);
void DeleteScheme(SchemeStore& store, SchemeListSite& list);

// The naming rules of a new or renamed scheme; both ask through the Scheme Name Problem dialog.
// The name unchanged when it is not empty, else the first non-empty name entered.
std::string RequireNonBlank(HWND owner, const std::string& name);
// The name unchanged when none of the taken names is it, letter case ignored; else names are asked
// for until one is non-empty and free.
std::string MakeUnique(HWND owner, const std::string& name, const std::vector<std::string>& taken);
// Every class, user and user-group allocation naming the old scheme (letter case ignored) names
// the new one, so a rename keeps who gets the scheme.
void RenameAllocations(const std::string& oldName, const std::string& newName);
