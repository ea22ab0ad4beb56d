// The rulers' pixels: golden tick positions at zooms around the label and tick thresholds, with
// and without a scrolled origin, in both directions; the XOR cursor line; the rounding shared with
// the canvas and positions that would overflow 32 bits.
#include "ui/rulers.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <vector>

namespace {

class RulerHost {
public:
    RulerHost()
    {
        host.CreateEx(0, AfxRegisterWndClass(0), "rulers", WS_POPUP | WS_VISIBLE, 0, 0, 700, 700, nullptr, nullptr);
        hor.Create(&host, CRect(23, 0, 623, 23), 2);
        ver.Create(&host, CRect(0, 23, 23, 623), 3);
    }
    CWnd host;
    CRulerHorWnd hor;
    CRulerVerWnd ver;
};

bool LogicalPpiIs96()
{
    HDC screen = ::GetDC(nullptr);
    const int ppi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return ppi == 96;
}

void Repaint(CRulerWnd& ruler, int zoom, int origin)
{
    ruler.SetZoom(zoom);
    ruler.SetOrigin(origin);
    ruler.SetCursorPos(-50);          // out of sight, so that it leaves the ticks alone
    ruler.Invalidate(TRUE);
    ruler.UpdateWindow();
}

// Dark pixels along the ruler (x for the horizontal one) at depth row/column `across`, from 0 to 79.
std::vector<int> DarkAlong(CRulerWnd& ruler, bool horizontal, int across)
{
    std::vector<int> dark;
    HDC dc = ::GetDC(ruler.m_hWnd);
    for (int p = 0; p < 80; ++p) {
        COLORREF c = horizontal ? ::GetPixel(dc, p, across) : ::GetPixel(dc, across, p);
        if (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100)
            dark.push_back(p);
    }
    ::ReleaseDC(ruler.m_hWnd, dc);
    return dark;
}

struct Golden {
    int zoom;
    int origin;
    std::vector<int> ticks;        // every tick from 0 to 79
    std::vector<int> labelled;     // centimetre ticks among them
};

const Golden kGolden[] = {
    // Below 50 odd centimetres get neither label nor ticks.
    {49, 0, {0, 3, 7, 11, 14, 37, 40, 44, 48, 51, 74, 77}, {0, 37, 74}},
    {50, 0, {0, 3, 7, 11, 15, 18, 22, 26, 30, 34, 37, 41, 45, 49, 52, 56, 60, 64, 68, 71, 75, 79}, {0, 18, 37, 56, 75}},
    {100, 0, {0, 7, 15, 22, 30, 37, 45, 52, 60, 68, 75}, {0, 37, 75}},
    // From 200 a tick every millimetre.
    {200, 0, {0, 7, 15, 22, 30, 37, 45, 52, 60, 68, 75}, {0, 75}},
    {100, 100, {5, 13, 20, 28, 36, 43, 51, 58, 66, 73}, {51}},
    {49, 40, {0, 4, 8, 11, 34, 37, 41, 45, 48, 71, 74, 78}, {34}},
    {200, 30, {0, 7, 15, 22, 30, 38, 45, 53, 60, 68, 75}, {45}},
};

} // namespace

TEST(Rulers, TicksLieAtTheGoldenPositionsAtEachZoomAndOrigin)
{
    if (!LogicalPpiIs96())
        GTEST_SKIP() << "golden positions are for 96 logical pixels per inch";
    RulerHost h;
    CRect client;
    h.hor.GetClientRect(&client);
    ASSERT_EQ(21, client.Height()) << "23 pixels with the border";
    const int d = client.Height();
    for (const Golden& g : kGolden) {
        SCOPED_TRACE(testing::Message() << "zoom " << g.zoom << " origin " << g.origin);
        Repaint(h.hor, g.zoom, g.origin);
        Repaint(h.ver, g.zoom, g.origin);
        // Minor ticks are 8 long, labelled ones 16, both from the inner edge.
        EXPECT_EQ(g.ticks, DarkAlong(h.hor, true, d - 3));
        EXPECT_EQ(g.ticks, DarkAlong(h.ver, false, d - 3));
        // Labelled ticks reach deeper than minor ones (away from where the numbers are written).
        auto nearText = [&](int p) {
            for (int q : g.labelled)
                if (p > q && p <= q + 20)
                    return true;
            return g.origin != 0;
        };
        for (CRulerWnd* ruler : {static_cast<CRulerWnd*>(&h.hor), static_cast<CRulerWnd*>(&h.ver)}) {
            std::vector<int> deep = DarkAlong(*ruler, ruler == &h.hor, d - 12);
            for (int p : g.labelled)
                EXPECT_TRUE(std::find(deep.begin(), deep.end(), p) != deep.end()) << p;
            for (int p : g.ticks) {
                if (std::find(g.labelled.begin(), g.labelled.end(), p) == g.labelled.end() && !nearText(p)) {
                    EXPECT_TRUE(std::find(deep.begin(), deep.end(), p) == deep.end()) << p;
                }
            }
        }
    }
}

TEST(Rulers, TheCursorLineMovedTwiceLeavesOneLine)
{
    RulerHost h;
    Repaint(h.hor, 100, 0);
    auto pixel = [&](int x, int y) {
        HDC dc = ::GetDC(h.hor.m_hWnd);
        COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(h.hor.m_hWnd, dc);
        return c;
    };
    const COLORREF background = CRulerWnd::kBackground;
    // 240 XOR 192 = 48 on the background.
    const COLORREF line = RGB(48, 48, 48);
    ASSERT_EQ(background, pixel(100, 3));
    h.hor.SetCursorPos(100);
    EXPECT_TRUE(h.hor.IsCursorShown());
    EXPECT_EQ(line, pixel(100, 3));
    h.hor.SetCursorPos(110);
    h.hor.SetCursorPos(120);
    EXPECT_EQ(background, pixel(100, 3));
    EXPECT_EQ(background, pixel(110, 3));
    EXPECT_EQ(line, pixel(120, 3));
    EXPECT_EQ(line, pixel(120, 1));
    EXPECT_EQ(120, h.hor.GetCursorPos());
    // Toggling twice by hand leaves the ruler as it was.
    {
        CClientDC dc(h.hor.m_hWnd);
        h.hor.ToggleCursorMark(&dc);
        h.hor.ToggleCursorMark(&dc);
    }
    EXPECT_EQ(line, pixel(120, 3));
    // A repaint draws the line afresh, once.
    h.hor.Invalidate(TRUE);
    h.hor.UpdateWindow();
    EXPECT_EQ(line, pixel(120, 3));
    EXPECT_TRUE(h.hor.IsCursorShown());

    // The vertical ruler draws its line across.
    Repaint(h.ver, 100, 0);
    h.ver.SetCursorPos(90);
    HDC dc = ::GetDC(h.ver.m_hWnd);
    EXPECT_EQ(line, ::GetPixel(dc, 3, 90));
    ::ReleaseDC(h.ver.m_hWnd, dc);
}

TEST(Rulers, ResolutionRoundsAsTheCanvasAndPositionsDoNotOverflow)
{
    EXPECT_EQ(96, CRulerWnd::ZoomedPixelsPerInch(96, 100));
    EXPECT_EQ(48, CRulerWnd::ZoomedPixelsPerInch(96, 50));
    EXPECT_EQ(47, CRulerWnd::ZoomedPixelsPerInch(96, 49));
    // 96 x 33 / 100 = 31.68: the canvas rounds to 32, plain division gave 31.
    EXPECT_EQ(32, CRulerWnd::ZoomedPixelsPerInch(96, 33));
    EXPECT_EQ(1, CRulerWnd::ZoomedPixelsPerInch(96, 0));
    EXPECT_EQ(37, CRulerWnd::TickPosition(96, 10, 0));
    EXPECT_EQ(-63, CRulerWnd::TickPosition(96, 10, 100));
    // 32 bits overflowed here: 9600 ppi x 1990 mm x 1000.
    EXPECT_EQ(752125, CRulerWnd::TickPosition(9600, 1990, 0));
    EXPECT_GT(CRulerWnd::TickPosition(0x7FFFFFFF, 1990, 0), 0);
}
