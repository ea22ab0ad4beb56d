// The design canvas driven by the messages Windows would send: tools and their defaults, the mouse
// states with their edge cases, nudges and undo, lost capture in every state, Escape during a
// creation, the in-place editor, zoom, the three notifications, scroll sizes and system keys.
#include "ui/tests/designviewtest.h"
#include "testsupport/platformprobe.h"

#include "document/registrydefaults.h"
#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/marker.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/testcmdui.h"
#include "ui/commandids.h"
#include "ui/inplaceedit.h"

#include <typeinfo>

using namespace designtest;

BEGIN_MESSAGE_MAP(TestCanvas, Ostrelind_SoftLabelDesignView)
    ON_COMMAND(ID_EDIT_DELETE, OnEditDelete)
END_MESSAGE_MAP()

void DesignCanvas::SetUp()
{
    DeleteTestProfile();
    app = new TestLabelApp(dir);
    ASSERT_TRUE(app->InitInstance());
    ASSERT_GE(app->GetDocTemplateCount(), 1);
    ASSERT_FALSE(app->GetDocTemplate(0)->GetDocuments().empty());
    doc = dynamic_cast<COstrelindSoftLabelDoc*>(app->GetDocTemplate(0)->GetDocuments().front());
    ASSERT_NE(nullptr, doc);
    ASSERT_TRUE(doc->NewLabelDefinition());
    doc->SetAreaWidth(50000, 0);
    doc->SetAreaHeight(30000, 0);
    ASSERT_EQ(50000, doc->GetCurrentTemplate()->GetLabelStock()->GetWidth(0));
    ASSERT_EQ(30000, doc->GetCurrentTemplate()->GetLabelStock()->GetHeight(0));

    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "canvas host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              700, 500, nullptr, nullptr));
    view = new TestCanvas;
    doc->AddView(view);
    ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), &host, 1));
    view->OnInitialUpdate();
    view->UpdateScrollSizes();
    view->SetMeasurementSystem(0);
    HDC screen = ::GetDC(nullptr);
    dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    view->UpdateWindow();
    DrainMessages();
    host.notes.clear();
    doc->SetModifiedFlag(FALSE);
}

void DesignCanvas::TearDown()
{
    if (host.m_hWnd != nullptr)
        host.DestroyWindow();
    DrainMessages();
    // Nothing to offer for saving when the application closes.
    if (doc != nullptr) {
        if (CLabel* stock = doc->GetCurrentTemplate()->GetLabelStock())
            stock->SetModified(false);
        doc->SetModifiedFlag(FALSE);
    }
    delete app;
    DeleteTestProfile();
}

CGraphRect* DesignCanvas::AddRect(int x, int y, int w, int h)
{
    auto* rect = new CGraphRect;
    rect->SetX(x);
    rect->SetY(y);
    rect->SetWidth(w);
    rect->SetHeight(h);
    Area()->Append(rect);
    return rect;
}

void DesignCanvas::DragNew(UINT tool, int x1, int y1, int x2, int y2)
{
    Command(tool);
    Press(x1, y1);
    Move(x2, y2);
    Release(x2, y2);
}

// ---------------------------------------------------------------------------------------------
// Insert tools

TEST_F(DesignCanvas, EveryToolArmsItsObjectWithItsDefaultsAndADragAddsIt)
{
    const UINT tools[] = {ID_DRAW_LINE, ID_DRAW_RECTANGLE, ID_DRAW_ROUNDED_RECTANGLE, ID_DRAW_TRIANGLE,
                          ID_DRAW_ELLIPSE, ID_INSERT_TEXT, ID_INSERT_BARCODE, ID_INSERT_IMAGE, ID_INSERT_TEXT};
    RegistryDefaults::WriteBarcodeType("Code 128");
    int count = 0;
    for (UINT tool : tools) {
        SCOPED_TRACE(tool);
        Command(tool);
        ASSERT_EQ(Ostrelind_SoftLabelDesignView::kCreating, view->GetMouseState());
        ASSERT_NE(nullptr, view->GetArmedObject());
        Press(10, 10);
        EXPECT_EQ(nullptr, view->GetArmedObject());
        EXPECT_NE(nullptr, view->GetCreatingObject());
        EXPECT_EQ(view->m_hWnd, ::GetCapture());
        Move(90, 70);
        Release(90, 70);
        EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
        EXPECT_EQ(nullptr, view->GetCreatingObject());
        EXPECT_NE(view->m_hWnd, ::GetCapture());
        ASSERT_EQ(++count, Area()->GetCount());
        CGraphObject* added = Area()->GetAt(count - 1);
        EXPECT_TRUE(added->IsSelected());
        EXPECT_EQ(1, Area()->GetSelectedCount());
        EXPECT_GT(added->GetRight() - added->GetLeft(), 15000);
        switch (tool) {
        case ID_DRAW_LINE:
            EXPECT_EQ(typeid(CGraphLine), typeid(*added));
            EXPECT_EQ(1000, added->GetLineWidth());
            break;
        case ID_DRAW_RECTANGLE:
            EXPECT_EQ(typeid(CGraphRect), typeid(*added));
            EXPECT_EQ(1000, added->GetLineWidth());
            EXPECT_TRUE(added->IsTransparent());
            break;
        case ID_DRAW_ROUNDED_RECTANGLE:
            EXPECT_EQ(typeid(CGraphRectRounded), typeid(*added));
            EXPECT_EQ(1000, added->GetLineWidth());
            EXPECT_TRUE(added->IsTransparent());
            EXPECT_EQ(2500, added->GetCornerRadius());
            break;
        case ID_DRAW_TRIANGLE:
            EXPECT_EQ(typeid(CGraphTriangleExt), typeid(*added));
            break;
        case ID_DRAW_ELLIPSE:
            EXPECT_EQ(typeid(CGraphEllipse), typeid(*added));
            EXPECT_EQ(1000, added->GetLineWidth());
            EXPECT_TRUE(added->IsTransparent());
            break;
        case ID_INSERT_TEXT: {
            EXPECT_EQ(typeid(CGraphTextExt), typeid(*added));
            char column[8] = {};
            ASSERT_TRUE(added->GetColumnName(column, sizeof column));
            // The first text takes column A; the second the first column nobody uses yet.
            EXPECT_STREQ(count == 6 ? "A" : "B", column);
            LOGFONTA font = {};
            ASSERT_TRUE(added->GetLogFont(&font));
            EXPECT_STREQ(doc->GetDefaultFont().lfFaceName, font.lfFaceName);
            break;
        }
        case ID_INSERT_BARCODE: {
            EXPECT_EQ(typeid(CGraphBarcode), typeid(*added));
            char name[100] = {};
            ASSERT_TRUE(added->GetSymbologyName(name, sizeof name));
            EXPECT_STREQ("Code 128", name);
            if (!added->UsesMagnification()) {
                EXPECT_EQ(191, added->GetModuleWidth());
                EXPECT_EQ(12700, added->GetBarHeight());
            }
            break;
        }
        case ID_INSERT_IMAGE:
            EXPECT_EQ(typeid(CGraphImageExtExt), typeid(*added));
            EXPECT_EQ(0, static_cast<CGraphImageExtExt*>(added)->GetImageColumn());
            break;
        default:
            break;
        }
    }
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DesignCanvas, ToolsAreRefusedOutsideIdleAndDisabledWithoutALabelOrWhenLocked)
{
    AddRect(5000, 5000, 10000, 6000)->SetSelected(true);
    Key(VK_RIGHT);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kNudging, view->GetMouseState());
    Command(ID_DRAW_RECTANGLE);
    EXPECT_EQ(nullptr, view->GetArmedObject());
    Key(VK_RETURN);

    CTestCmdUI ui(ID_INSERT_TEXT);
    ui.DoUpdate(view, TRUE);
    EXPECT_TRUE(ui.m_bEnabled);
    doc->GetCurrentTemplate()->SetLocked(true);
    CTestCmdUI locked(ID_DRAW_LINE);
    locked.DoUpdate(view, TRUE);
    EXPECT_FALSE(locked.m_bEnabled);
    doc->GetCurrentTemplate()->SetLocked(false);
    doc->DeleteLabelDefinition();
    CTestCmdUI none(ID_INSERT_BARCODE);
    none.DoUpdate(view, TRUE);
    EXPECT_FALSE(none.m_bEnabled);
}

TEST_F(DesignCanvas, ANewObjectBelowSeventeenPixelsIsDroppedWithoutAnUndoStep)
{
    CGraphCollection* before = Snapshot();
    DragNew(ID_DRAW_RECTANGLE, 20, 20, 36, 90);   // 16 pixels wide
    EXPECT_EQ(0, Area()->GetCount());
    EXPECT_EQ(nullptr, view->GetCreatingObject());
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_EQ(before, Snapshot());
    DragNew(ID_DRAW_RECTANGLE, 20, 20, 37, 37);   // 17 pixels both ways
    EXPECT_EQ(1, Area()->GetCount());
    EXPECT_NE(before, Snapshot());
    EXPECT_EQ(before, Snapshot(1));
}

// ---------------------------------------------------------------------------------------------
// Selecting and moving

TEST_F(DesignCanvas, AClickSelectsAndAReleaseWithinTheDelayMovesNothing)
{
    CGraphRect* a = AddRect(5000, 5000, 10000, 6000);
    CGraphRect* b = AddRect(30000, 5000, 10000, 6000);
    b->SetSelected(true);
    const int ax = Px(10000), ay = Px(8000);
    Press(ax, ay);
    EXPECT_TRUE(a->IsSelected());
    EXPECT_FALSE(b->IsSelected());
    Move(ax + 30, ay + 20);
    Release(ax + 30, ay + 20);
    EXPECT_EQ(5000, a->GetX());
    EXPECT_EQ(5000, a->GetY());
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_FALSE(view->IsButtonDown());
    EXPECT_NE(view->m_hWnd, ::GetCapture());
}

TEST_F(DesignCanvas, AHeldPressMovesAfterTheDelayAndAReleaseOutsideRestores)
{
    CGraphRect* a = AddRect(5000, 5000, 10000, 6000);
    const int ax = Px(10000), ay = Px(8000);
    CGraphCollection* before = Snapshot();

    // The real timer: the press is held past 250 ms.
    Press(ax, ay);
    ::Sleep(300);
    DrainMessages();
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kMoving, view->GetMouseState());
    Move(ax + 38, ay + 19);
    Release(ax + 38, ay + 19);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_NEAR(5000 + PxToUm(38, dpi), a->GetX(), 300);
    EXPECT_NEAR(5000 + PxToUm(19, dpi), a->GetY(), 300);
    EXPECT_EQ(before, Snapshot(1));
    CGraphCollection* afterMove = Snapshot();
    EXPECT_TRUE(doc->IsModified());

    const int x = a->GetX(), y = a->GetY();
    const int bx = Px(x + 5000), by = Px(y + 3000);
    Press(bx, by);
    Send(WM_TIMER, Ostrelind_SoftLabelDesignView::kDragTimer);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kMoving, view->GetMouseState());
    Move(bx + 40, by + 10);
    Release(-4, by + 10);
    EXPECT_EQ(x, a->GetX());
    EXPECT_EQ(y, a->GetY());
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_EQ(afterMove, Snapshot());
}

TEST_F(DesignCanvas, ShiftTogglesOneObjectAndNeverStartsAMoveOrABand)
{
    CGraphRect* a = AddRect(5000, 5000, 10000, 6000);
    CGraphRect* b = AddRect(30000, 5000, 10000, 6000);
    a->SetSelected(true);
    Press(Px(35000), Px(8000), MK_SHIFT);
    EXPECT_TRUE(a->IsSelected());
    EXPECT_TRUE(b->IsSelected());
    EXPECT_FALSE(::KillTimer(view->m_hWnd, Ostrelind_SoftLabelDesignView::kDragTimer));
    Release(Px(35000), Px(8000), MK_SHIFT);
    Press(Px(35000), Px(8000), MK_SHIFT);
    Release(Px(35000), Px(8000), MK_SHIFT);
    EXPECT_FALSE(b->IsSelected());
    EXPECT_EQ(30000, b->GetX());

    Press(Px(20000), Px(25000), MK_SHIFT);
    EXPECT_EQ(nullptr, view->GetRubberBand());
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    Release(Px(20000), Px(25000), MK_SHIFT);
    EXPECT_TRUE(a->IsSelected());
}

TEST_F(DesignCanvas, ARubberBandSelectsWhatLiesInsideUnlessShiftIsHeldAtTheRelease)
{
    CGraphRect* a = AddRect(5000, 5000, 10000, 6000);
    CGraphRect* b = AddRect(30000, 5000, 10000, 6000);
    Press(2, 2);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kRubberBand, view->GetMouseState());
    ASSERT_NE(nullptr, view->GetRubberBand());
    // The band confines the pointer to the view's window rectangle.
    ASSERT_TRUE(clips.Clipped());
    RECT window = {};
    view->GetWindowRect(&window);
    const RECT asked = clips.LastClip();
    EXPECT_EQ(window.left, asked.left);
    EXPECT_EQ(window.top, asked.top);
    EXPECT_EQ(window.right, asked.right);
    EXPECT_EQ(window.bottom, asked.bottom);
    Move(Px(20000), Px(15000));
    Release(Px(20000), Px(15000));
    EXPECT_TRUE(a->IsSelected());
    EXPECT_FALSE(b->IsSelected());
    EXPECT_EQ(nullptr, view->GetRubberBand());
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_FALSE(clips.Clipped());

    // A press on empty space deselects; the band released with Shift selects nothing.
    Press(2, 2);
    EXPECT_FALSE(a->IsSelected());
    Move(Px(45000), Px(15000));
    Release(Px(45000), Px(15000), MK_SHIFT);
    EXPECT_FALSE(a->IsSelected());
    EXPECT_FALSE(b->IsSelected());
}

TEST_F(DesignCanvas, AResizeByAHandleAppliesEvenWhenReleasedOutside)
{
    CGraphRect* a = AddRect(5000, 5000, 10000, 6000);
    a->SetSelected(true);
    const int right = Px(15000), bottom = Px(11000);
    Press(right, bottom);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kResizing, view->GetMouseState());
    Move(right + 40, bottom + 20);
    Release(-3, -3);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_GT(a->GetWidth(), 10000 + PxToUm(30, dpi));
    EXPECT_NEAR(5000, a->GetX(), 300);
}

namespace {

SHORT WINAPI ShiftHeld(int key)
{
    return key == VK_SHIFT ? -128 : 0;
}

} // namespace

TEST_F(DesignCanvas, ArrowsNudgeByAPixelOrTenWithShiftAndOneUndoRestores)
{
    CGraphRect* a = AddRect(5000, 5000, 10000, 6000);
    a->SetSelected(true);
    CGraphCollection* before = Snapshot();
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kNudging, view->GetMouseState());
    Key(VK_RETURN);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_EQ(5000 + PxToUm(2, dpi), a->GetX());
    EXPECT_EQ(5000 + PxToUm(1, dpi), a->GetY());
    EXPECT_EQ(before, Snapshot(1));
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(doc->Undo(0));
    CGraphObject* restored = Area()->GetAt(0);
    EXPECT_EQ(5000, restored->GetX());
    EXPECT_EQ(5000, restored->GetY());

    // Ten pixels with Shift, at twice the zoom: half the distance per pixel.
    restored->SetSelected(true);
    Command(ID_ZOOM_200);
    KeyStateFunction previous = SetMarkerKeyStateFunction(&ShiftHeld);
    Key(VK_LEFT);
    SetMarkerKeyStateFunction(previous);
    // A mouse move ends the nudge too.
    Move(300, 300, 0);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_NEAR(5000 - PxToUm(10, DpiAtZoom(200, dpi)), Area()->GetAt(0)->GetX(), 2);
}

// ---------------------------------------------------------------------------------------------
// Lost capture and Escape

TEST_F(DesignCanvas, LosingTheCaptureEndsEveryDragCancelledAndTheNextPressWorks)
{
    CGraphRect* a = AddRect(5000, 5000, 10000, 6000);
    const int ax = Px(10000), ay = Px(8000);
    const LPARAM other = reinterpret_cast<LPARAM>(host.m_hWnd);

    // 1: the band goes and the cursor is free.
    Press(2, 2);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kRubberBand, view->GetMouseState());
    Send(WM_CANCELMODE);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_EQ(nullptr, view->GetRubberBand());
    EXPECT_FALSE(view->IsButtonDown());
    EXPECT_FALSE(clips.Clipped());

    // 1b: the capture taken by another window frees the pointer too.
    Press(2, 2);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kRubberBand, view->GetMouseState());
    ASSERT_TRUE(clips.Clipped());
    Send(WM_CAPTURECHANGED, 0, other);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_EQ(nullptr, view->GetRubberBand());
    EXPECT_FALSE(clips.Clipped());

    // 2: the move is cancelled.
    Press(ax, ay);
    ASSERT_TRUE(view->IsButtonDown());
    Send(WM_TIMER, Ostrelind_SoftLabelDesignView::kDragTimer);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kMoving, view->GetMouseState());
    Move(ax + 40, ay + 40);
    Send(WM_CAPTURECHANGED, 0, other);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_FALSE(view->IsButtonDown());
    Release(ax + 40, ay + 40);
    EXPECT_EQ(5000, a->GetX());

    // 4: the resize is cancelled.
    const int right = Px(15000), bottom = Px(11000);
    Press(right, bottom);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kResizing, view->GetMouseState());
    Move(right + 40, bottom + 40);
    Send(WM_CANCELMODE);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_EQ(10000, a->GetWidth());

    // 5: the nudge is committed.
    Key(VK_RIGHT);
    ASSERT_EQ(Ostrelind_SoftLabelDesignView::kNudging, view->GetMouseState());
    Send(WM_CAPTURECHANGED, 0, other);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_EQ(5000 + PxToUm(1, dpi), a->GetX());

    // 3: the object under creation goes; the next tool works.
    Command(ID_DRAW_RECTANGLE);
    Press(100, 60);
    Move(160, 100);
    Send(WM_CAPTURECHANGED, 0, other);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_EQ(nullptr, view->GetCreatingObject());
    EXPECT_EQ(1, Area()->GetCount());
    DragNew(ID_DRAW_ELLIPSE, 100, 60, 160, 100);
    ASSERT_EQ(2, Area()->GetCount());
    EXPECT_EQ(typeid(CGraphEllipse), typeid(*Area()->GetAt(1)));
}

TEST_F(DesignCanvas, EscapeDuringACreationCancelsItCompletelyAndAnotherToolFollows)
{
    Command(ID_DRAW_RECTANGLE);
    Press(20, 20);
    Move(90, 70);
    Command(ID_CANCEL_INPLACE_EDIT);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_EQ(nullptr, view->GetCreatingObject());
    EXPECT_FALSE(view->IsButtonDown());
    EXPECT_NE(view->m_hWnd, ::GetCapture());
    Release(90, 70);
    EXPECT_EQ(0, Area()->GetCount());

    DragNew(ID_DRAW_LINE, 20, 20, 90, 70);
    ASSERT_EQ(1, Area()->GetCount());
    EXPECT_EQ(typeid(CGraphLine), typeid(*Area()->GetAt(0)));

    // Escape before the press: the tool is put down, its object waits for the next tool.
    Command(ID_DRAW_ELLIPSE);
    Command(ID_CANCEL_INPLACE_EDIT);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kIdle, view->GetMouseState());
    EXPECT_NE(nullptr, view->GetArmedObject());
    DragNew(ID_DRAW_TRIANGLE, 20, 20, 90, 70);
    ASSERT_EQ(2, Area()->GetCount());
    EXPECT_EQ(typeid(CGraphTriangleExt), typeid(*Area()->GetAt(1)));
}

// ---------------------------------------------------------------------------------------------
// Keys

TEST_F(DesignCanvas, DeleteRaisesTheCommandAndAltDeleteOnlyBeepsWhileOtherSystemKeysWork)
{
    // Delete is enabled only with a selection.
    AddRect(1000, 1000, 2000, 2000)->SetSelected(true);
    Key(VK_DELETE);
    EXPECT_EQ(1, view->deleteCommands);
    Send(WM_SYSKEYDOWN, VK_DELETE, 1 << 29);
    Send(WM_SYSCHAR, 46, 1 << 29);
    DrainMessages();
    EXPECT_TRUE(host.sysCommands.empty());
    Send(WM_SYSKEYDOWN, VK_F4, 1 << 29);
    DrainMessages();
    ASSERT_EQ(1u, host.sysCommands.size());
    EXPECT_EQ(static_cast<WPARAM>(SC_CLOSE), host.sysCommands[0]);
}

// ---------------------------------------------------------------------------------------------
// In-place editor

namespace {

CGraphTextExt* AddConstantText(CGraphCollection* area, const char* text, int rotation = 0)
{
    auto* object = new CGraphTextExt;
    object->SetContentKind(1);
    object->SetMultiLineText(text);
    object->SetX(5000);
    object->SetY(5000);
    object->SetWidth(30000);
    object->SetHeight(10000);
    object->SetRotation(rotation);
    LOGFONTA font = {};
    font.lfHeight = -16;
    lstrcpyA(font.lfFaceName, "Liberation Sans");
    object->SetLogFont(&font);
    area->Append(object);
    return object;
}

CString TextOf(CGraphObject* object)
{
    auto* text = dynamic_cast<CGraphText*>(object);
    return text && text->GetContent() ? text->GetContent()->FormatToString(0, nullptr, nullptr, false) : CString();
}

} // namespace

TEST_F(DesignCanvas, TheEditorOpensOnADoubleClickAndItsTextStaysWithItsObjectAcrossAnAreaSwitch)
{
    CGraphTextExt* text = AddConstantText(Area(), "old");
    text->SetSelected(true);
    view->UpdateWindow();
    CGraphCollection* before = Snapshot();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(Px(20000), Px(10000)));
    CInPlaceEdit* editor = view->GetInPlaceEdit();
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kEditorId, editor->GetDlgCtrlID());
    EXPECT_STREQ("old", editor->GetWindowText());
    EXPECT_EQ(0, editor->m_logFont.lfEscapement);
    EXPECT_EQ(0u, editor->GetStyle() & WS_BORDER);
    EXPECT_EQ(before, Snapshot(1));
    EXPECT_TRUE(doc->IsModified());

    // Another object gets selected in the header; the text still lands in its own object.
    AddConstantText(Area(1), "header")->SetSelected(true);
    editor->SetWindowText("typed here");
    // (The label has no header, so the ribbon keeps the item disabled: the command is routed
    // straight to the canvas.)
    view->OnCmdMsg(ID_AREA_HEADER, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(nullptr, view->GetInPlaceEdit());
    EXPECT_EQ(1, view->GetArea());
    EXPECT_STREQ("typed here", TextOf(text));
    EXPECT_STREQ("header", TextOf(Area(1)->GetAt(0)));

    // A zoom step ends it too; Escape closes it keeping the text.
    view->OnCmdMsg(ID_AREA_LABEL, CN_COMMAND, nullptr, nullptr);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(Px(20000), Px(10000)));
    ASSERT_NE(nullptr, view->GetInPlaceEdit());
    view->GetInPlaceEdit()->SetWindowText("zoomed");
    Command(ID_ZOOM_200);
    EXPECT_EQ(nullptr, view->GetInPlaceEdit());
    EXPECT_STREQ("zoomed", TextOf(text));
}

TEST_F(DesignCanvas, ATurnedTextGetsAnUnturnedBorderedEditorWithSidesSwappedAndTheViewsEndStoresIt)
{
    CGraphTextExt* text = AddConstantText(Area(), "turned", 900);
    text->SetSelected(true);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(Px(20000), Px(10000)));
    CInPlaceEdit* editor = view->GetInPlaceEdit();
    ASSERT_NE(nullptr, editor);
    // The edit control keeps its border style to itself: the border shows in its pixels.
    editor->UpdateWindow();
    CRect inner;
    editor->GetClientRect(&inner);
    HDC dc = ::GetWindowDC(editor->m_hWnd);
    const COLORREF edge = ::GetPixel(dc, 0, inner.Height() / 2);
    ::ReleaseDC(editor->m_hWnd, dc);
    EXPECT_NE(RGB(255, 255, 255), edge);
    EXPECT_EQ(0, editor->m_logFont.lfEscapement);
    const CRect box = text->GetDeviceRect();
    CRect window;
    editor->GetWindowRect(&window);
    EXPECT_EQ(box.Height() + 1, window.Width());
    EXPECT_EQ(box.Width() + 1, window.Height());

    EXPECT_EQ(Ostrelind_SoftLabelDesignView::kEditorTextLimit, editor->GetLimitText());
    editor->SetWindowText("kept at the end");
    host.DestroyWindow();
    view = nullptr;
    EXPECT_STREQ("kept at the end", TextOf(text));
}

// ---------------------------------------------------------------------------------------------
// Zoom, notifications, display toggles

TEST_F(DesignCanvas, ZoomBoxStepsAndTheThreeNotifications)
{
    Move(33, 44, MK_SHIFT);
    DrainMessages();
    auto cursor = host.NotesOf(WM_DESIGN_CURSORPOS);
    ASSERT_EQ(1u, cursor.size());
    EXPECT_EQ(static_cast<WPARAM>(MK_SHIFT), cursor[0].wParam);
    EXPECT_EQ(MAKELPARAM(33, 44), cursor[0].lParam);

    Command(ID_ZOOM_200);
    DrainMessages();
    auto zoomed = host.NotesOf(WM_DESIGN_ZOOMCHANGED);
    ASSERT_EQ(1u, zoomed.size());
    EXPECT_EQ(200u, zoomed[0].wParam);
    EXPECT_EQ(200, doc->GetCurrentTemplate()->GetZoom(0));
    CTestCmdUI step(ID_ZOOM_200);
    step.DoUpdate(view, TRUE);
    EXPECT_EQ(1, step.m_nCheck);

    // Typed zooms: 26 to 3199; the template keeps only what it can store.
    view->boxes[ID_ZOOM] = "1000 %";
    Command(ID_ZOOM);
    EXPECT_EQ(1000, view->GetZoom());
    EXPECT_EQ(200, doc->GetCurrentTemplate()->GetZoom(0));
    for (const char* refused : {"25", "3200", "abc", ""}) {
        view->boxes[ID_ZOOM] = refused;
        Command(ID_ZOOM);
        EXPECT_EQ(1000, view->GetZoom()) << refused;
    }
    view->boxes[ID_ZOOM] = "26";
    Command(ID_ZOOM);
    EXPECT_EQ(26, view->GetZoom());
    view->boxes[ID_ZOOM] = "3199";
    Command(ID_ZOOM);
    EXPECT_EQ(3199, view->GetZoom());

    // Scrolling at that zoom tells the host how far.
    host.notes.clear();
    Send(WM_HSCROLL, SB_LINERIGHT);
    Send(WM_VSCROLL, SB_PAGEDOWN);
    DrainMessages();
    auto scrolled = host.NotesOf(WM_DESIGN_SCROLLED);
    ASSERT_EQ(2u, scrolled.size());
    EXPECT_GT(static_cast<short>(LOWORD(scrolled[0].lParam)), 0);
    EXPECT_EQ(0, static_cast<short>(HIWORD(scrolled[0].lParam)));
    EXPECT_GT(static_cast<short>(HIWORD(scrolled[1].lParam)), 0);
    EXPECT_EQ(view->GetScrollPosition().y, static_cast<short>(HIWORD(scrolled[1].lParam)));
}

TEST_F(DesignCanvas, ZoomBoxShowsTheZoomOnlyWhileTheCanvasNeedsFocus)
{
    Command(ID_ZOOM_200);
    CTestCmdUI box(ID_ZOOM);
    ::SetFocus(nullptr);
    box.DoUpdate(view, TRUE);
    EXPECT_FALSE(box.m_bTextSet);
    KORVELTA_NEEDS_PLATFORM(ProbeKeyboardFocus(view->m_hWnd), "the keyboard focus");
    box.DoUpdate(view, TRUE);
    EXPECT_TRUE(box.m_bTextSet);
    EXPECT_STREQ("200 %", box.m_strText);
}

TEST_F(DesignCanvas, ScrollSizesAreComputedInSixtyFourBitsForALongLabelAtHighZoom)
{
    ASSERT_TRUE(doc->SetAreaHeight(5000000, 0));    // a 5 m roll label
    view->boxes[ID_ZOOM] = "3199";
    Command(ID_ZOOM);
    const long long expected = (static_cast<long long>(dpi) * 3199 + 50) / 100 * doc->GetDesignHeight(0) / 25400;
    ASSERT_GT(expected * 25400, 2147483647LL);       // the product a 32-bit int would wrap
    EXPECT_EQ(expected, view->GetTotalSize().cy);
    EXPECT_GT(view->GetTotalSize().cx, 0);
}

TEST_F(DesignCanvas, RulersFieldCodesContoursHelpLinesAndPanesAskTheirOwners)
{
    Command(ID_SHOW_RULERS);
    EXPECT_EQ(1, host.rulerToggles);
    CTestCmdUI rulers(ID_SHOW_RULERS);
    rulers.DoUpdate(view, TRUE);
    EXPECT_EQ(0, rulers.m_nCheck);

    Command(ID_VIEW_FIELD_CODES);
    EXPECT_FALSE(view->GetShowFieldCodes());
    const bool contours = doc->GetCurrentTemplate()->GetFieldContours();
    Command(ID_VIEW_FIELD_CONTOURS);
    EXPECT_NE(contours, doc->GetCurrentTemplate()->GetFieldContours());

    CHelpLines& lines = doc->GetCurrentTemplate()->GetHelpLines();
    Command(ID_HELPLINES_VERT);
    EXPECT_TRUE(lines.IsVerticalShown());
    view->boxes[ID_HELPLINES_HORZ_SPACING] = "5";
    Command(ID_HELPLINES_HORZ_SPACING);
    EXPECT_EQ(5, lines.GetHorizontalLines());
    for (const char* refused : {"0", "100", "x"}) {
        view->boxes[ID_HELPLINES_HORZ_SPACING] = refused;
        Command(ID_HELPLINES_HORZ_SPACING);
        EXPECT_EQ(5, lines.GetHorizontalLines()) << refused;
    }

    Command(ID_SHOW_TABLE);
    ASSERT_EQ(1u, host.commands.size());
    EXPECT_EQ(static_cast<UINT>(ID_SHOW_TABLE), host.commands[0]);

    // Area items: the header only with a header.
    CTestCmdUI header(ID_AREA_HEADER);
    header.DoUpdate(view, TRUE);
    EXPECT_FALSE(header.m_bEnabled);
    CTestCmdUI label(ID_AREA_LABEL);
    label.DoUpdate(view, TRUE);
    EXPECT_TRUE(label.m_bEnabled);
    EXPECT_EQ(1, label.m_nCheck);
}

TEST_F(DesignCanvas, TheContextMenuRoutesItsChoiceToTheCanvas)
{
    static HMENU seen = nullptr;
    PopupMenuTracker previous = SetPopupMenuTracker([](HMENU menu, UINT, int, int, HWND) -> UINT {
        seen = menu;
        return ID_ZOOM_300;
    });
    Send(WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    SetPopupMenuTracker(previous);
    DrainMessages();
    EXPECT_NE(nullptr, seen);
    EXPECT_EQ(300, view->GetZoom());
}

// ---------------------------------------------------------------------------------------------
// Pixels

TEST_F(DesignCanvas, SelectedObjectsShowTheirHandlesAfterEveryRepaintOnlyWithContours)
{
    CGraphRect* a = AddRect(10000, 10000, 10000, 6000);
    a->SetSelected(true);
    const int left = Px(10000), top = Px(10000);
    for (bool contours : {true, false, true}) {
        SCOPED_TRACE(contours);
        doc->GetCurrentTemplate()->SetFieldContours(contours);
        for (int pass = 0; pass < 2; ++pass) {
            DibCanvas canvas(300, 200, RGB(0xF0, 0xF0, 0xF0));
            view->OnDraw(&canvas.dc());
            // The handle square reaches 3 pixels outside the corner; nothing else is drawn there.
            EXPECT_EQ(contours, canvas.Pixel(left - 2, top - 2) != RGB(0xF0, 0xF0, 0xF0));
        }
    }

    // The window itself after a repaint.
    doc->GetCurrentTemplate()->SetFieldContours(true);
    view->Invalidate(TRUE);
    view->UpdateWindow();
    HDC dc = ::GetDC(view->m_hWnd);
    const COLORREF handle = ::GetPixel(dc, left - 2, top - 2);
    const COLORREF background = ::GetPixel(dc, left - 6, top - 6);
    ::ReleaseDC(view->m_hWnd, dc);
    EXPECT_NE(background, handle);
}

// ---------------------------------------------------------------------------------------------
// Data source, label size and a new label definition

TEST_F(DesignCanvas, SourceCommandsSetTheSelectionsKindAndCheckIt)
{
    CGraphTextExt* text = AddConstantText(Area(), "fixed");
    CTestCmdUI none(ID_SOURCE_DATE);
    none.DoUpdate(view, TRUE);
    EXPECT_FALSE(none.m_bEnabled);
    text->SetSelected(true);
    CTestCmdUI constant(ID_SOURCE_CONSTANT);
    constant.DoUpdate(view, TRUE);
    EXPECT_TRUE(constant.m_bEnabled);
    EXPECT_EQ(1, constant.m_nCheck);
    Command(ID_SOURCE_DATE);
    EXPECT_EQ(2, Area()->GetAt(0)->GetSourceKind());
    CTestCmdUI date(ID_SOURCE_DATE);
    date.DoUpdate(view, TRUE);
    EXPECT_EQ(1, date.m_nCheck);
    // An image has an image source: constant and table apply, date does not.
    Area()->DeselectAll();
    auto* image = new CGraphImageExtExt;
    image->SetSelected(true);
    Area()->Append(image);
    CTestCmdUI table(ID_SOURCE_TABLE);
    table.DoUpdate(view, TRUE);
    EXPECT_EQ(image->HasImageSource(), table.m_bEnabled != FALSE);
    CTestCmdUI time(ID_SOURCE_TIME);
    time.DoUpdate(view, TRUE);
    EXPECT_FALSE(time.m_bEnabled);
}

TEST_F(DesignCanvas, LabelSizeBoxesParseLengthsAndANewDefinitionAsksFirstWhenChanged)
{
    const LONG width = view->GetTotalSize().cx;
    view->boxes[ID_LABEL_WIDTH] = "60 mm";
    Command(ID_LABEL_WIDTH);
    EXPECT_EQ(60000, doc->GetCurrentTemplate()->GetLabelStock()->GetWidth(0));
    EXPECT_GT(view->GetTotalSize().cx, width);
    view->SetMeasurementSystem(1);
    view->boxes[ID_LABEL_HEIGHT] = "2";
    Command(ID_LABEL_HEIGHT);
    EXPECT_EQ(50800, doc->GetCurrentTemplate()->GetLabelStock()->GetHeight(0));
    view->boxes[ID_LABEL_HEIGHT] = "tall";
    Command(ID_LABEL_HEIGHT);
    EXPECT_EQ(50800, doc->GetCurrentTemplate()->GetLabelStock()->GetHeight(0));

    doc->GetCurrentTemplate()->GetLabelStock()->SetModified(true);
    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    Command(ID_LABEL_NEW);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Create a new label definition, are you sure?", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Last().Buttons());
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), boxes.Last().Icon());
    EXPECT_EQ(60000, doc->GetCurrentTemplate()->GetLabelStock()->GetWidth(0));
    boxes.Answer(IDYES);
    Command(ID_LABEL_NEW);
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_FALSE(doc->GetCurrentTemplate()->GetLabelStock()->IsModified());
}
