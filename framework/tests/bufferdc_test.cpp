// The off-screen paint DC in a window of its own: what is drawn reaches the screen only through
// the final blit, the buffer grows per dimension, and an older saved state keeps the grown bitmap.
#include "framework/bufferdc.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

std::function<void(HWND)> g_paint;

LRESULT CALLBACK PaintProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT && g_paint) {
        g_paint(wnd);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return ::DefWindowProcA(wnd, message, wParam, lParam);
}

class BufferWindow {
public:
    BufferWindow(int width, int height)
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = PaintProc;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = "BufferDCTest";
            ::RegisterClassA(&wc);
            registered = true;
        }
        RECT r = {0, 0, width, height};
        ::AdjustWindowRect(&r, WS_POPUP, FALSE);
        m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, "BufferDCTest", "", WS_POPUP | WS_VISIBLE, 200, 200,
                                   r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    }
    ~BufferWindow()
    {
        ::DestroyWindow(m_hWnd);
        g_paint = nullptr;
    }
    void Paint(std::function<void(HWND)> paint)
    {
        g_paint = std::move(paint);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    COLORREF ScreenPixel(int x, int y) const
    {
        HDC dc = ::GetDC(m_hWnd);
        COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(m_hWnd, dc);
        return c;
    }
    HWND m_hWnd = nullptr;
};

SIZE SelectedBitmapSize(HDC dc)
{
    BITMAP bm = {};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

} // namespace

TEST(BufferDC, DrawingReachesTheScreenOnlyWhenTheBufferGoes)
{
    BufferWindow window(80, 40);
    ASSERT_NE(nullptr, window.m_hWnd);
    COLORREF duringPaint = CLR_INVALID;
    bool buffered = false;
    window.Paint([&](HWND wnd) {
        CBufferDC dc(wnd);
        buffered = dc.IsBuffered();
        dc.FillSolidRect(0, 0, 80, 40, RGB(255, 255, 255));
        dc.FillSolidRect(10, 10, 20, 20, RGB(200, 0, 0));
        // Nothing on the window yet: the paint DC has not been drawn on.
        duringPaint = ::GetPixel(dc.GetPaintDC(), 15, 15);
        EXPECT_EQ(RGB(200, 0, 0), dc.GetPixel(15, 15));
    });
    EXPECT_TRUE(buffered);
    EXPECT_NE(RGB(200, 0, 0), duringPaint);
    EXPECT_EQ(RGB(200, 0, 0), window.ScreenPixel(15, 15));
    EXPECT_EQ(RGB(255, 255, 255), window.ScreenPixel(5, 5));
    EXPECT_EQ(RGB(255, 255, 255), window.ScreenPixel(79, 39));
}

TEST(BufferDC, GrowsEachDimensionKeepsThePictureAndRestoreKeepsTheGrownBitmap)
{
    BufferWindow window(60, 30);
    SIZE afterTaller = {}, afterWider = {}, afterRestore = {};
    RECT bufferAfterTaller = {};
    COLORREF kept = CLR_INVALID;
    bool grown = false;
    window.Paint([&](HWND wnd) {
        CBufferDC dc(wnd);
        dc.FillSolidRect(0, 0, 60, 30, RGB(0, 128, 0));
        const int saved = dc.SaveDC();
        // Narrower but taller: the height still grows, the width stays.
        RECT taller = {0, 0, 20, 90};
        dc.EnsureSize(&taller);
        afterTaller = SelectedBitmapSize(dc);
        bufferAfterTaller = dc.GetBufferRect();
        kept = dc.GetPixel(50, 20);
        RECT wider = {0, 0, 100, 10};
        dc.EnsureSize(&wider);
        afterWider = SelectedBitmapSize(dc);
        grown = dc.HasGrown();
        dc.RestoreDC(saved);
        afterRestore = SelectedBitmapSize(dc);
        dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 200));
    });
    EXPECT_EQ(60, afterTaller.cx);
    EXPECT_EQ(90, afterTaller.cy);
    EXPECT_EQ(60, bufferAfterTaller.right);
    EXPECT_EQ(90, bufferAfterTaller.bottom);
    EXPECT_EQ(RGB(0, 128, 0), kept);
    EXPECT_EQ(100, afterWider.cx);
    EXPECT_EQ(90, afterWider.cy);
    EXPECT_TRUE(grown);
    EXPECT_EQ(100, afterRestore.cx);
    EXPECT_EQ(90, afterRestore.cy);
    // Drawing after the restore lands on screen.
    EXPECT_EQ(RGB(0, 0, 200), window.ScreenPixel(5, 5));
    EXPECT_EQ(RGB(0, 128, 0), window.ScreenPixel(40, 20));
}

TEST(BufferDC, NoWindowDrawsNothingAndDoesNotCrash)
{
    CBufferDC dc(static_cast<HWND>(nullptr));
    EXPECT_FALSE(dc.IsBuffered());
    dc.EnsureSize(nullptr);
}
