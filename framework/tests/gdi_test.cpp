#include "framework/gdi.h"
#include "testsupport/dibcanvas.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
}

TEST(DibCanvas, FilledRectangleExtent)
{
    DibCanvas canvas(100, 80);
    EXPECT_EQ(kWhite, canvas.Pixel(0, 0));
    EXPECT_TRUE(canvas.Extent().IsRectNull());

    CBrush red(kRed);
    canvas.dc().FillRect(CRect(10, 10, 50, 40), &red);
    EXPECT_EQ(CRect(10, 10, 50, 40), canvas.Extent());
    EXPECT_EQ(CRect(10, 10, 50, 40), canvas.ExtentOf(kRed));
    EXPECT_EQ(40 * 30, canvas.CountPixels(kRed));
    EXPECT_EQ(kRed, canvas.Pixel(10, 10));
    EXPECT_EQ(kWhite, canvas.Pixel(50, 40));
    EXPECT_EQ(CLR_INVALID, canvas.Pixel(100, 0));
    EXPECT_EQ(CLR_INVALID, canvas.Pixel(-1, 0));
    EXPECT_EQ(0x00FF0000u, canvas.Bits()[10 * 100 + 10]);
}

TEST(DibCanvas, RectangleWithPenAndBrushAndSelectionRestore)
{
    DibCanvas canvas(60, 60);
    CDC& dc = canvas.dc();
    CPen pen(PS_SOLID, 1, kBlue);
    CBrush brush(kRed);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    ASSERT_NE(nullptr, oldPen);
    ASSERT_NE(nullptr, oldBrush);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), oldPen->GetSafeHandle());
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), oldBrush->GetSafeHandle());

    dc.Rectangle(5, 5, 25, 15);
    EXPECT_EQ(CRect(5, 5, 25, 15), canvas.Extent());
    EXPECT_EQ(CRect(5, 5, 25, 15), canvas.ExtentOf(kBlue));
    EXPECT_EQ(CRect(6, 6, 24, 14), canvas.ExtentOf(kRed));

    // Putting the old objects back gives our own pen/brush handles as the previous ones.
    CPen* mine = dc.SelectObject(oldPen);
    EXPECT_EQ(pen.GetSafeHandle(), mine->GetSafeHandle());
    dc.SelectObject(oldBrush);
    EXPECT_EQ(oldPen, dc.SelectObject(&pen)) << "one wrapper per handle";
    dc.SelectObject(oldPen);

    CGdiObject* prev = dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(nullptr, prev);
    EXPECT_NE(nullptr, dynamic_cast<CBrush*>(prev));
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), dc.GetCurrentBrush()->GetSafeHandle());
}

TEST(DibCanvas, FillSolidRectKeepsTheBackgroundColour)
{
    DibCanvas canvas(20, 20);
    CDC& dc = canvas.dc();
    dc.SetBkColor(kBlue);
    dc.FillSolidRect(2, 3, 4, 5, kRed);
    EXPECT_EQ(kBlue, dc.GetBkColor());
    EXPECT_EQ(CRect(2, 3, 6, 8), canvas.ExtentOf(kRed));
    EXPECT_EQ(20, canvas.CountPixels(kRed));
}

TEST(DibCanvas, InvertTwiceRestoresExactly)
{
    DibCanvas canvas(40, 40);
    CBrush red(kRed);
    canvas.dc().FillRect(CRect(0, 0, 20, 40), &red);
    const auto before = canvas.Snapshot();
    canvas.dc().InvertRect(CRect(5, 5, 30, 30));
    EXPECT_FALSE(canvas.Matches(before));
    EXPECT_EQ(RGB(0, 255, 255), canvas.Pixel(5, 5));
    canvas.dc().InvertRect(CRect(5, 5, 30, 30));
    EXPECT_TRUE(canvas.Matches(before));

    DibCanvas other(40, 40);
    EXPECT_FALSE(canvas.SameAs(other));
    other.dc().FillRect(CRect(0, 0, 20, 40), &red);
    EXPECT_TRUE(canvas.SameAs(other));
}

TEST(DibCanvas, RegionsAndClipping)
{
    DibCanvas canvas(50, 50);
    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 20, 20);
    b.CreateRectRgn(10, 10, 30, 30);
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(COMPLEXREGION, both.CombineRgn(&a, &b, RGN_OR));
    CBrush black(kBlack);
    canvas.dc().FillRgn(&both, &black);
    EXPECT_EQ(CRect(0, 0, 30, 30), canvas.Extent());
    EXPECT_EQ(400 + 400 - 100, canvas.CountPixels(kBlack));
    EXPECT_TRUE(both.PtInRegion(25, 25));
    EXPECT_FALSE(both.PtInRegion(25, 5));

    canvas.Clear(kWhite);
    CDC& dc = canvas.dc();
    int saved = dc.SaveDC();
    dc.IntersectClipRect(5, 5, 15, 15);
    dc.FillSolidRect(0, 0, 50, 50, kBlue);
    dc.RestoreDC(saved);
    EXPECT_EQ(CRect(5, 5, 15, 15), canvas.Extent());
    dc.SelectClipRgn(nullptr);
}

TEST(DibCanvas, MemoryBitmapBlit)
{
    DibCanvas canvas(30, 30);
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&canvas.dc()));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&canvas.dc(), 8, 6));
    EXPECT_EQ(CSize(8, 6), bmp.GetBitmapDimension());
    CBitmap* old = mem.SelectObject(&bmp);
    ASSERT_NE(nullptr, old);
    mem.FillSolidRect(0, 0, 8, 6, kBlue);
    canvas.dc().BitBlt(3, 4, 8, 6, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
    EXPECT_EQ(CRect(3, 4, 11, 10), canvas.ExtentOf(kBlue));
}

TEST(Gdi, ObjectsOwnTheirHandles)
{
    HGDIOBJ h;
    {
        CPen pen(PS_DASH, 1, kRed);
        h = pen.GetSafeHandle();
        ASSERT_NE(nullptr, h);
        EXPECT_EQ(OBJ_PEN, ::GetObjectType(h));
    }
    EXPECT_EQ(0u, static_cast<UINT>(::GetObjectType(h)));   // deleted with the wrapper

    CBrush kept(kRed);
    HGDIOBJ raw = kept.Detach();
    EXPECT_EQ(nullptr, kept.GetSafeHandle());
    EXPECT_FALSE(kept.DeleteObject());
    EXPECT_EQ(OBJ_BRUSH, ::GetObjectType(raw));
    CBrush again;
    again.Attach(raw);
    EXPECT_TRUE(again.DeleteObject());

    LOGFONTA lf = {};
    lf.lfHeight = -20;
    lstrcpyA(lf.lfFaceName, "Arial");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    LOGFONTA back = {};
    ASSERT_TRUE(font.GetLogFont(&back));
    EXPECT_EQ(-20, back.lfHeight);
    EXPECT_STREQ("Arial", back.lfFaceName);

    CGdiObject stock;
    ASSERT_TRUE(stock.CreateStockObject(BLACK_BRUSH));
    EXPECT_EQ(::GetStockObject(BLACK_BRUSH), stock.GetSafeHandle());
}

TEST(Geometry, RectOperations)
{
    CRect r(30, 40, 10, 20);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(CRect(10, 20, 30, 40), r);
    EXPECT_EQ(20, r.Width());
    EXPECT_EQ(CPoint(20, 30), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 20)));   // right and bottom edges are outside
    EXPECT_FALSE(r.PtInRect(CPoint(10, 40)));

    CRect i;
    EXPECT_TRUE(i.IntersectRect(r, CRect(25, 0, 50, 25)));
    EXPECT_EQ(CRect(25, 20, 30, 25), i);
    EXPECT_FALSE(i.IntersectRect(r, CRect(30, 20, 40, 40)));   // touching is not meeting
    EXPECT_TRUE(i.IsRectNull());
    CRect u;
    EXPECT_TRUE(u.UnionRect(r, CRect(0, 0, 0, 0)));
    EXPECT_EQ(r, u);
    u.UnionRect(r, CRect(0, 50, 5, 60));
    EXPECT_EQ(CRect(0, 20, 30, 60), u);

    r.OffsetRect(-10, -20);
    r.InflateRect(1, 2);
    EXPECT_EQ(CRect(-1, -2, 21, 22), r);
    EXPECT_EQ(CPoint(-1, -2), r.TopLeft());
    EXPECT_EQ(CPoint(21, 22), r.BottomRight());
    EXPECT_EQ(CSize(22, 24), r.Size());
    EXPECT_EQ(CSize(3, 4), CPoint(5, 7) - CPoint(2, 3));
    EXPECT_EQ(CPoint(-3, 2), CPoint(MAKELPARAM(static_cast<WORD>(-3), 2)));
}

namespace {
int g_paints = 0;

LRESULT CALLBACK PaintProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        CPaintDC dc(wnd);
        ++g_paints;
        dc.FillSolidRect(&dc.m_ps.rcPaint, kRed);
        return 0;
    }
    return ::DefWindowProcA(wnd, msg, wp, lp);
}
} // namespace

TEST(WindowDC, PaintDCValidatesAndClientDCDraws)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "KorveltaPaintTest";
    ASSERT_TRUE(::RegisterClassA(&wc));
    HWND wnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, "KorveltaPaintTest", "", WS_POPUP | WS_VISIBLE,
                                 0, 0, 40, 30, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, wnd);
    ::UpdateWindow(wnd);
    g_paints = 0;
    ::InvalidateRect(wnd, nullptr, FALSE);
    ::UpdateWindow(wnd);
    EXPECT_EQ(1, g_paints);
    EXPECT_FALSE(::GetUpdateRect(wnd, nullptr, FALSE));   // EndPaint validated the window

    {
        CClientDC dc(wnd);
        ASSERT_NE(nullptr, dc.GetSafeHdc());
        EXPECT_FALSE(dc.IsPrinting());
        dc.SetPixel(3, 4, kBlue);
        EXPECT_EQ(kBlue, dc.GetPixel(3, 4));
    }
    {
        CWindowDC dc(wnd);
        EXPECT_NE(nullptr, dc.GetSafeHdc());
    }
    ::DestroyWindow(wnd);
    ::UnregisterClassA("KorveltaPaintTest", wc.hInstance);
}
