#pragma once
// CCmdTarget: everything that receives commands (windows, documents, the application) and owns a
// static message map (framework/msgmap.h). CCmdUI: one user-interface element (menu item, status
// pane, ribbon element, dialog control) asking the command route for its state.
#include "framework/cstring.h"
#include "framework/msgmap.h"
#include "framework/object.h"
#include <windows.h>

class CMenu;
class CWnd;

// Filled instead of calling the handler when OnCmdMsg is asked only whether a handler exists.
struct CmdHandlerInfo {
    CCmdTarget* target = nullptr;
};

class CCmdTarget : public CObject {
public:
    // Looks for an entry of this object's map chain matching (nID, nCode) and calls it.
    // With pHandlerInfo the handler is not called: TRUE tells that one exists.
    // Routing classes (views, frames) override this to pass the command on.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo);

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // The first entry of kind (window messages: message in [first, last]; commands and
    // notifications: code matches and id in [first, last]) along the map chain, or null.
    static const MessageMapEntry* FindEntry(const MessageMap* map, MsgKind kind, int code, UINT value);

    // Sends ID through the update route; FALSE when it is disabled there (an element with an
    // update handler that disables it). Used before executing menu commands and accelerators.
    BOOL IsCommandEnabled(UINT nID);
};

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;                 // position in a menu or a status bar
    UINT m_nIndexMax = 0;
    CMenu* m_pMenu = nullptr;          // set for menu items
    CMenu* m_pSubMenu = nullptr;       // the popup when the item opens one
    CWnd* m_pOther = nullptr;          // set for controls and bars
    BOOL m_bEnableChanged = FALSE;     // an update handler called Enable
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(const char* text);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks target's route for an update handler; when none enabled or disabled the element and
    // bDisableIfNoHandler is set, the element is enabled exactly when a command handler exists,
    // and an element with neither handler is told so (OnNoHandler) after it was disabled.
    // Returns whether an update handler answered.
    virtual BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
    // The element's command has no handler at all (the document that handled it is gone): the
    // element drops what the handlers last showed in it. Menu items and panes keep theirs.
    virtual void OnNoHandler() {}
};
