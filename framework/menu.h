#pragma once
// CMenu: a thin owner of an HMENU. A menu made by LoadMenu/CreateMenu is destroyed with the object
// unless detached; FromHandle gives a non-owning wrapper that lives until the next idle time.
#include "framework/cstring.h"
#include "framework/geometry.h"
#include <windows.h>

class CWnd;
class CCmdTarget;

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    static CMenu* FromHandle(HMENU menu);      // temporary wrapper (null for null)
    static void DeleteTempMap();

    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL LoadMenu(UINT id);                    // from AfxGetResourceHandle()
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(m_hMenu, pos); }
    CMenu* GetSubMenu(int pos) const { return FromHandle(::GetSubMenu(m_hMenu, pos)); }
    CString GetMenuString(UINT item, UINT flags) const;
    UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr)
    { return ::AppendMenuA(m_hMenu, flags, id, text); }
    BOOL InsertMenu(UINT pos, UINT flags, UINT_PTR id = 0, const char* text = nullptr)
    { return ::InsertMenuA(m_hMenu, pos, flags, id, text); }
    BOOL RemoveMenu(UINT pos, UINT flags) { return ::RemoveMenu(m_hMenu, pos, flags); }
    BOOL DeleteMenu(UINT pos, UINT flags) { return ::DeleteMenu(m_hMenu, pos, flags); }
    UINT EnableMenuItem(UINT item, UINT flags) { return ::EnableMenuItem(m_hMenu, item, flags); }
    DWORD CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(m_hMenu, item, flags); }
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT = nullptr);
};

// ---- context menus
// Shows popup at point (screen coordinates) for owner: every item is first updated through the
// owner's command route (CCmdUI; an item with neither an update nor a command handler is
// disabled) and given its command's picture (CMenuImages), then the menu is tracked and the
// chosen item is raised as owner's command (WM_COMMAND, which routes it like a menu command of
// the owner). Returns the chosen id, 0 when the menu was dismissed.
UINT ShowPopupMenu(CMenu* popup, POINT point, CWnd* owner);
// The same for the first popup of a menu resource; 0 also when the resource is missing.
UINT ShowPopupMenu(UINT menuResourceId, POINT point, CWnd* owner);
// Updates every item of popup (and its sub-menus) through target's command route.
void UpdatePopupMenu(CMenu* popup, CCmdTarget* target);

// The function that tracks a popup menu and returns the chosen id (TrackPopupMenu with
// TPM_RETURNCMD by default). Tests replace it, since tracking waits for a person; returns the
// previous one. Null restores the default.
using PopupMenuTracker = UINT (*)(HMENU menu, UINT flags, int x, int y, HWND owner);
PopupMenuTracker SetPopupMenuTracker(PopupMenuTracker tracker);

