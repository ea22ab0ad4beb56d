#include "ui/hyperlink.h"

#include "framework/bufferdc.h"
#include "framework/shellopen.h"

#include <algorithm>
#include <cstring>
#include <vector>

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_ENABLE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

char* CopyText(const char* text)
{
    if (text == nullptr)
        return nullptr;
    const size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

} // namespace

CHyperLink::CHyperLink()
    : m_crNormal(RGB(0, 0, 255)), m_crHover(RGB(255, 0, 0)), m_crPressed(RGB(200, 0, 225)),
      m_crBackground(::GetSysColor(COLOR_BTNFACE))
{
    m_font.Attach(::CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial"));
    m_hLinkCursor = ::LoadCursor(nullptr, IDC_HAND);
}

CHyperLink::~CHyperLink()
{
    delete[] m_pszText;
    delete[] m_pszURL;
}

void CHyperLink::SetURL(const char* url)
{
    delete[] m_pszURL;
    m_pszURL = CopyText(url);
    if (m_toolTip.m_hWnd != nullptr) {
        if (m_toolTip.GetToolCount() == 0)
            m_toolTip.AddTool(this, m_pszURL ? m_pszURL : "");
        else
            m_toolTip.UpdateTipText(m_pszURL ? m_pszURL : "", this);
    }
}

void CHyperLink::SetLinkText(const char* text)
{
    delete[] m_pszText;
    m_pszText = CopyText(text);
    Redraw();
}

void CHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | SS_OWNERDRAW | SS_NOTIFY;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, style);
    m_bDisabled = !IsWindowEnabled();
    if (m_toolTip.m_hWnd == nullptr && m_toolTip.Create(this)) {
        m_toolTip.AddTool(this, m_pszURL ? m_pszURL : "");
        m_toolTip.SetDelayTime(TTDT_INITIAL, kTipInitialMs);
        m_toolTip.SetDelayTime(TTDT_AUTOPOP, kTipAutoPopMs);
    }
}

LRESULT CHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSELEAVE:
        if (m_toolTip.m_hWnd != nullptr) {
            MSG msg = {};
            msg.hwnd = m_hWnd;
            msg.message = message;
            msg.wParam = wParam;
            msg.lParam = lParam;
            msg.time = ::GetMessageTime();
            ::GetCursorPos(&msg.pt);
            m_toolTip.RelayEvent(&msg);
        }
        break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

void CHyperLink::OnDestroy()
{
    ::KillTimer(m_hWnd, kHoverTimer);
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.DestroyWindow();
    Default();
}

void CHyperLink::OnEnable(BOOL enabled)
{
    // Not passed on: the static would grey its own text over ours.
    m_bDisabled = !enabled;
    Redraw();
}

// ---- painting

void CHyperLink::OnPaint()
{
    CBufferDC dc(this);
    const int saved = dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(&m_font);
    dc.SetBkColor(m_crBackground);
    CRect client;
    GetClientRect(&client);
    HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(dc, &client, face);

    CString text = m_pszText != nullptr ? CString(m_pszText) : GetWindowText();

    // The lines: all of it, or split at line feeds (trailing ones ignored).
    std::vector<CString> lines;
    if (m_bMultiLine) {
        const char* p = text;
        const char* end = p + std::strlen(p);
        while (end > p && (end[-1] == '\n' || end[-1] == '\r'))
            --end;
        while (p < end) {
            const char* feed = static_cast<const char*>(std::memchr(p, '\n', end - p));
            const char* stop = feed ? feed : end;
            const char* trim = stop;
            if (trim > p && trim[-1] == '\r')
                --trim;
            lines.emplace_back(p, static_cast<int>(trim - p));
            p = feed ? feed + 1 : end;
        }
    }
    if (lines.empty())
        lines.push_back(text);

    CSize extent = dc.GetTextExtent(text);
    if (m_bMultiLine) {
        extent.cx = 0;
        for (const CString& line : lines) {
            CSize e = dc.GetTextExtent(line);
            extent.cx = std::max(extent.cx, e.cx);
            if (e.cy > 0)
                extent.cy = e.cy;
        }
    }
    const int textHeight = extent.cy;
    const int lineHeight = textHeight + 2;
    const int count = static_cast<int>(lines.size());
    const int width = extent.cx + 2 * m_nFrameWidth + 3;
    const int height = std::max(count * lineHeight + count, 2) + 2 * m_nFrameWidth;

    // The control fits its text; its place in the parent stays.
    if (client.Width() != width || client.Height() != height) {
        SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(&client);
        dc.EnsureSize(&client);
        ::FillRect(dc, &client, face);
    }
    if (m_nFrameWidth > 0) {
        CPen framePen(m_nFrameStyle, m_nFrameWidth,
                      m_bDisabled ? ::GetSysColor(COLOR_BTNSHADOW) : m_crNormal);
        CPen* old = dc.SelectObject(&framePen);
        HGDIOBJ oldBrush = dc.SelectObject(::GetStockObject(NULL_BRUSH));
        dc.Rectangle(&client);
        dc.SelectObject(oldBrush);
        dc.SelectObject(old);
    }

    COLORREF textColour = m_crNormal;
    COLORREF lineColour = m_bUnderlineAlways ? m_crNormal : m_crBackground;
    if (m_bHovering && m_bPressed)
        textColour = lineColour = m_crPressed;
    else if (m_bHovering)
        textColour = lineColour = m_crHover;
    dc.SetTextColor(textColour);
    CPen underline(PS_SOLID, 1, lineColour);
    CPen* oldPen = dc.SelectObject(&underline);

    const int x = m_nFrameWidth + 1;
    int y = std::max(0, (client.Height() - count * lineHeight - 1) / 2);
    for (const CString& line : lines) {
        dc.TextOut(x, y, line);
        const int lineWidth = dc.GetTextExtent(line).cx;
        dc.MoveTo(x, y + textHeight);
        dc.LineTo(x + lineWidth, y + textHeight);
        y += lineHeight;
    }
    dc.SelectObject(oldPen);
    dc.RestoreDC(saved);
}

// ---- mouse

bool CHyperLink::CursorOverLinkOrTip() const
{
    POINT p;
    if (!::GetCursorPos(&p))
        return false;
    RECT self;
    ::GetWindowRect(m_hWnd, &self);
    return ::PtInRect(&self, p) || ::PtInRect(&m_rcTip, p);
}

void CHyperLink::TrackLeave(bool on)
{
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof track;
    track.dwFlags = on ? TME_LEAVE : (TME_LEAVE | TME_CANCEL);
    track.hwndTrack = m_hWnd;
    ::TrackMouseEvent(&track);
}

void CHyperLink::OnMouseMove(UINT flags, CPoint)
{
    if (m_bDisabled)
        return;
    HCURSOR previous = ::SetCursor(m_hLinkCursor);
    if (previous != m_hLinkCursor)
        m_hPrevCursor = previous;
    if (!m_bHovering) {
        TrackLeave(true);
        m_bHovering = TRUE;
        m_bPressed = (flags & MK_LBUTTON) != 0;
        Redraw();
    }
}

void CHyperLink::OnMouseLeave()
{
    // Where the tooltip stood before it is told to go: the mouse may have moved onto it. The
    // place is kept until the hover ends (a second leave finds the tip already gone).
    if (m_toolTip.m_hWnd != nullptr && m_toolTip.IsWindowVisible())
        m_toolTip.GetWindowRect(&m_rcTip);
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.Pop();
    TrackLeave(false);
    if (CursorOverLinkOrTip()) {
        // Still over the link or its tip: look again shortly rather than flicker to normal.
        SetTimer(kHoverTimer, kHoverCheckMs);
        return;
    }
    m_bHovering = FALSE;
    ::SetRectEmpty(&m_rcTip);
    if (!m_bDisabled && m_hPrevCursor != nullptr)
        ::SetCursor(m_hPrevCursor);
    Redraw();
}

void CHyperLink::OnTimer(UINT_PTR id)
{
    if (id != kHoverTimer) {
        Default();
        return;
    }
    KillTimer(kHoverTimer);
    if (m_bPressed)
        return;
    if (!CursorOverLinkOrTip()) {
        m_bHovering = FALSE;
        ::SetRectEmpty(&m_rcTip);
        Redraw();
        return;
    }
    POINT p;
    ::GetCursorPos(&p);
    RECT self;
    ::GetWindowRect(m_hWnd, &self);
    if (::PtInRect(&self, p))
        TrackLeave(true);               // back on the link: its own leave tracking takes over
    else
        SetTimer(kHoverTimer, kHoverCheckMs);
}

void CHyperLink::Press()
{
    if (!m_bDisabled)
        ::SetCursor(m_hLinkCursor);
    m_bPressed = TRUE;
    SetCapture();
    Redraw();
    GetWindowRect(&m_rcPressed);
}

void CHyperLink::OnLButtonDown(UINT, CPoint)
{
    Press();
}

void CHyperLink::OnLButtonDblClk(UINT, CPoint)
{
    const LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    if (!m_bOpenOnClick || (style & SS_NOTIFY) != 0)
        Default();
    Press();
}

void CHyperLink::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bDisabled)
        ::SetCursor(m_hLinkCursor);
    m_bPressed = FALSE;
    POINT screen = point;
    ClientToScreen(&screen);
    const bool counts = ::PtInRect(&m_rcPressed, screen) != FALSE;
    ::SetRectEmpty(&m_rcPressed);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Redraw();
    if (m_bDisabled || !counts)
        return;
    if (m_pszURL != nullptr && m_bOpenOnClick)
        AfxShellExecute(m_hWnd, "open", m_pszURL, nullptr, nullptr, SW_SHOWDEFAULT);   // failure ignored
    const LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    if (m_bOpenOnClick && (style & SS_NOTIFY) == 0)
        return;
    const int id = GetDlgCtrlID();
    HWND parent = ::GetParent(m_hWnd);
    if (id != 0 && parent != nullptr)
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(m_hWnd));
}
