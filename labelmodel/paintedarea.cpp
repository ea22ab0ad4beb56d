#include "labelmodel/paintedarea.h"

namespace {

// Printing draws one page at a time on one thread; a page inside a page (a preview printed while
// a job runs) hides the outer record while it lives.
CPaintedArea* s_current = nullptr;

} // namespace

CPaintedArea::CPaintedArea(HDC dc) : m_dc(dc), m_hidden(s_current)
{
    s_current = this;
}

CPaintedArea::~CPaintedArea()
{
    if (s_current == this)
        s_current = m_hidden;
}

CPaintedArea* CPaintedArea::For(HDC dc)
{
    for (CPaintedArea* p = s_current; p; p = p->m_hidden)
        if (p->m_dc == dc && dc != nullptr)
            return p;
    return nullptr;
}

void CPaintedArea::Add(const RECT& r)
{
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    // A page holds a few hundred objects; a rectangle inside one already kept adds nothing.
    for (const RECT& kept : m_rects)
        if (kept.left <= r.left && kept.top <= r.top && kept.right >= r.right && kept.bottom >= r.bottom)
            return;
    m_rects.push_back(r);
}

bool CPaintedArea::IsClear(const RECT& r) const
{
    if (m_everything)
        return false;
    for (const RECT& kept : m_rects) {
        RECT overlap;
        if (::IntersectRect(&overlap, &kept, &r))
            return false;
    }
    return true;
}
