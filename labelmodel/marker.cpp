#include "labelmodel/marker.h"

#include <algorithm>
#include <cmath>

namespace {
KeyStateFunction g_keyState = nullptr;
}

KeyStateFunction SetMarkerKeyStateFunction(KeyStateFunction fn)
{
    KeyStateFunction previous = g_keyState ? g_keyState : &::GetKeyState;
    g_keyState = fn;
    return previous;
}

bool IsMarkerKeyDown(int virtualKey)
{
    SHORT state = g_keyState ? g_keyState(virtualKey) : ::GetKeyState(virtualKey);
    return (state & 0x8000) != 0;
}

CMarker::CMarker(int x, int y, int penStyle)
    : m_x1(x), m_y1(y), m_x2(x), m_y2(y), m_centreX(x), m_centreY(y)
{
    m_pen.CreatePen(penStyle, 1, RGB(0, 0, 0));
}

CMarker::~CMarker() = default;

void CMarker::Erase(CDC* pDC)
{
    if (m_drawn)
        Draw(pDC);
}

void CMarker::Draw(CDC* pDC)
{
    m_savedRop2 = pDC->SetROP2(R2_NOTXORPEN);
    m_previousPen = pDC->SelectObject(&m_pen);
    DrawShape(pDC);
    m_drawn = !m_drawn;
    if (m_previousPen)
        pDC->SelectObject(m_previousPen);
    pDC->SetROP2(m_savedRop2);
}

void CMarker::MoveEndPoint(CDC* pDC, int x, int y)
{
    if (m_drawn) {
        Draw(pDC);
    } else {
        // The first position fixes the centre: for a create drag that is where the drag began.
        m_centreX = (x + m_x1) / 2;
        m_centreY = (y + m_y1) / 2;
    }
    m_x2 = x;
    m_y2 = y;
    if (IsMarkerKeyDown(VK_CONTROL)) {
        m_x1 = std::max(0, 2 * m_centreX - x);
        m_y1 = std::max(0, 2 * m_centreY - y);
    }
    Draw(pDC);
}

void CMarker::MoveBy(CDC* pDC, int px, int py)
{
    if (m_drawn)
        Draw(pDC);
    const int dx = px - m_moveOriginX;
    const int dy = py - m_moveOriginY;
    m_x1 = m_startX1 + dx;
    m_y1 = m_startY1 + dy;
    m_x2 = m_startX2 + dx;
    m_y2 = m_startY2 + dy;
    Draw(pDC);
}

void CMarker::SetMoveOrigin(int px, int py)
{
    m_moveOriginX = px;
    m_moveOriginY = py;
    m_startX1 = m_x1;
    m_startY1 = m_y1;
    m_startX2 = m_x2;
    m_startY2 = m_y2;
}

void CMarker::GetNormalRect(int* left, int* top, int* right, int* bottom) const
{
    *left = std::min(m_x1, m_x2);
    *top = std::min(m_y1, m_y2);
    *right = std::max(m_x1, m_x2);
    *bottom = std::max(m_y1, m_y2);
}

// --- rectangle ---

void CMarkerRect::GetRect(int* left, int* top, int* right, int* bottom)
{
    GetNormalRect(left, top, right, bottom);
}

int CMarkerRect::GetSize()
{
    int l, t, r, b;
    GetNormalRect(&l, &t, &r, &b);
    return std::min(r - l, b - t);
}

void CMarkerRect::DrawShape(CDC* pDC)
{
    pDC->MoveTo(m_x1, m_y1);
    pDC->LineTo(m_x1, m_y2);
    pDC->LineTo(m_x2, m_y2);
    pDC->LineTo(m_x2, m_y1);
    pDC->LineTo(m_x1, m_y1);
}

// --- ellipse ---

void CMarkerEllipse::DrawShape(CDC* pDC)
{
    pDC->Arc(m_x1, m_y1, m_x2, m_y2, m_x1, m_y1, m_x1, m_y1);
}

// --- triangle ---

void CMarkerTriangle::DrawShape(CDC* pDC)
{
    int l, t, r, b;
    GetNormalRect(&l, &t, &r, &b);
    const int mx = (l + r) / 2;
    const int my = (t + b) / 2;
    POINT p[3];
    switch (m_orientation) {
    case 0:    p[0] = {r, b}; p[1] = {l, b}; p[2] = {mx, t}; break;
    case 900:  p[0] = {r, b}; p[1] = {r, t}; p[2] = {l, my}; break;
    case 1800: p[0] = {l, t}; p[1] = {r, t}; p[2] = {mx, b}; break;
    case 2700: p[0] = {l, t}; p[1] = {l, b}; p[2] = {r, my}; break;
    default: return;
    }
    pDC->MoveTo(p[0].x, p[0].y);
    pDC->LineTo(p[1].x, p[1].y);
    pDC->LineTo(p[2].x, p[2].y);
    pDC->LineTo(p[0].x, p[0].y);
}

// --- line ---

void CMarkerLine::GetRect(int* left, int* top, int* right, int* bottom)
{
    *left = m_x1;
    *top = m_y1;
    *right = m_x2;
    *bottom = m_y2;
}

int CMarkerLine::GetSize()
{
    const float dx = static_cast<float>(m_x2 - m_x1);
    const float dy = static_cast<float>(m_y2 - m_y1);
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

void CMarkerLine::DrawShape(CDC* pDC)
{
    pDC->MoveTo(m_x1, m_y1);
    pDC->LineTo(m_x2, m_y2);
}
