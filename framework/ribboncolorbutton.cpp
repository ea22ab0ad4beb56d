// The colour button of the ribbon: its swatch beside the caption and its palette menu.
#include "framework/ribbonelements.h"

#include "framework/app.h"
#include "framework/ribbonbar.h"
#include "framework/ribbondraw.h"

#include <commctrl.h>
#include <algorithm>

namespace {

using ribbondraw::kArrowWidth;
using ribbondraw::kImageSize;
using ribbondraw::Outline;
using ribbondraw::TextWidth;

const std::vector<COLORREF>& DefaultPalette()
{
    static const std::vector<COLORREF> colors = {
        RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
        RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255),
        RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),
        RGB(0, 255, 255),   RGB(255, 102, 0),   RGB(153, 51, 0),    RGB(153, 204, 255), RGB(255, 153, 204),
    };
    return colors;
}

} // namespace

// ---- CMFCRibbonColorButton

CMFCRibbonColorButton::CMFCRibbonColorButton(UINT id, const char* text, int smallImage, COLORREF color)
    : CMFCRibbonButton(id, text, smallImage), m_color(color)
{
}

void CMFCRibbonColorButton::SetColor(COLORREF color)
{
    if (m_color != color) {
        m_color = color;
        Redraw();
    }
}

const std::vector<COLORREF>& CMFCRibbonColorButton::GetPalette() const
{
    return m_palette.empty() ? DefaultPalette() : m_palette;
}

bool CMFCRibbonColorButton::OnPaletteChoice(UINT choice)
{
    const std::vector<COLORREF>& palette = GetPalette();
    if (choice >= 1 && choice <= palette.size()) {
        SetColor(palette[choice - 1]);
    } else if (choice == palette.size() + 1 && !m_strOther.IsEmpty() && m_pRibbonBar != nullptr) {
        COLORREF color = m_color;
        if (!m_pRibbonBar->ChooseOtherColor(color))
            return false;
        SetColor(color);
    } else {
        return false;
    }
    CMFCRibbonBaseElement::OnClick(CPoint());
    return true;
}

CSize CMFCRibbonColorButton::GetRegularSize(CDC& dc)
{
    return CSize(kImageSize + 13 + TextWidth(dc, StripRibbonMnemonic(m_strText)) + kArrowWidth, CMFCRibbonBar::kRowHeight);
}

bool CMFCRibbonColorButton::IsOnDropDownPart(CPoint pt) const
{
    return !HasCommand() || (m_rect.PtInRect(pt) && pt.x >= m_rect.right - kArrowWidth);
}

void CMFCRibbonColorButton::OnDraw(RibbonPaint& paint)
{
    DrawFace(paint, m_rect);
    int top = m_rect.CenterPoint().y - kImageSize / 2;
    CRect swatch(m_rect.left + 5, top, m_rect.left + 5 + kImageSize, top + kImageSize);
    paint.dc->FillSolidRect(&swatch, m_bEnabled ? m_color : paint.colors->panelFace);
    Outline(paint.dc->m_hDC, swatch, m_bEnabled ? paint.colors->text : paint.colors->textDisabled);
    CRect text(swatch.right + 4, m_rect.top, m_rect.right - kArrowWidth, m_rect.bottom);
    DrawText(paint, text, StripRibbonMnemonic(m_strText), DT_LEFT);
    DrawArrow(paint, CRect(m_rect.right - kArrowWidth, m_rect.top, m_rect.right, m_rect.bottom));
}

void CMFCRibbonColorButton::OnClick(CPoint pt)
{
    if (IsOnDropDownPart(pt))
        OpenDropDown();
    else
        CMFCRibbonBaseElement::OnClick(pt);
}

void CMFCRibbonColorButton::OpenDropDown()
{
    if (m_pRibbonBar == nullptr)
        return;
    const std::vector<COLORREF>& palette = GetPalette();
    HMENU menu = ::CreatePopupMenu();
    std::vector<HBITMAP> swatches;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    for (size_t i = 0; i < palette.size(); ++i) {
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 18, 18);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        RECT all = { 0, 0, 18, 18 };
        RECT inner = { 1, 1, 17, 17 };
        HBRUSH frame = ::CreateSolidBrush(RGB(128, 128, 128));
        HBRUSH fill = ::CreateSolidBrush(palette[i]);
        ::FillRect(memory, &all, frame);
        ::FillRect(memory, &inner, fill);
        ::DeleteObject(frame);
        ::DeleteObject(fill);
        ::SelectObject(memory, old);
        swatches.push_back(bitmap);
        UINT flags = MF_BITMAP | ((i > 0 && i % 5 == 0) ? MF_MENUBREAK : 0);
        ::AppendMenuA(menu, flags, i + 1, reinterpret_cast<const char*>(bitmap));
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (!m_strOther.IsEmpty())
        ::AppendMenuA(menu, MF_STRING | MF_MENUBREAK, palette.size() + 1, m_strOther);

    CPoint pt(m_rect.left, m_rect.bottom);
    m_pRibbonBar->ClientToScreen(&pt);
    UINT chosen = m_pRibbonBar->TrackPopup(menu, pt, false);
    ::DestroyMenu(menu);
    for (HBITMAP bitmap : swatches)
        ::DeleteObject(bitmap);
    OnPaletteChoice(chosen);
}
