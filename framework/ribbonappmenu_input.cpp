// The application menu's input (mouse, keys, the frame's messages while it is open), its window
// and its painting.
#include "framework/ribbonappmenu.h"
#include "framework/ribbonappmenu_parts.h"

#include "framework/guard.h"
#include "framework/ribbonbar.h"

#include <cctype>

using namespace ribbonmenu;

// ---- input

bool CRibbonApplicationMenu::IsSelectable(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return false;
    const Item& item = m_items[index];
    bool inPane = index >= m_nPaneFirst;
    if (m_nKeyLevel == 1)
        return inPane && item.kind == Kind::SubButton && item.element->IsEnabled();
    if (item.kind == Kind::Button)
        return item.element->IsEnabled() || item.IsSplit();
    return item.kind == Kind::Bottom && item.element->IsEnabled();
}

void CRibbonApplicationMenu::MoveHot(int step)
{
    const int count = GetItemCount();
    if (count == 0)
        return;
    int index = m_nHot;
    for (int tries = 0; tries < count; ++tries) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
        if (IsSelectable(index)) {
            SetHot(index);
            return;
        }
    }
}

int CRibbonApplicationMenu::HitTest(CPoint pt) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_items[i].rect.PtInRect(pt))
            return i;
    return -1;
}

void CRibbonApplicationMenu::SetHot(int index)
{
    if (index != m_nHot) {
        m_nHot = index;
        Invalidate();
    }
}

void CRibbonApplicationMenu::OnMouseMove(CPoint pt)
{
    if (!m_bTrackingLeave) {
        TRACKMOUSEEVENT track = { sizeof track, TME_LEAVE, m_hWnd, 0 };
        m_bTrackingLeave = ::TrackMouseEvent(&track) != FALSE;
    }
    int hit = HitTest(pt);
    if (hit < 0) {
        SetHot(-1);
        return;
    }
    // Copies: showing another drop-down rebuilds the pane's items.
    const Kind kind = m_items[hit].kind;
    CMFCRibbonBaseElement* element = m_items[hit].element;
    const bool split = m_items[hit].IsSplit();
    const bool clickable = kind != Kind::Separator && kind != Kind::Heading &&
                           (element == nullptr || element->IsEnabled() || split);
    // A split button of the column shows its drop-down beside it at once; resting on a plain
    // one gives the pane back to the recent documents (after a moment: see kPaneTimer).
    if (kind == Kind::Button) {
        if (split) {
            ::KillTimer(m_hWnd, kPaneTimer);
            ShowDropDown(static_cast<CMFCRibbonButton*>(element), false);
        } else if (m_pDropDown != nullptr) {
            ::SetTimer(m_hWnd, kPaneTimer, kPaneDelay, nullptr);
        }
    } else if (hit >= m_nPaneFirst) {
        ::KillTimer(m_hWnd, kPaneTimer);
    }
    if (m_nKeyLevel == 1 && hit < m_nPaneFirst)
        m_nKeyLevel = 0;   // the mouse took over from the keys in the drop-down
    SetHot(clickable ? hit : -1);
}

void CRibbonApplicationMenu::OnLButtonUp(CPoint pt)
{
    int pressed = m_nPressed;
    m_nPressed = -1;
    int hit = HitTest(pt);
    if (hit < 0 || hit != pressed)
        return;
    ActivateItem(hit, m_items[hit].ArrowRect().PtInRect(pt) != FALSE);
}

void CRibbonApplicationMenu::ActivateItem(int index, bool fromArrow)
{
    if (!IsOpen() || index < 0 || index >= GetItemCount())
        return;
    const Item item = m_items[index];
    auto* button = dynamic_cast<CMFCRibbonButton*>(item.element);
    if (item.kind == Kind::Button && button != nullptr && button->HasDropDown() &&
        (fromArrow || !button->HasCommand())) {
        ShowDropDown(button, !fromArrow);
        return;
    }
    if (item.element != nullptr && !item.element->IsEnabled())
        return;
    UINT command = item.Command();
    if (command != 0)
        RunCommand(command);
}

void CRibbonApplicationMenu::RunCommand(UINT id)
{
    // The panel goes first: the command may open a dialog, or close the frame and with it the bar
    // that owns this panel. Nothing of the panel is used after the command.
    CMFCRibbonBar* bar = m_pBar;
    Close();
    bar->RaiseCommand(id);
}

bool CRibbonApplicationMenu::InKeyLevel(int index) const
{
    const Item& item = m_items[index];
    return m_nKeyLevel == 1 ? (index >= m_nPaneFirst && item.kind == Kind::SubButton) : (item.kind != Kind::SubButton);
}

void CRibbonApplicationMenu::TypeKey(char ch)
{
    m_strTyped += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const CString typed = m_strTyped;
    bool partial = false;
    for (int i = 0; i < GetItemCount(); ++i) {
        const Item& item = m_items[i];
        if (!InKeyLevel(i))
            continue;
        if (!item.menuKeys.IsEmpty() && typed == item.menuKeys) {
            m_strTyped.Empty();
            ShowDropDown(static_cast<CMFCRibbonButton*>(item.element), true);
            return;
        }
        if (!item.keys.IsEmpty() && typed == item.keys) {
            m_strTyped.Empty();
            if (item.kind == Kind::Button || item.kind == Kind::Bottom || item.kind == Kind::SubButton)
                SetHot(i);
            ActivateItem(i);
            return;
        }
        partial = partial || (!item.keys.IsEmpty() && IsPrefixOf(typed, item.keys)) ||
                  (!item.menuKeys.IsEmpty() && IsPrefixOf(typed, item.menuKeys));
    }
    if (!partial)
        m_strTyped.Empty();   // a key that leads nowhere starts over
    Invalidate();
}

void CRibbonApplicationMenu::OnKey(UINT key)
{
    if (!IsOpen())
        return;
    switch (key) {
    case VK_ESCAPE:
        if (m_nKeyLevel == 1) {
            HideDropDown();
            return;
        }
        m_bSwallowKeyUp = true;
        Close();
        return;
    case VK_MENU:
    case VK_F10:
        m_bSwallowKeyUp = true;
        Close();
        return;
    case VK_UP:
    case VK_DOWN:
        MoveHot(key == VK_DOWN ? 1 : -1);
        return;
    case VK_RIGHT:
        if (m_nKeyLevel == 0 && m_nHot >= 0 && m_nHot < m_nPaneFirst && m_items[m_nHot].IsSplit())
            ShowDropDown(static_cast<CMFCRibbonButton*>(m_items[m_nHot].element), true);
        return;
    case VK_LEFT:
        if (m_nKeyLevel == 1)
            HideDropDown();
        return;
    case VK_RETURN:
    case VK_SPACE:
        if (m_nHot >= 0) {
            m_bSwallowKeyUp = true;
            ActivateItem(m_nHot);
        }
        return;
    default:
        break;
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        m_bSwallowKeyUp = true;
        TypeKey(static_cast<char>(key));
    } else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        m_bSwallowKeyUp = true;
        TypeKey(static_cast<char>('0' + (key - VK_NUMPAD0)));
    }
}

BOOL CRibbonApplicationMenu::PreTranslate(const MSG* msg)
{
    if (msg == nullptr)
        return FALSE;
    const UINT message = msg->message;
    const bool buttonDown = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
                            message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
                            message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN ||
                            message == WM_NCLBUTTONDBLCLK;
    const bool buttonUp = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP ||
                          message == WM_NCLBUTTONUP || message == WM_NCRBUTTONUP || message == WM_NCMBUTTONUP;
    const bool keyDown = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool keyRest = message == WM_KEYUP || message == WM_SYSKEYUP || message == WM_CHAR ||
                         message == WM_SYSCHAR || message == WM_DEADCHAR || message == WM_SYSDEADCHAR;
    if (!IsOpen()) {
        // What closed the panel has a second half that belongs to it, not to the window below.
        if (buttonDown)
            m_bSwallowButtonUp = false;
        if (keyDown)
            m_bSwallowKeyUp = false;
        if (buttonUp && m_bSwallowButtonUp) {
            m_bSwallowButtonUp = false;
            return TRUE;
        }
        if (keyRest && m_bSwallowKeyUp) {
            if (message == WM_KEYUP || message == WM_SYSKEYUP)
                m_bSwallowKeyUp = false;
            return TRUE;
        }
        return FALSE;
    }
    if (keyDown) {
        OnKey(static_cast<UINT>(msg->wParam));
        return TRUE;
    }
    if (keyRest || message == WM_MOUSEWHEEL)
        return TRUE;
    if (buttonDown && msg->hwnd != m_hWnd) {
        // A click anywhere else closes the panel and goes no further (a click on the application
        // button closes it too rather than opening it again).
        Close();
        m_bSwallowButtonUp = true;
        return TRUE;
    }
    return FALSE;
}

// ---- the window

LRESULT CALLBACK CRibbonApplicationMenu::WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* menu = reinterpret_cast<CRibbonApplicationMenu*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (menu == nullptr || menu->m_hWnd != wnd)
        return ::DefWindowProcA(wnd, message, wParam, lParam);
    return GuardedCall([&] { return menu->OnMessage(message, wParam, lParam); }, LRESULT(0));
}

LRESULT CRibbonApplicationMenu::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC target = ::BeginPaint(m_hWnd, &ps);
        // Through a bitmap: hot tracking repaints the whole panel.
        HDC memory = ::CreateCompatibleDC(target);
        HBITMAP bitmap = ::CreateCompatibleBitmap(target, m_size.cx, m_size.cy);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        CDC dc;
        dc.Attach(memory);
        Render(dc);
        dc.Detach();
        ::BitBlt(target, 0, 0, m_size.cx, m_size.cy, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        OnMouseMove(pt);
        return 0;
    case WM_MOUSELEAVE:
        m_bTrackingLeave = false;
        if (m_nKeyLevel == 0)
            SetHot(-1);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_nPressed = HitTest(pt);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(pt);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Only when the platform gave the panel the keyboard after all.
        OnKey(static_cast<UINT>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kPaneTimer) {
            ::KillTimer(m_hWnd, kPaneTimer);
            if (m_nHot >= 0 && m_nHot < m_nPaneFirst && m_items[m_nHot].kind == Kind::Button && !m_items[m_nHot].IsSplit())
                HideDropDown();
        }
        return 0;
    case WM_ACTIVATEAPP:
        if (!wParam)
            Close(false);   // another program came forward
        return 0;
    case WM_CANCELMODE:
        Close();
        return 0;
    default:
        return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    }
}

void CRibbonApplicationMenu::Invalidate()
{
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

// ---- painting

void CRibbonApplicationMenu::Render(CDC& dc)
{
    const RibbonColors& c = CRibbonLook::Colors();
    HDC hdc = dc.m_hDC;
    HFONT normal = m_pBar->GetRibbonFont();
    HGDIOBJ oldFont = ::SelectObject(hdc, normal ? static_cast<HGDIOBJ>(normal) : ::GetStockObject(DEFAULT_GUI_FONT));
    CRect all(0, 0, m_size.cx, m_size.cy);
    dc.FillSolidRect(&all, c.background);
    Outline(hdc, all, c.panelBorder);
    dc.FillSolidRect(&m_column, c.panelFace);
    dc.FillSolidRect(&m_pane, Mix(c.panelFace, RGB(255, 255, 255), 60));
    CRect inner(m_column.left - 1, m_column.top - 1, m_pane.right + 1, m_pane.bottom + 1);
    Outline(hdc, inner, c.panelBorder);
    Stroke(hdc, m_column.right, m_column.top, m_column.right, m_column.bottom, c.panelBorder);
    dc.SetBkMode(TRANSPARENT);
    RibbonPaint paint;
    paint.dc = &dc;
    paint.colors = &c;
    for (int i = 0; i < GetItemCount(); ++i)
        DrawItem(paint, i);
    if (m_bKeyTips) {
        for (int i = 0; i < GetItemCount(); ++i) {
            const Item& item = m_items[i];
            if (!InKeyLevel(i))
                continue;
            if (item.kind == Kind::Button || item.kind == Kind::SubButton)
                DrawKeyTip(dc, item.keys, CPoint(item.rect.left + 8 + kLargeImage - 2, item.rect.top + 8 + kLargeImage - 6));
            else if (item.kind == Kind::Recent)
                DrawKeyTip(dc, item.keys, CPoint(item.rect.left + 15, item.rect.CenterPoint().y));   // over its number
            else if (item.kind == Kind::Bottom)
                DrawKeyTip(dc, item.keys, CPoint(item.rect.left + 12, item.rect.bottom - 2));
            if (!item.menuKeys.IsEmpty())
                DrawKeyTip(dc, item.menuKeys, CPoint(item.ArrowRect().CenterPoint().x, item.rect.bottom - 6));
        }
    }
    ::SelectObject(hdc, oldFont);
}

void CRibbonApplicationMenu::DrawItem(RibbonPaint& paint, int index)
{
    const Item& item = m_items[index];
    const RibbonColors& c = *paint.colors;
    CDC& dc = *paint.dc;
    HDC hdc = dc.m_hDC;
    const bool enabled = item.element == nullptr || item.element->IsEnabled();
    const bool hot = index == m_nHot;
    const bool open = item.kind == Kind::Button && item.element != nullptr && item.element == m_pDropDown;
    auto face = [&](const CRect& rect) {
        if (hot) {
            dc.FillSolidRect(&rect, index == m_nPressed ? c.pressedFace : c.hotFace);
            Outline(hdc, rect, c.hotBorder);
        } else if (open) {
            dc.FillSolidRect(&rect, c.checkedFace);
            Outline(hdc, rect, c.checkedBorder);
        }
    };
    auto text = [&](const CString& caption, CRect rect, UINT format, HFONT font = nullptr) {
        HGDIOBJ old = font != nullptr ? ::SelectObject(hdc, font) : nullptr;
        dc.SetTextColor(enabled ? c.text : c.textDisabled);
        dc.DrawText(caption, -1, &rect, format | DT_NOPREFIX);
        if (old != nullptr)
            ::SelectObject(hdc, old);
    };
    switch (item.kind) {
    case Kind::Separator: {
        int y = item.rect.CenterPoint().y;
        Stroke(hdc, item.rect.left + 4, y, item.rect.right - 4, y, c.panelBorder);
        break;
    }
    case Kind::Heading: {
        CRect band(item.rect.left, item.rect.top, item.rect.right, item.rect.bottom - 1);
        dc.FillSolidRect(&band, c.captionFace);
        Stroke(hdc, item.rect.left, item.rect.bottom - 1, item.rect.right, item.rect.bottom - 1, c.panelBorder);
        CRect caption(band.left + 8, band.top, band.right - 4, band.bottom);
        HGDIOBJ old = ::SelectObject(hdc, m_hBold);
        dc.SetTextColor(c.captionText);
        dc.DrawText(item.text, -1, &caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        ::SelectObject(hdc, old);
        break;
    }
    case Kind::Button: {
        face(item.rect);
        if (item.IsSplit() && (hot || open)) {
            CRect arrow = item.ArrowRect();
            Stroke(hdc, arrow.left, item.rect.top + 2, arrow.left, item.rect.bottom - 2, hot ? c.hotBorder : c.checkedBorder);
        }
        item.element->DrawImage(paint, true, item.ImageRect().left, item.ImageRect().top);
        CRect caption(item.rect.left + 8 + kLargeImage + 8, item.rect.top, item.rect.right - kArrowWidth, item.rect.bottom);
        text(item.text, caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        if (item.IsSplit()) {
            // The arrow that points at the pane the drop-down opens in.
            CPoint tip = item.ArrowRect().CenterPoint();
            // (A disabled button's drop-down still opens: the arrow keeps its colour.)
            for (int i = 0; i < 4; ++i)
                Stroke(hdc, tip.x - 2 + i, tip.y - 3 + i, tip.x - 2 + i, tip.y + 4 - i, c.text);
        }
        break;
    }
    case Kind::Recent: {
        face(item.rect);
        CString number;
        number.Format("%d", item.recent + 1);
        CRect digits(item.rect.left + 4, item.rect.top, item.rect.left + 22, item.rect.bottom);
        text(number, digits, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        // The digit a key reaches is underlined, as a menu shows its mnemonic.
        if (!item.keys.IsEmpty()) {
            CSize size = dc.GetTextExtent(number);
            int y = item.rect.CenterPoint().y + size.cy / 2;
            Stroke(hdc, digits.right - size.cx, y, digits.right, y, c.text);
        }
        CRect name(item.rect.left + 30, item.rect.top, item.rect.right - 6, item.rect.bottom);
        text(item.text, name, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_PATH_ELLIPSIS);
        break;
    }
    case Kind::SubButton: {
        face(item.rect);
        item.element->DrawImage(paint, true, item.ImageRect().left, item.ImageRect().top);
        CRect body(item.rect.left + 8 + kLargeImage + 10, item.rect.top + 6, item.rect.right - 8, item.rect.bottom - 4);
        HGDIOBJ old = ::SelectObject(hdc, m_hBold);
        int line = static_cast<int>(dc.GetTextExtent("Ag").cy);
        ::SelectObject(hdc, old);
        text(item.text, CRect(body.left, body.top, body.right, body.top + line), DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS,
             m_hBold);
        CString description = item.element->GetDescription();
        if (!description.IsEmpty())
            text(description, CRect(body.left, body.top + line + 2, body.right, body.bottom), DT_LEFT | DT_WORDBREAK);
        break;
    }
    case Kind::Bottom: {
        if (!hot) {
            dc.FillSolidRect(&item.rect, c.panelFace);
            Outline(hdc, item.rect, c.panelBorder);
        }
        face(item.rect);
        CRect caption = item.rect;
        caption.left += 9;
        CRect image = item.ImageRect();
        if (!image.IsRectEmpty()) {
            item.element->DrawImage(paint, false, image.left, image.top);
            caption.left = image.right + 4;
        }
        text(item.text, caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        break;
    }
    }
}

void CRibbonApplicationMenu::DrawKeyTip(CDC& dc, const CString& keys, CPoint at)
{
    ribbondraw::DrawKeyTipBox(dc, keys, at, m_strTyped);
}
