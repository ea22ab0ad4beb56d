#pragma once
// Answers a real system message box (one shown with ::MessageBoxA, not through the framework's
// seam) with OK from a timer of the thread that shows it: the box's own loop runs the timer.
#include <windows.h>
#include <string>

namespace systembox {

inline std::string& AwaitedCaption()
{
    static std::string caption;
    return caption;
}

inline BOOL CALLBACK PressOkIfAwaited(HWND wnd, LPARAM)
{
    char caption[64] = {};
    ::GetWindowTextA(wnd, caption, sizeof caption);
    if (AwaitedCaption() == caption && ::IsWindowVisible(wnd))
        ::PostMessageA(wnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}

inline void CALLBACK PressOkTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EnumThreadWindows(::GetCurrentThreadId(), PressOkIfAwaited, 0);
}

// Call just before showing the box captioned `caption`; OK is pressed `ms` later.
inline void PressOkSoon(const char* caption, UINT ms = 50)
{
    AwaitedCaption() = caption;
    ::SetTimer(nullptr, 0, ms, PressOkTimer);
}

} // namespace systembox
