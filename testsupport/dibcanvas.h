#pragma once
// DibCanvas: a 32-bit top-down DIB section selected into a memory DC, for drawing through CDC in
// tests and reading the pixels back. Owns the bitmap and the DC.
#include "framework/gdi.h"
#include <cstdint>
#include <vector>

class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    CDC& dc() { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF Background() const { return m_fill; }

    void Clear(COLORREF color);            // fills every pixel
    COLORREF Pixel(int x, int y) const;    // RGB(); CLR_INVALID outside
    const uint32_t* Bits() const;          // 0x00RRGGBB per pixel, rows top to bottom (GdiFlush first)

    std::vector<uint32_t> Snapshot() const;
    bool Matches(const std::vector<uint32_t>& snapshot) const;
    bool SameAs(const DibCanvas& other) const;   // same size and same pixels

    int CountPixels(COLORREF color) const;
    // Bounding box (right/bottom exclusive) of every pixel that differs from `background`;
    // an empty CRect when there is none. Extent() uses the fill colour of the constructor.
    CRect Extent(COLORREF background) const;
    CRect Extent() const { return Extent(m_fill); }
    // Bounding box of the pixels of exactly `color`.
    CRect ExtentOf(COLORREF color) const;

private:
    int m_width;
    int m_height;
    COLORREF m_fill;
    CDC m_dc;
    CBitmap m_bitmap;
    uint32_t* m_bits = nullptr;
};
