// Exception barrier for the DLL's entry points: COM methods, exports and the window procedure.
// MinGW cannot unwind through the host's or user32's frames, so nothing may escape them.
#pragma once

#include <windows.h>

template <class F>
auto GuardedEntry(F&& f, decltype(f()) onError) -> decltype(f())
{
    try {
        return f();
    } catch (...) {
        OutputDebugStringA("OstrelindShellExtPreviewHandler: exception caught at an entry point\n");
        return onError;
    }
}
