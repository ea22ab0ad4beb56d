// Entry point of the DLL itself; the rest of the code is shared with the tests through the library.
#include "previewhandler/previewmodule.h"
#include "previewhandler/previewwindow.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        SetPreviewModule(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded while the process goes on: the window class must not outlive its procedure.
        UnregisterPreviewWindowClass();
    }
    return TRUE;
}
