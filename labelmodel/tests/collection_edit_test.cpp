// Collection operations on real geometry: hit tests, drawing order, drags with the clamp to the
// area, align, distribute, centre, rotate, duplicate, copy and paste, group and ungroup.
#include "collectiontestutil.h"
#include "testsupport/dibcanvas.h"

#include <gtest/gtest.h>
#include <memory>
#include <typeinfo>

using namespace colltest;
using objtest::kZoomExactMm;

namespace {

// Lefts (or tops) of the members in list order, in millimetres.
std::vector<int> LeftsMm(CGraphCollection& c)
{
    std::vector<int> v;
    for (int i = 0; i < c.GetCount(); ++i)
        v.push_back(c.GetAt(i)->GetLeft() / 1000);
    return v;
}

std::vector<int> TopsMm(CGraphCollection& c)
{
    std::vector<int> v;
    for (int i = 0; i < c.GetCount(); ++i)
        v.push_back(c.GetAt(i)->GetTop() / 1000);
    return v;
}

// A group of two selected boxes (as the group command leaves them: selected members).
CGraphGroup* GroupOf(CGraphObject* a, CGraphObject* b, bool selected = true)
{
    CGraphGroup* g = new CGraphGroup;
    g->Append(a);
    g->Append(b);
    g->SetSelected(selected);
    return g;
}

class WithCanvas : public ::testing::Test {
protected:
    CDC* dc() { return &canvas.dc(); }
    DibCanvas canvas{400, 400};
};

} // namespace

// ---- hit tests and selection ----

TEST_F(WithCanvas, ClickOnAnOverlapHitsTheObjectDrawnOnTop)
{
    CGraphCollection c;
    CGraphRect* below = RectMm(0, 0, 10, 10);
    CGraphRect* above = RectMm(5, 5, 10, 10);
    c.Append(below);
    c.Append(above);
    EXPECT_EQ(above, c.HitTestObject(dc(), kZoomExactMm, 40, 40));
    EXPECT_EQ(below, c.HitTestObject(dc(), kZoomExactMm, 10, 10));
    EXPECT_EQ(nullptr, c.HitTestObject(dc(), kZoomExactMm, 200, 200));

    EXPECT_EQ(nullptr, c.HitTestSelected(dc(), kZoomExactMm, 40, 40));
    below->SetSelected(true);
    EXPECT_EQ(below, c.HitTestSelected(dc(), kZoomExactMm, 40, 40));
}

TEST_F(WithCanvas, HandlesComeFromTheSelectedMembersTopmostFirst)
{
    CGraphCollection c;
    c.Append(RectMm(0, 0, 10, 10, true));
    c.Append(RectMm(20, 0, 10, 10, false));
    // The top-left corner of the first box is handle 0; the second is not selected.
    EXPECT_EQ(0, c.HitHandle(dc(), kZoomExactMm, 0, 0));
    EXPECT_EQ(-1, c.HitHandle(dc(), kZoomExactMm, 100, 0));
    EXPECT_EQ(c.GetAt(0), c.FindHandleObject(dc(), kZoomExactMm, 50, 25));
    EXPECT_EQ(nullptr, c.FindHandleObject(dc(), kZoomExactMm, 100, 0));
}

TEST_F(WithCanvas, RubberBandSelectsWhatLiesWhollyInside)
{
    CGraphCollection c;
    c.Append(RectMm(0, 0, 10, 10));
    c.Append(RectMm(30, 30, 10, 10));
    const RECT band = {-5, -5, 60, 60};
    EXPECT_TRUE(c.SelectInRect(dc(), kZoomExactMm, &band));
    EXPECT_TRUE(c.GetAt(0)->IsSelected());
    EXPECT_FALSE(c.GetAt(1)->IsSelected());
    const RECT nothing = {300, 300, 310, 310};
    EXPECT_FALSE(c.SelectInRect(dc(), kZoomExactMm, &nothing));
    EXPECT_EQ(1, c.GetSelectedCount());
}

// ---- drawing order ----

TEST(CollectionOrder, OnlyTheFirstSelectedMemberMovesAndTheEndsStay)
{
    CGraphCollection c;
    for (int i = 0; i < 4; ++i)
        c.Append(RectMm(i, 0, 1, 1));
    auto order = [&] { return LeftsMm(c); };

    c.GetAt(3)->SetSelected(true);
    c.MoveSelectedForward();
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), order());
    c.DeselectAll();
    c.GetAt(0)->SetSelected(true);
    c.MoveSelectedBackward();
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), order());

    c.GetAt(2)->SetSelected(true);   // 0 and 2 selected: only 0 moves
    c.MoveSelectedForward();
    EXPECT_EQ((std::vector<int>{1, 0, 2, 3}), order());
    c.BringSelectedToFront();
    EXPECT_EQ((std::vector<int>{1, 2, 3, 0}), order());
    c.DeselectAll();
    c.GetAt(2)->SetSelected(true);
    c.SendSelectedToBack();
    EXPECT_EQ((std::vector<int>{3, 1, 2, 0}), order());
    c.MoveSelectedBackward();   // already at the head
    c.GetAt(2)->SetSelected(true);
    c.GetAt(3)->SetSelected(true);
    c.DeselectAll();
    c.GetAt(1)->SetSelected(true);
    c.MoveSelectedBackward();
    EXPECT_EQ((std::vector<int>{1, 3, 2, 0}), order());
}

// ---- drags ----

TEST_F(WithCanvas, MoveAboveTheTopEdgeEndsWithTheTopmostAtZeroKeepingTheLayout)
{
    CGraphCollection c;
    c.Append(RectMm(10, 5, 10, 10, true));
    c.Append(RectMm(30, 12, 10, 10, true));
    c.Append(RectMm(50, 50, 10, 10, false));
    // 5 pixels per millimetre: up 10 mm and right 2 mm.
    c.BeginMoveSelected(dc(), kZoomExactMm, 100, 100);
    c.TrackMoveSelected(dc(), kZoomExactMm, 110, 50);
    c.EndMoveSelected(dc(), kZoomExactMm, 110, 50);
    EXPECT_EQ((std::vector<int>{0, 7, 50}), TopsMm(c));
    EXPECT_EQ((std::vector<int>{12, 32, 50}), LeftsMm(c));
    EXPECT_EQ(nullptr, c.GetAt(0)->GetTracker());

    // Past the left edge as well.
    c.BeginMoveSelected(dc(), kZoomExactMm, 100, 100);
    c.EndMoveSelected(dc(), kZoomExactMm, 0, 100);
    EXPECT_EQ((std::vector<int>{0, 20, 50}), LeftsMm(c));
    EXPECT_EQ((std::vector<int>{0, 7, 50}), TopsMm(c));
}

TEST_F(WithCanvas, ResizeDragGoesToTheSelectedMemberUnderTheHandle)
{
    CGraphCollection c;
    c.Append(RectMm(0, 0, 10, 10, true));
    c.Append(RectMm(40, 40, 10, 10, true));
    c.BeginResizeSelected(dc(), kZoomExactMm, 50, 50);   // bottom-right corner of the first
    c.TrackResizeSelected(dc(), 75, 60, 0);
    c.EndResizeSelected(dc());
    EXPECT_EQ(15000, c.GetAt(0)->GetWidth());
    EXPECT_EQ(12000, c.GetAt(0)->GetHeight());
    EXPECT_EQ(10000, c.GetAt(1)->GetWidth());
}

// ---- align, distribute, centre ----

TEST(CollectionDistribute, MiddleObjectLandsHalfwayInTheFreeSpace)
{
    CGraphCollection c;
    c.Append(RectMm(0, 0, 10, 10, true));
    c.Append(RectMm(15, 0, 10, 10, true));
    c.Append(RectMm(70, 0, 10, 10, true));
    c.DistributeSelectedHorizontally();
    EXPECT_EQ((std::vector<int>{0, 35, 70}), LeftsMm(c));

    CGraphCollection v;
    v.Append(RectMm(0, 70, 10, 10, true));
    v.Append(RectMm(0, 0, 10, 10, true));
    v.Append(RectMm(0, 15, 10, 10, true));
    v.DistributeSelectedVertically();
    EXPECT_EQ((std::vector<int>{70, 0, 35}), TopsMm(v));
}

TEST(CollectionDistribute, InnerMembersGoInOrderOfTheirLeftAndTheRemainderStaysBeforeTheLast)
{
    CGraphCollection c;
    c.Append(RectMm(50, 0, 5, 5, true));
    c.Append(RectMm(0, 0, 10, 10, true));
    c.Append(RectMm(20, 0, 3, 3, true));
    c.Append(RectMm(90, 0, 10, 10, true));
    c.Append(RectMm(60, 0, 7, 7, false));   // not selected: stays
    // free = 100 - 0 - 10 - 10 - 5 - 3 = 72, step 24: 3 mm box at 34, 5 mm box at 61.
    c.DistributeSelectedHorizontally();
    EXPECT_EQ((std::vector<int>{61, 0, 34, 90, 60}), LeftsMm(c));
}

TEST(CollectionDistribute, FewerThanThreeOrOneMemberSpanningAllMovesNothing)
{
    CGraphCollection two;
    two.Append(RectMm(0, 0, 10, 10, true));
    two.Append(RectMm(50, 0, 10, 10, true));
    two.DistributeSelectedHorizontally();
    EXPECT_EQ((std::vector<int>{0, 50}), LeftsMm(two));

    CGraphCollection spanning;
    spanning.Append(RectMm(10, 0, 5, 5, true));
    spanning.Append(RectMm(0, 0, 100, 10, true));   // smallest left and largest right
    spanning.Append(RectMm(60, 0, 5, 5, true));
    spanning.DistributeSelectedHorizontally();
    EXPECT_EQ((std::vector<int>{10, 0, 60}), LeftsMm(spanning));
    spanning.DistributeSelectedVertically();
    EXPECT_EQ((std::vector<int>{0, 0, 0}), TopsMm(spanning));
}

TEST(CollectionGroupGeometry, DistributeAlignAndCentreMoveAGroupAsOneBox)
{
    CGraphCollection c;
    c.Append(RectMm(0, 0, 10, 10, true));
    CGraphGroup* g = GroupOf(RectMm(20, 0, 5, 5), RectMm(30, 10, 10, 5));   // box 20..40
    c.Append(g);
    c.Append(RectMm(90, 0, 10, 10, true));
    EXPECT_EQ(20000, g->GetExtentX());
    EXPECT_EQ(15000, g->GetExtentY());

    // free = 100 - 0 - 10 - 10 - 20 = 60, step 30: the group's box starts at 40.
    c.DistributeSelectedHorizontally();
    EXPECT_EQ(40000, g->GetLeft());
    EXPECT_EQ(40000, g->GetAt(0)->GetLeft());
    EXPECT_EQ(50000, g->GetAt(1)->GetLeft());

    c.AlignSelectedRight(120000);
    EXPECT_EQ(120000, g->GetRight());
    EXPECT_EQ(100000, g->GetAt(0)->GetLeft());
    EXPECT_EQ(120000, g->GetAt(1)->GetRight());
    c.AlignSelectedBottom(30000);
    EXPECT_EQ(30000, g->GetBottom());
    EXPECT_EQ(15000, g->GetAt(0)->GetTop());
    c.AlignSelectedTop(0);
    c.AlignSelectedLeft(0);
    EXPECT_EQ(0, g->GetAt(0)->GetLeft());
    EXPECT_EQ(10000, g->GetAt(1)->GetLeft());
    EXPECT_EQ(10000, g->GetAt(1)->GetTop());

    c.DeselectAll();
    g->SetSelected(true);
    EXPECT_EQ(10000, c.GetSelectedCentreAlong(1));
    EXPECT_EQ(7500, c.GetSelectedCentreAlong(2));
    EXPECT_TRUE(c.CentreSelectedAlong(50000, 1));
    EXPECT_EQ(50000, g->GetCentreAlong(1));
    EXPECT_EQ(40000, g->GetAt(0)->GetLeft());
    EXPECT_EQ(50000, g->GetAt(1)->GetLeft());
    EXPECT_FALSE(c.CentreSelectedAlong(5, 3));
}

TEST(CollectionGeometry, WholeContentsCentreAsOneBlock)
{
    CGraphCollection c;
    EXPECT_EQ(2147483647, c.GetAllLeft());
    EXPECT_EQ(0, c.GetAllRight());
    EXPECT_EQ(0x7FFFFFF, c.GetSelectionLeft());
    c.Append(RectMm(0, 0, 10, 10));
    c.Append(RectMm(30, 20, 10, 10));
    EXPECT_EQ(40000, c.GetRight());
    EXPECT_EQ(30000, c.GetBottom());
    EXPECT_EQ(0, c.GetExtentX());
    EXPECT_EQ(-1, c.GetCentreAlong(1));
    EXPECT_TRUE(c.SetCentreAlong(1, 100000));
    EXPECT_TRUE(c.SetCentreAlong(2, 50000));
    EXPECT_EQ((std::vector<int>{80, 110}), LeftsMm(c));
    EXPECT_EQ((std::vector<int>{35, 55}), TopsMm(c));
    EXPECT_FALSE(c.SetCentreAlong(0, 1));
}

TEST(CollectionRotate, SelectedMembersTurnAboutTheMeanOfTheirCentres)
{
    CGraphCollection c;
    c.Append(RectMm(0, 0, 10, 20, true));    // centre (5, 10)
    c.Append(RectMm(40, 0, 10, 20, true));   // centre (45, 10)
    c.Append(RectMm(100, 100, 4, 4, false));
    c.RotateSelected(1);                      // about (25, 10)
    CGraphRect expectA, expectB;
    expectA.SetWidth(10000);
    expectA.SetHeight(20000);
    expectB.SetX(40000);
    expectB.SetWidth(10000);
    expectB.SetHeight(20000);
    expectA.Rotate90(25000, 10000, 1);
    expectB.Rotate90(25000, 10000, 1);
    EXPECT_EQ(expectA.GetX(), c.GetAt(0)->GetX());
    EXPECT_EQ(expectA.GetY(), c.GetAt(0)->GetY());
    EXPECT_EQ(expectB.GetY(), c.GetAt(1)->GetY());
    EXPECT_EQ(20000, c.GetAt(0)->GetWidth());
    EXPECT_EQ(100000, c.GetAt(2)->GetX());
    c.RotateSelected(2);   // not a direction
    EXPECT_EQ(20000, c.GetAt(0)->GetWidth());
}

TEST(CollectionGroupGeometry, GroupBoxFollowsMembersThroughOffsetRotateAndDrag)
{
    CGraphGroup g;
    g.Append(RectMm(10, 10, 10, 10));
    g.Append(RectMm(30, 20, 10, 20));
    EXPECT_EQ(10000, g.GetX());
    EXPECT_EQ(30000, g.GetWidth());
    EXPECT_EQ(30000, g.GetHeight());
    EXPECT_EQ(25000, g.GetCentreAlong(1));
    g.Offset(1000, 2000);
    EXPECT_EQ(11000, g.GetAt(0)->GetX());
    EXPECT_EQ(22000, g.GetAt(1)->GetY());
    g.SetY(0);
    EXPECT_EQ(0, g.GetAt(0)->GetY());
    EXPECT_EQ(10000, g.GetAt(1)->GetY());

    // A quarter turn of a square group about its own centre keeps the box.
    CGraphGroup sq;
    sq.Append(RectMm(0, 0, 10, 10));
    sq.Append(RectMm(10, 10, 10, 10));
    sq.Rotate90(10000, 10000, 1);
    EXPECT_EQ(0, sq.GetX());
    EXPECT_EQ(20000, sq.GetWidth());
    EXPECT_EQ(0, sq.GetAt(0)->GetX());
    EXPECT_EQ(10000, sq.GetAt(0)->GetY());

    DibCanvas canvas(200, 200);
    g.SetSelected(true);
    g.BeginMove(&canvas.dc(), kZoomExactMm, 50, 50);
    g.EndMove(&canvas.dc(), 60, 75);   // 2 mm right, 5 mm down
    EXPECT_EQ(13000, g.GetAt(0)->GetX());
    EXPECT_EQ(5000, g.GetAt(0)->GetY());
    EXPECT_EQ(13000, g.GetX());
    // Its handles are those of its box.
    EXPECT_EQ(0, g.HitHandle(&canvas.dc(), kZoomExactMm, 65, 25));
    EXPECT_TRUE(g.HitTest(&canvas.dc(), kZoomExactMm, 100, 100));
}

TEST(CollectionGroupGeometry, GroupDrawsItsMembers)
{
    DibCanvas canvas(100, 100);
    CGraphGroup g;
    CGraphRect* r = RectMm(2, 2, 10, 10);
    r->SetFillColour(RGB(0, 0, 255));
    g.Append(r);
    EXPECT_TRUE(g.Draw(&canvas.dc(), kZoomExactMm, 0, 0, false, 1, 1, 0, 0, nullptr, nullptr, true));
    EXPECT_GT(canvas.CountPixels(RGB(0, 0, 255)), 1000);
    EXPECT_EQ(CRect(10, 10, 60, 60), g.GetDeviceRect());
}

// ---- duplicate ----

TEST(CollectionDuplicate, ClonesTakeTheNextFreeColumnsCThenD)
{
    CGraphCollection c;
    c.Append(new ColumnField(0));   // A
    c.Append(new ColumnField(1));   // B
    c.GetAt(0)->SetHeight(10000);
    c.GetAt(1)->SetX(20000);
    c.GetAt(1)->SetHeight(4000);

    c.GetAt(0)->SetSelected(true);
    c.DuplicateSelectedBelow();
    ASSERT_EQ(3, c.GetCount());
    EXPECT_EQ(2, static_cast<ColumnField*>(c.GetAt(2))->Column());   // C
    EXPECT_EQ(10000, c.GetAt(2)->GetY());
    EXPECT_FALSE(c.GetAt(0)->IsSelected());
    EXPECT_TRUE(c.GetAt(2)->IsSelected());

    CGraphCollection two;
    two.Append(new ColumnField(0));
    two.Append(new ColumnField(1));
    two.GetAt(1)->SetX(20000);
    two.GetAt(1)->SetWidth(5000);
    two.SelectAll();
    two.DuplicateSelectedRight();
    ASSERT_EQ(4, two.GetCount());
    EXPECT_EQ(2, static_cast<ColumnField*>(two.GetAt(2))->Column());
    EXPECT_EQ(3, static_cast<ColumnField*>(two.GetAt(3))->Column());
    EXPECT_EQ(25000, two.GetAt(2)->GetX());
    EXPECT_EQ(45000, two.GetAt(3)->GetX());
    EXPECT_EQ(2, two.GetSelectedCount());
}

TEST(CollectionDuplicate, AboveTheTopEdgeShiftsEverythingDown)
{
    CGraphCollection c;
    c.Append(RectMm(0, 0, 10, 10, true));
    c.Append(RectMm(20, 30, 5, 5, false));
    c.DuplicateSelectedAbove();
    EXPECT_EQ((std::vector<int>{10, 40, 0}), TopsMm(c));

    CGraphCollection l;
    l.Append(RectMm(3, 0, 10, 10, true));
    l.DuplicateSelectedLeft();
    EXPECT_EQ((std::vector<int>{10, 0}), LeftsMm(l));

    CGraphCollection none;
    none.Append(RectMm(0, 0, 10, 10, false));
    none.DuplicateSelectedAbove();
    none.DuplicateSelectedBelow();
    EXPECT_EQ(1, none.GetCount());
    EXPECT_EQ((std::vector<int>{0}), TopsMm(none));
}

TEST(CollectionDuplicate, WithEveryColumnUsedNamingStartsAtAAndStopsAfterZ)
{
    CGraphCollection c;
    for (int col = 0; col < 26; ++col)
        c.Append(new ColumnField(col));
    c.GetAt(0)->SetSelected(true);
    c.GetAt(25)->SetSelected(true);
    c.DuplicateSelectedBelow();
    EXPECT_EQ(0, static_cast<ColumnField*>(c.GetAt(26))->Column());
    EXPECT_EQ(1, static_cast<ColumnField*>(c.GetAt(27))->Column());

    // From Y on there is room for two names only: the third clone keeps its column.
    CGraphCollection late;
    for (int col = 0; col < 24; ++col)
        late.Append(new ColumnField(col));
    late.Append(new ColumnField(5));
    late.Append(new ColumnField(6));
    late.Append(new ColumnField(7));
    late.GetAt(24)->SetSelected(true);
    late.GetAt(25)->SetSelected(true);
    late.GetAt(26)->SetSelected(true);
    late.DuplicateSelectedBelow();
    EXPECT_EQ(24, static_cast<ColumnField*>(late.GetAt(27))->Column());
    EXPECT_EQ(25, static_cast<ColumnField*>(late.GetAt(28))->Column());
    EXPECT_EQ(7, static_cast<ColumnField*>(late.GetAt(29))->Column());
}

// ---- copy and paste ----

TEST(CollectionPaste, SecondPasteIsOffsetByFiveMillimetresAndEverythingPastedIsSelected)
{
    CGraphCollection source;
    source.Append(RectMm(1, 2, 3, 3, true));
    source.Append(RectMm(10, 20, 3, 3, false));
    source.Append(RectMm(30, 40, 3, 3, true));
    source.Append(RectMm(50, 60, 3, 3, true));
    CGraphCollection buffer;
    source.CopySelectedTo(&buffer);
    source.CopySelectedTo(nullptr);
    ASSERT_EQ(3, buffer.GetCount());

    CGraphCollection area;
    area.PasteFrom(&buffer);
    EXPECT_EQ((std::vector<int>{1, 30, 50}), LeftsMm(area));
    EXPECT_EQ((std::vector<int>{2, 40, 60}), TopsMm(area));
    area.PasteFrom(&buffer);
    EXPECT_EQ((std::vector<int>{1, 30, 50, 6, 35, 55}), LeftsMm(area));
    EXPECT_EQ((std::vector<int>{2, 40, 60, 7, 45, 65}), TopsMm(area));
    EXPECT_EQ(6, area.GetSelectedCount());
    EXPECT_NE(buffer.GetAt(0), area.GetAt(0));
    EXPECT_EQ(3, buffer.GetCount());

    area.PasteFrom(&area);   // into itself: doubles once
    EXPECT_EQ(12, area.GetCount());
}

// ---- group and ungroup ----

TEST(CollectionGroup, AppendSelectedMovesTheMembersIntoTheGroup)
{
    CGraphCollection area;
    CGraphRect* a = RectMm(0, 0, 1, 1, true);
    CGraphRect* b = RectMm(5, 0, 1, 1, false);
    CGraphRect* c = RectMm(9, 0, 1, 1, true);
    area.Append(a);
    area.Append(b);
    area.Append(c);
    CGraphGroup* g = new CGraphGroup;
    area.AppendSelectedTo(g);
    EXPECT_EQ(2, g->GetCount());
    EXPECT_EQ(a, g->GetAt(0));
    EXPECT_EQ(c, g->GetAt(1));
    EXPECT_EQ(1, area.GetCount());
    EXPECT_FALSE(area.RemoveObject(a));   // already gone
    area.Append(g);
    EXPECT_EQ(2, area.GetCount());
}

TEST(CollectionGroup, UngroupingANestedGroupLeavesEveryObjectSelectedOnTop)
{
    CGraphCollection area;
    area.Append(RectMm(0, 0, 1, 1));
    CGraphGroup* inner = GroupOf(RectMm(2, 0, 1, 1), RectMm(3, 0, 1, 1), false);
    CGraphGroup* outer = GroupOf(RectMm(1, 0, 1, 1), inner);
    area.Append(outer);
    area.Append(RectMm(9, 0, 1, 1));
    EXPECT_TRUE(area.IsGroupSelected());

    area.UngroupSelected();
    ASSERT_EQ(5, area.GetCount());
    EXPECT_FALSE(area.IsGroupSelected());
    for (int i = 0; i < area.GetCount(); ++i)
        EXPECT_EQ(typeid(CGraphRect), typeid(*area.GetAt(i))) << i;
    EXPECT_EQ((std::vector<int>{0, 9, 1, 2, 3}), LeftsMm(area));
    EXPECT_FALSE(area.GetAt(0)->IsSelected());
    EXPECT_FALSE(area.GetAt(1)->IsSelected());
    EXPECT_EQ(3, area.GetSelectedCount());
}

TEST(CollectionMembers, DeleteSelectedAndRemoveObject)
{
    CGraphCollection c;
    c.Append(RectMm(0, 0, 1, 1, true));
    CGraphRect* kept = RectMm(1, 0, 1, 1, false);
    c.Append(kept);
    c.Append(RectMm(2, 0, 1, 1, true));
    c.Append(nullptr);
    c.DeleteSelected();
    ASSERT_EQ(1, c.GetCount());
    EXPECT_EQ(kept, c.GetAt(0));
    EXPECT_EQ(nullptr, c.GetAt(1));
    EXPECT_TRUE(c.RemoveObject(kept));
    EXPECT_TRUE(c.IsEmpty());
    delete kept;
}
