#include "labelmodel/graphobject.h"

#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/recordio.h"
#include "labelmodel/marker.h"

#include <cmath>

// ---- conversions ----

int UmToPx(int um, int dpi)
{
    return static_cast<int>((static_cast<long long>(um) * dpi + 12700) / 25400);
}

int PxToUm(int px, int dpi)
{
    if (dpi < 1)
        dpi = 1;
    return static_cast<int>((static_cast<long long>(px) * 25400 + dpi / 2) / dpi);
}

// A zoom that rounds to no resolution at all would make every later division by it fail; the
// smallest resolution is one dot per inch.
int DpiAtZoom(int zoom, int logPixels)
{
    const int dpi = (zoom * logPixels + 50) / 100;
    return dpi < 1 ? 1 : dpi;
}

int DpiAtZoomTruncated(int zoom, int logPixels)
{
    const int dpi = zoom * logPixels / 100;
    return dpi < 1 ? 1 : dpi;
}

// ---- CGraphObject ----

CGraphObject::CGraphObject() = default;

CGraphObject::CGraphObject(const CGraphObject& src)
    : CObject(src),
      m_x(src.m_x), m_y(src.m_y), m_lineWidth(src.m_lineWidth), m_selected(src.m_selected),
      m_dpiX(src.m_dpiX), m_dpiY(src.m_dpiY), m_tracker(nullptr)
{
}

CGraphObject::~CGraphObject()
{
    delete m_tracker;
}

int CGraphObject::GetMarkerSize()
{
    return m_tracker ? m_tracker->GetSize() : 0;
}

bool CGraphObject::SetCentreAlong(int axis, int v)
{
    if (axis == 1)
        SetX(v - GetWidth() / 2);
    else if (axis == 2)
        SetY(v - GetHeight() / 2);
    else
        return false;
    return true;
}

int CGraphObject::GetCentreAlong(int axis)
{
    if (axis == 1)
        return GetX() + GetWidth() / 2;
    if (axis == 2)
        return GetY() + GetHeight() / 2;
    return 0;
}

void CGraphObject::GetCentre(int* cx, int* cy)
{
    *cx = GetX() + GetWidth() / 2;
    *cy = GetY() + GetHeight() / 2;
}

int CGraphObject::GetAspectPercent()
{
    const int w = GetWidth();
    const int h = GetHeight();
    if (w == 0 || h == 0)
        return 100;
    return static_cast<int>(static_cast<long long>(h) * 100 / w);
}

void CGraphObject::Rotate90(int cx, int cy, int dir)
{
    if (dir != 1 && dir != -1)
        return;
    const int px = m_x, py = m_y;
    if (dir == 1) {
        m_x = cx + (py - cy);
        m_y = cy - (px - cx);
    } else {
        m_x = cx - (py - cy);
        m_y = cy + (px - cx);
    }
}

void CGraphObject::RescaleBand(int left, int, int right, int, int stretch, int)
{
    // A band without width cannot be stretched proportionally.
    if (right == left)
        return;
    const double k = (static_cast<double>(stretch) + right - left) / (static_cast<double>(right) - left);
    const double xMm = left / 1000.0 + (GetX() - static_cast<double>(left)) / 1000.0 * k;
    const double widthMm = GetWidth() / 1000.0 * k;
    const int newWidth = static_cast<int>(std::floor(widthMm * 1000.0 + 0.5));
    SetX(static_cast<int>(std::floor(xMm * 1000.0 + 0.5)));
    SetWidth(newWidth);
}

bool CGraphObject::CanDraw(CDC*, int, int, int, bool, int, int, int, int, CDataTableBase*,
                           CDataTableMap*, bool)
{
    return true;
}

void CGraphObject::PrepareForDevice(CDC* pDC, int zoom, int, int)
{
    SetDeviceResolution(pDC, zoom);
}

void CGraphObject::SetDeviceResolution(CDC* pDC, int zoom)
{
    m_dpiX = DpiAtZoom(zoom, pDC->GetDeviceCaps(LOGPIXELSX));
    m_dpiY = DpiAtZoom(zoom, pDC->GetDeviceCaps(LOGPIXELSY));
}

void CGraphObject::SetDeviceResolutionTruncated(CDC* pDC, int zoom)
{
    m_dpiX = DpiAtZoomTruncated(zoom, pDC->GetDeviceCaps(LOGPIXELSX));
    m_dpiY = DpiAtZoomTruncated(zoom, pDC->GetDeviceCaps(LOGPIXELSY));
}

CMarker* CGraphObject::CreateMarker(int px, int py, int penStyle)
{
    return new CMarkerRect(px, py, penStyle);
}

void CGraphObject::DeleteTracker(CDC* pDC)
{
    m_moveUnderWay = false;
    if (!m_tracker)
        return;
    if (pDC)
        m_tracker->Erase(pDC);
    delete m_tracker;
    m_tracker = nullptr;
}

void CGraphObject::InvertHandle(CDC* pDC, int hx, int hy)
{
    const RECT rc = {hx - 3, hy - 3, hx + 4, hy + 4};
    pDC->InvertRect(&rc);
}

void CGraphObject::StartMove(int px, int py)
{
    m_dragStartX = px;
    m_dragStartY = py;
    m_moveUnderWay = true;
}

SIZE CGraphObject::MoveDistance(int px, int py) const
{
    if (!m_moveUnderWay)
        return SIZE{0, 0};
    return SIZE{PxToUm(px - m_dragStartX, m_dpiX), PxToUm(py - m_dragStartY, m_dpiX)};
}

void CGraphObject::DrawHandlesIfSelected(CDC* pDC)
{
    if (m_selected)
        DrawHandles(pDC);
}

// ---- drag protocol of the base: only the tracker and the start point ----

void CGraphObject::BeginCreateDrag(CDC* pDC, int zoom, int, int)
{
    SetDeviceResolutionTruncated(pDC, zoom);
}

void CGraphObject::BeginMove(CDC* pDC, int zoom, int px, int py)
{
    PrepareForDevice(pDC, zoom, 0, 0);
    StartMove(px, py);
}

void CGraphObject::TrackMove(CDC* pDC, int px, int py)
{
    if (m_tracker)
        m_tracker->MoveBy(pDC, px, py);
}

void CGraphObject::EndMove(CDC* pDC, int, int)
{
    DeleteTracker(pDC);
}

void CGraphObject::EndTracking(CDC* pDC)
{
    DeleteTracker(pDC);
}

void CGraphObject::TrackResize(CDC* pDC, int px, int py, UINT)
{
    if (m_tracker)
        m_tracker->MoveEndPoint(pDC, px, py);
}

void CGraphObject::EndResize(CDC* pDC)
{
    DeleteTracker(pDC);
}

// ---- records ----

bool CGraphObject::ReadBaseRecord(RecordReader& r, BaseRecord& rec)
{
    int32_t x, y;
    if (!r.I32(x) || !r.I32(y))
        return false;
    rec.x = x;
    rec.y = y;
    return true;
}

void CGraphObject::WriteBaseRecord(RecordWriter& w) const
{
    w.I32(m_x);
    w.I32(m_y);
}

void CGraphObject::ApplyBaseRecord(const BaseRecord& rec)
{
    m_x = rec.x;
    m_y = rec.y;
    m_selected = false;
    DeleteTracker(nullptr);
}

bool CGraphObject::Load(CFile* file)
{
    RecordReader r(file);
    BaseRecord rec;
    if (!ReadBaseRecord(r, rec))
        return false;
    ApplyBaseRecord(rec);
    return true;
}

bool CGraphObject::Save(CFile* file)
{
    RecordWriter w(file);
    WriteBaseRecord(w);
    return w.ok();
}

// ---- CGraph2Dim ----

void CGraph2Dim::Rotate90(int cx, int cy, int dir)
{
    if (dir != 1 && dir != -1)
        return;
    const int w = m_width, h = m_height;
    const int x = m_x, y = m_y;
    if (dir == 1) {
        m_x = cx + (y - cy);
        m_y = cy + (cx - x) - 2 * (w / 2);
    } else {
        m_x = cx + (cy - y) - 2 * (h / 2);
        m_y = cy + (x - cx);
    }
    m_width = h;
    m_height = w;
}

void CGraph2Dim::PrepareForDevice(CDC* pDC, int zoom, int originX, int originY)
{
    SetDeviceResolution(pDC, zoom);
    m_deviceRect.left = originX + UmToPx(m_x, m_dpiX);
    m_deviceRect.top = originY + UmToPx(m_y, m_dpiY);
    m_deviceRect.right = originX + UmToPx(m_x + m_width, m_dpiX);
    m_deviceRect.bottom = originY + UmToPx(m_y + m_height, m_dpiY);
}

// The left edge belongs to the neighbour on the left, the other three edges to the box.
bool CGraph2Dim::HitTest(CDC* pDC, int zoom, int px, int py)
{
    PrepareForDevice(pDC, zoom, 0, 0);
    const CRect& r = m_deviceRect;
    return r.left < px && px <= r.right && r.top <= py && py <= r.bottom;
}

bool CGraph2Dim::IsInsideRect(CDC* pDC, int zoom, const RECT* rc)
{
    if (!rc)
        return false;
    PrepareForDevice(pDC, zoom, 0, 0);
    CRect outer(*rc);
    outer.NormalizeRect();
    const CRect& r = m_deviceRect;
    return r.left >= outer.left && r.right <= outer.right && r.top >= outer.top && r.bottom <= outer.bottom;
}

POINT CGraph2Dim::HandlePoint(int handle) const
{
    const CRect& r = m_deviceRect;
    const int mx = (r.left + r.right) / 2;
    const int my = (r.top + r.bottom) / 2;
    switch (handle) {
    case HandleTopLeft: return POINT{r.left, r.top};
    case HandleTop: return POINT{mx, r.top};
    case HandleTopRight: return POINT{r.right, r.top};
    case HandleRight: return POINT{r.right, my};
    case HandleBottomRight: return POINT{r.right, r.bottom};
    case HandleBottom: return POINT{mx, r.bottom};
    case HandleBottomLeft: return POINT{r.left, r.bottom};
    default: return POINT{r.left, my};
    }
}

int CGraph2Dim::HitHandle(CDC* pDC, int zoom, int px, int py)
{
    PrepareForDevice(pDC, zoom, 0, 0);
    for (int h = HandleTopLeft; h <= HandleLeft; ++h) {
        const POINT p = HandlePoint(h);
        if (NearPoint(px, py, p.x, p.y))
            return h;
    }
    return -1;
}

bool CGraph2Dim::IsOnHandle(CDC* pDC, int zoom, int px, int py)
{
    if (!m_selected)
        return false;
    return HitHandle(pDC, zoom, px, py) != -1;
}

void CGraph2Dim::DrawHandles(CDC* pDC)
{
    for (int h = HandleTopLeft; h <= HandleLeft; ++h) {
        const POINT p = HandlePoint(h);
        InvertHandle(pDC, p.x, p.y);
    }
}

void CGraph2Dim::DrawOutline(int dx, int dy, CDC* pDC)
{
    const CRect& r = m_deviceRect;
    pDC->MoveTo(r.left + dx, r.top + dy);
    pDC->LineTo(r.right + dx, r.top + dy);
    pDC->LineTo(r.right + dx, r.bottom + dy);
    pDC->LineTo(r.left + dx, r.bottom + dy);
    pDC->LineTo(r.left + dx, r.top + dy);
}

CMarker* CGraph2Dim::CreateMarker(int px, int py, int penStyle)
{
    return new CMarkerRect(px, py, penStyle);
}

void CGraph2Dim::BeginCreateDrag(CDC* pDC, int zoom, int px, int py)
{
    SetDeviceResolutionTruncated(pDC, zoom);
    DeleteTracker(pDC);
    m_tracker = CreateMarker(px, py, PS_SOLID);
    m_tracker->MoveEndPoint(pDC, px, py);
    m_anchorX = px;
    m_anchorY = py;
    m_resizeMode = 0;
}

void CGraph2Dim::BeginMove(CDC* pDC, int zoom, int px, int py)
{
    PrepareForDevice(pDC, zoom, 0, 0);
    StartMove(px, py);
    if (!m_tracker) {
        m_tracker = CreateMarker(m_deviceRect.left, m_deviceRect.top, PS_DOT);
        m_tracker->MoveEndPoint(pDC, m_deviceRect.right, m_deviceRect.bottom);
        m_tracker->SetMoveOrigin(px, py);
    }
}

void CGraph2Dim::EndMove(CDC* pDC, int px, int py)
{
    const SIZE distance = MoveDistance(px, py);
    DeleteTracker(pDC);
    m_x += distance.cx;
    m_y += distance.cy;
}

namespace {
// Which corner stays, which corner follows the mouse and what may change, per handle. The order
// of the table is the order in which the handles are tried (corners before edge middles).
struct ResizeRule {
    int handle;
    bool anchorRight, anchorBottom;   // else left / top
    bool movingRight, movingBottom;
    int mode;
};
const ResizeRule kResizeRules[] = {
    {HandleTopLeft,     true,  true,  false, false, 0},
    {HandleTopRight,    false, true,  true,  false, 0},
    {HandleBottomRight, false, false, true,  true,  0},
    {HandleBottomLeft,  true,  false, false, true,  0},
    {HandleTop,         false, true,  true,  false, 2},
    {HandleRight,       false, false, true,  true,  1},
    {HandleBottom,      false, false, true,  true,  2},
    {HandleLeft,        true,  false, false, true,  1},
};
}

void CGraph2Dim::BeginResize(CDC* pDC, int zoom, int px, int py)
{
    PrepareForDevice(pDC, zoom, 0, 0);
    const CRect& r = m_deviceRect;
    for (const ResizeRule& rule : kResizeRules) {
        const POINT h = HandlePoint(rule.handle);
        if (!NearPoint(px, py, h.x, h.y))
            continue;
        m_anchorX = rule.anchorRight ? r.right : r.left;
        m_anchorY = rule.anchorBottom ? r.bottom : r.top;
        m_resizeMode = rule.mode;
        DeleteTracker(pDC);
        m_tracker = CreateMarker(m_anchorX, m_anchorY, PS_DOT);
        m_tracker->MoveEndPoint(pDC, rule.movingRight ? r.right : r.left,
                                rule.movingBottom ? r.bottom : r.top);
        return;
    }
}

void CGraph2Dim::TrackResize(CDC* pDC, int px, int py, UINT keyFlags)
{
    if (!m_tracker)
        return;
    if (m_resizeMode == 0 && (keyFlags & MK_SHIFT)) {
        const long long a = GetAspectPercent();
        const long long dy = a * std::abs(px - m_anchorX) / 100;
        py = py >= m_anchorY ? static_cast<int>(m_anchorY + dy) : static_cast<int>(m_anchorY - dy);
    }
    if (m_resizeMode == 1)
        py = m_deviceRect.bottom;
    else if (m_resizeMode == 2)
        px = m_deviceRect.right;
    m_tracker->MoveEndPoint(pDC, px, py);
}

void CGraph2Dim::EndResize(CDC* pDC)
{
    if (!m_tracker)
        return;
    int l, t, r, b;
    m_tracker->GetRect(&l, &t, &r, &b);
    DeleteTracker(pDC);
    // The horizontal resolution serves both axes, as the drag began.
    m_x = PxToUm(l, m_dpiX);
    m_y = PxToUm(t, m_dpiX);
    m_width = PxToUm(r - l, m_dpiX);
    m_height = PxToUm(b - t, m_dpiX);
}
