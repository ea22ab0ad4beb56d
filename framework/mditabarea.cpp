// The main frame's tab strip: the tabs of the child frames, drawn in the OneNote manner in the
// current look's colours, and the host window of the child frames below it.
#include "framework/frame.h"

#include "framework/bufferdc.h"
#include "framework/ribbonlook.h"

#include <algorithm>
#include <cmath>

namespace {

// Where a tab's text may go: after the slanted edge, before the close box of an active tab.
CRect TextRect(const CRect& tab, bool active)
{
    CRect text(tab.left + CMDITabArea::kSlant + 4, tab.top, tab.right - 6, tab.bottom);
    if (active)
        text.right = tab.right - CMDITabArea::kCloseBoxWidth - 2;
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CMDITabArea, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CMDITabArea::TabColors CMDITabArea::GetTabColors()
{
    // The tabs take their colours from the look rather than one colour per tab: every tab of one
    // state looks the same, and a change of look repaints them with the rest of the frame.
    const RibbonColors& look = CRibbonLook::Colors();
    TabColors colors;
    colors.strip = look.background;
    colors.face = look.panelArea;
    colors.activeFace = look.tabActiveFace;
    colors.activeEdge = look.checkedBorder;
    // An inactive tab's outline: the active one's colour, half faded into the strip.
    colors.edge = RGB((GetRValue(look.checkedBorder) + GetRValue(look.background)) / 2,
                      (GetGValue(look.checkedBorder) + GetGValue(look.background)) / 2,
                      (GetBValue(look.checkedBorder) + GetBValue(look.background)) / 2);
    colors.text = look.text;
    colors.activeText = look.tabActiveText;
    return colors;
}

std::vector<POINT> CMDITabArea::TabOutline(const CRect& tab)
{
    const int r = kCornerRadius;
    std::vector<POINT> points;
    points.push_back({ tab.left, tab.bottom - 1 });
    // The leading edge leans up to where the first corner's curve begins.
    const double leftCx = tab.left + kSlant + r, rightCx = tab.right - 1 - r, cy = tab.top + r;
    static const double kAngles[] = { 180.0, 150.0, 120.0, 90.0 };   // the quarter circle, 4 points
    const double pi = std::acos(-1.0);
    for (double a : kAngles) {
        double rad = a * pi / 180.0;
        points.push_back({ static_cast<LONG>(std::lround(leftCx + r * std::cos(rad))),
                           static_cast<LONG>(std::lround(cy - r * std::sin(rad))) });
    }
    for (auto it = std::rbegin(kAngles); it != std::rend(kAngles); ++it) {
        double rad = (180.0 - *it) * pi / 180.0;
        points.push_back({ static_cast<LONG>(std::lround(rightCx + r * std::cos(rad))),
                           static_cast<LONG>(std::lround(cy - r * std::sin(rad))) });
    }
    points.push_back({ tab.right - 1, tab.bottom - 1 });
    return points;
}

CRect CMDITabArea::GetChildRect() const
{
    CRect rect;
    if (m_hWnd != nullptr)
        GetClientRect(&rect);
    rect.top = std::min(rect.bottom, static_cast<LONG>(kStripHeight));
    return rect;
}

CRect CMDITabArea::GetTabRect(int index) const
{
    if (m_pFrame == nullptr || index < 0 || index >= static_cast<int>(m_pFrame->GetChildren().size()))
        return CRect();
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    int x = 2;
    CRect result;
    for (int i = 0; i <= index; ++i) {
        CMDIChildWnd* child = m_pFrame->GetChildren()[i];
        CString text = child->GetWindowText();
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
        int width = kSlant + std::max(60, std::min(220, static_cast<int>(size.cx) + 16));
        if (child == m_pFrame->MDIGetActive())
            width += kCloseBoxWidth;
        result = CRect(x, kTabTop, x + width, kStripHeight);
        x += width + 1;
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);
    return result;
}

CRect CMDITabArea::GetCloseRect() const
{
    if (m_pFrame == nullptr || m_pFrame->MDIGetActive() == nullptr)
        return CRect();
    const auto& children = m_pFrame->GetChildren();
    auto it = std::find(children.begin(), children.end(), m_pFrame->MDIGetActive());
    CRect tab = GetTabRect(static_cast<int>(it - children.begin()));
    return CRect(tab.right - kCloseBoxWidth, tab.top + 4, tab.right - 4, tab.bottom - 4);
}

int CMDITabArea::HitTestTab(CPoint pt) const
{
    if (m_pFrame == nullptr)
        return -1;
    for (int i = 0; i < static_cast<int>(m_pFrame->GetChildren().size()); ++i)
        if (GetTabRect(i).PtInRect(pt))
            return i;
    return -1;
}

void CMDITabArea::DrawTab(CDC& dc, int index, bool active, const TabColors& colors)
{
    CRect tab = GetTabRect(index);
    if (!active)
        tab.bottom -= 1;   // stands on the line under the strip
    std::vector<POINT> outline = TabOutline(tab);
    // The face: an active tab runs on over the line under the strip into its document.
    {
        CBrush face(active ? colors.activeFace : colors.face);
        CPen facePen(PS_SOLID, 1, active ? colors.activeFace : colors.face);
        CBrush* oldBrush = dc.SelectObject(&face);
        CPen* oldPen = dc.SelectObject(&facePen);
        dc.Polygon(outline.data(), static_cast<int>(outline.size()));
        dc.SelectObject(oldBrush);
        dc.SelectObject(oldPen);
    }
    {
        CPen edge(PS_SOLID, 1, active ? colors.activeEdge : colors.edge);
        CPen* oldPen = dc.SelectObject(&edge);
        dc.Polyline(outline.data(), static_cast<int>(outline.size()));
        // Polyline leaves out the last point.
        const POINT& last = outline.back();
        dc.SetPixel(last.x, last.y, active ? colors.activeEdge : colors.edge);
        dc.SelectObject(oldPen);
    }

    CMDIChildWnd* child = m_pFrame->GetChildren()[static_cast<size_t>(index)];
    CString title = child->GetWindowText();
    CRect text = TextRect(tab, active);
    dc.SetTextColor(active ? colors.activeText : colors.text);
    dc.DrawText(title, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);

    if (active) {
        CRect box = GetCloseRect();
        box.DeflateRect(4, 3);
        CPen pen(PS_SOLID, 1, colors.activeText);
        CPen* old = dc.SelectObject(&pen);
        for (int d = 0; d < 2; ++d) {   // two pixels wide
            dc.MoveTo(box.left + d, box.top);
            dc.LineTo(box.right + d, box.bottom);
            dc.MoveTo(box.right - 1 + d, box.top);
            dc.LineTo(box.left - 1 + d, box.bottom);
        }
        dc.SelectObject(old);
    }
}

void CMDITabArea::Draw(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    const TabColors colors = GetTabColors();
    CRect strip(client.left, client.top, client.right, std::min(client.bottom, static_cast<LONG>(kStripHeight)));
    dc.FillSolidRect(&strip, colors.strip);
    // The line the tabs stand on; the active tab's face interrupts it.
    if (strip.Height() > 0)
        dc.FillSolidRect(CRect(strip.left, strip.bottom - 1, strip.right, strip.bottom), colors.activeEdge);
    CRect below = GetChildRect();
    if (m_pFrame == nullptr || m_pFrame->MDIGetActive() == nullptr)
        dc.FillSolidRect(&below, ::GetSysColor(COLOR_APPWORKSPACE));
    if (m_pFrame == nullptr)
        return;

    int saved = dc.SaveDC();
    // Tabs that do not fit run under the document menu's button, not over it.
    CRect button = GetMenuButtonRect();
    if (!button.IsRectEmpty())
        dc.ExcludeClipRect(button.left - 2, strip.top, strip.right, strip.bottom);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    const auto& children = m_pFrame->GetChildren();
    int activeIndex = -1;
    for (int i = 0; i < static_cast<int>(children.size()); ++i) {
        if (children[static_cast<size_t>(i)] == m_pFrame->MDIGetActive())
            activeIndex = i;
        else
            DrawTab(dc, i, false, colors);
    }
    if (activeIndex >= 0)
        DrawTab(dc, activeIndex, true, colors);
    dc.RestoreDC(saved);
    DrawMenuButton(dc);
}

void CMDITabArea::OnPaint()
{
    CBufferDC dc(this);
    Draw(dc);
}

void CMDITabArea::OnSize(UINT, int, int)
{
    if (m_pFrame == nullptr)
        return;
    CRect rect = GetChildRect();
    for (CMDIChildWnd* child : m_pFrame->GetChildren())
        child->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    Invalidate(FALSE);
}

void CMDITabArea::OnLButtonDown(UINT, CPoint pt)
{
    if (m_pFrame == nullptr)
        return;
    if (GetMenuButtonRect().PtInRect(pt)) {
        m_pFrame->ShowDocumentMenu();
        return;
    }
    if (GetCloseRect().PtInRect(pt)) {
        m_pFrame->MDIGetActive()->SendMessage(WM_CLOSE);
        return;
    }
    int hit = HitTestTab(pt);
    if (hit >= 0)
        m_pFrame->MDIActivate(m_pFrame->GetChildren()[hit]);
}
