// Undo and redo per area, the lock, and the deep copy that moves templates between slots.
#include "templatetestutil.h"

#include <gtest/gtest.h>

using namespace tpltest;
using colltest::RectMm;
using colltest::SaveRecord;

namespace {

// One design change of area 0: snapshot first, then a new rectangle at x = n mm.
void Change(CTemplate& t, int n, int area = 0)
{
    t.PushUndo(area, true);
    t.GetArea(area)->Append(RectMm(n, 0, 1, 1));
}

int LastX(CTemplate& t, int area = 0)
{
    CGraphCollection* c = t.GetArea(area);
    return c->IsEmpty() ? -1 : c->GetAt(c->GetCount() - 1)->GetX() / 1000;
}

} // namespace

TEST(TemplateUndo, ThirtyThreeChangesKeepThirtyTwoSteps)
{
    CTemplate t;
    EXPECT_EQ(32, t.GetUndoDepth(0));   // at least 1024 MB of address space
    for (int n = 1; n <= 33; ++n)
        Change(t, n);
    EXPECT_NE(nullptr, t.GetUndoSnapshot(0, 31));
    EXPECT_EQ(nullptr, t.GetUndoSnapshot(0, 32));
    for (int k = 0; k < 32; ++k)
        ASSERT_TRUE(t.Undo(0)) << k;
    // Back to the state after the first change; the state before it is gone.
    EXPECT_EQ(1, t.GetArea(0)->GetCount());
    EXPECT_EQ(1, LastX(t));
    EXPECT_FALSE(t.CanUndo(0));
    EXPECT_FALSE(t.Undo(0));
    EXPECT_EQ(1, t.GetArea(0)->GetCount());
}

TEST(TemplateUndo, UndoThenRedoRestoresObjectsOrderAndSelection)
{
    CTemplate t;
    Change(t, 1);
    Change(t, 2);
    t.GetArea(0)->GetAt(0)->SetSelected(true);
    const objtest::Bytes before = SaveRecord(*t.GetArea(0));
    Change(t, 3);
    t.GetArea(0)->BringSelectedToFront();

    ASSERT_TRUE(t.Undo(0));
    EXPECT_EQ(before, SaveRecord(*t.GetArea(0)));
    EXPECT_TRUE(t.GetArea(0)->GetAt(0)->IsSelected());
    EXPECT_FALSE(t.GetArea(0)->GetAt(1)->IsSelected());
    ASSERT_TRUE(t.Redo(0));
    EXPECT_EQ(3, t.GetArea(0)->GetCount());
    EXPECT_EQ(1, LastX(t));   // the selected one was brought to the front
    EXPECT_TRUE(t.GetArea(0)->GetAt(2)->IsSelected());
    EXPECT_FALSE(t.CanRedo(0));
    EXPECT_TRUE(t.CanUndo(0));
}

TEST(TemplateUndo, ANewChangeDropsEveryRedoStep)
{
    CTemplate t;
    for (int n = 1; n <= 3; ++n)
        Change(t, n);
    ASSERT_TRUE(t.Undo(0));
    ASSERT_TRUE(t.Undo(0));
    EXPECT_NE(nullptr, t.GetRedoSnapshot(0, 1));
    Change(t, 9);
    EXPECT_FALSE(t.CanRedo(0));
    EXPECT_FALSE(t.Redo(0));
    EXPECT_EQ(9, LastX(t));
}

TEST(TemplateUndo, AreasKeepTheirOwnStacks)
{
    CTemplate t;
    Change(t, 1, 0);
    Change(t, 2, 2);
    t.PushUndo(3, true);   // no such area
    ASSERT_TRUE(t.Undo(2));
    EXPECT_TRUE(t.GetArea(2)->IsEmpty());
    EXPECT_EQ(1, t.GetArea(0)->GetCount());
    EXPECT_TRUE(t.CanUndo(0));
    EXPECT_FALSE(t.CanUndo(1));
    EXPECT_FALSE(t.Undo(3));
    EXPECT_EQ(nullptr, t.GetArea(3));
}

TEST(TemplateUndo, ALockedTemplateTakesNoSnapshots)
{
    CTemplate t;
    t.SetLocked(true);
    Change(t, 1);
    EXPECT_FALSE(t.CanUndo(0));
    EXPECT_FALSE(t.PushRedo(0));
    t.SetLocked(false);
    Change(t, 2);
    ASSERT_TRUE(t.Undo(0));
    EXPECT_EQ(1, LastX(t));
}

TEST(TemplateUndo, ClearingDropsTheSnapshotsOfEveryArea)
{
    CTemplate t;
    Change(t, 1, 0);
    Change(t, 1, 1);
    t.Undo(1);
    t.ClearUndo();
    EXPECT_FALSE(t.CanUndo(0));
    EXPECT_TRUE(t.CanRedo(1));
    t.ClearRedo();
    EXPECT_FALSE(t.CanRedo(1));
}

TEST(TemplateCopy, CopyFromTakesEveryFieldSnapshotAndRedoStep)
{
    CTemplate src;
    FillTemplate(src);
    src.SetLocked(false);
    Change(src, 7);
    Change(src, 8);
    src.Undo(0);
    src.SetLocked(true);
    src.SetCompensation(11, 12);

    CTemplate dest;
    dest.GetArea(1)->Append(RectMm(50, 50, 1, 1));
    Change(dest, 3, 2);
    dest.Undo(2);   // a redo step that must not survive
    dest.CopyFrom(src);

    EXPECT_EQ(BlockBytes(src, false), BlockBytes(dest, false));
    EXPECT_NE(src.GetLabelStock(), dest.GetLabelStock());
    EXPECT_EQ(11, dest.GetLeftCompensation());
    EXPECT_EQ(12, dest.GetTopCompensation());
    EXPECT_TRUE(dest.GetPrintBorders());
    EXPECT_EQ(350, dest.GetBorderWidth());
    EXPECT_EQ(150, dest.GetZoom(0));
    EXPECT_NE(nullptr, dest.GetUndoSnapshot(0, 0));
    EXPECT_EQ(nullptr, dest.GetUndoSnapshot(0, 1));
    EXPECT_NE(src.GetUndoSnapshot(0, 0), dest.GetUndoSnapshot(0, 0));
    EXPECT_NE(nullptr, dest.GetRedoSnapshot(0, 0));
    EXPECT_FALSE(dest.CanRedo(2));
    EXPECT_FALSE(dest.CanUndo(2));

    dest.CopyFrom(dest);   // onto itself: nothing changes
    EXPECT_EQ(BlockBytes(src, false), BlockBytes(dest, false));
}

TEST(TemplateCopy, DeleteAllObjectsAndResetLabelDefinition)
{
    CTemplate t;
    FillTemplate(t);
    EXPECT_TRUE(t.DeleteAllObjects());
    for (int a = 0; a < 3; ++a)
        EXPECT_TRUE(t.GetArea(a)->IsEmpty());
    t.ResetLabelDefinition();
    EXPECT_NE(4, t.GetLabelStock()->GetColumns());   // the stock is back to its defaults

    CTemplate empty;
    EXPECT_EQ(nullptr, empty.GetLabelStock());
    empty.ResetLabelDefinition();
    ASSERT_NE(nullptr, empty.GetLabelStock());
    EXPECT_EQ(136, empty.GetLabelStock()->GetTypeCode());
}
