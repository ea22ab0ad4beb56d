#include "barcode/barfill.h"

#include <cstring>

namespace {

bool s_plain = false;

} // namespace

void CBarFill::SetPlainDrawing(bool plain)
{
    s_plain = plain;
}

bool CBarFill::IsPlainDrawing()
{
    return s_plain;
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
    if (m_direct || s_plain || m_rects.size() == 1) {
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
