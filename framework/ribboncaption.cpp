// The frame's caption as the ribbon bar draws it: title, caption buttons, moving and maximising.
#include "framework/ribbonbar.h"
#include "framework/ribbondraw.h"

#include <algorithm>

namespace {

constexpr int kCaptionButtonWidth = 28;

COLORREF Darken(COLORREF c, int percent)
{
    return RGB(GetRValue(c) * (100 - percent) / 100, GetGValue(c) * (100 - percent) / 100,
               GetBValue(c) * (100 - percent) / 100);
}

using ribbondraw::Stroke;

} // namespace

void CMFCRibbonBar::SetReplaceFrameCaption(bool replace)
{
    m_bReplaceCaption = replace;
    m_bLayoutDirty = true;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

CRect CMFCRibbonBar::GetCaptionButtonRect(int which)
{
    if (!m_bReplaceCaption || m_hWnd == nullptr || which < 0 || which > 2)
        return CRect();
    CRect client;
    GetClientRect(&client);
    int right = client.right - (2 - which) * kCaptionButtonWidth;
    return CRect(right - kCaptionButtonWidth, 1, right, kQuickAccessHeight - 3);
}

CString CMFCRibbonBar::GetCaptionTitle() const
{
    HWND frame = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (frame == nullptr)
        return CString();
    char text[512] = {};
    ::GetWindowTextA(frame, text, sizeof text);
    CString title(text);
    // The frame's title is "Application - Document" (the document's name added to the title).
    int dash = title.Find(" - ");
    if (dash < 0)
        return title;
    CString application = title.Left(dash);
    CString document = title.Mid(dash + 3);
    return document.IsEmpty() ? application : document + " - " + application;
}

int CMFCRibbonBar::CaptionHitTest(CPoint pt)
{
    if (!m_bReplaceCaption || pt.y < 0 || pt.y >= kQuickAccessHeight)
        return HTNOWHERE;
    static const int codes[] = { HTMINBUTTON, HTMAXBUTTON, HTCLOSE };
    for (int i = 0; i < 3; ++i)
        if (GetCaptionButtonRect(i).PtInRect(pt))
            return codes[i];
    if (GetApplicationButtonRect().PtInRect(pt))
        return HTNOWHERE;
    for (const auto& element : m_quickAccess)
        if (element->GetRect().PtInRect(pt))
            return HTNOWHERE;
    return HTCAPTION;
}

void CMFCRibbonBar::DrawCaption(CDC& dc, const CRect& client)
{
    const RibbonColors& c = CRibbonLook::Colors();
    HWND frame = ::GetParent(m_hWnd);
    bool maximized = frame != nullptr && ::IsZoomed(frame);
    bool office2007 = CRibbonLook::IsOffice2007(CRibbonLook::CurrentScheme());
    COLORREF band = office2007 ? Darken(c.background, 45) : ::GetSysColor(COLOR_ACTIVECAPTION);
    // The Office 2007 caption's text is white; maximised, the system's caption text colour.
    COLORREF text = office2007 && !maximized ? RGB(255, 255, 255) : ::GetSysColor(COLOR_CAPTIONTEXT);
    CRect row(client.left, 0, client.right, kQuickAccessHeight - 2);
    dc.FillSolidRect(&row, band);

    // What the idle update last asked to be drawn is not recorded here: a paint may be clipped to
    // a small part of the bar (the application button after its menu closed), and the caption row
    // would then keep the old title although a new one was drawn off screen.
    CString title = GetCaptionTitle();
    int left = GetApplicationButtonRect().right + 8;
    for (const auto& element : m_quickAccess)
        left = std::max(left, static_cast<int>(element->GetRect().right) + 12);
    CRect area(left, 0, GetCaptionButtonRect(0).left - 4, kQuickAccessHeight - 2);
    LOGFONTA font = {};
    ::GetObjectA(m_hFont ? static_cast<HGDIOBJ>(m_hFont) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    HFONT bold = ::CreateFontIndirectA(&font);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, bold);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(text);
    // Centred on the whole bar when there is room, else in what the toolbar leaves.
    int width = dc.GetTextExtent(title).cx;
    CRect centred((client.Width() - width) / 2, area.top, (client.Width() + width) / 2, area.bottom);
    if (!maximized)
        area.left += 10;   // the text margin of a frame that is not maximised
    if (centred.left >= area.left && centred.right <= area.right)
        area = centred;
    dc.DrawText(title, -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(dc.m_hDC, old);
    ::DeleteObject(bold);

    // Minimise, maximise (or restore) and close.
    for (int i = 0; i < 3; ++i) {
        CRect button = GetCaptionButtonRect(i);
        if (m_nCaptionPressed == i)
            dc.FillSolidRect(&button, i == 2 ? RGB(200, 40, 40) : Darken(band, 25));
        CPoint m = button.CenterPoint();
        HDC h = dc.m_hDC;
        if (i == 0) {
            Stroke(h, m.x - 5, m.y + 4, m.x + 5, m.y + 4, text);
            Stroke(h, m.x - 5, m.y + 3, m.x + 5, m.y + 3, text);
        } else if (i == 1 && !maximized) {
            RECT box = { m.x - 5, m.y - 5, m.x + 5, m.y + 5 };
            HBRUSH brush = ::CreateSolidBrush(text);
            ::FrameRect(h, &box, brush);
            RECT top = { m.x - 5, m.y - 4, m.x + 5, m.y - 3 };
            ::FillRect(h, &top, brush);
            ::DeleteObject(brush);
        } else if (i == 1) {
            HBRUSH brush = ::CreateSolidBrush(text);
            RECT back = { m.x - 2, m.y - 6, m.x + 6, m.y + 2 };
            RECT front = { m.x - 6, m.y - 2, m.x + 2, m.y + 6 };
            ::FrameRect(h, &back, brush);
            ::FillRect(h, &front, reinterpret_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
            RECT inside = { front.left + 1, front.top + 1, front.right - 1, front.bottom - 1 };
            dc.FillSolidRect(&inside, m_nCaptionPressed == 1 ? Darken(band, 25) : band);
            ::FrameRect(h, &front, brush);
            ::DeleteObject(brush);
        } else {
            for (int d = 0; d < 2; ++d) {
                Stroke(h, m.x - 5 + d, m.y - 5, m.x + 5 + d, m.y + 5, text);
                Stroke(h, m.x - 5 + d, m.y + 4, m.x + 5 + d, m.y - 6, text);
            }
        }
    }
}

bool CMFCRibbonBar::OnCaptionButtonDown(CPoint pt)
{
    int hit = CaptionHitTest(pt);
    HWND frame = ::GetParent(m_hWnd);
    if (hit == HTNOWHERE || frame == nullptr)
        return false;
    if (hit == HTCAPTION) {
        // The system moves the frame as if its own caption were held.
        CPoint screen = pt;
        ClientToScreen(&screen);
        ::ReleaseCapture();
        ::SendMessageA(frame, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
        return true;
    }
    m_nCaptionPressed = hit == HTMINBUTTON ? 0 : hit == HTMAXBUTTON ? 1 : 2;
    ::SetCapture(m_hWnd);
    Invalidate(FALSE);
    return true;
}

bool CMFCRibbonBar::OnCaptionButtonUp(CPoint pt)
{
    if (m_nCaptionPressed < 0)
        return false;
    int pressed = m_nCaptionPressed;
    m_nCaptionPressed = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Invalidate(FALSE);
    HWND frame = ::GetParent(m_hWnd);
    if (frame == nullptr || !GetCaptionButtonRect(pressed).PtInRect(pt))
        return true;
    WPARAM command = pressed == 0 ? SC_MINIMIZE : pressed == 2 ? SC_CLOSE : ::IsZoomed(frame) ? SC_RESTORE : SC_MAXIMIZE;
    ::SendMessageA(frame, WM_SYSCOMMAND, command, 0);
    return true;
}

void CMFCRibbonBar::OnRButtonUp(UINT, CPoint pt)
{
    // The caption's context menu is the frame's system menu.
    HWND frame = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (frame == nullptr || CaptionHitTest(pt) != HTCAPTION)
        return;
    CPoint screen = pt;
    ClientToScreen(&screen);
    HMENU menu = ::GetSystemMenu(frame, FALSE);
    if (menu == nullptr)
        return;
    UINT chosen = TrackPopup(menu, screen, false);
    if (chosen != 0)
        ::PostMessageA(frame, WM_SYSCOMMAND, chosen, 0);
}
