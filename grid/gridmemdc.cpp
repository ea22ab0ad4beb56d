#include "grid/gridmemdc.h"

CGridMemDC::CGridMemDC(CDC* target) : m_pDC(target)
{
    if (target == nullptr)
        return;
    m_bPrinting = target->IsPrinting();
    if (m_bPrinting) {
        // A printer gets no buffer: draw straight into its context.
        m_hDC = target->m_hDC;
        return;
    }
    target->GetClipBox(&m_rect);
    if (m_rect.IsRectEmpty() || !CreateCompatibleDC(target) ||
        !m_bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height())) {
        DeleteDC();
        m_hDC = target->m_hDC;
        return;
    }
    m_bMemDC = TRUE;
    m_oldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(&m_rect, target->GetBkColor());
}

CGridMemDC::~CGridMemDC()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                      SRCCOPY);
        ::SelectObject(m_hDC, m_oldBitmap);
    } else {
        // Shared handles belong to the target.
        m_hDC = nullptr;
    }
}
