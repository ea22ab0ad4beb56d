// Undo, redo and paste in the middle of a drag on the canvas of a started program: the keys go
// through the program's own message loop and accelerators, the mouse messages to the canvas.
// Whatever the command puts in place stays exactly where the command put it, and the drag that
// was under way adds no step of its own.
#include "document/labeldoc.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphobject.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/template.h"
#include "testsupport/keyinput.h"
#include "ui/designview.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace {

struct Box {
    int x, y, width, height;
    bool selected;
    bool operator==(const Box& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height && selected == o.selected;
    }
};

void PrintTo(const Box& b, std::ostream* os)
{
    *os << "(" << b.x << ", " << b.y << ", " << b.width << " x " << b.height << (b.selected ? ", selected)" : ")");
}

std::vector<Box> BoxesOf(CGraphCollection* objects)
{
    std::vector<Box> boxes;
    for (int i = 0; objects != nullptr && i < objects->GetCount(); ++i) {
        CGraphObject* o = objects->GetAt(i);
        boxes.push_back({o->GetX(), o->GetY(), o->GetWidth(), o->GetHeight(), o->IsSelected()});
    }
    return boxes;
}

class CommandsDuringADrag : public StartedAppTest {
protected:
    void SetUp() override
    {
        StartedAppTest::SetUp();
        if (HasFatalFailure())
            return;
        CMDIChildWnd* child = frame->MDIGetActive();
        ASSERT_NE(nullptr, child);
        doc = dynamic_cast<COstrelindSoftLabelDoc*>(child->GetActiveDocument());
        ASSERT_NE(nullptr, doc);
        // The first template's canvas is the active view: the accelerators' commands reach it.
        canvas = dynamic_cast<Ostrelind_SoftLabelDesignView*>(child->GetActiveView());
        ASSERT_NE(nullptr, canvas);
        ASSERT_TRUE(doc->NewLabelDefinition());
        doc->SetAreaWidth(50000, 0);
        doc->SetAreaHeight(30000, 0);
        doc->GetCurrentTemplate()->ClearUndo();
        doc->GetCurrentTemplate()->ClearRedo();
        canvas->UpdateScrollSizes();
        Pump();
        ASSERT_EQ(CPoint(0, 0), canvas->GetScrollPosition());
        ASSERT_EQ(100, canvas->GetZoom());
        HDC screen = ::GetDC(nullptr);
        dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
        ::ReleaseDC(nullptr, screen);
    }
    void TearDown() override
    {
        if (doc != nullptr) {
            if (CLabel* stock = doc->GetCurrentTemplate()->GetLabelStock())
                stock->SetModified(false);
            doc->SetModifiedFlag(FALSE);
        }
        StartedAppTest::TearDown();
    }

    CGraphCollection* Area() const { return doc->GetCurrentTemplate()->GetArea(0); }
    int Depth(bool redo) const
    {
        int k = 0;
        while ((redo ? doc->GetCurrentTemplate()->GetRedoSnapshot(0, k) : doc->GetCurrentTemplate()->GetUndoSnapshot(0, k)) != nullptr)
            ++k;
        return k;
    }
    int UndoDepth() const { return Depth(false); }
    int RedoDepth() const { return Depth(true); }
    CGraphRect* AddSelectedRect(int x, int y, int w, int h)
    {
        auto* rect = new CGraphRect;
        rect->SetX(x);
        rect->SetY(y);
        rect->SetWidth(w);
        rect->SetHeight(h);
        rect->SetSelected(true);
        Area()->Append(rect);
        return rect;
    }
    int Px(int um) const { return UmToPx(um, DpiAtZoom(canvas->GetZoom(), dpi)); }
    int Um(int px) const { return PxToUm(px, DpiAtZoom(canvas->GetZoom(), dpi)); }

    void Pump() { PumpThroughApp(app.get()); }
    void Post(UINT message, WPARAM wParam, LPARAM lParam)
    {
        ::PostMessageA(canvas->m_hWnd, message, wParam, lParam);
        Pump();
    }
    void Key(WPARAM key)
    {
        Post(WM_KEYDOWN, key, 1);
        Post(WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    }
    void CtrlKey(WPARAM key)
    {
        HeldKeys ctrl({VK_CONTROL});
        Key(key);
    }
    static LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
    void Press(int x, int y) { Post(WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y)); }
    void Move(int x, int y, WPARAM flags = MK_LBUTTON) { Post(WM_MOUSEMOVE, flags, Point(x, y)); }
    void Release(int x, int y) { Post(WM_LBUTTONUP, 0, Point(x, y)); }
    // A press held past the drag delay: the move begins.
    void PressAndHold(int x, int y)
    {
        Press(x, y);
        Post(WM_TIMER, Ostrelind_SoftLabelDesignView::kDragTimer, 0);
    }
    void ExpectNoDrag()
    {
        EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, canvas->GetMouseState());
        EXPECT_FALSE(canvas->IsButtonDown());
        EXPECT_NE(canvas->m_hWnd, ::GetCapture());
    }

    COstrelindSoftLabelDoc* doc = nullptr;
    Ostrelind_SoftLabelDesignView* canvas = nullptr;
    int dpi = 96;
};

} // namespace

// The object was never moved before: a stale start point would be (0, 0), a hundred pixels from
// the nudge's (100, 100).
TEST_F(CommandsDuringADrag, UndoDuringANudgeGivesExactlyTheStateBeforeItAndRedoTheNudge)
{
    AddSelectedRect(5000, 5000, 10000, 6000);
    const std::vector<Box> before = BoxesOf(Area());

    Key(VK_RIGHT);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kNudging, canvas->GetMouseState());
    ASSERT_EQ(1, UndoDepth());
    CtrlKey('Z');
    ExpectNoDrag();
    EXPECT_EQ(before, BoxesOf(Area()));
    EXPECT_EQ(0, UndoDepth());
    EXPECT_EQ(1, RedoDepth());

    // The mouse move that used to end the nudge finds nothing to end.
    Move(200, 150, 0);
    EXPECT_EQ(before, BoxesOf(Area()));
    EXPECT_EQ(0, UndoDepth());
    EXPECT_EQ(1, RedoDepth());

    // Redo puts back the nudge as it was committed: one pixel to the right.
    CtrlKey('Y');
    std::vector<Box> nudged = before;
    nudged[0].x += Um(1);
    EXPECT_EQ(nudged, BoxesOf(Area()));
    EXPECT_EQ(1, UndoDepth());
    EXPECT_EQ(0, RedoDepth());
    Move(210, 160, 0);
    Key(VK_RETURN);
    EXPECT_EQ(nudged, BoxesOf(Area()));
}

TEST_F(CommandsDuringADrag, UndoDuringAMouseMoveOrResizeIsTheSnapshotAndTheReleaseAddsNoStep)
{
    AddSelectedRect(5000, 5000, 10000, 6000);
    // One committed nudge: its snapshot, taken before any drag, is what undo puts back.
    Key(VK_RIGHT);
    Key(VK_RETURN);
    ASSERT_EQ(1, UndoDepth());
    const std::vector<Box> snapshot = BoxesOf(doc->GetCurrentTemplate()->GetUndoSnapshot(0, 0));
    ASSERT_EQ(5000, snapshot[0].x);

    const int ax = Px(10000), ay = Px(8000);
    PressAndHold(ax, ay);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kMoving, canvas->GetMouseState());
    Move(ax + 40, ay + 20);
    CtrlKey('Z');
    ExpectNoDrag();
    EXPECT_EQ(snapshot, BoxesOf(Area()));
    EXPECT_EQ(0, UndoDepth());
    EXPECT_EQ(1, RedoDepth());
    Move(ax + 60, ay + 30);
    Release(ax + 60, ay + 30);
    EXPECT_EQ(snapshot, BoxesOf(Area()));
    EXPECT_EQ(0, UndoDepth());
    EXPECT_EQ(1, RedoDepth()) << "the release neither took a step nor dropped the redo step";

    // The same in the middle of a resize by the bottom-right handle.
    Key(VK_DOWN);
    Key(VK_RETURN);
    ASSERT_EQ(1, UndoDepth());
    const std::vector<Box> beforeNudge = BoxesOf(doc->GetCurrentTemplate()->GetUndoSnapshot(0, 0));
    const int right = Px(15000), bottom = Px(11000 + Um(1));
    Press(right, bottom);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kResizing, canvas->GetMouseState());
    Move(right + 30, bottom + 30);
    CtrlKey('Z');
    ExpectNoDrag();
    Move(right + 40, bottom + 40);
    Release(right + 40, bottom + 40);
    EXPECT_EQ(beforeNudge, BoxesOf(Area()));
    EXPECT_EQ(0, UndoDepth());
    EXPECT_EQ(1, RedoDepth());
}

TEST_F(CommandsDuringADrag, RedoDuringAMouseMovePutsTheRedoneObjectsWhereTheyWere)
{
    AddSelectedRect(5000, 5000, 10000, 6000);
    Key(VK_RIGHT);
    Key(VK_RETURN);
    CtrlKey('Z');
    ASSERT_EQ(1, RedoDepth());
    const std::vector<Box> redone = BoxesOf(doc->GetCurrentTemplate()->GetRedoSnapshot(0, 0));

    const int ax = Px(10000), ay = Px(8000);
    PressAndHold(ax, ay);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kMoving, canvas->GetMouseState());
    Move(ax + 40, ay + 20);
    CtrlKey('Y');
    ExpectNoDrag();
    EXPECT_EQ(redone, BoxesOf(Area()));
    Move(ax + 50, ay + 25);
    Release(ax + 50, ay + 25);
    EXPECT_EQ(redone, BoxesOf(Area()));
    EXPECT_EQ(1, UndoDepth());
    EXPECT_EQ(0, RedoDepth());
}

// The copied object was moved by the mouse first, so its clones would carry a start point far from
// the nudge's.
TEST_F(CommandsDuringADrag, PasteDuringANudgeCommitsTheNudgeAndTheClonesStayWherePasted)
{
    AddSelectedRect(5000, 5000, 10000, 6000);
    const int ax = Px(10000), ay = Px(8000);
    PressAndHold(ax, ay);
    Move(ax + 38, ay + 19);
    Release(ax + 38, ay + 19);
    ASSERT_EQ(1, UndoDepth());
    const Box copied = BoxesOf(Area())[0];
    ASSERT_NE(5000, copied.x);
    CtrlKey('C');

    Key(VK_RIGHT);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kNudging, canvas->GetMouseState());
    CtrlKey('V');
    ExpectNoDrag();
    Move(300, 200, 0);
    Box nudged = copied;
    nudged.x += Um(1);
    nudged.selected = false;
    const Box pasted = {copied.x + 5000, copied.y + 5000, copied.width, copied.height, true};
    EXPECT_EQ((std::vector<Box>{nudged, pasted}), BoxesOf(Area()));
    EXPECT_EQ(3, UndoDepth()) << "the move, the nudge and the paste";

    // Paste deselects before its snapshot.
    CtrlKey('Z');
    EXPECT_EQ((std::vector<Box>{nudged}), BoxesOf(Area()));
    CtrlKey('Z');
    EXPECT_EQ((std::vector<Box>{copied}), BoxesOf(Area()));
}
