// Geometry of the label objects: conversions, hit tests, handles, quarter turns, band stretching.
#include "labelmodel/graphshapes.h"
#include "objecttestutil.h"
#include "testsupport/dibcanvas.h"

#include <gtest/gtest.h>

using namespace objtest;

namespace {

class Geometry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(96, canvas.dc().GetDeviceCaps(LOGPIXELSX));
        ASSERT_EQ(96, canvas.dc().GetDeviceCaps(LOGPIXELSY));
    }
    CDC* dc() { return &canvas.dc(); }

    DibCanvas canvas{16, 16};
    ScriptedKeys keys;
};

CGraphRect MakeRect(int x, int y, int w, int h)
{
    CGraphRect r;
    r.SetX(x);
    r.SetY(y);
    r.SetWidth(w);
    r.SetHeight(h);
    return r;
}

} // namespace

TEST(Conversions, MicrometresAndPixels)
{
    EXPECT_EQ(96, UmToPx(25400, 96));
    EXPECT_EQ(4, UmToPx(1000, 96));                // a 1 mm line is 4 pixels wide
    EXPECT_EQ(-3, UmToPx(-1000, 96));              // truncation after the bias: towards zero
    EXPECT_EQ(265, PxToUm(1, 96));
    EXPECT_EQ(25400, PxToUm(96, 96));
    EXPECT_EQ(96, DpiAtZoom(100, 96));
    EXPECT_EQ(127, DpiAtZoom(kZoomExactMm, 96));
    EXPECT_EQ(126, DpiAtZoomTruncated(kZoomExactMm, 96));
    // Large lengths at printer resolutions do not overflow.
    EXPECT_EQ(188976, UmToPx(2000000, 2400));
    // A zoom too small for one dot per inch still leaves a usable resolution.
    EXPECT_EQ(1, DpiAtZoom(0, 96));
    EXPECT_EQ(25400, PxToUm(1, 0));
}

TEST_F(Geometry, LeftEdgeIsNotAHitTheOtherEdgesAre)
{
    CGraphRect r = MakeRect(25400, 25400, 25400, 25400);   // pixels 96..192 at 100 %
    EXPECT_FALSE(r.HitTest(dc(), 100, 96, 150));
    EXPECT_TRUE(r.HitTest(dc(), 100, 97, 150));
    EXPECT_TRUE(r.HitTest(dc(), 100, 192, 150));
    EXPECT_TRUE(r.HitTest(dc(), 100, 150, 96));
    EXPECT_TRUE(r.HitTest(dc(), 100, 150, 192));
    EXPECT_FALSE(r.HitTest(dc(), 100, 193, 150));
    EXPECT_FALSE(r.HitTest(dc(), 100, 150, 95));
    EXPECT_FALSE(r.HitTest(dc(), 100, 150, 193));
    // At 200 % the same box covers 192..384.
    EXPECT_FALSE(r.HitTest(dc(), 200, 150, 200));
    EXPECT_TRUE(r.HitTest(dc(), 200, 300, 300));
}

TEST_F(Geometry, InsideRectAllowsTouchingEdges)
{
    CGraphRect r = MakeRect(25400, 25400, 25400, 25400);
    const RECT exact = {96, 96, 192, 192};
    const RECT reversed = {192, 192, 96, 96};
    const RECT tooSmall = {97, 96, 192, 192};
    EXPECT_TRUE(r.IsInsideRect(dc(), 100, &exact));
    EXPECT_TRUE(r.IsInsideRect(dc(), 100, &reversed));
    EXPECT_FALSE(r.IsInsideRect(dc(), 100, &tooSmall));
}

TEST_F(Geometry, HandlesAreNumberedClockwiseFromTopLeft)
{
    CGraphRect r = MakeRect(0, 0, 25400, 12700);   // 0..96 x 0..48
    const POINT expected[8] = {{0, 0}, {48, 0}, {96, 0}, {96, 24}, {96, 48}, {48, 48}, {0, 48}, {0, 24}};
    for (int h = 0; h < 8; ++h) {
        EXPECT_EQ(h, r.HitHandle(dc(), 100, expected[h].x + 3, expected[h].y - 3)) << h;
        EXPECT_EQ(h, r.HitHandle(dc(), 100, expected[h].x - 3, expected[h].y + 3)) << h;
    }
    EXPECT_EQ(-1, r.HitHandle(dc(), 100, 4, 0));
    EXPECT_EQ(-1, r.HitHandle(dc(), 100, 30, 30));
    // Not selected: never on a handle, though HitHandle still answers.
    EXPECT_FALSE(r.IsOnHandle(dc(), 100, 0, 0));
    r.SetSelected(true);
    EXPECT_TRUE(r.IsOnHandle(dc(), 100, 0, 0));
    EXPECT_FALSE(r.IsOnHandle(dc(), 100, 30, 30));
}

TEST_F(Geometry, NarrowBoxAnswersTheFirstHandleInOrder)
{
    CGraphRect r = MakeRect(0, 0, 1000, 25400);    // 4 pixels wide: top-left and top middle overlap
    EXPECT_EQ(0, r.HitHandle(dc(), 100, 2, 1));
}

TEST(BoxGeometry, AspectCentresAndEdges)
{
    CGraphRect r = MakeRect(1000, 2000, 20001, 10000);
    EXPECT_EQ(49, r.GetAspectPercent());
    EXPECT_EQ(100, MakeRect(0, 0, 0, 5000).GetAspectPercent());
    EXPECT_EQ(100, MakeRect(0, 0, 5000, 0).GetAspectPercent());
    EXPECT_EQ(11000, r.GetCentreAlong(1));         // integer half of the width
    EXPECT_TRUE(r.SetCentreAlong(2, 50000));
    EXPECT_EQ(45000, r.GetY());
    EXPECT_FALSE(r.SetCentreAlong(0, 1));
    EXPECT_EQ(1000, r.GetX());
    r.SetRight(100000);
    EXPECT_EQ(100000 - 20001, r.GetX());
}

TEST(QuarterTurn, OddWidthShiftsByTheIntegerHalf)
{
    CGraphRect r = MakeRect(0, 0, 10001, 10000);
    r.Rotate90(5000, 5000, 1);
    EXPECT_EQ(0, r.GetX());
    EXPECT_EQ(0, r.GetY());
    EXPECT_EQ(10000, r.GetWidth());
    EXPECT_EQ(10001, r.GetHeight());
}

TEST(QuarterTurn, BothDirectionsAndInvalidOnes)
{
    CGraphRect r = MakeRect(10000, 0, 4000, 2000);
    r.Rotate90(0, 0, 1);    // counter-clockwise on the screen: right of the centre goes up
    EXPECT_EQ(0, r.GetX());
    EXPECT_EQ(-14000, r.GetY());
    EXPECT_EQ(2000, r.GetWidth());
    EXPECT_EQ(4000, r.GetHeight());
    r.Rotate90(0, 0, -1);
    EXPECT_EQ(10000, r.GetX());
    EXPECT_EQ(0, r.GetY());
    EXPECT_EQ(4000, r.GetWidth());
    r.Rotate90(0, 0, 2);
    r.Rotate90(0, 0, 0);
    EXPECT_EQ(10000, r.GetX());
    EXPECT_EQ(4000, r.GetWidth());
}

TEST(QuarterTurn, TriangleRotationWraps)
{
    CGraphTriangle t;
    t.SetRotation(2700);
    t.Rotate90(0, 0, 1);
    EXPECT_EQ(0, t.GetRotation());
    t.Rotate90(0, 0, -1);
    EXPECT_EQ(2700, t.GetRotation());
    t.Rotate90(0, 0, 5);
    EXPECT_EQ(2700, t.GetRotation());
    // A rotation no triangle can have (a damaged file) turns as 0 does.
    t.SetRotation(5000);
    t.Rotate90(0, 0, 1);
    EXPECT_EQ(900, t.GetRotation());
    t.SetRotation(-32768);
    t.Rotate90(0, 0, -1);
    EXPECT_EQ(2700, t.GetRotation());
}

TEST(BandRescale, StretchesPositionAndWidthInsideTheBand)
{
    CGraphRect r = MakeRect(10000, 500, 10000, 3000);
    r.RescaleBand(0, 0, 20000, 0, 20000, 0);     // the band doubles
    EXPECT_EQ(20000, r.GetX());
    EXPECT_EQ(20000, r.GetWidth());
    EXPECT_EQ(500, r.GetY());
    EXPECT_EQ(3000, r.GetHeight());

    CGraphRect third = MakeRect(1000, 0, 1000, 0);
    third.RescaleBand(1000, 0, 4000, 0, 1, 0);   // k = 3001 / 3000; 1000.333 rounds down
    EXPECT_EQ(1000, third.GetX());
    EXPECT_EQ(1000, third.GetWidth());
    CGraphRect half = MakeRect(0, 0, 1500, 0);
    half.RescaleBand(0, 0, 1000, 0, 1000, 0);    // 1500 * 2 exactly
    EXPECT_EQ(3000, half.GetWidth());

    // A band without width leaves the object alone instead of dividing by zero.
    CGraphRect same = MakeRect(5000, 0, 100, 0);
    same.RescaleBand(5000, 0, 5000, 0, 1000, 0);
    EXPECT_EQ(5000, same.GetX());
    EXPECT_EQ(100, same.GetWidth());
}

TEST(ShapeProperties, FillColourFillsTransparencyKeepsTheColour)
{
    CGraphRect r;
    ASSERT_TRUE(r.IsTransparent());
    r.SetFillColour(RGB(1, 2, 3));
    EXPECT_FALSE(r.IsTransparent());
    r.SetTransparent(true);
    EXPECT_TRUE(r.IsTransparent());
    EXPECT_EQ(RGB(1, 2, 3), r.GetFillColour());
    // Properties a rectangle lacks give the neutral answers and write nothing.
    EXPECT_EQ(-1, r.GetCornerRadius());
    EXPECT_EQ(1, r.GetCharSet());
    char buffer[8] = "keep";
    EXPECT_FALSE(r.GetColumnName(buffer, sizeof buffer));
    EXPECT_STREQ("keep", buffer);
}

TEST(WarningTriangle, EquilateralNumbers)
{
    CGraphTriangleExt t;
    t.SetWidth(30000);
    t.SetLineWidth(5);
    t.SetCornerRadius(7);
    t.SetEquilateral(true);
    EXPECT_EQ(26100, t.GetHeight());                 // 87 %
    // Side of the sign: sin60 * 30000 / (sin60 - 0.05 - 0.05 cos60) = 32844.41
    EXPECT_EQ(1971, t.GetLineWidth());               // 6 % of it
    EXPECT_EQ(205, t.GetCornerRadius());             // a quarter of 2.5 % (821), truncated
    EXPECT_EQ(87, t.GetAspectPercent());

    t.SetEquilateral(false);
    EXPECT_FALSE(t.IsEquilateral());
    EXPECT_EQ(26100, t.GetHeight());
    EXPECT_EQ(87, t.GetAspectPercent());             // now from the box: 26100 * 100 / 30000
    t.SetHeight(15000);
    EXPECT_EQ(50, t.GetAspectPercent());
}

TEST_F(Geometry, EquilateralSignTakesItsProportionsAgainWhenDrawn)
{
    CGraphTriangleExt t;
    t.SetWidth(30000);
    t.SetHeight(26100);
    t.SetLineWidth(5);
    t.SetCornerRadius(7);
    ASSERT_TRUE(t.IsEquilateral());
    EXPECT_TRUE(t.Draw(dc(), 10, 0, 0, false, 1, 1, 0, 0, nullptr, nullptr, false));
    EXPECT_EQ(1971, t.GetLineWidth());
    EXPECT_EQ(205, t.GetCornerRadius());
}

// ---- line ----

TEST(LineGeometry, BoxFromTheTwoEnds)
{
    CGraphLine line(30000, 5000, 10000, 20000);
    EXPECT_EQ(10000, line.GetX());
    EXPECT_EQ(5000, line.GetY());
    EXPECT_EQ(20000, line.GetWidth());
    EXPECT_EQ(15000, line.GetHeight());
    EXPECT_EQ(30000, line.GetRight());
    EXPECT_EQ(20000, line.GetBottom());
    EXPECT_EQ(20000, line.GetExtentX());
    EXPECT_EQ(100, line.GetAspectPercent());
    int cx, cy;
    line.GetCentre(&cx, &cy);
    EXPECT_EQ(20000, cx);
    EXPECT_EQ(12500, cy);

    line.SetX(0);            // both ends move; the smaller x becomes 0
    EXPECT_EQ(20000, line.GetX1());
    EXPECT_EQ(0, line.GetX2());
    line.SetWidth(5000);     // the end with the larger x moves
    EXPECT_EQ(5000, line.GetX1());
    EXPECT_EQ(0, line.GetX2());
    line.SetRight(999999);   // does nothing for a line
    line.SetBottom(999999);
    EXPECT_EQ(5000, line.GetX1());
    EXPECT_EQ(20000, line.GetBottom());
    EXPECT_TRUE(line.SetCentreAlong(1, 10000));   // d = -5000: x1 = 10000 + 2500
    EXPECT_EQ(12500, line.GetX1());
    EXPECT_EQ(7500, line.GetX2());
    EXPECT_FALSE(line.SetCentreAlong(3, 0));
    line.Offset(1, 2);
    EXPECT_EQ(12501, line.GetX1());
    EXPECT_EQ(5002, line.GetY1());
}

TEST(LineGeometry, QuarterTurnMovesBothEndsExactly)
{
    CGraphLine line(10001, 0, 20001, 0);
    line.Rotate90(0, 0, 1);
    EXPECT_EQ(0, line.GetX1());
    EXPECT_EQ(-10001, line.GetY1());
    EXPECT_EQ(0, line.GetX2());
    EXPECT_EQ(-20001, line.GetY2());
    line.Rotate90(0, 0, -1);
    EXPECT_EQ(10001, line.GetX1());
    EXPECT_EQ(20001, line.GetX2());
    EXPECT_EQ(0, line.GetY2());
}

TEST_F(Geometry, NearlyVerticalLineIsHitAlongItsLength)
{
    // Pixels (100, 0) to (101, 200) at 127 dpi.
    CGraphLine line(20000, 0, 20200, 40000);
    EXPECT_TRUE(line.HitTest(dc(), kZoomExactMm, 100, 50));
    EXPECT_TRUE(line.HitTest(dc(), kZoomExactMm, 100, 150));
    EXPECT_TRUE(line.HitTest(dc(), kZoomExactMm, 102, 190));
    EXPECT_FALSE(line.HitTest(dc(), kZoomExactMm, 103, 190));   // 2.05 pixels away
    EXPECT_FALSE(line.HitTest(dc(), kZoomExactMm, 104, 100));
    EXPECT_FALSE(line.HitTest(dc(), kZoomExactMm, 100, 203));
}

TEST_F(Geometry, LineHitIsWithinTwoPixelsOfTheSegment)
{
    CGraphLine flat(10000, 10000, 30000, 10000);     // (50, 50) to (150, 50)
    EXPECT_TRUE(flat.HitTest(dc(), kZoomExactMm, 100, 52));
    EXPECT_TRUE(flat.HitTest(dc(), kZoomExactMm, 100, 48));
    EXPECT_FALSE(flat.HitTest(dc(), kZoomExactMm, 100, 53));
    EXPECT_TRUE(flat.HitTest(dc(), kZoomExactMm, 50, 50));
    EXPECT_TRUE(flat.HitTest(dc(), kZoomExactMm, 152, 50));
    EXPECT_FALSE(flat.HitTest(dc(), kZoomExactMm, 153, 50));

    CGraphLine diagonal(0, 0, 20000, 20000);         // (0, 0) to (100, 100)
    EXPECT_TRUE(diagonal.HitTest(dc(), kZoomExactMm, 51, 49));
    EXPECT_FALSE(diagonal.HitTest(dc(), kZoomExactMm, 53, 49));   // 2.83 pixels away

    CGraphLine dot(10000, 10000, 10000, 10000);
    EXPECT_FALSE(dot.HitTest(dc(), kZoomExactMm, 50, 50));
}

TEST_F(Geometry, LineHandlesAndInsideRect)
{
    CGraphLine line(10000, 10000, 30000, 20000);     // (50, 50) to (150, 100)
    EXPECT_EQ(HandleLineStart, line.HitHandle(dc(), kZoomExactMm, 53, 47));
    EXPECT_EQ(HandleLineEnd, line.HitHandle(dc(), kZoomExactMm, 147, 103));
    EXPECT_EQ(-1, line.HitHandle(dc(), kZoomExactMm, 100, 75));
    EXPECT_FALSE(line.IsOnHandle(dc(), kZoomExactMm, 50, 50));
    line.SetSelected(true);
    EXPECT_TRUE(line.IsOnHandle(dc(), kZoomExactMm, 150, 100));
    const RECT around = {50, 50, 150, 100};
    const RECT tight = {51, 50, 150, 100};
    EXPECT_TRUE(line.IsInsideRect(dc(), kZoomExactMm, &around));
    EXPECT_FALSE(line.IsInsideRect(dc(), kZoomExactMm, &tight));
}
