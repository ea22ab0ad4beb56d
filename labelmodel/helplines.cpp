#include "labelmodel/helplines.h"

#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/recordio.h"
#include "labelmodel/graphobject.h"

#include <algorithm>

namespace {
int16_t ClampToI16(long long v)
{
    return static_cast<int16_t>(std::max<long long>(-32768, std::min<long long>(32767, v)));
}
}

bool CHelpLines::Load(CFile* file)
{
    RecordReader r(file);
    bool showHorizontal, showVertical;
    int16_t horizontalDivisions, verticalDivisions;
    if (!r.Bool(showHorizontal) || !r.Bool(showVertical) || !r.I16(horizontalDivisions) ||
        !r.I16(verticalDivisions))
        return false;
    m_showHorizontal = showHorizontal;
    m_showVertical = showVertical;
    m_horizontalLines = horizontalDivisions - 1;
    m_verticalLines = verticalDivisions - 1;
    return true;
}

bool CHelpLines::Save(CFile* file) const
{
    RecordWriter w(file);
    w.Bool(m_showHorizontal);
    w.Bool(m_showVertical);
    w.I16(ClampToI16(static_cast<long long>(m_horizontalLines) + 1));
    w.I16(ClampToI16(static_cast<long long>(m_verticalLines) + 1));
    return w.ok();
}

// Each line is drawn twice, one pixel apart, with a dotted pen in XOR mode, so that it shows on
// any background.
void CHelpLines::DrawArea(CDC* pDC, int widthUm, int heightUm, int zoom) const
{
    const int saved = pDC->SaveDC();
    CPen pen(PS_DOT, 1, RGB(0, 0, 0));
    pDC->SetBkMode(OPAQUE);
    const int dpiX = DpiAtZoom(zoom, pDC->GetDeviceCaps(LOGPIXELSX));
    const int dpiY = DpiAtZoom(zoom, pDC->GetDeviceCaps(LOGPIXELSY));

    if (m_showHorizontal && m_horizontalLines > 0) {
        pDC->SelectObject(&pen);
        pDC->SetROP2(R2_XORPEN);
        const long long step = heightUm / (static_cast<long long>(m_horizontalLines) + 1);
        const int w = UmToPx(widthUm, dpiX);
        long long sum = 0;
        for (int i = 1; i <= m_horizontalLines; ++i) {
            sum += step * dpiY;
            const int y = static_cast<int>((sum + 12700) / 25400);
            pDC->MoveTo(0, y);
            pDC->LineTo(w - 1, y);
            pDC->MoveTo(1, y);
            pDC->LineTo(w, y);
        }
    }
    if (m_showVertical && m_verticalLines > 0) {
        pDC->SelectObject(&pen);
        pDC->SetROP2(R2_XORPEN);
        const long long step = widthUm / (static_cast<long long>(m_verticalLines) + 1);
        const int h = UmToPx(heightUm, dpiY);
        long long sum = 0;
        for (int i = 1; i <= m_verticalLines; ++i) {
            sum += step * dpiX;
            const int x = static_cast<int>((sum + 12700) / 25400);
            pDC->MoveTo(x, 0);
            pDC->LineTo(x, h - 1);
            pDC->MoveTo(x, 1);
            pDC->LineTo(x, h);
        }
    }
    // Restoring deselects the pen before it is deleted.
    pDC->RestoreDC(saved);
}
