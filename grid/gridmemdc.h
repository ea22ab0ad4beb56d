#pragma once
// CGridMemDC: the double buffer of one paint. It draws into a compatible bitmap over the target's
// clip box and copies it back when it goes out of scope; for a printer it is the target itself.
#include "framework/gdi.h"

class CGridMemDC : public CDC {
public:
    explicit CGridMemDC(CDC* target);
    ~CGridMemDC() override;
    CGridMemDC(const CGridMemDC&) = delete;
    CGridMemDC& operator=(const CGridMemDC&) = delete;

    BOOL IsBuffering() const { return m_bMemDC; }

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC = FALSE;
};
