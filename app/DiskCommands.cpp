#include "app/DiskCommands.h"
#include "app/MainDialog.h"

void LoadFromDisk(CMainDialog&) {}

void SaveToDisk(CMainDialog&) {}
