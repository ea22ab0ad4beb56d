#include "barcode/barfill.h"

#include "barcode/barcodeowner.h"
#include "barcode/symbolimage.h"

#include <cstring>

namespace {

bool s_plain = false;
bool s_images = true;

} // namespace

void CBarFill::SetPlainDrawing(bool plain)
{
    s_plain = plain;
}

bool CBarFill::IsPlainDrawing()
{
    return s_plain;
}

void CBarFill::SetPrinterImages(bool allowed)
{
    s_images = allowed;
}

bool CBarFill::ArePrinterImagesAllowed()
{
    return s_images && !s_plain;
}

CBarFill::CBarFill(HDC dc, HBRUSH brush) : m_dc(dc), m_brush(brush)
{
    // Printers and metafiles get the region; the screen and bitmaps in memory draw directly.
    const DWORD type = ::GetObjectType(dc);
    m_direct = type == OBJ_MEMDC || (type == OBJ_DC && ::GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY);
}

void CBarFill::FillEach() const
{
    HGDIOBJ old = ::SelectObject(m_dc, m_brush);
    for (const RECT& r : m_rects)
        ::PatBlt(m_dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATCOPY);
    ::SelectObject(m_dc, old);
}

void CBarFill::AllowImage(CBarcodeOwner* owner)
{
    // Only a solid brush has the one colour an image can take.
    LOGBRUSH brush = {};
    if (IsPrinterDC(m_dc) && ::GetObject(m_brush, sizeof brush, &brush) == sizeof brush && brush.lbStyle == BS_SOLID) {
        m_owner = owner;
        m_ink = brush.lbColor;
    }
}

bool CBarFill::FillAsImage() const
{
    if (!m_owner || !ArePrinterImagesAllowed() || m_rects.size() < 2)
        return false;
    // Bars all across the same rows (upright) or the same columns (turned): each pixel along the
    // symbol is a bar or a space for its whole length.
    const RECT& first = m_rects.front();
    bool upright = true, turned = true;
    RECT box = first;
    for (const RECT& r : m_rects) {
        upright = upright && r.top == first.top && r.bottom == first.bottom;
        turned = turned && r.left == first.left && r.right == first.right;
        ::UnionRect(&box, &box, &r);
    }
    if (!upright && !turned)
        return false;
    COLORREF ground = 0;
    if (!m_owner->GetOwnerGround(m_dc, box, &ground))
        return false;
    const int length = upright ? box.right - box.left : box.bottom - box.top;
    const int start = upright ? box.left : box.top;
    std::vector<char> dark(static_cast<size_t>(length), 0);
    for (const RECT& r : m_rects)
        for (int p = upright ? r.left : r.top, end = upright ? r.right : r.bottom; p < end; ++p)
            dark[static_cast<size_t>(p - start)] = 1;
    // A grid of one pixel along the symbol and the bars' length across it.
    auto isDark = [&dark](int r, int c) { return dark[static_cast<size_t>(r + c)] != 0; };
    auto square = [&](int r, int c) -> RECT {
        return upright ? RECT{box.left + c, box.top, box.left + c + 1, box.bottom}
                       : RECT{box.left, box.top + r, box.right, box.top + r + 1};
    };
    return DrawSymbolImage(m_dc, upright ? 1 : length, upright ? length : 1, isDark, square, m_ink, ground);
}

void CBarFill::Add(const RECT& r)
{
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    if (!m_rects.empty() && !s_plain) {
        RECT& last = m_rects.back();
        if (last.top == r.top && last.bottom == r.bottom && last.right == r.left) {
            last.right = r.right;
            return;
        }
    }
    m_rects.push_back(r);
    if (m_rects.size() >= kBatch)
        Flush();
}

void CBarFill::Flush()
{
    if (m_rects.empty())
        return;
    if (!m_direct && FillAsImage()) {
        // One image for the whole symbol.
    } else if (m_direct || s_plain || m_rects.size() == 1) {
        // One rectangle needs no region.
        FillEach();
    } else {
        // The region header and its rectangles, as ExtCreateRegion reads them.
        const size_t bytes = sizeof(RGNDATAHEADER) + m_rects.size() * sizeof(RECT);
        std::vector<unsigned char> buffer(bytes);
        RGNDATAHEADER header = {};
        header.dwSize = sizeof header;
        header.iType = RDH_RECTANGLES;
        header.nCount = static_cast<DWORD>(m_rects.size());
        header.nRgnSize = static_cast<DWORD>(m_rects.size() * sizeof(RECT));
        RECT bound = m_rects[0];
        for (const RECT& r : m_rects)
            ::UnionRect(&bound, &bound, &r);
        header.rcBound = bound;
        std::memcpy(buffer.data(), &header, sizeof header);
        std::memcpy(buffer.data() + sizeof header, m_rects.data(), m_rects.size() * sizeof(RECT));
        HRGN region = ::ExtCreateRegion(nullptr, static_cast<DWORD>(bytes),
                                        reinterpret_cast<const RGNDATA*>(buffer.data()));
        if (region) {
            ::FillRgn(m_dc, region, m_brush);
            ::DeleteObject(region);
        } else {
            // Out of region memory: the rectangles one by one still draw the symbol.
            FillEach();
        }
    }
    m_calls += (m_direct || s_plain) ? static_cast<int>(m_rects.size()) : 1;
    m_rects.clear();
}
