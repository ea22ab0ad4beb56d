#include "framework/statusbar.h"

#include "framework/stdids.h"

#include <commctrl.h>
#include <algorithm>

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id)
{
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    m_dwBarStyle = (style & CBRS_ALIGN_ANY) ? (style & CBRS_ALIGN_ANY) : CBRS_ALIGN_BOTTOM;
    DWORD windowStyle = (style & ~CBRS_ALIGN_ANY) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (!CreateEx(0, STATUSCLASSNAMEA, "", windowStyle, 0, 0, 0, 0, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return TRUE;
}

int CStatusBar::MeasureText(const char* text)
{
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, GetFont() ? static_cast<HGDIOBJ>(GetFont()) : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    CString s(text);
    ::GetTextExtentPoint32A(dc, s, s.GetLength(), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    m_panes.clear();
    for (int i = 0; i < count; ++i) {
        Pane pane{ ids[i], i == 0 ? static_cast<UINT>(SBPS_STRETCH) : static_cast<UINT>(SBPS_NORMAL), 0, CString() };
        if (ids[i] != ID_SEPARATOR)
            pane.text.LoadString(ids[i]);
        pane.width = pane.text.IsEmpty() ? 100 : MeasureText(pane.text) + 8;
        m_panes.push_back(pane);
    }
    ApplyParts();
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[i].id == id)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[index].id : 0;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= GetCount())
        return;
    m_panes[index].id = id;
    m_panes[index].style = style;
    m_panes[index].width = std::max(0, width);
    ApplyParts();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    id = GetItemID(index);
    style = index >= 0 && index < GetCount() ? m_panes[index].style : 0;
    width = index >= 0 && index < GetCount() ? m_panes[index].width : 0;
}

BOOL CStatusBar::SetPaneText(int index, const char* text, BOOL update)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    CString value(text);
    if (m_panes[index].text == value)
        return TRUE;
    m_panes[index].text = value;
    if (update && m_hWnd != nullptr)
        ApplyParts();
    return TRUE;
}

CString CStatusBar::GetPaneText(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[index].text : CString();
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const
{
    ::SetRectEmpty(rect);
    if (m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, SB_GETRECT, index, reinterpret_cast<LPARAM>(rect));
}

void CStatusBar::ApplyParts()
{
    if (m_hWnd == nullptr || m_panes.empty())
        return;
    CRect client;
    GetClientRect(&client);
    int fixed = 0;
    for (const Pane& pane : m_panes)
        if (!(pane.style & SBPS_STRETCH))
            fixed += pane.width;
    std::vector<int> edges;
    int x = 0;
    for (const Pane& pane : m_panes) {
        x += (pane.style & SBPS_STRETCH) ? std::max(0, client.Width() - fixed) : pane.width;
        edges.push_back(x);
    }
    edges.back() = -1;   // the last part reaches the right edge
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& pane = m_panes[i];
        UINT type = 0;
        if (pane.style & SBPS_NOBORDERS)
            type |= SBT_NOBORDERS;
        if (pane.style & SBPS_POPOUT)
            type |= SBT_POPOUT;
        const char* text = (pane.style & SBPS_DISABLED) ? "" : pane.text.GetString();
        SendMessage(SB_SETTEXTA, static_cast<WPARAM>(i) | type, reinterpret_cast<LPARAM>(text));
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, GetFont() ? static_cast<HGDIOBJ>(GetFont()) : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return CSize(32767, tm.tmHeight + 10);
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    ApplyParts();
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL)
{
    CStatusCmdUI ui;
    ui.m_pOther = this;
    ui.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        ui.m_nIndex = static_cast<UINT>(i);
        ui.m_nID = m_panes[i].id;
        // Panes are never disabled for want of a handler: most only show text.
        ui.DoUpdate(target, FALSE);
    }
}

void CStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CStatusBar* bar = static_cast<CStatusBar*>(m_pOther);
    UINT id, style;
    int width;
    bar->GetPaneInfo(static_cast<int>(m_nIndex), id, style, width);
    UINT changed = bOn ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED);
    if (changed != style)
        bar->SetPaneInfo(static_cast<int>(m_nIndex), id, changed, width);
}

void CStatusCmdUI::SetCheck(int nCheck)
{
    CStatusBar* bar = static_cast<CStatusBar*>(m_pOther);
    UINT id, style;
    int width;
    bar->GetPaneInfo(static_cast<int>(m_nIndex), id, style, width);
    UINT changed = nCheck ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT);
    if (changed != style)
        bar->SetPaneInfo(static_cast<int>(m_nIndex), id, changed, width);
}

void CStatusCmdUI::SetText(const char* text)
{
    static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), text);
}
