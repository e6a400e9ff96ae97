// Entry point: start-up guards, then the main dialog; the program ends when it closes.
#include <windows.h>
#include <commctrl.h>
#include "app/MainDialog.h"
#include "app/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RunStartup(SystemProcessSource(), SystemWindowFinder(), [] {
        CMainDialog main;
        main.DoModal();
    });
    return 0;
}
