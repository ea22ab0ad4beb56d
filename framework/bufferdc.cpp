#include "framework/bufferdc.h"

#include "framework/wnd.h"

#include <algorithm>

CBufferDC::CBufferDC(CWnd* wnd) : CPaintDC(wnd ? wnd->m_hWnd : nullptr)
{
    Init();
}

CBufferDC::CBufferDC(HWND wnd) : CPaintDC(wnd)
{
    Init();
}

void CBufferDC::Init()
{
    m_bGrown = false;
    if (m_hWnd == nullptr || m_hDC == nullptr)
        return;
    m_hPaintDC = m_hDC;
    m_hAttribDC = m_hDC;
    ::GetClientRect(m_hWnd, &m_rcBuffer);
    m_hMemDC = ::CreateCompatibleDC(m_hPaintDC);
    if (m_hMemDC == nullptr)
        return;
    const int width = m_rcBuffer.right - m_rcBuffer.left;
    const int height = m_rcBuffer.bottom - m_rcBuffer.top;
    // A zero-sized bitmap would be monochrome and 1 x 1; keep at least one pixel of the screen's kind.
    m_hBitmap = ::CreateCompatibleBitmap(m_hPaintDC, width > 0 ? width : 1, height > 0 ? height : 1);
    if (m_hBitmap == nullptr) {
        ::DeleteDC(m_hMemDC);
        m_hMemDC = nullptr;
        return;
    }
    m_hOldBitmap = static_cast<HBITMAP>(::SelectObject(m_hMemDC, m_hBitmap));
    // The memory DC starts with the paint DC's font and colours so that drawing looks the same.
    ::SelectObject(m_hMemDC, ::GetCurrentObject(m_hPaintDC, OBJ_FONT));
    m_hDC = m_hMemDC;
}

void CBufferDC::EnsureSize(LPCRECT r)
{
    if (m_hMemDC != nullptr && r != nullptr) {
        const int oldWidth = m_rcBuffer.right - m_rcBuffer.left;
        const int oldHeight = m_rcBuffer.bottom - m_rcBuffer.top;
        const int width = std::max(static_cast<int>(r->right - r->left), oldWidth);
        const int height = std::max(static_cast<int>(r->bottom - r->top), oldHeight);
        // Each dimension grows on its own: a narrower but taller rectangle still gets its height,
        // or the lower lines of a self-sizing control would be cut off.
        if (width > oldWidth || height > oldHeight) {
            HBITMAP grown = ::CreateCompatibleBitmap(m_hPaintDC, width, height);
            if (grown != nullptr) {
                HDC copy = ::CreateCompatibleDC(m_hPaintDC);
                HGDIOBJ before = ::SelectObject(copy, grown);
                ::BitBlt(copy, 0, 0, width, height, nullptr, 0, 0, BLACKNESS);
                ::BitBlt(copy, 0, 0, oldWidth, oldHeight, m_hMemDC, 0, 0, SRCCOPY);
                ::SelectObject(copy, before);
                ::DeleteDC(copy);
                HBITMAP selected = static_cast<HBITMAP>(::SelectObject(m_hMemDC, grown));
                if (selected != nullptr && selected != m_hBitmap && selected != m_hOldBitmap)
                    ::DeleteObject(selected);
                ::DeleteObject(m_hBitmap);
                m_hBitmap = grown;
                m_rcBuffer.left = r->left;
                m_rcBuffer.top = r->top;
                m_rcBuffer.right = r->left + width;
                m_rcBuffer.bottom = r->top + height;
                m_bGrown = true;
            }
        }
    }
    ::SetBoundsRect(m_hDC, nullptr, DCB_DISABLE);
}

BOOL CBufferDC::RestoreDC(int saved)
{
    BOOL ok = CDC::RestoreDC(saved);
    if (m_bGrown && m_hMemDC != nullptr)
        ::SelectObject(m_hMemDC, m_hBitmap);
    return ok;
}

CBufferDC::~CBufferDC()
{
    if (m_hMemDC == nullptr)
        return;
    ReleaseWrappers();
    ::BitBlt(m_hPaintDC, m_rcBuffer.left, m_rcBuffer.top, m_rcBuffer.right - m_rcBuffer.left,
             m_rcBuffer.bottom - m_rcBuffer.top, m_hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(m_hMemDC, m_hOldBitmap);
    ::DeleteObject(m_hBitmap);
    ::DeleteDC(m_hMemDC);
    m_hMemDC = nullptr;
    m_hDC = m_hPaintDC;               // CPaintDC ends the paint on the window's own DC
}
