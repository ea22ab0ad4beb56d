// Pixels drawn by the label objects, markers and help lines into a DIB section.
#include "labelmodel/graphshapes.h"
#include "labelmodel/helplines.h"
#include "labelmodel/labelstock.h"
#include "objecttestutil.h"
#include "testsupport/dibcanvas.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <set>

using namespace objtest;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

bool DrawAt(CGraphObject& o, CDC* dc, int zoom, int originX = 0, int originY = 0)
{
    return o.Draw(dc, zoom, originX, originY, false, 1, 1, 0, 0, nullptr, nullptr, false);
}

// A few coloured bands, so that an outline drawn over them shows as something other than black.
void PaintPattern(DibCanvas& canvas)
{
    const COLORREF colours[] = {RGB(200, 30, 60), RGB(20, 180, 90), RGB(0, 0, 0), RGB(90, 90, 250)};
    for (int i = 0; i < 4; ++i) {
        CBrush brush(colours[i]);
        const RECT band = {0, 30 + 60 * i, 320, 60 + 60 * i};
        canvas.dc().FillRect(&band, &brush);
    }
}

// Whether any pixel of column x between rows y0 and y1 (inclusive) has the colour.
bool ColumnHas(const DibCanvas& canvas, int x, int y0, int y1, COLORREF colour)
{
    for (int y = y0; y <= y1; ++y)
        if (canvas.Pixel(x, y) == colour)
            return true;
    return false;
}

template <class T>
void SetBox(T& o, int x, int y, int w, int h)
{
    o.SetX(x);
    o.SetY(y);
    o.SetWidth(w);
    o.SetHeight(h);
}

} // namespace

// ---- markers and handles: drawing twice restores the screen ----

TEST(MarkerPixels, EveryMarkerDrawnTwiceRestoresTheBitmap)
{
    ScriptedKeys keys;
    struct Kind {
        const char* name;
        std::function<CMarker*(int, int, int)> make;
    };
    const Kind kinds[] = {
        {"rect", [](int x, int y, int s) { return new CMarkerRect(x, y, s); }},
        {"ellipse", [](int x, int y, int s) { return new CMarkerEllipse(x, y, s); }},
        {"line", [](int x, int y, int s) { return new CMarkerLine(x, y, s); }},
        {"triangle 0", [](int x, int y, int s) { return new CMarkerTriangle(x, y, s, 0); }},
        {"triangle 900", [](int x, int y, int s) { return new CMarkerTriangle(x, y, s, 900); }},
        {"triangle 1800", [](int x, int y, int s) { return new CMarkerTriangle(x, y, s, 1800); }},
        {"triangle 2700", [](int x, int y, int s) { return new CMarkerTriangle(x, y, s, 2700); }},
    };
    for (const Kind& kind : kinds) {
        for (int style : {PS_SOLID, PS_DOT}) {
            SCOPED_TRACE(kind.name);
            DibCanvas canvas(320, 320);
            PaintPattern(canvas);
            const std::vector<uint32_t> before = canvas.Snapshot();
            std::unique_ptr<CMarker> m(kind.make(30, 40, style));
            m->MoveEndPoint(&canvas.dc(), 200, 150);
            EXPECT_TRUE(m->IsDrawn());
            EXPECT_FALSE(canvas.Matches(before));
            m->MoveEndPoint(&canvas.dc(), 120, 260);
            m->SetMoveOrigin(0, 0);
            m->MoveBy(&canvas.dc(), 13, -7);
            EXPECT_FALSE(canvas.Matches(before));
            m->Erase(&canvas.dc());
            EXPECT_FALSE(m->IsDrawn());
            EXPECT_TRUE(canvas.Matches(before));
            m->Erase(&canvas.dc());   // not drawn: nothing happens
            EXPECT_TRUE(canvas.Matches(before));
        }
    }
}

TEST(MarkerPixels, DrawLeavesTheDeviceContextAsItWas)
{
    DibCanvas canvas(64, 64);
    CPen pen(PS_SOLID, 3, kRed);
    CPen* old = canvas.dc().SelectObject(&pen);
    canvas.dc().SetROP2(R2_COPYPEN);
    CMarkerRect m(1, 1, PS_DOT);
    m.Draw(&canvas.dc());
    EXPECT_EQ(R2_COPYPEN, canvas.dc().GetROP2());
    EXPECT_EQ(static_cast<HGDIOBJ>(pen.GetSafeHandle()), ::GetCurrentObject(canvas.dc().GetSafeHdc(), OBJ_PEN));
    m.Erase(&canvas.dc());
    canvas.dc().SelectObject(old);
}

TEST(MarkerGeometry, RectanglesAreNormalisedLinesKeepTheirDirection)
{
    ScriptedKeys keys;
    DibCanvas canvas(200, 200);
    CMarkerRect rect(150, 120, PS_DOT);
    rect.MoveEndPoint(&canvas.dc(), 100, 50);
    int l, t, r, b;
    rect.GetRect(&l, &t, &r, &b);
    EXPECT_EQ(CRect(100, 50, 150, 120), CRect(l, t, r, b));
    EXPECT_EQ(50, rect.GetSize());
    rect.Erase(&canvas.dc());

    CMarkerLine line(150, 120, PS_DOT);
    line.MoveEndPoint(&canvas.dc(), 120, 80);
    line.GetRect(&l, &t, &r, &b);
    EXPECT_EQ(CRect(150, 120, 120, 80), CRect(l, t, r, b));
    EXPECT_EQ(50, line.GetSize());   // 30-40-50
    line.Erase(&canvas.dc());
}

TEST(MarkerGeometry, CtrlMirrorsTheStartAboutTheCentreAndStopsAtZero)
{
    ScriptedKeys keys;
    DibCanvas canvas(200, 200);
    CMarkerRect m(100, 100, PS_SOLID);
    m.MoveEndPoint(&canvas.dc(), 100, 100);
    keys.SetCtrl(true);
    m.MoveEndPoint(&canvas.dc(), 150, 130);
    int l, t, r, b;
    m.GetRect(&l, &t, &r, &b);
    EXPECT_EQ(CRect(50, 70, 150, 130), CRect(l, t, r, b));
    m.Erase(&canvas.dc());

    CMarkerRect corner(10, 10, PS_SOLID);
    keys.SetCtrl(false);
    corner.MoveEndPoint(&canvas.dc(), 10, 10);
    keys.SetCtrl(true);
    corner.MoveEndPoint(&canvas.dc(), 30, 45);
    EXPECT_EQ(0, corner.GetStartPoint().x);
    EXPECT_EQ(0, corner.GetStartPoint().y);
    corner.Erase(&canvas.dc());
}

TEST(HandlePixels, InvertingHandlesTwiceRestoresTheBitmap)
{
    DibCanvas canvas(320, 320);
    PaintPattern(canvas);
    CGraphRect rect;
    SetBox(rect, 10000, 10000, 1000, 30000);   // narrow: the top handles overlap
    rect.SetLineWidth(0);
    rect.SetSelected(true);
    CGraphLine line(2000, 50000, 50000, 2000);
    line.SetSelected(true);
    ASSERT_TRUE(DrawAt(rect, &canvas.dc(), 100));
    ASSERT_TRUE(DrawAt(line, &canvas.dc(), 100));
    const std::vector<uint32_t> before = canvas.Snapshot();

    rect.DrawHandlesIfSelected(&canvas.dc());
    line.DrawHandlesIfSelected(&canvas.dc());
    EXPECT_FALSE(canvas.Matches(before));
    // A handle square covers 7 x 7 pixels around its point: (38, 38) is the top-left corner.
    EXPECT_NE(canvas.Pixel(35, 35), canvas.Pixel(34, 34));
    rect.DrawHandlesIfSelected(&canvas.dc());
    line.DrawHandlesIfSelected(&canvas.dc());
    EXPECT_TRUE(canvas.Matches(before));

    rect.SetSelected(false);
    rect.DrawHandlesIfSelected(&canvas.dc());
    EXPECT_TRUE(canvas.Matches(before));
}

// ---- shapes ----

TEST(ShapePixels, FilledRectangleCoversItsDeviceRectangleInclusive)
{
    DibCanvas canvas(320, 320);
    CGraphRect rect;
    SetBox(rect, 10000, 10000, 20000, 10000);    // (50, 50) to (150, 100) at 127 dpi
    rect.SetLineWidth(0);
    rect.SetLineColour(kBlue);
    rect.SetFillColour(kRed);
    ASSERT_TRUE(DrawAt(rect, &canvas.dc(), kZoomExactMm, 7, 9));
    EXPECT_EQ(CRect(57, 59, 158, 110), canvas.Extent());
    EXPECT_EQ(kRed, canvas.Pixel(107, 84));
    EXPECT_EQ(kBlue, canvas.Pixel(57, 84));
    EXPECT_EQ(kBlue, canvas.Pixel(157, 84));
    EXPECT_EQ(kBlue, canvas.Pixel(107, 109));
    EXPECT_EQ(kWhite, canvas.Pixel(158, 84));

    DibCanvas outline(320, 320);
    rect.SetTransparent(true);
    ASSERT_TRUE(DrawAt(rect, &outline.dc(), kZoomExactMm, 7, 9));
    EXPECT_EQ(CRect(57, 59, 158, 110), outline.Extent());
    EXPECT_EQ(kWhite, outline.Pixel(107, 84));
    EXPECT_EQ(0, outline.CountPixels(kRed));
}

TEST(ShapePixels, ThickOutlineUsesTheLineWidthOnTheDevice)
{
    DibCanvas canvas(320, 320);
    CGraphRect rect;
    SetBox(rect, 20000, 20000, 20000, 20000);     // (100, 100) to (200, 200)
    rect.SetLineWidth(2000);                      // 10 pixels
    ASSERT_TRUE(DrawAt(rect, &canvas.dc(), kZoomExactMm));
    const CRect extent = canvas.Extent();
    EXPECT_NEAR(95, extent.left, 1);
    EXPECT_NEAR(205, extent.right, 1);
    EXPECT_EQ(kWhite, canvas.Pixel(150, 150));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(100, 150));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(104, 150));
}

TEST(ShapePixels, EllipseOutlineOrFilled)
{
    DibCanvas outline(320, 320);
    CGraphEllipse e;
    SetBox(e, 10000, 10000, 40000, 20000);        // (50, 50) to (250, 150)
    e.SetLineWidth(0);
    e.SetLineColour(kBlue);
    ASSERT_TRUE(DrawAt(e, &outline.dc(), kZoomExactMm));
    EXPECT_EQ(kWhite, outline.Pixel(150, 100));
    EXPECT_TRUE(ColumnHas(outline, 150, 49, 52, kBlue));
    EXPECT_EQ(kWhite, outline.Pixel(52, 52));     // the box's corner is outside the ellipse

    DibCanvas filled(320, 320);
    e.SetFillColour(kRed);
    ASSERT_TRUE(DrawAt(e, &filled.dc(), kZoomExactMm));
    EXPECT_EQ(kRed, filled.Pixel(150, 100));
    EXPECT_TRUE(ColumnHas(filled, 150, 49, 52, kBlue));
    EXPECT_EQ(kWhite, filled.Pixel(52, 52));
}

TEST(ShapePixels, RoundedRectangleLeavesItsCornersOut)
{
    DibCanvas canvas(320, 320);
    CGraphRectRounded r;
    SetBox(r, 10000, 10000, 40000, 20000);        // (50, 50) to (250, 150)
    r.SetLineWidth(0);
    r.SetLineColour(kBlue);
    r.SetFillColour(kRed);
    r.SetCornerRadius(5000);                      // 50-pixel corner ellipses
    ASSERT_TRUE(DrawAt(r, &canvas.dc(), kZoomExactMm));
    EXPECT_EQ(kWhite, canvas.Pixel(52, 52));
    EXPECT_EQ(kWhite, canvas.Pixel(247, 147));
    EXPECT_EQ(kRed, canvas.Pixel(150, 100));
    EXPECT_EQ(kBlue, canvas.Pixel(150, 50));
    EXPECT_EQ(kBlue, canvas.Pixel(50, 100));

    // A radius no file should hold draws square corners rather than failing.
    DibCanvas square(320, 320);
    r.SetCornerRadius(-5000);
    ASSERT_TRUE(DrawAt(r, &square.dc(), kZoomExactMm));
    EXPECT_EQ(kRed, square.Pixel(150, 100));
}

TEST(ShapePixels, LineRunsBetweenItsEndsInItsColour)
{
    DibCanvas canvas(320, 320);
    CGraphLine line(10000, 10000, 30000, 10000);   // (50, 50) to (150, 50)
    line.SetLineWidth(0);
    line.SetLineColour(kRed);
    ASSERT_TRUE(DrawAt(line, &canvas.dc(), kZoomExactMm, 3, 4));
    EXPECT_EQ(CRect(53, 54, 153, 55), canvas.Extent());
    EXPECT_EQ(100, canvas.CountPixels(kRed));
}

// ---- the warning triangle ----

namespace {

CGraphTriangleExt MakeSign(int rotation)
{
    CGraphTriangleExt t;
    t.SetEquilateral(false);
    SetBox(t, 10000, 10000, 40000, 40000);        // (50, 50) to (250, 250) at 127 dpi
    t.SetLineWidth(1000);                         // 5 pixels
    t.SetCornerRadius(2000);                      // 10 pixels
    t.SetRotation(rotation);
    return t;
}

} // namespace

TEST(WarningTrianglePixels, EachRotationPointsItsApexTheRightWay)
{
    struct Case {
        int rotation;
        POINT outside[2];   // near the two corners on the apex side
        POINT inside;       // near the middle of the base
    };
    const Case cases[] = {
        {0, {{60, 60}, {240, 60}}, {150, 235}},
        {900, {{60, 60}, {60, 240}}, {235, 150}},
        {1800, {{60, 240}, {240, 240}}, {150, 65}},
        {2700, {{240, 60}, {240, 240}}, {65, 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rotation);
        DibCanvas canvas(320, 320);
        CGraphTriangleExt t = MakeSign(c.rotation);
        ASSERT_TRUE(DrawAt(t, &canvas.dc(), kZoomExactMm));
        const CRect extent = canvas.Extent();
        EXPECT_GE(extent.left, 48);
        EXPECT_GE(extent.top, 48);
        EXPECT_LE(extent.right, 253);
        EXPECT_LE(extent.bottom, 253);
        EXPECT_EQ(kWhite, canvas.Pixel(c.outside[0].x, c.outside[0].y));
        EXPECT_EQ(kWhite, canvas.Pixel(c.outside[1].x, c.outside[1].y));
        EXPECT_EQ(kYellow, canvas.Pixel(150, 150));
        EXPECT_EQ(kYellow, canvas.Pixel(c.inside.x, c.inside.y));
        EXPECT_GT(canvas.CountPixels(RGB(0, 0, 0)), 1000);
    }
}

TEST(WarningTrianglePixels, RotationOutsideTheFourDrawsAsZero)
{
    DibCanvas upright(320, 320), odd(320, 320);
    CGraphTriangleExt a = MakeSign(0), b = MakeSign(5000);
    ASSERT_TRUE(DrawAt(a, &upright.dc(), kZoomExactMm));
    ASSERT_TRUE(DrawAt(b, &odd.dc(), kZoomExactMm));
    EXPECT_TRUE(upright.SameAs(odd));
    EXPECT_EQ(5000, b.GetRotation());             // kept as read
}

TEST(WarningTrianglePixels, BoxWithoutRoomForTheTriangleDrawsTheRectangle)
{
    struct Case {
        const char* name;
        int width, height, lineWidth;
    };
    const Case cases[] = {
        {"zero width", 0, 20000, 1000},
        {"zero height", 20000, 0, 1000},
        {"border wider than the box", 2000, 2000, 10000},
        {"border taller than a flat box", 40000, 1000, 2000},
        {"negative width", -20000, 20000, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGraphTriangleExt t = MakeSign(0);
        SetBox(t, 20000, 20000, c.width, c.height);
        t.SetLineWidth(c.lineWidth);
        CGraphRect r;
        SetBox(r, 20000, 20000, c.width, c.height);
        r.SetLineWidth(c.lineWidth);
        r.SetLineColour(t.GetLineColour());
        r.SetFillColour(t.GetFillColour());
        DibCanvas sign(320, 320), rect(320, 320);
        ASSERT_TRUE(DrawAt(t, &sign.dc(), kZoomExactMm));
        ASSERT_TRUE(DrawAt(r, &rect.dc(), kZoomExactMm));
        EXPECT_TRUE(sign.SameAs(rect));
    }
}

TEST(WarningTrianglePixels, HugeCornerRadiusStaysInsideTheBox)
{
    // Limited to a third of the shorter side and to the triangle's inscribed circle, so the
    // corner circles cannot leave the box.
    DibCanvas canvas(320, 320);
    CGraphTriangleExt t = MakeSign(0);
    t.SetCornerRadius(1000000);
    ASSERT_TRUE(DrawAt(t, &canvas.dc(), kZoomExactMm));
    const CRect extent = canvas.Extent();
    EXPECT_GE(extent.left, 48);
    EXPECT_LE(extent.right, 253);
    EXPECT_GE(extent.top, 48);
    EXPECT_LE(extent.bottom, 253);
}

// ---- help lines ----

namespace {

// Rows (or columns) holding any pixel other than white.
std::set<int> ChangedRows(const DibCanvas& canvas)
{
    std::set<int> rows;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) != kWhite)
                rows.insert(y);
    return rows;
}

std::set<int> ChangedColumns(const DibCanvas& canvas)
{
    std::set<int> columns;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) != kWhite)
                columns.insert(x);
    return columns;
}

} // namespace

TEST(HelpLinePixels, ThreeDivisionsOfThirtyMillimetresDrawTwoLines)
{
    DibCanvas canvas(220, 140);
    CHelpLines lines;
    lines.ShowHorizontal(true);
    lines.SetHorizontalLines(2);                  // stored as 3 divisions
    lines.DrawArea(&canvas.dc(), 50000, 30000, 100);
    // 10 mm and 20 mm at 96 dpi: (10000 * 96 + 12700) / 25400 = 38, and 76.
    EXPECT_EQ((std::set<int>{38, 76}), ChangedRows(canvas));
    // Across the width of the area: 50 mm is 189 pixels.
    EXPECT_LE(canvas.Extent().right, 190);
    EXPECT_GE(canvas.Extent().right, 185);

    // The same lines over the label area of a stock of that size.
    DibCanvas overStock(220, 140);
    CLabel stock;
    stock.SetWidth(0, 50000, false);
    stock.SetHeight(0, 30000);
    lines.Draw(&overStock.dc(), &stock, 0, 100);
    EXPECT_TRUE(overStock.SameAs(canvas));
}

TEST(HelpLinePixels, VerticalLinesAtAZoom)
{
    DibCanvas canvas(320, 200);
    CHelpLines lines;
    lines.ShowVertical(true);
    lines.SetVerticalLines(3);                    // 4 divisions of 40 mm: every 10 mm
    lines.DrawArea(&canvas.dc(), 40000, 20000, kZoomExactMm);
    EXPECT_EQ((std::set<int>{50, 100, 150}), ChangedColumns(canvas));
    EXPECT_LE(canvas.Extent().bottom, 101);
}

TEST(HelpLinePixels, OneDivisionOrHiddenDrawsNothing)
{
    DibCanvas canvas(200, 200);
    CHelpLines lines;
    ASSERT_TRUE(LoadBytes(lines, ByteBuilder().U8(1).U8(1).I16(1).I16(1).bytes));
    lines.DrawArea(&canvas.dc(), 50000, 50000, 100);
    EXPECT_TRUE(ChangedRows(canvas).empty());

    lines.SetHorizontalLines(4);
    lines.SetVerticalLines(4);
    lines.ShowHorizontal(false);
    lines.ShowVertical(false);
    lines.DrawArea(&canvas.dc(), 50000, 50000, 100);
    EXPECT_TRUE(ChangedRows(canvas).empty());

    // The smallest stored count is a negative number of lines, not 32767 of them.
    ASSERT_TRUE(LoadBytes(lines, ByteBuilder().U8(1).U8(1).I16(-32768).I16(-32768).bytes));
    lines.DrawArea(&canvas.dc(), 50000, 50000, 100);
    EXPECT_TRUE(ChangedRows(canvas).empty());

    // Without a stock there is nothing to divide.
    lines.SetHorizontalLines(2);
    lines.Draw(&canvas.dc(), nullptr, 0, 100);
    EXPECT_TRUE(ChangedRows(canvas).empty());
}

TEST(HelpLinePixels, DrawingTwiceRemovesTheLines)
{
    DibCanvas canvas(200, 200);
    PaintPattern(canvas);
    const std::vector<uint32_t> before = canvas.Snapshot();
    CHelpLines lines;
    lines.ShowHorizontal(true);
    lines.ShowVertical(true);
    lines.SetHorizontalLines(2);
    lines.SetVerticalLines(1);
    lines.DrawArea(&canvas.dc(), 50000, 50000, 100);
    EXPECT_FALSE(canvas.Matches(before));
    lines.DrawArea(&canvas.dc(), 50000, 50000, 100);
    EXPECT_TRUE(canvas.Matches(before));
}
