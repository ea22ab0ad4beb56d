// The grid's mouse operations and how they end: border sizing of the column or row whose border was
// grabbed while the grid is scrolled, the pointer kept inside the sizing band, and every mode ended
// when the capture is lost, the mode cancelled or the button let go where the grid could not see it.
#include "gridtesthost.h"
#include "testsupport/cursorcliprecorder.h"
#include <string>

namespace {

RECT ScreenRect(HWND wnd, RECT r)
{
    ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

}  // namespace

class GridMouseModeTest : public GridTest {
protected:
    void Move(int x, int y, UINT flags = 0) { m_grid->SendMessage(WM_MOUSEMOVE, flags, Pt(x, y)); }
    void Down(int x, int y) { m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, y)); }
    void Up(int x, int y) { m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(x, y)); }

    // The colours of the grid's window along a line of pixels, as painted.
    std::vector<COLORREF> Pixels(int x0, int y0, int dx, int dy, int n)
    {
        std::vector<COLORREF> out;
        HDC dc = ::GetDC(m_grid->m_hWnd);
        for (int i = 0; i < n; i++)
            out.push_back(::GetPixel(dc, x0 + i * dx, y0 + i * dy));
        ::ReleaseDC(m_grid->m_hWnd, dc);
        return out;
    }

    // Nothing of a mouse operation is left: no mode, no button, no line, no timer, no clip.
    void ExpectNothingUnderWay(const CursorClipRecorder& clips)
    {
        EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_NOTHING);
        EXPECT_FALSE(m_grid->IsLeftButtonDown());
        EXPECT_FALSE(m_grid->IsSizingLineDrawn());
        EXPECT_FALSE(m_grid->IsAutoScrollTimerRunning());
        EXPECT_FALSE(clips.Clipped()) << "the pointer is free again";
        EXPECT_NE(::GetCapture(), m_grid->m_hWnd);
    }
};

TEST_F(GridMouseModeTest, ScrolledSidewaysTheGrabbedColumnBorderIsSizedAndAutoSized)
{
    CursorClipRecorder clips;
    MakeGrid(10, 12, 1, 1);
    m_grid->SendMessage(WM_HSCROLL, SB_LINERIGHT);
    m_grid->SendMessage(WM_HSCROLL, SB_LINERIGHT);
    ASSERT_EQ(m_grid->GetTopLeftNonFixedCell().col, 3) << "columns 1 and 2 are scrolled out of view";
    CRect first;
    ASSERT_TRUE(m_grid->GetCellRect(0, 3, &first));
    ASSERT_EQ(first.left, 60);

    // The left edge of the first column in view is the right border of the fixed column 0.
    Move(61, 5);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_COL_DIVIDE);
    Down(61, 5);
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_SIZING_COL);
    Move(100, 5, MK_LBUTTON);
    Up(100, 5);
    EXPECT_EQ(m_grid->GetColumnWidth(0), 100);
    EXPECT_EQ(m_grid->GetColumnWidth(2), 60) << "the column scrolled out of view is not touched";
    EXPECT_EQ(m_grid->GetColumnWidth(3), 60);
    m_grid->SetColumnWidth(0, 60);

    // Its right edge, and the left edge of the next one, size the column in view.
    Move(118, 5);
    Down(118, 5);
    Up(150, 5);
    EXPECT_EQ(m_grid->GetColumnWidth(3), 90);
    Move(151, 5);
    Down(151, 5);
    Up(130, 5);
    EXPECT_EQ(m_grid->GetColumnWidth(3), 70);
    EXPECT_EQ(m_grid->GetColumnWidth(2), 60);

    // A double click on that border auto-sizes the fixed column, not the hidden one, whether or
    // not a move came between the first click and the second.
    m_grid->SetItemText(2, 0, "a row heading far wider than sixty pixels");
    m_grid->SetItemText(2, 2, "a text in the hidden column, also far wider");
    for (bool moveBetween : { true, false }) {
        SCOPED_TRACE(moveBetween);
        m_grid->SetColumnWidth(0, 60);
        m_grid->SendMessage(WM_HSCROLL, SB_LEFT);
        m_grid->SendMessage(WM_HSCROLL, SB_LINERIGHT);
        m_grid->SendMessage(WM_HSCROLL, SB_LINERIGHT);
        ASSERT_EQ(m_grid->GetTopLeftNonFixedCell().col, 3);
        Move(61, 5);
        Down(61, 5);
        Up(61, 5);
        if (moveBetween)
            Move(61, 5);
        m_grid->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, Pt(61, 5));
        Up(61, 5);
        EXPECT_GT(m_grid->GetColumnWidth(0), 60);
        EXPECT_EQ(m_grid->GetColumnWidth(2), 60);
    }
    EXPECT_FALSE(clips.Clipped());
}

TEST_F(GridMouseModeTest, WithoutFixedColumnsTheWindowEdgeIsNoBorder)
{
    MakeGrid(10, 12, 1, 0);
    m_grid->SendMessage(WM_HSCROLL, SB_LINERIGHT);
    m_grid->SendMessage(WM_HSCROLL, SB_LINERIGHT);
    ASSERT_EQ(m_grid->GetTopLeftNonFixedCell().col, 2);
    Move(1, 5);
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_NOTHING);
    CursorClipRecorder clips;
    Down(1, 5);
    EXPECT_NE(m_grid->GetMouseMode(), MOUSE_SIZING_COL);
    Up(30, 5);
    for (int c = 0; c < 12; c++)
        EXPECT_EQ(m_grid->GetColumnWidth(c), 60) << c;
    EXPECT_EQ(clips.Count(), 0u);
}

TEST_F(GridMouseModeTest, ScrolledDownTheGrabbedRowBorderIsSizedAndAutoSized)
{
    MakeGrid(40, 4, 1, 1);
    m_grid->SetRowHeight(3, 50);
    for (int i = 0; i < 3; i++)
        m_grid->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    ASSERT_EQ(m_grid->GetTopLeftNonFixedCell().row, 4) << "rows 1 to 3 are scrolled out of view";

    // The top edge of the first row in view is the bottom border of the fixed row 0.
    CursorClipRecorder clips;
    Move(10, 19);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_ROW_DIVIDE);
    Down(10, 19);
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_SIZING_ROW);
    Up(10, 40);
    EXPECT_EQ(m_grid->GetRowHeight(0), 40);
    EXPECT_EQ(m_grid->GetRowHeight(3), 50) << "the row scrolled out of view is not touched";
    EXPECT_EQ(m_grid->GetRowHeight(4), 18);
    m_grid->SetRowHeight(0, 18);
    ASSERT_EQ(m_grid->GetTopLeftNonFixedCell().row, 4);

    for (bool moveBetween : { true, false }) {
        SCOPED_TRACE(moveBetween);
        Move(10, 19);
        Down(10, 19);
        Up(10, 19);
        if (moveBetween)
            Move(10, 19);
        m_grid->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, Pt(10, 19));
        Up(10, 19);
        EXPECT_EQ(m_grid->GetRowHeight(3), 50) << "auto-sizing leaves the hidden row alone";
        EXPECT_NE(m_grid->GetRowHeight(0), 18) << "the fixed row above the border is auto-sized";
        m_grid->SetRowHeight(0, 18);
    }
    EXPECT_FALSE(clips.Clipped());
}

TEST_F(GridMouseModeTest, SizingConfinesThePointerToTheBandAndEveryWayOutFreesIt)
{
    MakeGrid(10, 12, 1, 1);
    CRect client;
    m_grid->GetClientRect(&client);
    const int fixedWidth = m_grid->GetFixedColumnWidth(), fixedHeight = m_grid->GetFixedRowHeight();

    // Column 1 (60..119) by its right border: from its left edge + 1 over the scrolling area's width.
    const RECT colBand = ScreenRect(m_grid->m_hWnd, RECT{ 61, client.top, 61 + client.Width() - fixedWidth, client.bottom });
    // Row 2 (36..53) by its bottom border, alike downwards.
    const RECT rowBand =
        ScreenRect(m_grid->m_hWnd, RECT{ client.left, 37, client.right, 37 + client.Height() - fixedHeight });

    enum Way { ButtonUp, CaptureLost, CancelMode, UnseenRelease };
    for (Way way : { ButtonUp, CaptureLost, CancelMode, UnseenRelease }) {
        for (bool column : { true, false }) {
            SCOPED_TRACE(std::to_string(way) + (column ? " column" : " row"));
            CursorClipRecorder clips;
            const CPoint at = column ? CPoint(118, 5) : CPoint(10, 52);
            Move(at.x, at.y);
            Down(at.x, at.y);
            ASSERT_EQ(clips.Count(), 1u);
            EXPECT_FALSE(clips.Calls()[0].release);
            EXPECT_TRUE(SameRect(clips.LastClip(), column ? colBand : rowBand))
                << Text(clips.LastClip()) << " asked, " << Text(column ? colBand : rowBand) << " expected";
            EXPECT_EQ(::GetCapture(), m_grid->m_hWnd);
            switch (way) {
            case ButtonUp:
                Up(at.x, at.y);
                break;
            case CaptureLost:
                ::SetCapture(m_host);
                ::ReleaseCapture();
                break;
            case CancelMode:
                m_grid->SendMessage(WM_CANCELMODE);
                break;
            case UnseenRelease:
                Move(200, 150);
                break;
            }
            ExpectNothingUnderWay(clips);
            EXPECT_TRUE(clips.Calls().back().release);
            EXPECT_EQ(m_grid->GetColumnWidth(1), 60);
            EXPECT_EQ(m_grid->GetRowHeight(2), 18);
        }
    }
}

TEST_F(GridMouseModeTest, LosingTheCaptureWhileSizingLeavesNothingBehind)
{
    CursorClipRecorder clips;
    MakeGrid(10, 6, 1, 1);
    m_grid->SetItemText(3, 3, "a text far wider than its sixty-pixel cell");
    m_grid->SetFocus();
    m_grid->UpdateWindow();
    const std::vector<COLORREF> before = Pixels(110, 150, 1, 0, 16);

    Move(118, 5);
    Down(118, 5);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_SIZING_COL);
    EXPECT_NE(Pixels(110, 150, 1, 0, 16), before) << "the sizing line is drawn";

    // A message box, a menu or another window takes the mouse.
    ::SetCapture(m_host);
    ExpectNothingUnderWay(clips);
    EXPECT_EQ(Pixels(110, 150, 1, 0, 16), before) << "no inverted line is left on screen";
    ::ReleaseCapture();
    EXPECT_EQ(m_grid->GetColumnWidth(1), 60);

    // The next moves: the sizing cursor's mode over a border, a title tip over a clipped text.
    Move(118, 5);
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_COL_DIVIDE);
    EXPECT_FALSE(m_grid->IsSizingLineDrawn());
    CPoint tip = Centre(*m_grid, 3, 3);
    Move(tip.x - 20, tip.y);
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_NOTHING);
    EXPECT_TRUE(m_grid->GetTitleTip().IsShown());
    m_grid->GetTitleTip().Hide();

    // And a click selects.
    CPoint c = Centre(*m_grid, 4, 2);
    Down(c.x, c.y);
    Up(c.x, c.y);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(4, 2));
    EXPECT_TRUE(m_grid->IsCellSelected(4, 2));
    EXPECT_EQ(m_grid->GetSelectedCount(), 1);
    ExpectNothingUnderWay(clips);
}

TEST_F(GridMouseModeTest, CancelledSelectingStopsFollowingThePointer)
{
    MakeGrid(20, 6, 1, 1);
    CPoint a = Centre(*m_grid, 2, 2), b = Centre(*m_grid, 5, 4);
    Down(a.x, a.y);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_SELECT_CELLS);
    ASSERT_TRUE(m_grid->IsAutoScrollTimerRunning());
    m_grid->SendMessage(WM_CANCELMODE);
    CursorClipRecorder clips;
    ExpectNothingUnderWay(clips);
    Move(b.x, b.y);
    EXPECT_EQ(m_grid->GetSelectedCount(), 1) << "the pointer no longer drags a selection";
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 2));

    // A click on the focus cell's text waits for the release to open the editor, without the
    // capture: let go outside the grid, the next move finds the button up and opens nothing.
    m_grid->SetItemText(2, 2, "text");
    Down(a.x, a.y);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_PREPARE_EDIT);
    Move(b.x, b.y);
    ExpectNothingUnderWay(clips);
    EXPECT_EQ(Editor(), nullptr);

    // The button let go where the grid could not see it: the next move is an ordinary one.
    CPoint c = Centre(*m_grid, 3, 2);
    Down(c.x, c.y);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_SELECT_CELLS);
    ::SetCapture(m_host);
    ::ReleaseCapture();
    Move(b.x, b.y);
    EXPECT_EQ(m_grid->GetSelectedCount(), 1);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(3, 2));
    ExpectNothingUnderWay(clips);

    // With the capture, a release outside the grid ends the selecting there.
    Down(a.x, a.y);
    Move(b.x, b.y, MK_LBUTTON);
    EXPECT_EQ(m_grid->GetSelectedCount(), 12);
    Up(-40, 900);
    ExpectNothingUnderWay(clips);
    Move(a.x, a.y);
    EXPECT_EQ(m_grid->GetSelectedCount(), 12);
}

TEST_F(GridMouseModeTest, AReleaseTheGridDidNotSeeEndsRowSizing)
{
    CursorClipRecorder clips;
    MakeGrid(20, 6, 1, 1);
    m_grid->UpdateWindow();
    const std::vector<COLORREF> before = Pixels(150, 30, 0, 1, 12);
    Move(10, 35);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_ROW_DIVIDE);
    Down(10, 35);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_SIZING_ROW);
    EXPECT_NE(Pixels(150, 30, 0, 1, 12), before);
    // The capture went (another window took it and gave it back) and the button came up elsewhere:
    // the grid only sees a move without the button.
    ::SetCapture(m_host);
    ::ReleaseCapture();
    Move(200, 120);
    ExpectNothingUnderWay(clips);
    EXPECT_EQ(Pixels(150, 30, 0, 1, 12), before);
    EXPECT_EQ(m_grid->GetRowHeight(1), 18);

    // Only the unseen release: the capture is still the grid's.
    Move(10, 35);
    Down(10, 35);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_SIZING_ROW);
    Move(200, 120);
    ExpectNothingUnderWay(clips);
    EXPECT_EQ(Pixels(150, 30, 0, 1, 12), before);
    EXPECT_EQ(m_grid->GetRowHeight(1), 18);
}

TEST_F(GridMouseModeTest, AClickHeldOnAColumnLetterStartsNoScrolling)
{
    // In a table scrolled down, the button held on a letter for many ticks of the automatic
    // scrolling selects the column and nothing else: no scrolling, no focus cell.
    MakeVirtualGrid(200, 8, 1, 1);
    m_grid->SetFocus();
    for (int i = 0; i < 20; i++)
        m_grid->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    const int top = m_grid->GetTopLeftNonFixedCell().row;
    ASSERT_GT(top, 10);
    const int x = Centre(*m_grid, 0, 3).x;
    Move(x, 9);
    Down(x, 9);
    EXPECT_FALSE(m_grid->IsAutoScrollTimerRunning());
    const DWORD until = ::GetTickCount() + 200;
    while (::GetTickCount() < until) {
        PumpMessages();
        ::Sleep(10);
    }
    Up(x, 9);
    PumpMessages();
    EXPECT_EQ(m_grid->GetTopLeftNonFixedCell().row, top);
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(1, 3, 199, 3));
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(-1, -1));

    // A row number and a cell still start it: their selections follow the pointer out of the grid.
    const int y = Centre(*m_grid, top + 2, 0).y;
    Down(10, y);
    EXPECT_TRUE(m_grid->IsAutoScrollTimerRunning());
    Up(10, y);
    EXPECT_FALSE(m_grid->IsAutoScrollTimerRunning());
    const CPoint cell = Centre(*m_grid, top + 2, 2);
    Down(cell.x, cell.y);
    EXPECT_TRUE(m_grid->IsAutoScrollTimerRunning());
    Up(cell.x, cell.y);
    EXPECT_FALSE(m_grid->IsAutoScrollTimerRunning());
}

TEST_F(GridMouseModeTest, ArrowKeysMoveTheSelectionAfterThePointerRestedOnABorder)
{
    CursorClipRecorder clips;
    MakeGrid(20, 6, 1, 1);
    m_grid->SetFocus();
    const CPoint a = Centre(*m_grid, 2, 2);
    Down(a.x, a.y);
    Up(a.x, a.y);
    ASSERT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(2, 2, 2, 2));

    // On its way out of the grid the pointer crosses the border between the letters B and C.
    Move(179, 5);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_COL_DIVIDE);
    m_grid->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_NOTHING);
    Key(VK_DOWN);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(3, 2));
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(3, 2, 3, 2));

    // Resting on a row border: the keys move the selection, and the pointer still rests there.
    Move(10, 53);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_ROW_DIVIDE);
    Key(VK_RIGHT);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(3, 3));
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(3, 3, 3, 3));
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_ROW_DIVIDE);
    // A held button is an operation under way: leaving does not end it.
    Move(179, 5);
    Down(179, 5);
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_SIZING_COL);
    m_grid->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_SIZING_COL);
    Up(179, 5);
}
