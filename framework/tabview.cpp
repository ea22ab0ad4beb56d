#include "framework/tabview.h"

#include "framework/msgmap.h"

#include <algorithm>

// ---- CTabLabelEdit

BEGIN_MESSAGE_MAP(CTabLabelEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BOOL CTabLabelEdit::PreTranslateMessage(MSG* msg)
{
    // Enter and Escape end the edit here, before the frame's accelerators see them.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        if (m_owner != nullptr)
            m_owner->EndLabelEdit(msg->wParam == VK_RETURN);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(msg);
}

void CTabLabelEdit::OnKeyDown(UINT key, UINT, UINT)
{
    if ((key == VK_RETURN || key == VK_ESCAPE) && m_owner != nullptr) {
        m_owner->EndLabelEdit(key == VK_RETURN);
        return;
    }
    Default();
}

void CTabLabelEdit::OnKillFocus(CWnd*)
{
    Default();
    // Clicking elsewhere keeps what was typed, as Enter does.
    if (m_owner != nullptr)
        m_owner->EndLabelEdit(true);
}

// ---- CTabView

BEGIN_MESSAGE_MAP(CTabView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CTabView::~CTabView()
{
    if (m_font != nullptr)
        ::DeleteObject(m_font);
}

BOOL CTabView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

int CTabView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CView::OnCreate(cs) == -1)
        return -1;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        m_font = ::CreateFontIndirectA(&metrics.lfMessageFont);
    return 0;
}

void CTabView::OnDestroy()
{
    EndLabelEdit(false);
    CView::OnDestroy();
}

CView* CTabView::GetView(int index) const
{
    if (index < 0 || index >= GetTabsNum())
        return nullptr;
    return dynamic_cast<CView*>(FromHandlePermanent(m_tabs[index].view));
}

CString CTabView::GetTabLabel(int index) const
{
    return index >= 0 && index < GetTabsNum() ? m_tabs[index].label : CString();
}

void CTabView::SetTabLabel(int index, const char* label)
{
    if (index < 0 || index >= GetTabsNum())
        return;
    m_tabs[index].label = label != nullptr ? label : "";
    ForgetWidths();
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CTabView::EnableActiveTabCloseButton(bool enable)
{
    m_closeBox = enable;
    ForgetWidths();
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

int CTabView::AddView(const ViewFactory& factory, const char* label, int index, CCreateContext* context)
{
    if (m_hWnd == nullptr || !factory)
        return -1;
    if (index < 0 || index > GetTabsNum())
        index = GetTabsNum();
    CView* view = factory();
    if (view == nullptr)
        return -1;
    const bool first = m_tabs.empty();
    if (!view->Create(nullptr, nullptr, WS_CHILD | (first ? WS_VISIBLE : 0), GetViewRect(), this,
                      static_cast<UINT>(AFX_IDW_PANE_FIRST + GetTabsNum()), context))
        return -1;   // the view deleted itself with its window
    Tab tab;
    tab.view = view->m_hWnd;
    tab.label = label != nullptr ? label : "";
    m_tabs.insert(m_tabs.begin() + index, tab);
    ForgetWidths();
    if (first)
        m_active = 0;
    else if (index <= m_active)
        ++m_active;
    Invalidate(TRUE);
    return index;
}

BOOL CTabView::RemoveView(int index, bool keepView)
{
    if (index < 0 || index >= GetTabsNum())
        return FALSE;
    if (m_editIndex >= 0)
        EndLabelEdit(false);
    HWND view = m_tabs[index].view;
    m_tabs.erase(m_tabs.begin() + index);
    ForgetWidths();
    if (m_tabs.empty())
        m_active = -1;
    else if (index < m_active || (index == m_active && m_active >= GetTabsNum()))
        --m_active;
    m_firstVisible = std::min(m_firstVisible, std::max(GetTabsNum() - 1, 0));
    if (::IsWindow(view)) {
        if (keepView)
            ::ShowWindow(view, SW_HIDE);
        else
            ::DestroyWindow(view);
    }
    ShowActiveOnly();
    EnsureActiveVisible();
    Invalidate(TRUE);
    return TRUE;
}

BOOL CTabView::SetActiveView(int index)
{
    if (index < 0 || index >= GetTabsNum())
        return FALSE;
    if (m_editIndex >= 0)
        EndLabelEdit(true);
    m_active = index;
    ForgetWidths();
    ShowActiveOnly();
    EnsureActiveVisible();
    Invalidate(TRUE);
    OnActivateView(GetView(index));
    return TRUE;
}

void CTabView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (m_active >= 0)
        OnActivateView(GetView(m_active));
}

void CTabView::ShowActiveOnly()
{
    for (int i = 0; i < GetTabsNum(); ++i) {
        HWND view = m_tabs[i].view;
        if (!::IsWindow(view))
            continue;
        if (i == m_active) {
            CRect rect = GetViewRect();
            ::SetWindowPos(view, HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(), SWP_SHOWWINDOW);
        } else {
            ::ShowWindow(view, SW_HIDE);
        }
    }
}

void CTabView::LayOutViews()
{
    CRect rect = GetViewRect();
    for (const Tab& tab : m_tabs)
        if (::IsWindow(tab.view))
            ::SetWindowPos(tab.view, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
}

CRect CTabView::GetViewRect() const
{
    CRect client(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    client.bottom = std::max(client.top, client.bottom - kStripHeight);
    return client;
}

const std::vector<int>& CTabView::MeasureTabs() const
{
    if (m_widths.size() == m_tabs.size())
        return m_widths;
    std::vector<int>& widths = m_widths;
    widths.assign(m_tabs.size(), 0);
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, m_font != nullptr ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, m_tabs[i].label, m_tabs[i].label.GetLength(), &size);
        widths[i] = size.cx + 16 + (m_closeBox && static_cast<int>(i) == m_active ? 14 : 0);
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return widths;
}

CRect CTabView::GetTabRect(int index) const
{
    if (index < m_firstVisible || index >= GetTabsNum() || m_hWnd == nullptr)
        return CRect(0, 0, 0, 0);
    CRect client;
    GetClientRect(&client);
    const std::vector<int>& widths = MeasureTabs();
    int x = kScrollButtons;
    for (int i = m_firstVisible; i < index; ++i)
        x += widths[i];
    if (x >= client.right)
        return CRect(0, 0, 0, 0);
    const int top = std::max<int>(client.bottom - kStripHeight, 0);
    return CRect(x, top, x + widths[index], client.bottom);
}

CRect CTabView::GetCloseBoxRect() const
{
    if (!m_closeBox || m_active < 0)
        return CRect(0, 0, 0, 0);
    CRect tab = GetTabRect(m_active);
    if (tab.IsRectEmpty())
        return tab;
    const int middle = (tab.top + tab.bottom) / 2;
    return CRect(tab.right - 17, middle - 5, tab.right - 6, middle + 6);
}

int CTabView::HitTestTab(POINT pt) const
{
    for (int i = m_firstVisible; i < GetTabsNum(); ++i) {
        CRect rect = GetTabRect(i);
        if (rect.IsRectEmpty())
            break;
        if (rect.PtInRect(pt))
            return i;
    }
    return -1;
}

void CTabView::EnsureActiveVisible()
{
    if (m_active < 0 || m_hWnd == nullptr)
        return;
    if (m_active < m_firstVisible) {
        m_firstVisible = m_active;
        return;
    }
    CRect client;
    GetClientRect(&client);
    const std::vector<int>& widths = MeasureTabs();
    // Scroll right until the active tab ends inside the strip (or is the first one shown).
    int right = kScrollButtons;
    for (int i = m_firstVisible; i <= m_active; ++i)
        right += widths[i];
    while (m_firstVisible < m_active && right > client.right)
        right -= widths[m_firstVisible++];
}

void CTabView::OnSize(UINT, int, int)
{
    if (m_editIndex >= 0)
        EndLabelEdit(true);
    LayOutViews();
    Invalidate(TRUE);
}

BOOL CTabView::OnEraseBkgnd(CDC*)
{
    return TRUE;   // the strip paints all of itself; the views cover the rest
}

void CTabView::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CRect strip(client.left, std::max<int>(client.bottom - kStripHeight, 0), client.right, client.bottom);
    dc.FillSolidRect(&strip, ::GetSysColor(COLOR_BTNFACE));
    if (m_active < 0 || !::IsWindow(m_tabs[m_active].view)) {
        CRect rest(client.left, client.top, client.right, strip.top);
        dc.FillSolidRect(&rest, ::GetSysColor(COLOR_APPWORKSPACE));
    }
    HPEN shadow = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = ::SelectObject(dc.m_hDC, shadow);
    HGDIOBJ oldFont = ::SelectObject(dc.m_hDC, m_font != nullptr ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    ::SetTextColor(dc.m_hDC, ::GetSysColor(COLOR_BTNTEXT));
    ::MoveToEx(dc.m_hDC, strip.left, strip.top, nullptr);
    ::LineTo(dc.m_hDC, strip.right, strip.top);

    // The two scroll arrows left of the tabs.
    const int middle = (strip.top + strip.bottom) / 2;
    for (int side = 0; side < 2; ++side) {
        const int x = 8 + side * 14;
        const int dir = side == 0 ? -1 : 1;
        POINT arrow[3] = { { x - 3 * dir, middle - 4 }, { x + 3 * dir, middle }, { x - 3 * dir, middle + 4 } };
        HGDIOBJ oldBrush = ::SelectObject(dc.m_hDC, ::GetStockObject(GRAY_BRUSH));
        ::Polygon(dc.m_hDC, arrow, 3);
        ::SelectObject(dc.m_hDC, oldBrush);
    }

    for (int i = m_firstVisible; i < GetTabsNum(); ++i) {
        CRect tab = GetTabRect(i);
        if (tab.IsRectEmpty())
            break;
        if (i == m_active) {
            CRect face(tab.left, tab.top, tab.right, tab.bottom - 1);
            dc.FillSolidRect(&face, ::GetSysColor(COLOR_WINDOW));
        }
        ::MoveToEx(dc.m_hDC, tab.left, tab.top, nullptr);
        ::LineTo(dc.m_hDC, tab.left, tab.bottom - 1);
        ::LineTo(dc.m_hDC, tab.right, tab.bottom - 1);
        ::LineTo(dc.m_hDC, tab.right, tab.top - 1);
        CRect text(tab.left + 8, tab.top, tab.right - 8, tab.bottom);
        if (i == m_active && m_closeBox)
            text.right -= 14;
        ::DrawTextA(dc.m_hDC, m_tabs[i].label, m_tabs[i].label.GetLength(), &text,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (i == m_active ? 0 : 0));
    }
    CRect box = GetCloseBoxRect();
    if (!box.IsRectEmpty()) {
        HPEN cross = ::CreatePen(PS_SOLID, 2, ::GetSysColor(COLOR_BTNTEXT));
        HGDIOBJ before = ::SelectObject(dc.m_hDC, cross);
        ::MoveToEx(dc.m_hDC, box.left + 2, box.top + 2, nullptr);
        ::LineTo(dc.m_hDC, box.right - 2, box.bottom - 2);
        ::MoveToEx(dc.m_hDC, box.right - 2, box.top + 2, nullptr);
        ::LineTo(dc.m_hDC, box.left + 2, box.bottom - 2);
        ::SelectObject(dc.m_hDC, before);
        ::DeleteObject(cross);
    }
    ::SelectObject(dc.m_hDC, oldFont);
    ::SelectObject(dc.m_hDC, oldPen);
    ::DeleteObject(shadow);
}

void CTabView::OnLButtonDown(UINT, CPoint pt)
{
    CRect client;
    GetClientRect(&client);
    if (pt.y < client.bottom - kStripHeight)
        return;
    if (pt.x < kScrollButtons) {
        // The arrows scroll the strip by one tab.
        if (pt.x < kScrollButtons / 2)
            m_firstVisible = std::max(m_firstVisible - 1, 0);
        else if (m_firstVisible + 1 < GetTabsNum())
            ++m_firstVisible;
        Invalidate(TRUE);
        return;
    }
    CRect box = GetCloseBoxRect();
    if (!box.IsRectEmpty() && box.PtInRect(pt)) {
        // The view decides what closing means (asking, removing its tab through its document).
        if (CView* view = GetActiveView())
            view->SendMessage(WM_CLOSE);
        return;
    }
    const int hit = HitTestTab(pt);
    if (hit >= 0 && hit != m_active)
        SetActiveView(hit);
}

void CTabView::OnLButtonDblClk(UINT flags, CPoint pt)
{
    const int hit = HitTestTab(pt);
    CRect box = GetCloseBoxRect();
    if (hit < 0 || (!box.IsRectEmpty() && box.PtInRect(pt))) {
        OnLButtonDown(flags, pt);
        return;
    }
    if (hit != m_active)
        SetActiveView(hit);
    StartLabelEdit(hit);
}

void CTabView::OnSetFocus(CWnd*)
{
    if (m_editIndex >= 0 && m_edit.m_hWnd != nullptr) {
        m_edit.SetFocus();
        return;
    }
    if (CView* view = GetActiveView())
        view->SetFocus();
}

bool CTabView::StartLabelEdit(int index)
{
    if (!m_inPlaceEdit || index < 0 || index >= GetTabsNum() || m_hWnd == nullptr)
        return false;
    EndLabelEdit(true);
    CRect rect = GetTabRect(index);
    if (rect.IsRectEmpty())
        return false;
    rect.DeflateRect(2, 2);
    m_edit.m_owner = this;
    if (!m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, this, 1))
        return false;
    m_editIndex = index;
    m_edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    m_edit.SendMessage(EM_LIMITTEXT, kMaxLabelLength);
    m_edit.SetWindowText(m_tabs[index].label);
    m_edit.SetSel(0, -1);
    m_edit.SetFocus();
    return true;
}

void CTabView::EndLabelEdit(bool keep)
{
    const int index = m_editIndex;
    if (index < 0)
        return;
    m_editIndex = -1;   // first: destroying the editor takes its focus, which comes back here
    CString text;
    if (m_edit.m_hWnd != nullptr) {
        m_edit.GetWindowText(text);
        HWND focusBack = ::GetFocus() == m_edit.m_hWnd ? m_hWnd : nullptr;
        m_edit.DestroyWindow();
        if (focusBack != nullptr)
            ::SetFocus(focusBack);
    }
    if (text.GetLength() > kMaxLabelLength)
        text = text.Left(kMaxLabelLength);
    // An empty label would leave a tab nobody can see: it keeps its old one.
    if (keep && !text.IsEmpty() && index < GetTabsNum() && text != m_tabs[index].label) {
        m_tabs[index].label = text;
        ForgetWidths();
        Invalidate(TRUE);
        OnTabLabelEdited(index);
    }
}
