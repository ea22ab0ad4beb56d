#include "framework/splitter.h"

#include "framework/msgmap.h"
#include "framework/stdids.h"
#include "framework/view.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CSplitterWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int cols, DWORD style, UINT id)
{
    if (parent == nullptr || rows < 1 || rows > 16 || cols < 1 || cols > 16 || m_hWnd != nullptr)
        return FALSE;
    m_rowInfo.assign(rows, Info());
    m_colInfo.assign(cols, Info());
    m_rows = rows;
    m_cols = cols;
    CRect client;
    parent->GetClientRect(&client);
    return CreateEx(0, nullptr, "", style, client, parent, id);
}

BOOL CSplitterWnd::CreateView(int row, int col, const ViewFactory& factory, SIZE size, CCreateContext* context)
{
    if (m_hWnd == nullptr || row < 0 || row >= GetMaxRowCount() || col < 0 || col >= GetMaxColumnCount() ||
        !factory || GetPane(row, col) != nullptr)
        return FALSE;
    m_rowInfo[row].ideal = size.cy;
    m_colInfo[col].ideal = size.cx;
    CView* view = factory();
    if (view == nullptr)
        return FALSE;
    // The view deletes itself with its window, also when its creation fails.
    return view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, size.cx, size.cy), this,
                        IdFromRowCol(row, col), context);
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return pane != nullptr ? FromHandle(pane) : nullptr;
}

void CSplitterWnd::SetLayout(int rows, int cols)
{
    m_rows = std::clamp(rows, 1, std::max(1, GetMaxRowCount()));
    m_cols = std::clamp(cols, 1, std::max(1, GetMaxColumnCount()));
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum)
{
    if (row < 0 || row >= GetMaxRowCount())
        return;
    m_rowInfo[row].ideal = ideal;
    m_rowInfo[row].minimum = minimum;
}

void CSplitterWnd::SetColumnInfo(int col, int ideal, int minimum)
{
    if (col < 0 || col >= GetMaxColumnCount())
        return;
    m_colInfo[col].ideal = ideal;
    m_colInfo[col].minimum = minimum;
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const
{
    current = minimum = 0;
    if (row >= 0 && row < GetMaxRowCount()) {
        current = m_rowInfo[row].current;
        minimum = m_rowInfo[row].minimum;
    }
}

void CSplitterWnd::GetColumnInfo(int col, int& current, int& minimum) const
{
    current = minimum = 0;
    if (col >= 0 && col < GetMaxColumnCount()) {
        current = m_colInfo[col].current;
        minimum = m_colInfo[col].minimum;
    }
}

void CSplitterWnd::LayOut(std::vector<Info>& info, int count, int total)
{
    int left = std::max(total, 0);
    for (int i = 0; i < count; ++i) {
        int size = i == count - 1 ? left : std::min(std::max(info[i].ideal, 0), left);
        if (size < info[i].minimum)
            size = 0;
        info[i].current = size;
        left = std::max(left - size - (i < count - 1 ? kBarSize : 0), 0);
    }
    for (size_t i = count; i < info.size(); ++i)
        info[i].current = 0;
}

int CSplitterWnd::PaneStart(const std::vector<Info>& info, int i)
{
    int start = 0;
    for (int k = 0; k < i; ++k)
        start += info[k].current + kBarSize;
    return start;
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    LayOut(m_rowInfo, m_rows, client.Height());
    LayOut(m_colInfo, m_cols, client.Width());
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child) - AFX_IDW_PANE_FIRST;
        const int row = id / 16;
        const int col = id % 16;
        if (id < 0 || row >= m_rows || col >= m_cols) {
            ::ShowWindow(child, SW_HIDE);
            continue;
        }
        ::SetWindowPos(child, nullptr, PaneStart(m_colInfo, col), PaneStart(m_rowInfo, row), m_colInfo[col].current,
                       m_rowInfo[row].current, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    Invalidate(TRUE);
}

int CSplitterWnd::HitTestBar(POINT pt) const
{
    // Row bars first: a press just below a row bar (kBarSlack pixels into the lower pane) still
    // takes it, so a pane can hand over its top edge.
    for (int r = 0; r + 1 < m_rows; ++r) {
        const int top = PaneStart(m_rowInfo, r) + m_rowInfo[r].current;
        if (pt.y >= top && pt.y < top + kBarSize + kBarSlack)
            return 0x100 + r;
    }
    for (int c = 0; c + 1 < m_cols; ++c) {
        const int left = PaneStart(m_colInfo, c) + m_colInfo[c].current;
        if (pt.x >= left && pt.x < left + kBarSize + kBarSlack)
            return 0x200 + c;
    }
    return -1;
}

void CSplitterWnd::OnSize(UINT, int, int)
{
    RecalcLayout();
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint pt)
{
    m_dragBar = HitTestBar(pt);
    if (m_dragBar < 0)
        return;
    if (m_dragBar >= 0x200) {
        const int c = m_dragBar - 0x200;
        m_dragOffset = pt.x - (PaneStart(m_colInfo, c) + m_colInfo[c].current);
    } else {
        const int r = m_dragBar - 0x100;
        m_dragOffset = pt.y - (PaneStart(m_rowInfo, r) + m_rowInfo[r].current);
    }
    SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint pt)
{
    if (m_dragBar < 0 || ::GetCapture() != m_hWnd)
        return;
    // The pane before the bar takes the new size; the layout gives the last pane the rest.
    if (m_dragBar >= 0x200) {
        const int c = m_dragBar - 0x200;
        m_colInfo[c].ideal = std::max<int>(pt.x - m_dragOffset - PaneStart(m_colInfo, c), 0);
    } else {
        const int r = m_dragBar - 0x100;
        m_rowInfo[r].ideal = std::max<int>(pt.y - m_dragOffset - PaneStart(m_rowInfo, r), 0);
    }
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT flags, CPoint pt)
{
    if (m_dragBar < 0)
        return;
    OnMouseMove(flags, pt);
    m_dragBar = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CSplitterWnd::OnCaptureChanged(CWnd* wnd)
{
    if (wnd == nullptr || wnd->m_hWnd != m_hWnd)
        m_dragBar = -1;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (hitTest == HTCLIENT && wnd != nullptr && wnd->m_hWnd == m_hWnd) {
        POINT pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        const int bar = HitTestBar(pt);
        if (bar >= 0) {
            ::SetCursor(::LoadCursorA(nullptr, bar >= 0x200 ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
    }
    (void)message;
    return static_cast<BOOL>(Default());
}

BOOL CSplitterWnd::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    DrawBars(dc, client);
    return TRUE;
}

void CSplitterWnd::DrawBars(CDC* dc, const RECT& client)
{
    // Only the bars show: the panes cover the rest (the window clips its children).
    dc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    for (int r = 0; r + 1 < m_rows; ++r) {
        CRect bar(client.left, PaneStart(m_rowInfo, r) + m_rowInfo[r].current, client.right, 0);
        bar.bottom = bar.top + kBarSize;
        ::DrawEdge(dc->m_hDC, &bar, EDGE_RAISED, BF_RECT);
    }
    for (int c = 0; c + 1 < m_cols; ++c) {
        CRect bar(PaneStart(m_colInfo, c) + m_colInfo[c].current, client.top, 0, client.bottom);
        bar.right = bar.left + kBarSize;
        ::DrawEdge(dc->m_hDC, &bar, EDGE_RAISED, BF_RECT);
    }
}

void CSplitterWndEx::DrawBars(CDC* dc, const RECT& client)
{
    // Flat bars: one face colour, no edges.
    dc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
}
