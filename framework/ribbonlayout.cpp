// The ribbon bar's layout, painting and mouse handling.
#include "framework/ribbonbar.h"
#include "framework/ribbondraw.h"

#include <commctrl.h>
#include <algorithm>

namespace {

using ribbondraw::MeasureDC;

} // namespace

CRect CMFCRibbonBar::GetApplicationButtonRect() const
{
    return CRect(3, 2, 3 + kAppButtonSize, 2 + kAppButtonSize);
}

CRect CMFCRibbonBar::GetTabRect(int index)
{
    EnsureLayout();
    return index >= 0 && index < static_cast<int>(m_tabRects.size()) ? m_tabRects[index] : CRect();
}

void CMFCRibbonBar::EnsureLayout()
{
    if (m_bLayoutDirty && m_hWnd != nullptr)
        RecalcLayout();
}

void CMFCRibbonBar::EnsureControls()
{
    for (const auto& category : m_categories)
        category->CreateControls();
}

void CMFCRibbonBar::RecalcLayout()
{
    if (m_hWnd == nullptr)
        return;
    if (m_pPopupPanel != nullptr) {
        ClosePanelPopup();   // lays the bar out again with the panel back in place
        return;
    }
    m_bLayoutDirty = false;
    EnsureControls();
    CRect client;
    GetClientRect(&client);
    int right = std::max(static_cast<int>(client.right), 300);
    MeasureDC measure(m_hFont);
    CDC& dc = measure.dc();

    // Quick access toolbar beside the application button.
    int x = GetApplicationButtonRect().right + 8;
    for (const auto& element : m_quickAccess) {
        int width = element->GetRegularSize(dc).cx;
        element->SetRect(CRect(x, 1, x + width, 1 + kRowHeight));
        x += width + 1;
    }

    // Tabs, then the elements at the right of the tabs. Tabs that do not fit share the room.
    m_tabRects.clear();
    int tabElementsWidth = 0;
    for (const auto& element : m_tabElements)
        tabElementsWidth += element->GetRegularSize(dc).cx + 1;
    const int tabsLeft = GetApplicationButtonRect().right + 8;
    std::vector<int> widths;
    int total = 0;
    for (const auto& category : m_categories) {
        widths.push_back(dc.GetTextExtent(StripRibbonMnemonic(category->GetName())).cx + 20);
        total += widths.back() + 2;
    }
    int room = right - tabElementsWidth - 12 - tabsLeft;
    if (total > room && !widths.empty()) {
        int each = std::max(24, room / static_cast<int>(widths.size()) - 2);
        for (int& width : widths)
            width = std::min(width, each);
    }
    x = tabsLeft;
    for (int width : widths) {
        m_tabRects.emplace_back(x, kQuickAccessHeight, x + width, kQuickAccessHeight + kTabHeight);
        x += width + 2;
    }
    x = std::max(x + 8, right - tabElementsWidth - 4);
    for (const auto& element : m_tabElements) {
        int width = element->GetRegularSize(dc).cx;
        element->SetRect(CRect(x, kQuickAccessHeight + 1, x + width, kQuickAccessHeight + 1 + kRowHeight));
        x += width + 1;
    }

    // Panels of the active category; only its controls show.
    CRect area(0, kQuickAccessHeight + kTabHeight + 3, right, kHeight - 3);
    for (const auto& category : m_categories) {
        if (category.get() == m_pActive && !m_bMinimized)
            category->Layout(dc, area);
    }
    for (const auto& category : m_categories)
        category->Show(category.get() == m_pActive && !m_bMinimized);
    if (m_nKeyTipLevel > 0)
        AssignKeyTips();
    Invalidate(FALSE);
}

void CMFCRibbonBar::RedrawElement(const CMFCRibbonBaseElement* element)
{
    if (m_hWnd == nullptr || element == nullptr)
        return;
    CRect rect = element->GetRect();
    rect.InflateRect(1, 1);
    InvalidateRect(&rect, FALSE);
}

CMFCRibbonBaseElement* CMFCRibbonBar::HitTest(CPoint pt)
{
    EnsureLayout();
    for (const auto& element : m_quickAccess)
        if (CMFCRibbonBaseElement* found = element->HitTest(pt))
            return found;
    for (const auto& element : m_tabElements)
        if (CMFCRibbonBaseElement* found = element->HitTest(pt))
            return found;
    return m_pActive != nullptr && !m_bMinimized ? m_pActive->HitTest(pt) : nullptr;
}

void CMFCRibbonBar::Render(CDC& dc)
{
    EnsureLayout();
    const RibbonColors& c = CRibbonLook::Colors();
    CRect client;
    GetClientRect(&client);
    HGDIOBJ oldFont = ::SelectObject(dc.m_hDC, m_hFont ? static_cast<HGDIOBJ>(m_hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
    dc.FillSolidRect(&client, c.background);
    CRect panels(0, kQuickAccessHeight + kTabHeight, client.right, client.bottom);
    dc.FillSolidRect(&panels, c.panelArea);
    dc.SetBkMode(TRANSPARENT);
    if (m_bReplaceCaption)
        DrawCaption(dc, client);

    RibbonPaint paint;
    paint.dc = &dc;
    paint.colors = &c;
    paint.hot = m_pHot;
    paint.pressed = m_pPressed;

    // Tabs: the active one opens onto the panels.
    for (int i = 0; i < GetCategoryCount(); ++i) {
        CRect tab = m_tabRects[i];
        bool active = m_categories[i].get() == m_pActive;
        if (active) {
            CRect face(tab.left, tab.top + 2, tab.right, tab.bottom + 1);
            dc.FillSolidRect(&face, c.tabActiveFace);
            HBRUSH border = ::CreateSolidBrush(c.panelBorder);
            RECT left = { face.left, face.top, face.left + 1, face.bottom - 1 };
            RECT top = { face.left, face.top, face.right, face.top + 1 };
            RECT rightEdge = { face.right - 1, face.top, face.right, face.bottom - 1 };
            ::FillRect(dc.m_hDC, &left, border);
            ::FillRect(dc.m_hDC, &top, border);
            ::FillRect(dc.m_hDC, &rightEdge, border);
            ::DeleteObject(border);
        }
        dc.SetTextColor(active ? c.tabActiveText : c.tabText);
        dc.DrawText(StripRibbonMnemonic(m_categories[i]->GetName()), -1, &tab,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    for (const auto& element : m_tabElements)
        element->OnDraw(paint);
    for (const auto& element : m_quickAccess)
        element->OnDraw(paint);
    if (m_pActive != nullptr && !m_bMinimized)
        m_pActive->OnDraw(paint);

    // The application button overlaps the first two rows.
    if (m_mainCategory != nullptr || !m_strAppText.IsEmpty() || m_hAppBitmap != nullptr) {
        CRect button = GetApplicationButtonRect();
        HBRUSH brush = ::CreateSolidBrush(m_bAppButtonHot || IsApplicationMenuOpen() ? c.hotBorder : c.appButtonFace);
        HGDIOBJ oldBrush = ::SelectObject(dc.m_hDC, brush);
        HGDIOBJ oldPen = ::SelectObject(dc.m_hDC, ::GetStockObject(NULL_PEN));
        ::Ellipse(dc.m_hDC, button.left, button.top, button.right + 1, button.bottom + 1);
        ::SelectObject(dc.m_hDC, oldPen);
        ::SelectObject(dc.m_hDC, oldBrush);
        ::DeleteObject(brush);
        if (m_hAppBitmap != nullptr) {
            BITMAP info = {};
            ::GetObjectA(m_hAppBitmap, sizeof info, &info);
            HDC memory = ::CreateCompatibleDC(dc.m_hDC);
            HGDIOBJ old = ::SelectObject(memory, m_hAppBitmap);
            ::TransparentBlt(dc.m_hDC, button.CenterPoint().x - info.bmWidth / 2, button.CenterPoint().y - info.bmHeight / 2,
                             info.bmWidth, info.bmHeight, memory, 0, 0, info.bmWidth, info.bmHeight, ::GetPixel(memory, 0, 0));
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
        } else {
            CString caption = m_strAppText.IsEmpty() && m_mainCategory != nullptr ? m_mainCategory->GetName() : m_strAppText;
            dc.SetTextColor(c.appButtonText);
            dc.DrawText(StripRibbonMnemonic(caption), -1, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    DrawKeyTips(dc);
    ::SelectObject(dc.m_hDC, oldFont);
}

void CMFCRibbonBar::OnPaint()
{
    PAINTSTRUCT ps;
    HDC target = ::BeginPaint(m_hWnd, &ps);
    CRect client;
    GetClientRect(&client);
    if (client.Width() > 0 && client.Height() > 0) {
        // Through a bitmap: the bar repaints often (hot tracking) and must not flicker.
        HDC memory = ::CreateCompatibleDC(target);
        HBITMAP bitmap = ::CreateCompatibleBitmap(target, client.Width(), client.Height());
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        CDC dc;
        dc.Attach(memory);
        Render(dc);
        dc.Detach();
        ::BitBlt(target, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
    }
    ::EndPaint(m_hWnd, &ps);
}

void CMFCRibbonBar::OnSize(UINT, int, int)
{
    m_bLayoutDirty = true;
    EnsureLayout();
}

void CMFCRibbonBar::SetHot(CMFCRibbonBaseElement* element, bool force)
{
    if (element == m_pHot && !force)
        return;
    RedrawElement(m_pHot);
    m_pHot = element;
    RedrawElement(m_pHot);
    if (m_hToolTip != nullptr) {
        // One tool follows the element under the mouse.
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_hWnd;
        tool.uId = 0;
        tool.rect = element != nullptr ? element->GetRect()
                                       : (m_bAppButtonHot ? GetApplicationButtonRect() : CRect());
        ::SendMessageA(m_hToolTip, TTM_POP, 0, 0);
        ::SendMessageA(m_hToolTip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CMFCRibbonBar::OnMouseMove(UINT, CPoint pt)
{
    RelayToolTip(m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    if (!m_bTrackingLeave) {
        TRACKMOUSEEVENT track = { sizeof track, TME_LEAVE, m_hWnd, 0 };
        m_bTrackingLeave = ::TrackMouseEvent(&track) != FALSE;
    }
    bool appHot = GetApplicationButtonRect().PtInRect(pt) != FALSE;
    if (appHot != m_bAppButtonHot) {
        m_bAppButtonHot = appHot;
        CRect button = GetApplicationButtonRect();
        InvalidateRect(&button, FALSE);
        SetHot(nullptr, true);   // the tool rectangle follows onto or off the button
    }
    CMFCRibbonBaseElement* hit = appHot ? nullptr : HitTest(pt);
    SetHot(hit != nullptr && hit->IsEnabled() ? hit : nullptr);
}

LRESULT CMFCRibbonBar::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTrackingLeave = false;
    if (m_bAppButtonHot) {
        m_bAppButtonHot = false;
        CRect button = GetApplicationButtonRect();
        InvalidateRect(&button, FALSE);
    }
    if (m_pPressed == nullptr)
        SetHot(nullptr);
    return 0;
}

void CMFCRibbonBar::OnLButtonDown(UINT, CPoint pt)
{
    RelayToolTip(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ShowKeyTips(0);
    ClosePanelPopup();
    EnsureLayout();
    if (OnCaptionButtonDown(pt))
        return;
    if (GetApplicationButtonRect().PtInRect(pt)) {
        ShowApplicationMenu();
        return;
    }
    for (int i = 0; i < GetCategoryCount(); ++i) {
        if (m_tabRects[i].PtInRect(pt)) {
            SetActiveCategory(m_categories[i].get());
            return;
        }
    }
    if (m_pActive != nullptr && !m_bMinimized) {
        if (CMFCRibbonPanel* collapsed = m_pActive->HitTestCollapsed(pt)) {
            OpenPanelPopup(collapsed);
            return;
        }
    }
    CMFCRibbonBaseElement* hit = HitTest(pt);
    if (hit == nullptr || !hit->IsEnabled())
        return;
    m_pPressed = hit;
    SetHot(hit);
    RedrawElement(hit);
    ::SetCapture(m_hWnd);
}

void CMFCRibbonBar::OnLButtonUp(UINT, CPoint pt)
{
    RelayToolTip(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    if (OnCaptionButtonUp(pt))
        return;
    CMFCRibbonBaseElement* pressed = m_pPressed;
    m_pPressed = nullptr;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (pressed == nullptr)
        return;
    RedrawElement(pressed);
    // The click counts only when released over the element it started on.
    if (HitTest(pt) == pressed && pressed->IsEnabled())
        pressed->OnClick(pt);
}

void CMFCRibbonBar::OnLButtonDblClk(UINT flags, CPoint pt)
{
    EnsureLayout();
    // A double click on a tab minimises the ribbon to its tabs, or brings the panels back.
    for (int i = 0; i < GetCategoryCount(); ++i) {
        if (m_tabRects[i].PtInRect(pt)) {
            SetActiveCategory(m_categories[i].get());
            SetMinimized(!m_bMinimized);
            return;
        }
    }
    // A double click on the caption maximises the frame, or restores it.
    if (CaptionHitTest(pt) == HTCAPTION) {
        HWND frame = ::GetParent(m_hWnd);
        ::SendMessageA(frame, WM_SYSCOMMAND, ::IsZoomed(frame) ? SC_RESTORE : SC_MAXIMIZE, 0);
        return;
    }
    OnLButtonDown(flags, pt);
}

void CMFCRibbonBar::OnCaptureChanged(CWnd*)
{
    if (m_nCaptionPressed >= 0) {
        m_nCaptionPressed = -1;
        Invalidate(FALSE);
    }
    if (m_pPressed != nullptr) {
        RedrawElement(m_pPressed);
        m_pPressed = nullptr;
    }
}
