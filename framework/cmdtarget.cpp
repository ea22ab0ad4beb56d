#include "framework/cmdtarget.h"

#include "framework/menu.h"
#include "framework/wnd.h"

// ---- CCmdTarget

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = { { MsgKind::End, 0, 0, 0, nullptr } };
    static const MessageMap map = { nullptr, entries };
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const MessageMapEntry* CCmdTarget::FindEntry(const MessageMap* map, MsgKind kind, int code, UINT value)
{
    for (; map != nullptr; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e->kind != MsgKind::End; ++e) {
            // A registered message's number is known only at run time (0: registration failed).
            if (e->kind == MsgKind::Registered) {
                if (kind == MsgKind::Message && value != 0 && e->registered != nullptr && *e->registered == value)
                    return e;
                continue;
            }
            if (e->kind != kind || value < e->first || value > e->last)
                continue;
            if (kind != MsgKind::Message && e->code != code)
                continue;
            return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo)
{
    const MessageMapEntry* entry = FindEntry(GetMessageMap(), MsgKind::Command, nCode, nID);
    if (entry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->target = this;
        return TRUE;
    }
    MsgCall call;
    call.message = WM_COMMAND;
    call.nID = nID;
    call.code = nCode;
    call.extra = pExtra;
    if (nCode == CN_UPDATE_COMMAND_UI) {
        CCmdUI* ui = static_cast<CCmdUI*>(pExtra);
        ui->m_bContinueRouting = FALSE;
        entry->thunk(this, call);
        return !ui->m_bContinueRouting;
    }
    return entry->thunk(this, call);
}

namespace {
// Takes what the update handlers say without touching any element.
class CEnableStateCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn = TRUE) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(const char*) override {}
};
} // namespace

BOOL CCmdTarget::IsCommandEnabled(UINT nID)
{
    CEnableStateCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
    return state.m_bEnabled;
}

// ---- CCmdUI

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;   // popups themselves are never disabled by commands
        ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex,
                         MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr) {
        // Moving focus away from a control about to be disabled keeps keyboard input alive.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
            ::SendMessageA(::GetParent(m_pOther->m_hWnd), WM_NEXTDLGCTL, 0, FALSE);
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex,
                            MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr) {
        if (::SendMessageA(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessageA(m_pOther->m_hWnd, BM_SETCHECK, nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        ::GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
        info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
        info.fState = bOn ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
        ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(const char* text)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<char*>(text ? text : "");
        ::SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
    } else if (m_pOther != nullptr && m_pOther->m_hWnd != nullptr) {
        m_pOther->SetWindowText(text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (m_nID == 0 || pTarget == nullptr)
        return TRUE;   // separators and unrouted elements stay as they are
    m_bEnableChanged = FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        CmdHandlerInfo info;
        const BOOL command = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(command);
        if (!handled && !command)
            OnNoHandler();
    }
    return handled;
}
