#include "allocation/AllocationCommand.h"
#include "app/MainDialog.h"

void ShowAllocation(CMainDialog&) {}
