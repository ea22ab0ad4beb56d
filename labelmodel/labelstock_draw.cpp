// Outlines of label stocks: one label cell on a sheet, one label at a zoom, and the page header
// and footer boxes. Outlines are grey hairlines that leave the inside untouched.
#include "labelmodel/labelstock.h"

namespace {

const COLORREF kOutlineColour = RGB(0x80, 0x80, 0x80);

// Micrometres to device pixels at `dpi`, rounded as everywhere in the label model.
int Px(long long um, int dpi) { return static_cast<int>((um * dpi + 12700) / 25400); }

int ZoomedDpi(CDC* dc, int zoom, int axis) { return (zoom * dc->GetDeviceCaps(axis) + 50) / 100; }

}  // namespace

void CLabel::DrawBox(CDC* dc, int shape, int l, int t, int r, int b, int cornerW, int cornerH,
                     bool dotted) {
    CPen pen(dotted ? PS_DOT : PS_SOLID, 1, kOutlineColour);
    HGDIOBJ oldPen = dc->SelectObject(static_cast<HGDIOBJ>(pen.GetSafeHandle()));
    HGDIOBJ oldBrush = dc->SelectObject(GetStockObject(NULL_BRUSH));
    switch (shape) {
    case 1:
        dc->RoundRect(l, t, r, b, cornerW, cornerH);
        break;
    case 2:
        dc->Ellipse(l, t, r + 1, b + 1);
        break;
    default:
        dc->Rectangle(l, t, r + 1, b + 1);
        break;
    }
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

void CLabel::DrawOutlineAt(CDC* dc, int dpi, int x0, int y0, int x, int y) const {
    if (!dc)
        return;
    DrawBox(dc, 0, x0 + Px(x, dpi), y0 + Px(y, dpi), x0 + Px(static_cast<long long>(x) + m_body.width, dpi),
            y0 + Px(static_cast<long long>(y) + m_body.height, dpi), 0, 0, false);
}

void CLabel::DrawScaled(CDC* dc, int zoom, int left, int top) const {
    if (!dc)
        return;
    const int dx = ZoomedDpi(dc, zoom, LOGPIXELSX);
    const int dy = ZoomedDpi(dc, zoom, LOGPIXELSY);
    DrawBox(dc, 0, left, top, left + Px(m_body.width, dx), top + Px(m_body.height, dy), 0, 0, false);
}

void CLabel::DrawPart(int part, CDC* dc, int zoom, int left, int top) const {
    if (part == 0)
        DrawScaled(dc, zoom, left, top);
}

void CLabelExt::DrawOutlineAt(CDC* dc, int dpi, int x0, int y0, int x, int y) const {
    if (!dc)
        return;
    const int corner = 2 * Px(m_cornerRadius, dpi);
    DrawBox(dc, m_shape, x0 + Px(x, dpi), y0 + Px(y, dpi),
            x0 + Px(static_cast<long long>(x) + m_body.width, dpi),
            y0 + Px(static_cast<long long>(y) + m_body.height, dpi), corner, corner, false);
}

void CLabelExt::DrawScaled(CDC* dc, int zoom, int left, int top) const {
    if (!dc)
        return;
    const int dx = ZoomedDpi(dc, zoom, LOGPIXELSX);
    const int dy = ZoomedDpi(dc, zoom, LOGPIXELSY);
    DrawBox(dc, m_shape, left, top, left + Px(m_body.width, dx), top + Px(m_body.height, dy),
            2 * Px(m_cornerRadius, dx), 2 * Px(m_cornerRadius, dy), false);
}

void CLabelFileNew::DrawPart(int part, CDC* dc, int zoom, int left, int top) const {
    switch (part) {
    case 0: DrawScaled(dc, zoom, left, top); break;
    case 1: DrawHeader(dc, zoom, left, top); break;
    case 2: DrawFooter(dc, zoom, left, top); break;
    default: break;
    }
}

void CLabelFileNew::DrawHeader(CDC* dc, int zoom, int left, int top) const {
    DrawAreaBox(m_header, dc, zoom, left, top);
}

void CLabelFileNew::DrawFooter(CDC* dc, int zoom, int left, int top) const {
    DrawAreaBox(m_footer, dc, zoom, left, top);
}

void CLabelFileNew::DrawAreaBox(const PageArea& area, CDC* dc, int zoom, int left, int top) const {
    if (!dc)
        return;
    const int dx = ZoomedDpi(dc, zoom, LOGPIXELSX);
    const int dy = ZoomedDpi(dc, zoom, LOGPIXELSY);
    DrawBox(dc, 0, left, top, left + Px(area.width, dx), top + Px(area.height, dy), 0, 0, true);
}
