// korvelta_desktop_keeper: holds the Wine prefix's default desktop for as long as it runs.
// Wine starts the desktop's own process (explorer.exe /desktop) when the first program of the
// prefix makes a window, and that process lives until the last window of the desktop is gone. A
// test program that starts it hands it its output: the desktop process then keeps the program's
// output open while any other test program still shows a window, and ctest waits for that output
// until the program's time runs out. scripts/wineenv.sh starts this keeper first, its output going
// nowhere, so the desktop process never carries a test's; the wineserver ends it.
//   korvelta_desktop_keeper <file>   makes <file> once the desktop is there, then waits
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    // Never shown: it takes no focus and draws nothing. Its first window waits for the desktop.
    HWND wnd = ::CreateWindowExA(0, "STATIC", "KORVELTA desktop keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 instance, nullptr);
    if (wnd == nullptr)
        return 1;
    if (commandLine != nullptr && *commandLine != '\0') {
        HANDLE ready = ::CreateFileA(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (ready != INVALID_HANDLE_VALUE)
            ::CloseHandle(ready);
    }
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}
