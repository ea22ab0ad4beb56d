#pragma once
// CRulerWnd and its two directions: the centimetre rulers above and left of the design canvas.
// They follow the canvas's zoom and scroll position (the label view tells them) and draw a
// cursor line, XOR-drawn, where the mouse is over the canvas.
#include "framework/wnd.h"

#include <cstdint>

class CRulerWnd : public CWnd {
public:
    CRulerWnd() = default;

    virtual void DrawTick(CDC* dc, int position, int length) = 0;
    virtual void DrawCursorLine(CDC* dc) = 0;
    // LOGPIXELSX of dc at the ruler's zoom, rounded as the canvas rounds its own resolution.
    virtual int GetPixelsPerInch(CDC* dc);
    virtual int GetDepth() = 0;
    virtual void DrawMinorTick(CDC* dc, int position) = 0;
    virtual void DrawLabelledTick(CDC* dc, int position, const char* text) = 0;
    // XOR-draws the cursor line and flips the cursor-shown flag: twice leaves nothing.
    virtual void ToggleCursorMark(CDC* dc);

    BOOL Create(CWnd* parent, const RECT& rect, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER);
    // Moves the cursor line to position (canvas client pixels along the ruler).
    void SetCursorPos(int position);
    int GetCursorPos() const { return m_cursorPos; }
    bool IsCursorShown() const { return m_cursorShown != 0; }
    void SetOrigin(int origin) { m_origin = origin; }
    int GetOrigin() const { return m_origin; }
    void SetZoom(int zoom) { m_zoom = zoom; }
    int GetZoom() const { return m_zoom; }

    // Tick position of millimetre mm for a resolution, minus the origin; 64-bit so that no zoom
    // or resolution overflows.
    static int TickPosition(int ppi, int64_t mm, int origin);
    // ppi at zoom percent: (logical ppi x zoom + 50) / 100.
    static int ZoomedPixelsPerInch(int logicalPpi, int zoom);
    // Ruler background.
    static const COLORREF kBackground = RGB(240, 240, 240);
    static const int kThickness = 23;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);

    DECLARE_MESSAGE_MAP()

protected:
    // The ruler's drawing on dc; the paint handler's body.
    void DrawRuler(CDC* dc);

    int m_cursorPos = 0;
    uint8_t m_cursorShown = 0;
    int m_origin = 0;
    int m_zoom = 100;
};

class CRulerHorWnd : public CRulerWnd {
public:
    void DrawTick(CDC* dc, int position, int length) override;
    void DrawCursorLine(CDC* dc) override;
    int GetDepth() override;
    void DrawMinorTick(CDC* dc, int position) override;
    void DrawLabelledTick(CDC* dc, int position, const char* text) override;
};

class CRulerVerWnd : public CRulerWnd {
public:
    void DrawTick(CDC* dc, int position, int length) override;
    void DrawCursorLine(CDC* dc) override;
    int GetDepth() override;
    void DrawMinorTick(CDC* dc, int position) override;
    void DrawLabelledTick(CDC* dc, int position, const char* text) override;
};
