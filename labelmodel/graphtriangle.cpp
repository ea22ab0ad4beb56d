// The rounded warning triangle (CGraphTriangleExt): records, equilateral mode and its drawing.
#include "labelmodel/graphshapes.h"

#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/recordio.h"
#include "labelmodel/gdiselect.h"

#include <algorithm>
#include <cmath>

CGraphTriangleExt::CGraphTriangleExt()
{
    m_fillColour = RGB(255, 255, 0);
    m_transparent = false;
    m_lineColour = 0;
    m_lineWidth = 1000;
}

bool CGraphTriangleExt::Load(CFile* file)
{
    RecordReader r(file);
    RectRecord rec;
    int16_t rotation;
    int32_t radius;
    bool equilateral;
    if (!ReadRectRecord(r, rec) || !r.I16(rotation) || !r.I32(radius) || !r.Bool(equilateral))
        return false;
    ApplyRectRecord(rec);
    m_rotation = rotation;
    m_cornerRadius = radius;
    m_equilateral = equilateral;
    return true;
}

bool CGraphTriangleExt::Save(CFile* file)
{
    RecordWriter w(file);
    WriteRectRecord(w);
    w.I16(static_cast<int16_t>(m_rotation));
    w.I32(m_cornerRadius);
    w.Bool(m_equilateral);
    return w.ok();
}

void CGraphTriangleExt::SetEquilateral(bool on)
{
    m_equilateral = on;
    if (!on)
        return;
    m_height = static_cast<int>(87LL * m_width / 100);
    ApplyEquilateralProportions();
}

// The border is 6 % and the corner radius a quarter of 2.5 % of the side X of the sign whose inner
// triangle (5 % border on each side) has the object's width as its base.
void CGraphTriangleExt::ApplyEquilateralProportions()
{
    const double angle = 1.0471966666666666;   // 60 degrees with pi taken as 3.14159
    const double s = std::sin(angle);
    const double c = std::cos(angle);
    const double side = s * m_width / (s - 0.05 - 0.05 * c);
    m_lineWidth = static_cast<int>(std::floor(0.06 * side + 0.5));
    m_cornerRadius = static_cast<int>(std::floor(0.025 * side + 0.5) * 0.25);
}

int CGraphTriangleExt::GetAspectPercent()
{
    return m_equilateral ? 87 : CGraphTriangle::GetAspectPercent();
}

void CGraphTriangleExt::TrackResize(CDC* pDC, int px, int py, UINT keyFlags)
{
    if (!m_equilateral) {
        CGraphTriangle::TrackResize(pDC, px, py, keyFlags);
        return;
    }
    // An equilateral sign keeps its proportions: every drag is a corner drag with the aspect kept.
    CGraphTriangle::TrackResize(pDC, px, py, keyFlags | MK_SHIFT);
    m_resizeMode = 0;
}

bool CGraphTriangleExt::Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame,
                             int row, int flags, int fitResolutionX, int fitResolutionY,
                             CDataTableBase* table, CDataTableMap* columnMap, bool design)
{
    if (m_equilateral)
        ApplyEquilateralProportions();
    return CGraphTriangle::Draw(pDC, zoom, originX, originY, designFrame, row, flags,
                                fitResolutionX, fitResolutionY, table, columnMap, design);
}

namespace {
long Round(double v)
{
    return static_cast<long>(std::floor(v + 0.5));
}
}

void CGraphTriangleExt::DrawShape(CDC* pDC)
{
    const CRect& box = m_deviceRect;
    if (box.Width() == 0 || box.Height() == 0) {
        DrawRectangle(pDC);
        return;
    }
    int r = m_cornerRadius > 0 ? UmToPx(m_cornerRadius, m_dpiX) : 0;
    const int shorter = std::min(box.Width(), box.Height());
    if (3 * r >= shorter)
        r = std::max(0, shorter / 3);

    // Inset by half the pen width so that the outline stays inside the box.
    const int lineWidth = std::max(0, m_lineWidth);
    const int inset = static_cast<int>((static_cast<long long>(lineWidth) * m_dpiX + 12700) / 50800) - 1;
    const int L = box.left + inset, T = box.top + inset;
    const int R = box.right - inset, B = box.bottom - inset;
    // A box too small for its border leaves no triangle: the rectangle stands in for it, rather
    // than a division by a zero height or a spike from a negative one.
    if (R - L <= 0 || B - T <= 0) {
        DrawRectangle(pDC);
        return;
    }

    const int rotation = GetEffectiveRotation();
    const bool upright = rotation == 0 || rotation == 1800;
    const int W = upright ? R - L : B - T;
    const int H = upright ? B - T : R - L;
    // A radius larger than the triangle's inscribed circle would cross the sides over and put
    // the corner circles outside the box; the inscribed circle is as round as the sign can get.
    const double w = W, hh = H;
    const double inradius = w * hh / (w + 2.0 * std::sqrt(w * w / 4.0 + hh * hh));
    if (r > inradius)
        r = static_cast<int>(inradius);
    const double th = W == 0 ? 1.570795 : std::atan(2.0 * H / W);
    const long k1 = Round(r * (1 + std::cos(th)));
    const long k2 = Round(k1 / std::tan(th));
    const long k3 = Round(r * std::sin(th));
    const long k4 = Round(k3 * std::tan(th));
    const long k5 = Round(r * std::cos(th));
    const long A = k3 + k2;
    const long D = k5 + k4;

    POINT c[3];   // corner circle centres: first base corner, second base corner, apex
    POINT p[6];   // tangent points P1 .. P6, counter-clockwise on the screen
    switch (rotation) {
    case 0: {
        const int MX = L + (R - L) / 2;
        c[0] = {L + A, B - r}; c[1] = {R - A, B - r}; c[2] = {MX, T + D};
        p[0] = {L + A, B}; p[1] = {R - A, B}; p[2] = {R - k2, B - k1};
        p[3] = {MX + k3, T + k4}; p[4] = {MX - k3, T + k4}; p[5] = {L + k2, B - k1};
        break;
    }
    case 1800: {
        const int MX = R - (R - L) / 2;
        c[0] = {R - A, T + r}; c[1] = {L + A, T + r}; c[2] = {MX, B - D};
        p[0] = {R - A, T}; p[1] = {L + A, T}; p[2] = {L + k2, T + k1};
        p[3] = {MX - k3, B - k4}; p[4] = {MX + k3, B - k4}; p[5] = {R - k2, T + k1};
        break;
    }
    case 900: {
        const int MY = T + (B - T) / 2;
        c[0] = {R - r, B - A}; c[1] = {R - r, T + A}; c[2] = {L + D, MY};
        p[0] = {R, B - A}; p[1] = {R, T + A}; p[2] = {R - k1, T + k2};
        p[3] = {L + k4, MY - k3}; p[4] = {L + k4, MY + k3}; p[5] = {R - k1, B - k2};
        break;
    }
    default: {   // 2700
        const int MY = B - (B - T) / 2;
        c[0] = {L + r, T + A}; c[1] = {L + r, B - A}; c[2] = {R - D, MY};
        p[0] = {L, T + A}; p[1] = {L, B - A}; p[2] = {L + k1, B - k2};
        p[3] = {R - k4, MY + k3}; p[4] = {R - k4, MY - k3}; p[5] = {L + k1, T + k2};
        break;
    }
    }

    if (!m_transparent) {
        CBrush brush(m_fillColour);
        CPen fillPen(PS_SOLID, 1, m_fillColour);
        {
            ScopedSelect useBrush(pDC, brush);
            ScopedSelect usePen(pDC, fillPen);
            for (const POINT& centre : c)
                pDC->Ellipse(centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1);
        }
        CRgn hexagon;
        hexagon.CreatePolygonRgn(p, 6, WINDING);
        pDC->FillRgn(&hexagon, &brush);
    }

    CPen pen;
    CreateLinePen(pen);
    ScopedSelect usePen(pDC, pen);
    pDC->MoveTo(p[0].x, p[0].y);
    pDC->LineTo(p[1].x, p[1].y);
    pDC->MoveTo(p[2].x, p[2].y);
    pDC->LineTo(p[3].x, p[3].y);
    pDC->MoveTo(p[4].x, p[4].y);
    pDC->LineTo(p[5].x, p[5].y);
    const POINT* from[3] = {&p[5], &p[1], &p[3]};
    const POINT* to[3] = {&p[0], &p[2], &p[4]};
    for (int i = 0; i < 3; ++i)
        pDC->Arc(c[i].x - r, c[i].y - r, c[i].x + r + 1, c[i].y + r + 1, from[i]->x, from[i]->y,
                 to[i]->x, to[i]->y);
}
