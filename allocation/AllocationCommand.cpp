#include "allocation/AllocationCommand.h"
#include "allocation/AllocationDialog.h"
#include "app/MainDialog.h"

void ShowAllocation(CMainDialog& main) {
    CAllocationDialog dialog(main.Hwnd());
    dialog.DoModal();
}
