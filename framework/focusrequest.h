#pragma once
// Focus that a window hands back (a drop-down closing returns the keyboard to where it was) goes
// through AfxRestoreFocus, so that tests can record what the program asked for: which window ends
// up with the focus after the request differs between Wine builds and window managers.
#include <windows.h>
#include <functional>

// SetFocus(wnd) when wnd is still a window; answers the window that had the focus before, or null.
HWND AfxRestoreFocus(HWND wnd);

// A requester answers in place of the platform. Setting returns the previous one; an empty one
// hands the calls to the platform.
using FocusRequester = std::function<HWND(HWND wnd)>;
FocusRequester SetFocusRequester(FocusRequester requester);
