#include "app/SchemeCommands.h"
#include "app/MainDialog.h"

void CreateScheme(CMainDialog&) {}

void EditScheme(CMainDialog&) {}

void DeleteScheme(CMainDialog&) {}
