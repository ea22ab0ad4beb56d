// The drag protocol: create, move and resize drags through XOR trackers on a real device context.
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "objecttestutil.h"
#include "testsupport/dibcanvas.h"

#include <gtest/gtest.h>
#include <memory>
#include <typeinfo>

using namespace objtest;

namespace {

class Drag : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(96, canvas.dc().GetDeviceCaps(LOGPIXELSX));
        // Something to draw over, so that a tracker left on the screen would show.
        CBrush brush(RGB(200, 30, 60));
        const RECT band = {20, 20, 260, 60};
        canvas.dc().FillRect(&band, &brush);
        before = canvas.Snapshot();
    }
    CDC* dc() { return &canvas.dc(); }
    CRect TrackerRect(CGraphObject& o)
    {
        int l = 0, t = 0, r = 0, b = 0;
        EXPECT_NE(nullptr, o.GetTracker());
        if (o.GetTracker())
            o.GetTracker()->GetRect(&l, &t, &r, &b);
        return CRect(l, t, r, b);
    }

    DibCanvas canvas{320, 320};
    std::vector<uint32_t> before;
    ScriptedKeys keys;
};

// A box of whole millimetres at the exact zoom (5 pixels per millimetre).
CGraphRect BoxMm(int x, int y, int w, int h)
{
    CGraphRect r;
    r.SetX(x * 1000);
    r.SetY(y * 1000);
    r.SetWidth(w * 1000);
    r.SetHeight(h * 1000);
    r.SetSelected(true);
    return r;
}

} // namespace

TEST_F(Drag, OnePixelMoveIs265Micrometres)
{
    CGraphRect r = BoxMm(0, 0, 10, 10);
    r.BeginMove(dc(), 100, 10, 10);
    ASSERT_NE(nullptr, r.GetTracker());
    EXPECT_FALSE(canvas.Matches(before));
    r.TrackMove(dc(), 11, 10);
    r.EndMove(dc(), 11, 10);
    EXPECT_EQ(265, r.GetX());
    EXPECT_EQ(0, r.GetY());
    EXPECT_EQ(nullptr, r.GetTracker());
    EXPECT_TRUE(canvas.Matches(before));

    // The same formula going left truncates towards zero.
    r.BeginMove(dc(), 100, 10, 10);
    r.EndMove(dc(), 9, 10);
    EXPECT_EQ(1, r.GetX());
}

TEST_F(Drag, TrackerFollowsTheMoveAndAGivenUpDragChangesNothing)
{
    CGraphRect r = BoxMm(10, 10, 20, 10);          // pixels (50, 50) to (150, 100)
    r.BeginMove(dc(), kZoomExactMm, 60, 60);
    EXPECT_EQ(CRect(50, 50, 150, 100), TrackerRect(r));
    r.TrackMove(dc(), 70, 65);
    EXPECT_EQ(CRect(60, 55, 160, 105), TrackerRect(r));
    // A second BeginMove keeps the tracker and only takes the new start point.
    CMarker* tracker = r.GetTracker();
    r.BeginMove(dc(), kZoomExactMm, 70, 65);
    EXPECT_EQ(tracker, r.GetTracker());
    r.EndTracking(dc());
    EXPECT_EQ(nullptr, r.GetTracker());
    EXPECT_EQ(10000, r.GetX());
    EXPECT_EQ(10000, r.GetY());
    EXPECT_TRUE(canvas.Matches(before));
}

// Undo puts clones of a snapshot in place of objects in the middle of a move, and paste adds
// clones of copied objects: neither may end a move against the start point of the object it was
// copied from. Only the object a move began on ends it, once.
TEST_F(Drag, AMoveEndsOnlyOnTheObjectItBeganOnAndOnlyOnce)
{
    CGraphRect box = BoxMm(10, 10, 20, 10);             // pixels (50, 50) to (150, 100)
    CGraphLine line(10000, 30000, 30000, 40000);        // (50, 150) to (150, 200)
    line.SetSelected(true);
    CGraphGroup group;
    group.Append(new CGraphRect(BoxMm(40, 10, 10, 10)));
    group.SetSelected(true);
    CGraphObject* const kinds[] = {&box, &line, &group};
    for (CGraphObject* o : kinds) {
        SCOPED_TRACE(typeid(*o).name());
        const int x = o->GetX(), y = o->GetY();
        o->BeginMove(dc(), kZoomExactMm, 60, 60);
        o->TrackMove(dc(), 70, 65);
        std::unique_ptr<CGraphObject> copy(o->Clone());
        EXPECT_EQ(nullptr, copy->GetTracker());
        copy->EndMove(dc(), 560, 60);
        EXPECT_EQ(x, copy->GetX());
        EXPECT_EQ(y, copy->GetY());

        o->EndMove(dc(), 70, 65);                       // 2 mm right, 1 mm down
        EXPECT_EQ(x + 2000, o->GetX());
        EXPECT_EQ(y + 1000, o->GetY());
        o->EndMove(dc(), 170, 65);
        EXPECT_EQ(x + 2000, o->GetX());

        // A move given up is over too.
        o->BeginMove(dc(), kZoomExactMm, 60, 60);
        o->EndTracking(dc());
        o->EndMove(dc(), 160, 60);
        EXPECT_EQ(x + 2000, o->GetX());
    }
    EXPECT_EQ(42000, group.GetAt(0)->GetX());
    EXPECT_TRUE(canvas.Matches(before));

    // A snapshot of a collection taken in the middle of its selection's move.
    CGraphCollection area;
    area.Append(new CGraphRect(BoxMm(10, 10, 20, 10)));
    area.BeginMoveSelected(dc(), kZoomExactMm, 60, 60);
    std::unique_ptr<CGraphCollection> snapshot(area.CloneCollection());
    snapshot->EndMoveSelected(dc(), kZoomExactMm, 160, 160);
    EXPECT_EQ(10000, snapshot->GetAt(0)->GetX());
    EXPECT_EQ(10000, snapshot->GetAt(0)->GetY());
    area.EndMoveSelected(dc(), kZoomExactMm, 65, 60);
    EXPECT_EQ(11000, area.GetAt(0)->GetX());
    EXPECT_TRUE(canvas.Matches(before));
}

TEST_F(Drag, ShiftCornerDragKeepsTheAspect)
{
    CGraphRect r = BoxMm(10, 10, 20, 10);          // aspect 50
    r.BeginResize(dc(), kZoomExactMm, 150, 100);   // bottom-right corner; anchor (50, 50)
    r.TrackResize(dc(), 250, 60, MK_SHIFT);
    EXPECT_EQ(CRect(50, 50, 250, 150), TrackerRect(r));
    r.TrackResize(dc(), 0, 20, MK_SHIFT);          // above and left of the anchor
    EXPECT_EQ(CRect(0, 25, 50, 50), TrackerRect(r));
    r.TrackResize(dc(), 250, 60, MK_SHIFT | MK_LBUTTON);
    r.EndResize(dc());
    EXPECT_EQ(10000, r.GetX());
    EXPECT_EQ(10000, r.GetY());
    EXPECT_EQ(40000, r.GetWidth());
    EXPECT_EQ(20000, r.GetHeight());
    EXPECT_TRUE(canvas.Matches(before));
}

TEST_F(Drag, CornerDragWithoutShiftFollowsTheMouse)
{
    CGraphRect r = BoxMm(10, 10, 20, 10);
    r.BeginResize(dc(), kZoomExactMm, 50, 50);     // top-left corner; anchor (150, 100)
    r.TrackResize(dc(), 200, 250, 0);              // past the anchor: the rectangle flips
    r.EndResize(dc());
    EXPECT_EQ(30000, r.GetX());
    EXPECT_EQ(20000, r.GetY());
    EXPECT_EQ(10000, r.GetWidth());
    EXPECT_EQ(30000, r.GetHeight());
}

TEST_F(Drag, EdgeDragsChangeOneDimensionAndIgnoreShift)
{
    CGraphRect r = BoxMm(10, 10, 20, 10);
    r.BeginResize(dc(), kZoomExactMm, 150, 75);    // right middle
    EXPECT_EQ(1, r.GetResizeMode());
    r.TrackResize(dc(), 200, 0, MK_SHIFT);
    r.TrackResize(dc(), 200, 300, MK_SHIFT);
    r.EndResize(dc());
    EXPECT_EQ(10000, r.GetX());
    EXPECT_EQ(10000, r.GetY());
    EXPECT_EQ(30000, r.GetWidth());
    EXPECT_EQ(10000, r.GetHeight());

    CGraphRect t = BoxMm(10, 10, 20, 10);
    t.BeginResize(dc(), kZoomExactMm, 100, 50);    // top middle: anchor left, bottom
    EXPECT_EQ(2, t.GetResizeMode());
    t.TrackResize(dc(), 5, 20, MK_SHIFT);
    t.EndResize(dc());
    EXPECT_EQ(10000, t.GetX());
    EXPECT_EQ(4000, t.GetY());
    EXPECT_EQ(20000, t.GetWidth());
    EXPECT_EQ(16000, t.GetHeight());
    EXPECT_TRUE(canvas.Matches(before));
}

TEST_F(Drag, CreateDragUsesTheTruncatedResolution)
{
    CGraphRect r;
    r.BeginCreateDrag(dc(), kZoomExactMm, 0, 0);   // 126 dpi, not 127
    EXPECT_EQ(126, r.GetDpiX());
    r.TrackResize(dc(), 126, 63, 0);
    r.EndResize(dc());
    EXPECT_EQ(0, r.GetX());
    EXPECT_EQ(25400, r.GetWidth());
    EXPECT_EQ(12700, r.GetHeight());
    EXPECT_TRUE(canvas.Matches(before));
}

TEST_F(Drag, CtrlGrowsTheOutlineFromWhereTheDragBegan)
{
    CGraphEllipse e;
    e.BeginCreateDrag(dc(), 100, 100, 100);
    keys.SetCtrl(true);
    e.TrackResize(dc(), 150, 130, 0);
    EXPECT_EQ(CRect(50, 70, 150, 130), TrackerRect(e));
    keys.SetCtrl(false);
    e.EndTracking(dc());
    EXPECT_TRUE(canvas.Matches(before));
}

TEST_F(Drag, EquilateralSignTurnsAnEdgeDragIntoACornerDrag)
{
    CGraphTriangleExt t;
    t.SetWidth(20000);
    t.SetEquilateral(true);                        // height 17400: pixels 0..100 x 0..87
    t.SetSelected(true);
    t.BeginResize(dc(), kZoomExactMm, 100, 43);    // right middle
    EXPECT_EQ(1, t.GetResizeMode());
    t.TrackResize(dc(), 200, 43, 0);
    EXPECT_EQ(CRect(0, 0, 200, 87), TrackerRect(t));
    EXPECT_EQ(0, t.GetResizeMode());
    t.TrackResize(dc(), 200, 43, 0);               // now a corner with the aspect kept
    EXPECT_EQ(CRect(0, 0, 200, 174), TrackerRect(t));
    t.EndTracking(dc());
    EXPECT_TRUE(canvas.Matches(before));
}

TEST_F(Drag, LineCreateMoveAndResize)
{
    CGraphLine line;
    line.BeginCreateDrag(dc(), kZoomExactMm, 126, 252);
    ASSERT_NE(nullptr, dynamic_cast<CMarkerLine*>(line.GetTracker()));
    line.TrackResize(dc(), 0, 126, 0);
    line.EndResize(dc());
    EXPECT_EQ(25400, line.GetX1());
    EXPECT_EQ(50800, line.GetY1());
    EXPECT_EQ(0, line.GetX2());
    EXPECT_EQ(25400, line.GetY2());
    EXPECT_TRUE(canvas.Matches(before));

    line.SetPoints(10000, 10000, 30000, 20000);    // (50, 50) to (150, 100)
    line.BeginMove(dc(), kZoomExactMm, 100, 75);
    line.TrackMove(dc(), 105, 85);
    EXPECT_EQ(CRect(55, 60, 155, 110), TrackerRect(line));
    line.EndMove(dc(), 105, 85);
    EXPECT_EQ(11000, line.GetX1());
    EXPECT_EQ(12000, line.GetY1());
    EXPECT_EQ(31000, line.GetX2());
    EXPECT_EQ(22000, line.GetY2());
    EXPECT_TRUE(canvas.Matches(before));
}

TEST_F(Drag, LineResizedByItsFirstEndKeepsTheOtherAsFirst)
{
    CGraphLine line(10000, 10000, 30000, 10000);   // (50, 50) to (150, 50)
    line.SetSelected(true);
    line.BeginResize(dc(), kZoomExactMm, 51, 49);
    ASSERT_NE(nullptr, line.GetTracker());
    line.TrackResize(dc(), 60, 70, MK_SHIFT);      // no aspect rule for a line
    line.EndResize(dc());
    EXPECT_EQ(30000, line.GetX1());
    EXPECT_EQ(10000, line.GetY1());
    EXPECT_EQ(12000, line.GetX2());
    EXPECT_EQ(14000, line.GetY2());
    EXPECT_TRUE(canvas.Matches(before));

    line.BeginResize(dc(), kZoomExactMm, 100, 100);    // on neither end: nothing starts
    EXPECT_EQ(nullptr, line.GetTracker());
}
