#include "ui/rulers.h"

#include "framework/msgmap.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(CRulerWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CRulerWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW));
    return CWnd::PreCreateWindow(cs);
}

BOOL CRulerWnd::Create(CWnd* parent, const RECT& rect, UINT id, DWORD style)
{
    return CreateEx(0, nullptr, "", style, rect, parent, id);
}

int CRulerWnd::ZoomedPixelsPerInch(int logicalPpi, int zoom)
{
    // The canvas's own rounding: ticks meet its drawing at any typed zoom.
    const int64_t ppi = (static_cast<int64_t>(logicalPpi) * zoom + 50) / 100;
    return ppi < 1 ? 1 : (ppi > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(ppi));
}

int CRulerWnd::TickPosition(int ppi, int64_t mm, int origin)
{
    const int64_t p = static_cast<int64_t>(ppi) * mm * 1000 / 25400 - origin;
    // Far outside any window either way; clamp so that GDI gets sane coordinates.
    if (p > 0x3FFFFFFF)
        return 0x3FFFFFFF;
    if (p < -0x3FFFFFFF)
        return -0x3FFFFFFF;
    return static_cast<int>(p);
}

int CRulerWnd::GetPixelsPerInch(CDC* dc)
{
    return ZoomedPixelsPerInch(dc->GetDeviceCaps(LOGPIXELSX), m_zoom);
}

void CRulerWnd::SetCursorPos(int position)
{
    if (m_hWnd == nullptr) {
        m_cursorPos = position;
        return;
    }
    CClientDC dc(m_hWnd);
    if (m_cursorShown)
        ToggleCursorMark(&dc);
    m_cursorPos = position;
    ToggleCursorMark(&dc);
}

void CRulerWnd::ToggleCursorMark(CDC* dc)
{
    const int saved = dc->SaveDC();
    dc->SetROP2(R2_XORPEN);
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
    HGDIOBJ old = ::SelectObject(dc->m_hDC, pen);
    DrawCursorLine(dc);
    ::SelectObject(dc->m_hDC, old);
    ::DeleteObject(pen);
    m_cursorShown = m_cursorShown ? 0 : 1;
    dc->RestoreDC(saved);
}

BOOL CRulerWnd::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, kBackground);
    return TRUE;
}

void CRulerWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    DrawRuler(&dc);
}

void CRulerWnd::DrawRuler(CDC* dc)
{
    const int saved = dc->SaveDC();
    dc->SetBkColor(kBackground);
    dc->SetTextColor(RGB(0, 0, 0));
    // The message-box font of the non-client metrics (the structure without the padded border).
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    HFONT font = nullptr;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        font = ::CreateFontIndirectA(&metrics.lfMessageFont);
    if (font != nullptr)
        ::SelectObject(dc->m_hDC, font);

    CRect client;
    GetClientRect(&client);
    const int ppi = GetPixelsPerInch(dc);
    const int ticks = m_zoom < 200 ? 5 : 10;
    for (int n = 0; n < 200; ++n) {
        if (m_zoom < 50 && n % 2 != 0)
            continue;   // too close together: odd centimetres are left out
        char text[16];
        std::snprintf(text, sizeof text, "%d", n);
        DrawLabelledTick(dc, TickPosition(ppi, 10 * static_cast<int64_t>(n), m_origin), text);
        int last = 0;
        for (int j = 0; j < ticks; ++j) {
            const int64_t mm = 10 * static_cast<int64_t>(n) + (10 * j) / ticks;
            last = TickPosition(ppi, mm, m_origin);
            DrawMinorTick(dc, last);
        }
        if (last > client.Width() && last > client.Height())
            break;
    }
    dc->RestoreDC(saved);
    if (font != nullptr)
        ::DeleteObject(font);
    m_cursorShown = 0;
    ToggleCursorMark(dc);
}

// ---- the two directions: drawn from the inner edge (next to the canvas) outwards

namespace {
void Line(CDC* dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc->m_hDC, x1, y1, nullptr);
    ::LineTo(dc->m_hDC, x2, y2);
}
} // namespace

int CRulerHorWnd::GetDepth()
{
    CRect client;
    GetClientRect(&client);
    return client.Height();
}

void CRulerHorWnd::DrawTick(CDC* dc, int p, int length)
{
    const int d = GetDepth();
    Line(dc, p, d, p, d - length);
}

void CRulerHorWnd::DrawMinorTick(CDC* dc, int p)
{
    DrawTick(dc, p, 8);
}

void CRulerHorWnd::DrawLabelledTick(CDC* dc, int p, const char* text)
{
    const int d = GetDepth();
    ::TextOutA(dc->m_hDC, p + 2, d - 22, text, static_cast<int>(strlen(text)));
    DrawTick(dc, p, 16);
}

void CRulerHorWnd::DrawCursorLine(CDC* dc)
{
    Line(dc, m_cursorPos, 1, m_cursorPos, GetDepth());
}

int CRulerVerWnd::GetDepth()
{
    CRect client;
    GetClientRect(&client);
    return client.Width();
}

void CRulerVerWnd::DrawTick(CDC* dc, int p, int length)
{
    const int d = GetDepth();
    Line(dc, d, p, d - length, p);
}

void CRulerVerWnd::DrawMinorTick(CDC* dc, int p)
{
    DrawTick(dc, p, 8);
}

void CRulerVerWnd::DrawLabelledTick(CDC* dc, int p, const char* text)
{
    const int d = GetDepth();
    ::TextOutA(dc->m_hDC, d - 22, p + 2, text, static_cast<int>(strlen(text)));
    DrawTick(dc, p, 16);
}

void CRulerVerWnd::DrawCursorLine(CDC* dc)
{
    Line(dc, 1, m_cursorPos, GetDepth(), m_cursorPos);
}
