// The straight line (CGraphLine): two end points instead of a box, two handles, its own drags.
#include "labelmodel/graphshapes.h"

#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/recordio.h"
#include "labelmodel/gdiselect.h"
#include "labelmodel/marker.h"

#include <algorithm>

CGraphLine::CGraphLine(int x1, int y1, int x2, int y2) : m_x2(x2), m_y2(y2)
{
    m_x = x1;
    m_y = y1;
}

// ---- geometry ----

int CGraphLine::GetX() { return std::min(m_x, m_x2); }
int CGraphLine::GetY() { return std::min(m_y, m_y2); }
int CGraphLine::GetWidth() { return std::max(m_x, m_x2) - std::min(m_x, m_x2); }
int CGraphLine::GetHeight() { return std::max(m_y, m_y2) - std::min(m_y, m_y2); }
int CGraphLine::GetRight() { return std::max(m_x, m_x2); }
int CGraphLine::GetBottom() { return std::max(m_y, m_y2); }
int CGraphLine::GetExtentX() { return std::abs(m_x - m_x2); }
int CGraphLine::GetExtentY() { return std::abs(m_y - m_y2); }

void CGraphLine::SetX(int v)
{
    const int dx = v - GetX();
    m_x += dx;
    m_x2 += dx;
}

void CGraphLine::SetY(int v)
{
    const int dy = v - GetY();
    m_y += dy;
    m_y2 += dy;
}

void CGraphLine::SetWidth(int w)
{
    if (m_x > m_x2)
        m_x = m_x2 + w;
    else
        m_x2 = m_x + w;
}

void CGraphLine::SetHeight(int h)
{
    if (m_y > m_y2)
        m_y = m_y2 + h;
    else
        m_y2 = m_y + h;
}

void CGraphLine::GetCentre(int* cx, int* cy)
{
    *cx = (m_x + m_x2) / 2;
    *cy = (m_y + m_y2) / 2;
}

bool CGraphLine::SetCentreAlong(int axis, int v)
{
    if (axis == 1) {
        const int d = m_x2 - m_x;
        m_x = v - d / 2;
        m_x2 = m_x + d;
    } else if (axis == 2) {
        const int d = m_y2 - m_y;
        m_y = v - d / 2;
        m_y2 = m_y + d;
    } else {
        return false;
    }
    return true;
}

void CGraphLine::Offset(int dx, int dy)
{
    m_x += dx;
    m_y += dy;
    m_x2 += dx;
    m_y2 += dy;
}

void CGraphLine::Rotate90(int cx, int cy, int dir)
{
    if (dir != 1 && dir != -1)
        return;
    auto turn = [&](int& px, int& py) {
        const int ox = px, oy = py;
        if (dir == 1) {
            px = cx + (oy - cy);
            py = cy - (ox - cx);
        } else {
            px = cx - (oy - cy);
            py = cy + (ox - cx);
        }
    };
    turn(m_x, m_y);
    turn(m_x2, m_y2);
}

// ---- device, hit tests, handles ----

void CGraphLine::PrepareForDevice(CDC* pDC, int zoom, int, int)
{
    SetDeviceResolution(pDC, zoom);
    m_devX1 = UmToPx(m_x, m_dpiX);
    m_devY1 = UmToPx(m_y, m_dpiY);
    m_devX2 = UmToPx(m_x2, m_dpiX);
    m_devY2 = UmToPx(m_y2, m_dpiY);
}

// A hit is a point at most 2 pixels from the segment, whatever its slope; a line that shrinks to
// one device point is never hit.
bool CGraphLine::HitTest(CDC* pDC, int zoom, int px, int py)
{
    PrepareForDevice(pDC, zoom, 0, 0);
    const double dx = static_cast<double>(m_devX2) - m_devX1;
    const double dy = static_cast<double>(m_devY2) - m_devY1;
    if (dx == 0 && dy == 0)
        return false;
    const double qx = static_cast<double>(px) - m_devX1;
    const double qy = static_cast<double>(py) - m_devY1;
    const double lengthSq = dx * dx + dy * dy;
    const double along = qx * dx + qy * dy;
    double distSq;
    if (along <= 0) {
        distSq = qx * qx + qy * qy;
    } else if (along >= lengthSq) {
        const double ex = static_cast<double>(px) - m_devX2, ey = static_cast<double>(py) - m_devY2;
        distSq = ex * ex + ey * ey;
    } else {
        const double cross = qx * dy - qy * dx;
        distSq = cross * cross / lengthSq;
    }
    // A little slack so that a point exactly 2 pixels away is not lost to rounding.
    return distSq <= 4.0 + 1e-9;
}

bool CGraphLine::IsInsideRect(CDC* pDC, int zoom, const RECT* rc)
{
    if (!rc)
        return false;
    PrepareForDevice(pDC, zoom, 0, 0);
    CRect outer(*rc);
    outer.NormalizeRect();
    auto inside = [&](int x, int y) {
        return x >= outer.left && x <= outer.right && y >= outer.top && y <= outer.bottom;
    };
    return inside(m_devX1, m_devY1) && inside(m_devX2, m_devY2);
}

int CGraphLine::HitHandle(CDC* pDC, int zoom, int px, int py)
{
    PrepareForDevice(pDC, zoom, 0, 0);
    if (NearPoint(px, py, m_devX1, m_devY1))
        return HandleLineStart;
    if (NearPoint(px, py, m_devX2, m_devY2))
        return HandleLineEnd;
    return -1;
}

bool CGraphLine::IsOnHandle(CDC* pDC, int zoom, int px, int py)
{
    if (!m_selected)
        return false;
    return HitHandle(pDC, zoom, px, py) != -1;
}

void CGraphLine::DrawHandles(CDC* pDC)
{
    InvertHandle(pDC, m_devX1, m_devY1);
    InvertHandle(pDC, m_devX2, m_devY2);
}

// ---- drags ----

CMarker* CGraphLine::CreateMarker(int px, int py, int penStyle)
{
    return new CMarkerLine(px, py, penStyle);
}

void CGraphLine::BeginCreateDrag(CDC* pDC, int zoom, int px, int py)
{
    SetDeviceResolutionTruncated(pDC, zoom);
    DeleteTracker(pDC);
    m_tracker = CreateMarker(px, py, PS_SOLID);
    m_tracker->MoveEndPoint(pDC, px, py);
}

void CGraphLine::BeginMove(CDC* pDC, int zoom, int px, int py)
{
    PrepareForDevice(pDC, zoom, 0, 0);
    StartMove(px, py);
    if (!m_tracker) {
        m_tracker = CreateMarker(m_devX1, m_devY1, PS_DOT);
        m_tracker->MoveEndPoint(pDC, m_devX2, m_devY2);
        m_tracker->SetMoveOrigin(px, py);
    }
}

void CGraphLine::EndMove(CDC* pDC, int px, int py)
{
    const SIZE distance = MoveDistance(px, py);
    DeleteTracker(pDC);
    Offset(distance.cx, distance.cy);
}

// The grabbed end follows the mouse; the other end is the marker's fixed start point.
void CGraphLine::BeginResize(CDC* pDC, int zoom, int px, int py)
{
    const int handle = HitHandle(pDC, zoom, px, py);
    if (handle == -1)
        return;
    DeleteTracker(pDC);
    if (handle == HandleLineStart) {
        m_tracker = CreateMarker(m_devX2, m_devY2, PS_DOT);
        m_tracker->MoveEndPoint(pDC, m_devX1, m_devY1);
    } else {
        m_tracker = CreateMarker(m_devX1, m_devY1, PS_DOT);
        m_tracker->MoveEndPoint(pDC, m_devX2, m_devY2);
    }
}

void CGraphLine::EndResize(CDC* pDC)
{
    if (!m_tracker)
        return;
    int sx, sy, ex, ey;
    m_tracker->GetRect(&sx, &sy, &ex, &ey);
    DeleteTracker(pDC);
    m_x = PxToUm(sx, m_dpiX);
    m_y = PxToUm(sy, m_dpiX);
    m_x2 = PxToUm(ex, m_dpiX);
    m_y2 = PxToUm(ey, m_dpiX);
}

// ---- records and drawing ----

bool CGraphLine::Load(CFile* file)
{
    RecordReader r(file);
    BaseRecord rec;
    int32_t x2, y2, lineWidth;
    uint32_t lineColour;
    if (!ReadBaseRecord(r, rec) || !r.I32(x2) || !r.I32(y2) || !r.I32(lineWidth) ||
        !r.U32(lineColour))
        return false;
    ApplyBaseRecord(rec);
    m_x2 = x2;
    m_y2 = y2;
    m_lineWidth = lineWidth;
    m_lineColour = lineColour;
    return true;
}

bool CGraphLine::Save(CFile* file)
{
    RecordWriter w(file);
    WriteBaseRecord(w);
    w.I32(m_x2);
    w.I32(m_y2);
    w.I32(m_lineWidth);
    w.U32(m_lineColour);
    return w.ok();
}

bool CGraphLine::Draw(CDC* pDC, int zoom, int originX, int originY, bool, int, int, int, int,
                      CDataTableBase*, CDataTableMap*, bool)
{
    PrepareForDevice(pDC, zoom, originX, originY);
    const int width = m_lineWidth > 0 ? UmToPx(m_lineWidth, m_dpiX) : 0;
    CPen pen(PS_SOLID, width, m_lineColour);
    ScopedSelect usePen(pDC, pen);
    pDC->MoveTo(originX + m_devX1, originY + m_devY1);
    pDC->LineTo(originX + m_devX2, originY + m_devY2);
    return true;
}
