#include "labelmodel/graphshapes.h"

#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/recordio.h"
#include "labelmodel/gdiselect.h"
#include "labelmodel/marker.h"

// ---- CGraphRect ----

bool CGraphRect::ReadRectRecord(RecordReader& r, RectRecord& rec)
{
    if (!ReadBaseRecord(r, rec))
        return false;
    int32_t width, height, lineWidth;
    uint32_t lineColour, fillColour;
    bool transparent;
    if (!r.I32(width) || !r.I32(height) || !r.I32(lineWidth) || !r.U32(lineColour) ||
        !r.U32(fillColour) || !r.Bool(transparent))
        return false;
    rec.width = width;
    rec.height = height;
    rec.lineWidth = lineWidth;
    rec.lineColour = lineColour;
    rec.fillColour = fillColour;
    rec.transparent = transparent;
    return true;
}

void CGraphRect::WriteRectRecord(RecordWriter& w) const
{
    WriteBaseRecord(w);
    w.I32(m_width);
    w.I32(m_height);
    w.I32(m_lineWidth);
    w.U32(m_lineColour);
    w.U32(m_fillColour);
    w.Bool(m_transparent);
}

void CGraphRect::ApplyRectRecord(const RectRecord& rec)
{
    ApplyBaseRecord(rec);
    m_width = rec.width;
    m_height = rec.height;
    m_lineWidth = rec.lineWidth;
    m_lineColour = rec.lineColour;
    m_fillColour = rec.fillColour;
    m_transparent = rec.transparent;
}

bool CGraphRect::Load(CFile* file)
{
    RecordReader r(file);
    RectRecord rec;
    if (!ReadRectRecord(r, rec))
        return false;
    ApplyRectRecord(rec);
    return true;
}

bool CGraphRect::Save(CFile* file)
{
    RecordWriter w(file);
    WriteRectRecord(w);
    return w.ok();
}

bool CGraphRect::Draw(CDC* pDC, int zoom, int originX, int originY, bool, int, int, int, int,
                      CDataTableBase*, CDataTableMap*, bool)
{
    PrepareForDevice(pDC, zoom, originX, originY);
    const int saved = pDC->SaveDC();
    DrawShape(pDC);
    pDC->RestoreDC(saved);
    return true;
}

void CGraphRect::DrawShape(CDC* pDC)
{
    DrawRectangle(pDC);
}

void CGraphRect::CreateLinePen(CPen& pen) const
{
    // A negative width only comes from a damaged record; draw it as the thinnest line.
    const int width = m_lineWidth > 0 ? UmToPx(m_lineWidth, m_dpiX) : 0;
    pen.CreatePen(PS_SOLID, width, m_lineColour);
}

void CGraphRect::FillDeviceRect(CDC* pDC)
{
    CBrush brush(m_fillColour);
    ScopedSelect useBrush(pDC, brush);
    const CRect& r = m_deviceRect;
    pDC->Rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
}

void CGraphRect::DrawRectangle(CDC* pDC)
{
    CPen pen;
    CreateLinePen(pen);
    ScopedSelect usePen(pDC, pen);
    if (!m_transparent)
        FillDeviceRect(pDC);
    DrawOutline(0, 0, pDC);
}

// ---- CGraphEllipse ----

CMarker* CGraphEllipse::CreateMarker(int px, int py, int penStyle)
{
    return new CMarkerEllipse(px, py, penStyle);
}

void CGraphEllipse::DrawShape(CDC* pDC)
{
    CPen pen;
    CreateLinePen(pen);
    ScopedSelect usePen(pDC, pen);
    const CRect& r = m_deviceRect;
    if (m_transparent) {
        pDC->Arc(r.left, r.top, r.right, r.bottom, r.left, r.top, r.left, r.top);
        return;
    }
    CBrush brush(m_fillColour);
    ScopedSelect useBrush(pDC, brush);
    pDC->Ellipse(r.left, r.top, r.right, r.bottom);
}

// ---- CGraphRectRounded ----

bool CGraphRectRounded::Load(CFile* file)
{
    RecordReader r(file);
    RectRecord rec;
    int32_t radius;
    if (!ReadRectRecord(r, rec) || !r.I32(radius))
        return false;
    ApplyRectRecord(rec);
    m_cornerRadius = radius;
    return true;
}

bool CGraphRectRounded::Save(CFile* file)
{
    RecordWriter w(file);
    WriteRectRecord(w);
    w.I32(m_cornerRadius);
    return w.ok();
}

void CGraphRectRounded::DrawShape(CDC* pDC)
{
    // The corner ellipse is the diameter on the device in both directions.
    int d = static_cast<int>((2LL * m_cornerRadius * m_dpiX + 12700) / 25400);
    if (d < 0)
        d = 0;
    const CRect& r = m_deviceRect;
    if (!m_transparent) {
        CRgn region;
        region.CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, d, d);
        CBrush brush(m_fillColour);
        pDC->FillRgn(&region, &brush);
    }
    CPen pen;
    CreateLinePen(pen);
    ScopedSelect usePen(pDC, pen);
    ScopedSelect noBrush(pDC, ::GetStockObject(NULL_BRUSH));
    pDC->RoundRect(r.left, r.top, r.right, r.bottom, d, d);
}

// ---- CGraphTriangle ----

int CGraphTriangle::GetEffectiveRotation() const
{
    switch (m_rotation) {
    case 900:
    case 1800:
    case 2700:
        return m_rotation;
    default:
        return 0;
    }
}

bool CGraphTriangle::Load(CFile* file)
{
    RecordReader r(file);
    RectRecord rec;
    int16_t rotation;
    if (!ReadRectRecord(r, rec) || !r.I16(rotation))
        return false;
    ApplyRectRecord(rec);
    m_rotation = rotation;
    return true;
}

bool CGraphTriangle::Save(CFile* file)
{
    RecordWriter w(file);
    WriteRectRecord(w);
    w.I16(static_cast<int16_t>(m_rotation));
    return w.ok();
}

CMarker* CGraphTriangle::CreateMarker(int px, int py, int penStyle)
{
    return new CMarkerTriangle(px, py, penStyle, GetEffectiveRotation());
}

void CGraphTriangle::Rotate90(int cx, int cy, int dir)
{
    if (dir != 1 && dir != -1)
        return;
    CGraph2Dim::Rotate90(cx, cy, dir);
    m_rotation = (GetEffectiveRotation() + dir * 900 + 3600) % 3600;
}

// The older triangle: a plain triangle in its box, the apex in the middle of the edge its rotation
// names, filled when not transparent.
void CGraphTriangle::DrawShape(CDC* pDC)
{
    const CRect& r = m_deviceRect;
    const int mx = (r.left + r.right) / 2;
    const int my = (r.top + r.bottom) / 2;
    POINT p[3];
    switch (GetEffectiveRotation()) {
    case 900:  p[0] = {r.right, r.bottom}; p[1] = {r.right, r.top}; p[2] = {r.left, my}; break;
    case 1800: p[0] = {r.left, r.top}; p[1] = {r.right, r.top}; p[2] = {mx, r.bottom}; break;
    case 2700: p[0] = {r.left, r.top}; p[1] = {r.left, r.bottom}; p[2] = {r.right, my}; break;
    default:   p[0] = {r.right, r.bottom}; p[1] = {r.left, r.bottom}; p[2] = {mx, r.top}; break;
    }
    CPen pen;
    CreateLinePen(pen);
    ScopedSelect usePen(pDC, pen);
    CBrush brush;
    if (!m_transparent)
        brush.CreateSolidBrush(m_fillColour);
    ScopedSelect useBrush(pDC, m_transparent ? ::GetStockObject(NULL_BRUSH) : brush.GetSafeHandle());
    pDC->Polygon(p, 3);
}
