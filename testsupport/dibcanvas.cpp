#include "testsupport/dibcanvas.h"

#include <algorithm>
#include <stdexcept>

namespace {

// DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
uint32_t ToPixel(COLORREF c)
{
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

COLORREF ToColor(uint32_t p)
{
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

} // namespace

DibCanvas::DibCanvas(int width, int height, COLORREF fill)
    : m_width(width), m_height(height), m_fill(fill)
{
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("DibCanvas needs a positive size");
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;   // top-down: row 0 is the top
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp || !bits)
        throw std::runtime_error("CreateDIBSection failed");
    m_bitmap.Attach(bmp);
    m_bits = static_cast<uint32_t*>(bits);
    if (!m_dc.CreateCompatibleDC(nullptr))
        throw std::runtime_error("CreateCompatibleDC failed");
    m_dc.SelectObject(&m_bitmap);
    Clear(fill);
}

DibCanvas::~DibCanvas()
{
    // The bitmap must leave the DC before it can be deleted.
    m_dc.DeleteDC();
}

void DibCanvas::Clear(COLORREF color)
{
    ::GdiFlush();
    std::fill(m_bits, m_bits + static_cast<size_t>(m_width) * m_height, ToPixel(color));
}

const uint32_t* DibCanvas::Bits() const
{
    ::GdiFlush();
    return m_bits;
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    return ToColor(Bits()[static_cast<size_t>(y) * m_width + x] & 0xFFFFFF);
}

std::vector<uint32_t> DibCanvas::Snapshot() const
{
    const uint32_t* b = Bits();
    std::vector<uint32_t> out(b, b + static_cast<size_t>(m_width) * m_height);
    for (uint32_t& p : out)
        p &= 0xFFFFFF;
    return out;
}

bool DibCanvas::Matches(const std::vector<uint32_t>& snapshot) const
{
    return Snapshot() == snapshot;
}

bool DibCanvas::SameAs(const DibCanvas& other) const
{
    return m_width == other.m_width && m_height == other.m_height && Snapshot() == other.Snapshot();
}

int DibCanvas::CountPixels(COLORREF color) const
{
    const uint32_t want = ToPixel(color);
    const uint32_t* b = Bits();
    return static_cast<int>(std::count_if(b, b + static_cast<size_t>(m_width) * m_height,
                                          [want](uint32_t p) { return (p & 0xFFFFFF) == want; }));
}

namespace {

template <class Pred>
CRect BoundingBox(const uint32_t* b, int w, int h, Pred hit)
{
    int l = w, t = h, r = -1, btm = -1;
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = b + static_cast<size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            if (hit(row[x] & 0xFFFFFF)) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                btm = std::max(btm, y);
            }
        }
    }
    return r < 0 ? CRect() : CRect(l, t, r + 1, btm + 1);
}

} // namespace

CRect DibCanvas::Extent(COLORREF background) const
{
    const uint32_t bg = ToPixel(background);
    return BoundingBox(Bits(), m_width, m_height, [bg](uint32_t p) { return p != bg; });
}

CRect DibCanvas::ExtentOf(COLORREF color) const
{
    const uint32_t c = ToPixel(color);
    return BoundingBox(Bits(), m_width, m_height, [c](uint32_t p) { return p == c; });
}
