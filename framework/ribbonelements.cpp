#include "framework/ribbonelements.h"

#include "framework/app.h"
#include "framework/ribbonbar.h"
#include "framework/ribbondraw.h"
#include "framework/stdids.h"

#include <commctrl.h>
#include <algorithm>

namespace {

using ribbondraw::kArrowWidth;
using ribbondraw::kImageSize;
using ribbondraw::TextWidth;
constexpr int kCheckSize = 13;

using ribbondraw::Outline;
using ribbondraw::Stroke;

// A large button's caption wraps onto a second line at its middle space when that is narrower.
int LargeCaptionWidth(CDC& dc, const CString& caption)
{
    int whole = TextWidth(dc, caption);
    int best = whole;
    for (int i = 0; i < caption.GetLength(); ++i)
        if (caption[i] == ' ')
            best = std::min(best, std::max(TextWidth(dc, caption.Left(i)), TextWidth(dc, caption.Mid(i + 1))));
    return best;
}

// A copy of a popup menu (items, states, submenus): update handlers change the copy.
HMENU CopyPopupMenu(HMENU source)
{
    HMENU copy = ::CreatePopupMenu();
    int count = ::GetMenuItemCount(source);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!::GetMenuItemInfoA(source, i, TRUE, &info))
            continue;
        if (info.hSubMenu != nullptr)
            info.hSubMenu = CopyPopupMenu(info.hSubMenu);
        info.dwTypeData = text;
        ::InsertMenuItemA(copy, i, TRUE, &info);
    }
    return copy;
}

} // namespace

// ---- helpers

void SplitRibbonPrompt(const char* prompt, CString& description, CString& tooltip)
{
    CString text(prompt ? prompt : "");
    int lineBreak = text.Find('\n');
    if (lineBreak < 0) {
        description = text;
        tooltip.Empty();
    } else {
        description = text.Left(lineBreak);
        tooltip = text.Mid(lineBreak + 1);
    }
}

CString StripRibbonMnemonic(const char* text)
{
    CString result;
    for (const char* p = text ? text : ""; *p != '\0'; ++p) {
        if (*p == '&') {
            if (p[1] != '&')
                continue;
            ++p;
        }
        result += *p;
    }
    return result;
}

// ---- CRibbonCmdUI

void CRibbonCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_pElement != nullptr)
        m_pElement->SetEnabled(bOn != FALSE);
}

void CRibbonCmdUI::SetCheck(int nCheck)
{
    if (m_pElement != nullptr)
        m_pElement->SetChecked(nCheck != 0);
}

void CRibbonCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CRibbonCmdUI::SetText(const char* text)
{
    if (m_pElement != nullptr)
        m_pElement->SetTextFromUpdate(text);
}

void CRibbonCmdUI::OnNoHandler()
{
    if (m_pElement != nullptr)
        m_pElement->ClearCommandState();
}

// ---- CMFCRibbonBaseElement

CMFCRibbonBaseElement::CMFCRibbonBaseElement(UINT id, const char* text) : m_nID(id)
{
    SetText(text);
}

CMFCRibbonBaseElement::~CMFCRibbonBaseElement() = default;

void CMFCRibbonBaseElement::SetText(const char* text)
{
    CString all(text ? text : "");
    int lineBreak = all.Find('\n');
    m_strText = lineBreak < 0 ? all : all.Left(lineBreak);
    m_strKeys = lineBreak < 0 ? CString() : all.Mid(lineBreak + 1);
}

void CMFCRibbonBaseElement::SetKeys(const char* keys, const char* menuKeys)
{
    m_strKeys = keys ? keys : "";
    m_strMenuKeys = menuKeys ? menuKeys : "";
}

CString CMFCRibbonBaseElement::GetToolTipText() const
{
    if (!m_strToolTip.IsEmpty())
        return m_strToolTip;
    CString prompt, description, tooltip;
    if (HasCommand() && prompt.LoadString(m_nID))
        SplitRibbonPrompt(prompt, description, tooltip);
    return tooltip.IsEmpty() ? StripRibbonMnemonic(m_strText) : tooltip;
}

CString CMFCRibbonBaseElement::GetDescription() const
{
    if (!m_strDescription.IsEmpty())
        return m_strDescription;
    CString prompt, description, tooltip;
    if (HasCommand() && prompt.LoadString(m_nID))
        SplitRibbonPrompt(prompt, description, tooltip);
    return description;
}

void CMFCRibbonBaseElement::SetImageIndex(int image, bool large)
{
    (large ? m_nLargeImage : m_nSmallImage) = image;
}

void CMFCRibbonBaseElement::SetEnabled(bool enabled)
{
    if (m_bEnabled != enabled) {
        m_bEnabled = enabled;
        Redraw();
    }
}

void CMFCRibbonBaseElement::SetChecked(bool checked)
{
    if (m_bChecked != checked) {
        m_bChecked = checked;
        Redraw();
    }
}

void CMFCRibbonBaseElement::SetTextFromUpdate(const char* text)
{
    CString caption(text ? text : "");
    if (caption != m_strText) {
        m_strText = caption;
        if (m_pRibbonBar != nullptr) {
            m_pRibbonBar->SetLayoutDirty();
            m_pRibbonBar->Invalidate(FALSE);
        }
    }
}

void CMFCRibbonBaseElement::SetOwner(CMFCRibbonBar* bar, CMFCRibbonCategory* category)
{
    m_pRibbonBar = bar;
    m_pCategory = category;
}

CMFCRibbonBaseElement* CMFCRibbonBaseElement::FindByID(UINT id)
{
    return HasCommand() && id == m_nID ? this : nullptr;
}

CMFCRibbonBaseElement* CMFCRibbonBaseElement::HitTest(CPoint pt)
{
    return IsClickable() && m_rect.PtInRect(pt) ? this : nullptr;
}

CSize CMFCRibbonBaseElement::GetRegularSize(CDC& dc)
{
    return CSize(TextWidth(dc, StripRibbonMnemonic(m_strText)) + 8, CMFCRibbonBar::kRowHeight);
}

void CMFCRibbonBaseElement::OnDraw(RibbonPaint& paint)
{
    DrawFace(paint, m_rect);
    CRect text = m_rect;
    text.left += 4;
    DrawText(paint, text, StripRibbonMnemonic(m_strText), DT_LEFT);
}

void CMFCRibbonBaseElement::OnClick(CPoint)
{
    if (HasCommand() && m_pRibbonBar != nullptr)
        m_pRibbonBar->RaiseCommand(m_nID);
}

void CMFCRibbonBaseElement::UpdateCmdUI(CRibbonCmdUI& ui, CFrameWnd* target, BOOL disableIfNoHandler)
{
    if (!HasCommand())
        return;
    ui.m_pElement = this;
    ui.m_nID = m_nID;
    ui.DoUpdate(target, disableIfNoHandler);
}

void CMFCRibbonBaseElement::AppendToMenu(HMENU menu)
{
    ::AppendMenuA(menu, MF_STRING, HasCommand() ? m_nID : 0, m_strText);
}

void CMFCRibbonBaseElement::Redraw()
{
    if (m_pRibbonBar != nullptr)
        m_pRibbonBar->RedrawElement(this);
}

HFONT CMFCRibbonBaseElement::GetFont() const
{
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetRibbonFont() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

HIMAGELIST CMFCRibbonBaseElement::GetImages(bool large) const
{
    if (m_pCategory != nullptr)
        return m_pCategory->GetImages(large);
    // Elements beside the tabs (Help) take their small picture from the panel images.
    return !large && m_pRibbonBar != nullptr ? m_pRibbonBar->GetPanelImages() : nullptr;
}

void CMFCRibbonBaseElement::DrawImage(RibbonPaint& paint, bool large, int x, int y) const
{
    HIMAGELIST images = GetImages(large);
    int index = large ? m_nLargeImage : m_nSmallImage;
    if (images == nullptr || index < 0 || index >= ::ImageList_GetImageCount(images))
        return;
    if (m_bEnabled) {
        ::ImageList_Draw(images, index, paint.dc->m_hDC, x, y, ILD_TRANSPARENT);
        return;
    }
    // Greyed: the picture's own pixels turned into light greys, its transparent ones left out.
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    const COLORREF key = RGB(255, 0, 255);
    BITMAPINFO info = TopDownArgbInfo(cx, cy);
    void* bits = nullptr;
    HDC memory = ::CreateCompatibleDC(paint.dc->m_hDC);
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        ::DeleteDC(memory);
        return;
    }
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    RECT all = { 0, 0, cx, cy };
    HBRUSH brush = ::CreateSolidBrush(key);
    ::FillRect(memory, &all, brush);
    ::DeleteObject(brush);
    ::ImageList_Draw(images, index, memory, 0, 0, ILD_TRANSPARENT);
    ::GdiFlush();
    auto* pixel = static_cast<DWORD*>(bits);
    for (int i = 0; i < cx * cy; ++i) {
        DWORD p = pixel[i] & 0xFFFFFF;
        if (p == 0xFF00FF)   // BGRA of the key colour
            continue;
        int grey = (static_cast<int>((p >> 16) & 0xFF) * 30 + static_cast<int>((p >> 8) & 0xFF) * 59 +
                    static_cast<int>(p & 0xFF) * 11) / 100;
        grey = 128 + grey / 2;   // lighter and flatter than the enabled picture
        pixel[i] = static_cast<DWORD>(grey | (grey << 8) | (grey << 16));
    }
    ::TransparentBlt(paint.dc->m_hDC, x, y, cx, cy, memory, 0, 0, cx, cy, key);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

void CMFCRibbonBaseElement::DrawFace(RibbonPaint& paint, const CRect& rect, bool forceChecked) const
{
    const RibbonColors& c = *paint.colors;
    HDC dc = paint.dc->m_hDC;
    bool hot = paint.hot == this && m_bEnabled;
    bool pressed = hot && paint.pressed == this;
    if (pressed) {
        paint.dc->FillSolidRect(&rect, c.pressedFace);
        Outline(dc, rect, c.hotBorder);
    } else if (hot) {
        paint.dc->FillSolidRect(&rect, c.hotFace);
        Outline(dc, rect, c.hotBorder);
    } else if (m_bChecked || forceChecked) {
        paint.dc->FillSolidRect(&rect, m_bEnabled ? c.checkedFace : c.panelFace);
        Outline(dc, rect, m_bEnabled ? c.checkedBorder : c.textDisabled);
    }
}

void CMFCRibbonBaseElement::DrawText(RibbonPaint& paint, const CRect& rect, const char* text, UINT format) const
{
    CRect r = rect;
    paint.dc->SetBkMode(TRANSPARENT);
    paint.dc->SetTextColor(m_bEnabled ? paint.colors->text : paint.colors->textDisabled);
    paint.dc->DrawText(text, -1, &r, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// ---- CMFCRibbonButton

CMFCRibbonButton::CMFCRibbonButton(UINT id, const char* text, int smallImage, int largeImage)
    : CMFCRibbonBaseElement(id, text)
{
    m_nSmallImage = smallImage;
    m_nLargeImage = largeImage;
}

CMFCRibbonButton::~CMFCRibbonButton()
{
    if (m_hMenuOwned != nullptr)
        ::DestroyMenu(m_hMenuOwned);
}

void CMFCRibbonButton::AddSubItem(CMFCRibbonBaseElement* item)
{
    item->m_pParentElement = this;
    item->SetOwner(m_pRibbonBar, m_pCategory);
    m_subItems.emplace_back(item);
}

void CMFCRibbonButton::SetMenu(HMENU menu, BOOL defaultCommand, BOOL rightAlign)
{
    if (m_hMenuOwned != nullptr && m_hMenuOwned != menu)
        ::DestroyMenu(m_hMenuOwned);
    m_hMenuOwned = menu;
    m_hMenuShown = menu;
    // A menu bar resource holds the popup to show as its first item.
    if (menu != nullptr && ::GetMenuItemCount(menu) >= 1 && ::GetSubMenu(menu, 0) != nullptr &&
        ::GetMenuItemID(menu, 0) == static_cast<UINT>(-1) && ::GetMenuItemCount(menu) == 1)
        m_hMenuShown = ::GetSubMenu(menu, 0);
    m_bDefaultCommand = defaultCommand != FALSE;
    m_bRightAlign = rightAlign != FALSE;
}

BOOL CMFCRibbonButton::SetMenu(UINT menuResourceId, BOOL defaultCommand, BOOL rightAlign)
{
    HMENU menu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(menuResourceId));
    if (menu == nullptr)
        return FALSE;
    SetMenu(menu, defaultCommand, rightAlign);
    return TRUE;
}

HMENU CMFCRibbonButton::BuildDropDownMenu() const
{
    if (m_hMenuShown != nullptr)
        return CopyPopupMenu(m_hMenuShown);
    if (m_subItems.empty())
        return nullptr;
    HMENU menu = ::CreatePopupMenu();
    // A split button's own command heads its list unless a sub-item already carries it.
    bool listed = false;
    for (const auto& item : m_subItems)
        listed = listed || (HasCommand() && item->GetID() == m_nID);
    if (HasCommand() && !listed) {
        ::AppendMenuA(menu, MF_STRING, m_nID, m_strText);
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    }
    for (const auto& item : m_subItems)
        item->AppendToMenu(menu);
    return menu;
}

bool CMFCRibbonButton::IsOnDropDownPart(CPoint pt) const
{
    if (!HasDropDown())
        return false;
    if (!HasCommand() || !m_bDefaultCommand)
        return true;
    return m_rect.PtInRect(pt) && !GetMainRect().PtInRect(pt);
}

CRect CMFCRibbonButton::GetMainRect() const
{
    CRect main = m_rect;
    if (HasDropDown() && HasCommand() && m_bDefaultCommand) {
        if (ShowsLarge())
            main.bottom -= 14;
        else
            main.right -= kArrowWidth;
    }
    return main;
}

void CMFCRibbonButton::SetOwner(CMFCRibbonBar* bar, CMFCRibbonCategory* category)
{
    CMFCRibbonBaseElement::SetOwner(bar, category);
    for (auto& item : m_subItems)
        item->SetOwner(bar, category);
}

CMFCRibbonBaseElement* CMFCRibbonButton::FindByID(UINT id)
{
    if (CMFCRibbonBaseElement* found = CMFCRibbonBaseElement::FindByID(id))
        return found;
    for (auto& item : m_subItems)
        if (CMFCRibbonBaseElement* found = item->FindByID(id))
            return found;
    return nullptr;
}

CSize CMFCRibbonButton::GetRegularSize(CDC& dc)
{
    CString caption = StripRibbonMnemonic(m_strText);
    int arrow = HasDropDown() ? kArrowWidth : 0;
    if (ShowsLarge())
        return CSize(std::max(LargeCaptionWidth(dc, caption) + 10, 42), CMFCRibbonBar::kRowHeight * 3);
    bool image = m_nSmallImage >= 0 && GetImages(false) != nullptr;
    if (image && m_nCompact >= 2)
        return CSize(kImageSize + 8 + arrow, CMFCRibbonBar::kRowHeight);
    int width = (image ? kImageSize + 3 : 0) + TextWidth(dc, caption);
    if (caption.IsEmpty() && !image)
        width = TextWidth(dc, "?");   // a button of only a key tip still needs a face
    return CSize(width + 10 + arrow, CMFCRibbonBar::kRowHeight);
}

void CMFCRibbonButton::DrawArrow(RibbonPaint& paint, const CRect& rect) const
{
    CPoint c = rect.CenterPoint();
    COLORREF color = m_bEnabled ? paint.colors->text : paint.colors->textDisabled;
    for (int i = 0; i < 3; ++i)
        Stroke(paint.dc->m_hDC, c.x - 3 + i, c.y - 1 + i, c.x + 4 - i, c.y - 1 + i, color);
}

void CMFCRibbonButton::OnDraw(RibbonPaint& paint)
{
    DrawFace(paint, m_rect);
    CRect main = GetMainRect();
    if (main != m_rect && paint.hot == this && m_bEnabled) {
        // The split line between the command and its drop-down.
        if (ShowsLarge())
            Stroke(paint.dc->m_hDC, m_rect.left + 1, main.bottom, m_rect.right - 1, main.bottom, paint.colors->hotBorder);
        else
            Stroke(paint.dc->m_hDC, main.right, m_rect.top + 1, main.right, m_rect.bottom - 1, paint.colors->hotBorder);
    }
    CString caption = StripRibbonMnemonic(m_strText);
    bool large = ShowsLarge();
    if (large) {
        DrawImage(paint, true, m_rect.CenterPoint().x - 16, m_rect.top + 4);
        // The caption under the picture, on two lines where it wraps.
        CRect text(m_rect.left + 2, m_rect.top + 38, m_rect.right - 2, m_rect.bottom - (HasDropDown() ? 12 : 1));
        paint.dc->SetBkMode(TRANSPARENT);
        paint.dc->SetTextColor(m_bEnabled ? paint.colors->text : paint.colors->textDisabled);
        paint.dc->DrawText(caption, -1, &text, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    } else {
        CRect text = main;
        text.left += 5;
        bool image = GetImages(false) != nullptr && m_nSmallImage >= 0;
        if (image) {
            DrawImage(paint, false, text.left, m_rect.CenterPoint().y - 8);
            text.left += kImageSize + 3;
        }
        if (!(image && m_nCompact >= 2))
            DrawText(paint, text, caption.IsEmpty() && text.left == main.left + 5 ? CString("?") : caption, DT_LEFT);
    }
    if (HasDropDown()) {
        CRect arrow = large ? CRect(m_rect.left, m_rect.bottom - 14, m_rect.right, m_rect.bottom)
                               : CRect(m_rect.right - kArrowWidth, m_rect.top, m_rect.right, m_rect.bottom);
        DrawArrow(paint, arrow);
    }
}

void CMFCRibbonButton::OnClick(CPoint pt)
{
    if (IsOnDropDownPart(pt))
        OpenDropDown();
    else
        CMFCRibbonBaseElement::OnClick(pt);
}

void CMFCRibbonButton::OpenDropDown()
{
    if (m_pRibbonBar == nullptr)
        return;
    HMENU menu = BuildDropDownMenu();
    if (menu == nullptr)
        return;
    m_pRibbonBar->UpdateMenuItems(menu);
    CPoint pt(m_bRightAlign ? m_rect.right : m_rect.left, m_rect.bottom);
    m_pRibbonBar->ClientToScreen(&pt);
    UINT chosen = m_pRibbonBar->TrackPopup(menu, pt, m_bRightAlign);
    ::DestroyMenu(menu);
    if (chosen != 0)
        m_pRibbonBar->RaiseCommand(chosen);
}

void CMFCRibbonButton::AppendToMenu(HMENU menu)
{
    HMENU dropDown = BuildDropDownMenu();
    if (dropDown != nullptr)
        ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(dropDown), m_strText);
    else
        ::AppendMenuA(menu, MF_STRING, HasCommand() ? m_nID : 0, m_strText);
}

// ---- CMFCRibbonCheckBox

CSize CMFCRibbonCheckBox::GetRegularSize(CDC& dc)
{
    return CSize(kCheckSize + 10 + TextWidth(dc, StripRibbonMnemonic(m_strText)), CMFCRibbonBar::kRowHeight);
}

CRect CMFCRibbonCheckBox::GetBoxRect() const
{
    int top = m_rect.CenterPoint().y - kCheckSize / 2;
    return CRect(m_rect.left + 3, top, m_rect.left + 3 + kCheckSize, top + kCheckSize);
}

void CMFCRibbonCheckBox::OnDraw(RibbonPaint& paint)
{
    const RibbonColors& c = *paint.colors;
    // The face shows hot and pressed only: the square shows the check.
    if (paint.hot == this && m_bEnabled)
        DrawFace(paint, m_rect);
    CRect box = GetBoxRect();
    paint.dc->FillSolidRect(&box, m_bEnabled ? RGB(255, 255, 255) : c.panelFace);
    Outline(paint.dc->m_hDC, box, m_bEnabled ? c.panelBorder : c.textDisabled);
    if (m_bChecked) {
        COLORREF mark = m_bEnabled ? c.text : c.textDisabled;
        HDC dc = paint.dc->m_hDC;
        for (int i = 0; i < 3; ++i) {
            Stroke(dc, box.left + 3, box.top + 5 + i, box.left + 5, box.top + 7 + i, mark);
            Stroke(dc, box.left + 5, box.top + 7 + i, box.left + 10, box.top + 2 + i, mark);
        }
    }
    CRect text = m_rect;
    text.left = box.right + 4;
    DrawText(paint, text, StripRibbonMnemonic(m_strText), DT_LEFT);
}

void CMFCRibbonCheckBox::AppendToMenu(HMENU menu)
{
    ::AppendMenuA(menu, MF_STRING | (m_bChecked ? MF_CHECKED : MF_UNCHECKED), HasCommand() ? m_nID : 0, m_strText);
}

// ---- CMFCRibbonLabel and CMFCRibbonSeparator

void CMFCRibbonLabel::OnDraw(RibbonPaint& paint)
{
    CRect text = m_rect;
    text.left += 3;
    DrawText(paint, text, StripRibbonMnemonic(m_strText), DT_LEFT);
}

void CMFCRibbonLabel::AppendToMenu(HMENU menu)
{
    ::AppendMenuA(menu, MF_STRING | MF_GRAYED, 0, m_strText);
}

void CMFCRibbonSeparator::OnDraw(RibbonPaint& paint)
{
    int x = m_rect.CenterPoint().x;
    Stroke(paint.dc->m_hDC, x, m_rect.top + 2, x, m_rect.bottom - 2, paint.colors->panelBorder);
}

void CMFCRibbonSeparator::AppendToMenu(HMENU menu)
{
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

// ---- CMFCRibbonButtonsGroup

void CMFCRibbonButtonsGroup::AddButton(CMFCRibbonBaseElement* button)
{
    button->m_pParentElement = this;
    button->SetOwner(m_pRibbonBar, m_pCategory);
    m_buttons.emplace_back(button);
}

void CMFCRibbonButtonsGroup::SetOwner(CMFCRibbonBar* bar, CMFCRibbonCategory* category)
{
    CMFCRibbonBaseElement::SetOwner(bar, category);
    for (auto& button : m_buttons)
        button->SetOwner(bar, category);
}

CMFCRibbonBaseElement* CMFCRibbonButtonsGroup::FindByID(UINT id)
{
    for (auto& button : m_buttons)
        if (CMFCRibbonBaseElement* found = button->FindByID(id))
            return found;
    return nullptr;
}

CMFCRibbonBaseElement* CMFCRibbonButtonsGroup::HitTest(CPoint pt)
{
    for (auto& button : m_buttons)
        if (CMFCRibbonBaseElement* found = button->HitTest(pt))
            return found;
    return nullptr;
}

CSize CMFCRibbonButtonsGroup::GetRegularSize(CDC& dc)
{
    int width = 0;
    for (auto& button : m_buttons)
        width += button->GetRegularSize(dc).cx;
    return CSize(width + 2, CMFCRibbonBar::kRowHeight);
}

void CMFCRibbonButtonsGroup::SetRect(const CRect& rect)
{
    CMFCRibbonBaseElement::SetRect(rect);
    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.Attach(screen);
    HGDIOBJ old = ::SelectObject(screen, GetFont());
    int x = rect.left + 1;
    for (auto& button : m_buttons) {
        int width = button->GetRegularSize(dc).cx;
        button->SetRect(CRect(x, rect.top, x + width, rect.bottom));
        x += width;
    }
    ::SelectObject(screen, old);
    dc.Detach();
    ::ReleaseDC(nullptr, screen);
}

void CMFCRibbonButtonsGroup::OnDraw(RibbonPaint& paint)
{
    Outline(paint.dc->m_hDC, m_rect, paint.colors->panelBorder);
    for (auto& button : m_buttons)
        button->OnDraw(paint);
}

void CMFCRibbonButtonsGroup::UpdateCmdUI(CRibbonCmdUI& ui, CFrameWnd* target, BOOL disableIfNoHandler)
{
    for (auto& button : m_buttons)
        button->UpdateCmdUI(ui, target, disableIfNoHandler);
}

void CMFCRibbonButtonsGroup::AppendToMenu(HMENU menu)
{
    for (auto& button : m_buttons)
        button->AppendToMenu(menu);
}

// ---- CMFCRibbonRecentFilesList

void CMFCRibbonRecentFilesList::AppendToMenu(HMENU menu)
{
    ::AppendMenuA(menu, MF_STRING | MF_GRAYED, 0, m_strText);
    CWinApp* app = AfxGetApp();
    CRecentFileList* list = app != nullptr ? app->m_pRecentFileList : nullptr;
    if (list == nullptr)
        return;
    // Menu items are bounded by the list's width in average characters.
    int maxLength = std::max(20, m_nWidth / 7);
    for (int i = 0; i < list->GetCount() && i < 16; ++i) {
        CString item;
        item.Format("&%d %s", (i + 1) % 10, list->GetDisplayName(i, maxLength).GetString());
        ::AppendMenuA(menu, MF_STRING, list->m_nStart + i, item);
    }
}
