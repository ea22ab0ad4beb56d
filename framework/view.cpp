#include "framework/view.h"

#include "framework/doc.h"
#include "framework/frame.h"
#include "framework/stdids.h"

#include <algorithm>

// ---- CView

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CCreateContext* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context != nullptr && context->m_pCurrentDoc != nullptr)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* frame = GetParentFrame();
    for (; frame != nullptr; frame = frame->GetParentFrame()) {
        if (frame->GetActiveView() == this)
            frame->SetActiveView(nullptr, FALSE);
    }
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(m_hWnd);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message)
{
    int result = static_cast<int>(Default());
    (void)desktop;
    (void)hitTest;
    (void)message;
    if (result == MA_NOACTIVATEANDEAT || result == MA_ACTIVATEANDEAT)
        return result;
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetActiveView(this);
    return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CView::OnActivateView(BOOL activate, CView* activateView, CView*)
{
    if (activate && activateView == this && m_hWnd != nullptr && ::GetFocus() != m_hWnd &&
        !::IsChild(m_hWnd, ::GetFocus()))
        ::SetFocus(m_hWnd);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- CScrollView

const SIZE CScrollView::sizeDefault = { 0, 0 };

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int mapMode, SIZE total, const SIZE& page, const SIZE& line)
{
    m_mapMode = mapMode == MM_TEXT ? MM_TEXT : MM_TEXT;
    m_total = CSize(std::max<LONG>(total.cx, 0), std::max<LONG>(total.cy, 0));
    m_page = page;
    m_line = line;
    if (m_page.cx == 0)
        m_page.cx = m_total.cx / 10;
    if (m_page.cy == 0)
        m_page.cy = m_total.cy / 10;
    if (m_line.cx == 0)
        m_line.cx = m_page.cx / 10;
    if (m_line.cy == 0)
        m_line.cy = m_page.cy / 10;
    if (m_hWnd != nullptr)
        UpdateBars();
}

void CScrollView::OnPrepareDC(CDC* dc, void* printInfo)
{
    dc->SetMapMode(MM_TEXT);
    if (!dc->IsPrinting())
        dc->SetViewportOrg(-m_pos.x, -m_pos.y);
    CView::OnPrepareDC(dc, printInfo);
}

void CScrollView::UpdateBars()
{
    if (m_hWnd == nullptr)
        return;
    // The client size without bars decides which bars are needed; one bar may make the other
    // needed too.
    CRect client;
    GetClientRect(&client);
    DWORD style = GetStyle();
    int width = client.Width() + ((style & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    int height = client.Height() + ((style & WS_HSCROLL) ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);
    bool needH = m_total.cx > width;
    bool needV = m_total.cy > height;
    if (needH && !needV)
        needV = m_total.cy > height - ::GetSystemMetrics(SM_CYHSCROLL);
    if (needV && !needH)
        needH = m_total.cx > width - ::GetSystemMetrics(SM_CXVSCROLL);
    int viewW = width - (needV ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    int viewH = height - (needH ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);

    CPoint target = m_pos;
    target.x = needH ? std::min<LONG>(target.x, std::max(0, static_cast<int>(m_total.cx) - viewW)) : 0;
    target.y = needV ? std::min<LONG>(target.y, std::max(0, static_cast<int>(m_total.cy) - viewH)) : 0;

    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = needH ? m_total.cx - 1 : 0;
    info.nPage = needH ? static_cast<UINT>(viewW) : 0;
    info.nPos = target.x;
    ShowScrollBar(SB_HORZ, needH);
    if (needH)
        SetScrollInfo(SB_HORZ, &info);
    info.nMax = needV ? m_total.cy - 1 : 0;
    info.nPage = needV ? static_cast<UINT>(viewH) : 0;
    info.nPos = target.y;
    ShowScrollBar(SB_VERT, needV);
    if (needV)
        SetScrollInfo(SB_VERT, &info);

    // Showing or hiding a bar resized the client area (and may have clamped already); what is
    // left of the clamp goes through OnScrollBy like any other move.
    if (target != m_pos)
        OnScrollBy(CSize(target.x - m_pos.x, target.y - m_pos.y), TRUE);
}

CSize CScrollView::GetScrollLimit() const
{
    CRect client;
    GetClientRect(&client);
    return CSize(std::max(0, static_cast<int>(m_total.cx) - client.Width()),
                 std::max(0, static_cast<int>(m_total.cy) - client.Height()));
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL doScroll)
{
    if (m_hWnd == nullptr)
        return FALSE;
    CSize limit = GetScrollLimit();
    LONG x = std::max<LONG>(0, std::min<LONG>(m_pos.x + sizeScroll.cx, limit.cx));
    LONG y = std::max<LONG>(0, std::min<LONG>(m_pos.y + sizeScroll.cy, limit.cy));
    CPoint target(x, y);
    if (target == m_pos)
        return FALSE;
    if (!doScroll)
        return TRUE;
    CPoint old = m_pos;
    m_pos = target;
    if (target.x != old.x)
        SetScrollPos(SB_HORZ, target.x);
    if (target.y != old.y)
        SetScrollPos(SB_VERT, target.y);
    ScrollWindow(old.x - target.x, old.y - target.y);
    return TRUE;
}

void CScrollView::ScrollAxis(int bar, int pos)
{
    if (bar == SB_HORZ)
        OnScrollBy(CSize(pos - m_pos.x, 0), TRUE);
    else
        OnScrollBy(CSize(0, pos - m_pos.y), TRUE);
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_hWnd == nullptr) {
        m_pos = CPoint(std::max<LONG>(0, pt.x), std::max<LONG>(0, pt.y));
        return;
    }
    OnScrollBy(CSize(pt.x - m_pos.x, pt.y - m_pos.y), TRUE);
}

void CScrollView::OnSize(UINT, int, int)
{
    UpdateBars();
}

namespace {
int NewPosition(UINT code, UINT thumb, int pos, int line, int page, int total)
{
    switch (code) {
    case SB_LINEUP: return pos - line;
    case SB_LINEDOWN: return pos + line;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_TOP: return 0;
    case SB_BOTTOM: return total;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return static_cast<int>(thumb);
    default: return pos;
    }
}
} // namespace

void CScrollView::OnHScroll(UINT code, UINT pos, CScrollBar*)
{
    SCROLLINFO info = {};
    GetScrollInfo(SB_HORZ, &info, SIF_PAGE);   // pos is already the 32-bit track position
    int page = info.nPage ? static_cast<int>(info.nPage) : static_cast<int>(m_page.cx);
    ScrollAxis(SB_HORZ, NewPosition(code, pos, m_pos.x, std::max(1, static_cast<int>(m_line.cx)), page, m_total.cx));
}

void CScrollView::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    // pos is already the 32-bit track position
    ScrollAxis(SB_VERT, NewPosition(code, pos, m_pos.y, std::max(1, static_cast<int>(m_line.cy)), VerticalPage(), m_total.cy));
}

int CScrollView::VerticalPage()
{
    SCROLLINFO info = {};
    GetScrollInfo(SB_VERT, &info, SIF_PAGE);
    return info.nPage ? static_cast<int>(info.nPage) : static_cast<int>(m_page.cy);
}

BOOL CScrollView::OnMouseWheel(UINT, short delta, CPoint)
{
    bool pages = false;
    const int steps = m_wheel.AddForSetting(delta, AfxGetWheelScrollLines(), &pages);
    if (steps != 0) {
        const int step = pages ? VerticalPage() : std::max(1, static_cast<int>(m_line.cy));
        ScrollAxis(SB_VERT, m_pos.y + steps * step);
    }
    return TRUE;
}
