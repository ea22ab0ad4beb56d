#pragma once
// How the design canvas talks to the window that holds it (the label view with its rulers): the
// three notifications it posts to its parent, and the ruler toggle it asks the parent for.
#include <windows.h>

// Every mouse move over the canvas: wParam the key flags, lParam MAKELPARAM(x, y) in client pixels.
#define WM_DESIGN_CURSORPOS (WM_USER + 150)
// After every scroll: lParam MAKELPARAM(dx, dy), the new minus the old scroll positions.
#define WM_DESIGN_SCROLLED (WM_USER + 151)
// The zoom changed: wParam the zoom in percent.
#define WM_DESIGN_ZOOMCHANGED (WM_USER + 152)

// Implemented by the canvas's parent when it has rulers to show or hide.
class CDesignHost {
public:
    virtual ~CDesignHost() = default;
    virtual void ToggleRulers() = 0;
    virtual bool AreRulersShown() const = 0;
};
