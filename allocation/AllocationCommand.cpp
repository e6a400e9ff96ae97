#include "allocation/AllocationCommand.h"
#include "allocation/AllocationDialog.h"

void ShowAllocation(HWND owner) {
    CAllocationDialog dialog(owner);
    dialog.DoModal();
}
