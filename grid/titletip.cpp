#include "grid/titletip.h"
#include <algorithm>
#include <stdexcept>

namespace {
const char kTitleTipClass[] = "ZTitleTip";
}  // namespace

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MBUTTONDOWN()
END_MESSAGE_MAP()

CTitleTip::CTitleTip() : m_dwDblClickMsecs(::GetDoubleClickTime())
{
    if (!AfxRegisterNamedClass(kTitleTipClass, CS_SAVEBITS, nullptr,
                               ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)),
                               reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1)))
        throw std::runtime_error("the title tip's window class can not be registered");
}

CTitleTip::~CTitleTip()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

BOOL CTitleTip::Create(CWnd* parent)
{
    if (m_bCreated && m_hWnd != nullptr)
        return TRUE;
    m_pParentWnd = parent;
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTitleTipClass, nullptr, WS_BORDER | WS_POPUP, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr))
        return FALSE;
    m_bCreated = TRUE;
    return TRUE;
}

BOOL CTitleTip::DestroyWindow()
{
    m_bCreated = FALSE;
    return CWnd::DestroyWindow();
}

void CTitleTip::Show(CRect rectTitle, const char* title, int xOffset, LPRECT hoverRect, const LOGFONTA* font,
                     COLORREF textColour, COLORREF backColour)
{
    if (m_hWnd == nullptr && !Create(m_pParentWnd))
        return;
    if (rectTitle.IsRectEmpty() || ::IsWindowVisible(m_hWnd))
        return;
    if (m_pParentWnd == nullptr || m_pParentWnd->m_hWnd == nullptr)
        return;

    m_rectHover = hoverRect ? CRect(hoverRect) : rectTitle;
    m_rectHover.right++;
    m_rectHover.bottom++;
    m_pParentWnd->ClientToScreen(&m_rectHover);
    ScreenToClient(&m_rectHover);

    // Only while this program has the keyboard.
    if (::GetFocus() == nullptr)
        return;
    m_pParentWnd->ClientToScreen(&rectTitle);
    m_strShown = CString(" ") + (title ? title : "") + " ";
    m_crText = textColour;
    m_crBack = backColour;
    m_font.DeleteObject();
    if (font != nullptr)
        m_font.CreateFontIndirect(font);
    else
        m_font.Attach(::CreateFontIndirectA(nullptr));

    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, font ? m_font.m_hObject : reinterpret_cast<HGDIOBJ>(m_pParentWnd->GetFont()));
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, m_strShown.GetString(), m_strShown.GetLength(), &size);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    size.cx += tm.tmOverhang;
    m_sizeTitle = CSize(size.cx, rectTitle.Height());

    CRect window = rectTitle;
    window.left += xOffset;
    window.right = window.left + size.cx;
    if (window.right > rectTitle.right) {
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, window.left, window.top, window.Width(), window.Height(),
                       SWP_SHOWWINDOW | SWP_NOACTIVATE);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        ::UpdateWindow(m_hWnd);
        SetCapture();
    } else {
        m_strShown.Empty();
    }
}

void CTitleTip::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CRect clip;
    dc.GetClipBox(&clip);
    if (m_crBack != CLR_DEFAULT)
        dc.FillSolidRect(&clip, m_crBack);
    else
        dc.FillSolidRect(&clip, ::GetSysColor(COLOR_INFOBK));
    dc.SetTextColor(m_crText != CLR_DEFAULT ? m_crText : ::GetSysColor(COLOR_INFOTEXT));
    dc.SetBkMode(TRANSPARENT);
    HGDIOBJ old = nullptr;
    if (m_font.m_hObject != nullptr)
        old = ::SelectObject(dc.m_hDC, m_font.m_hObject);
    dc.TextOut(0, 0, m_strShown);
    if (old != nullptr)
        ::SelectObject(dc.m_hDC, old);
}

void CTitleTip::Hide()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::ShowWindow(m_hWnd, SW_HIDE);
}

void CTitleTip::OnMouseMove(UINT flags, CPoint point)
{
    if (m_rectHover.PtInRect(point))
        return;
    Hide();
    // The move goes on to whatever lies under the pointer.
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    HWND under = ::WindowFromPoint(screen);
    if (under == m_hWnd || under == nullptr)
        under = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (under == nullptr)
        return;
    LRESULT hit = ::SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTCLIENT) {
        POINT client = screen;
        ::ScreenToClient(under, &client);
        ::PostMessageA(under, WM_MOUSEMOVE, flags, MAKELPARAM(client.x, client.y));
    } else {
        ::PostMessageA(under, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
    }
}

void CTitleTip::ForwardButton(UINT message, UINT flags, CPoint point)
{
    MSG msg = {};
    msg.hwnd = m_hWnd;
    msg.message = message;
    msg.wParam = flags;
    msg.lParam = MAKELPARAM(point.x, point.y);
    PreTranslateMessage(&msg);
}

BOOL CTitleTip::PreTranslateMessage(MSG* msg)
{
    switch (msg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        POINT screen = { static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam)) };
        ::ClientToScreen(m_hWnd, &screen);
        HWND under = ::WindowFromPoint(screen);
        if (under == m_hWnd || under == nullptr)
            under = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
        Hide();
        if (under == nullptr)
            return TRUE;
        UINT message = msg->message;
        if (message == WM_LBUTTONDOWN) {
            const DWORD now = ::GetTickCount();
            if (m_dwLastLButtonDown != static_cast<DWORD>(-1) && now - m_dwLastLButtonDown < m_dwDblClickMsecs)
                message = WM_LBUTTONDBLCLK;
            m_dwLastLButtonDown = now;
        }
        LRESULT hit = ::SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (hit == HTCLIENT) {
            POINT client = screen;
            ::ScreenToClient(under, &client);
            ::PostMessageA(under, message, msg->wParam, MAKELPARAM(client.x, client.y));
        } else {
            ::PostMessageA(under, message + (WM_NCLBUTTONDOWN - WM_LBUTTONDOWN), static_cast<WPARAM>(hit),
                           MAKELPARAM(screen.x, screen.y));
        }
        return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd != nullptr)
            ::PostMessageA(m_pParentWnd->m_hWnd, msg->message, msg->wParam, msg->lParam);
        return TRUE;
    default:
        break;
    }
    if (::GetFocus() == nullptr) {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}
