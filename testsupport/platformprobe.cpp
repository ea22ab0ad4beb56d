#include "testsupport/platformprobe.h"

bool ProbeKeyboardFocus(HWND wnd)
{
    HWND top = ::GetAncestor(wnd, GA_ROOT);
    if (top != nullptr)
        ::SetForegroundWindow(top);
    ::SetFocus(wnd);
    return ::GetFocus() == wnd;
}

bool ProbeActivation(HWND wnd)
{
    ::SetForegroundWindow(wnd);
    ::SetActiveWindow(wnd);
    return ::GetActiveWindow() == wnd;
}

bool ProbeCursorMoves(int x, int y)
{
    if (!::SetCursorPos(x, y))
        return false;
    POINT at = {};
    return ::GetCursorPos(&at) && at.x == x && at.y == y;
}
