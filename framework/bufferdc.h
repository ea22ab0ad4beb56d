#pragma once
// CBufferDC: the paint DC of a WM_PAINT that draws into a memory bitmap of the client area and
// puts the finished picture on the screen in one blit when it goes, so a control that repaints
// often does not flicker. The bitmap can grow while painting (EnsureSize) for a window that
// resizes itself as it paints.
#include "framework/gdi.h"

class CWnd;

class CBufferDC : public CPaintDC {
public:
    explicit CBufferDC(CWnd* wnd);
    explicit CBufferDC(HWND wnd);
    ~CBufferDC() override;

    // Makes the buffer at least as wide and as tall as r (each dimension on its own; the old
    // picture is kept at the top-left). Null r only switches off bounds accumulation.
    void EnsureSize(LPCRECT r);
    // Restoring a saved state must not bring back an older (smaller) bitmap.
    BOOL RestoreDC(int saved) override;

    bool IsBuffered() const { return m_hMemDC != nullptr; }
    bool HasGrown() const { return m_bGrown; }
    const RECT& GetBufferRect() const { return m_rcBuffer; }
    HDC GetPaintDC() const { return m_hPaintDC; }

private:
    void Init();

    HDC m_hPaintDC = nullptr;          // the window's paint DC (output)
    HDC m_hAttribDC = nullptr;         // and its attribute DC (the same here)
    HDC m_hMemDC = nullptr;
    HBITMAP m_hBitmap = nullptr;       // the buffer
    HBITMAP m_hOldBitmap = nullptr;    // what the memory DC held before
    RECT m_rcBuffer = {};
    bool m_bGrown = false;
};
