#include "gridtesthost.h"
#include "testsupport/dibcanvas.h"

TEST_F(GridTest, CellRectsAndHitsFollowTheSizes)
{
    MakeGrid(30, 10, 1, 1);
    CGridCtrl& g = *m_grid;
    CRect r;
    ASSERT_TRUE(g.GetCellRect(0, 0, &r));
    EXPECT_EQ(r, CRect(0, 0, 59, 17));
    ASSERT_TRUE(g.GetCellRect(1, 1, &r));
    EXPECT_EQ(r, CRect(60, 18, 119, 35));
    ASSERT_TRUE(g.GetCellRect(3, 2, &r));
    EXPECT_EQ(r, CRect(120, 54, 179, 71));
    EXPECT_EQ(g.GetCellFromPt(CPoint(61, 19)), CGridCellID(1, 1));
    EXPECT_EQ(g.GetCellFromPt(CPoint(59, 17)), CGridCellID(0, 0));
    EXPECT_EQ(g.GetCellFromPt(CPoint(59, 17), FALSE), CGridCellID(-1, -1));
    EXPECT_EQ(g.GetCellFromPt(CPoint(179, 71)), CGridCellID(3, 2));
    EXPECT_EQ(g.GetCellFromPt(CPoint(180, 72)), CGridCellID(4, 3));

    // Scrolling by one line moves the non-fixed cells, not the fixed ones.
    g.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    g.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(g.GetTopLeftNonFixedCell(), CGridCellID(2, 2));
    EXPECT_FALSE(g.GetCellRect(1, 1, &r));
    ASSERT_TRUE(g.GetCellRect(2, 2, &r));
    EXPECT_EQ(r, CRect(60, 18, 119, 35));
    ASSERT_TRUE(g.GetCellRect(0, 3, &r));
    EXPECT_EQ(r, CRect(120, 0, 179, 17));
    EXPECT_FALSE(g.IsCellVisible(1, 1));
    EXPECT_TRUE(g.IsCellVisible(2, 0));
    g.SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(g.GetTopLeftNonFixedCell(), CGridCellID(1, 2));
}

TEST_F(GridTest, ScrollBarsOfAVirtualGridPast65535Pixels)
{
    MakeVirtualGrid(65536, 27, 1, 1);
    CGridCtrl& g = *m_grid;
    CRect client;
    g.GetClientRect(&client);
    const int cxv = ::GetSystemMetrics(SM_CXVSCROLL), cyh = ::GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_TRUE(g.IsScrollBarShown(SB_HORZ));
    EXPECT_TRUE(g.IsScrollBarShown(SB_VERT));
    EXPECT_EQ(g.GetScrollMax(SB_VERT), 65535 * 18 - 1);
    EXPECT_EQ(g.GetScrollMax(SB_HORZ), 26 * 60 - 1);
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(g.m_hWnd, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 65535 * 18 - 1);
    // The available height counts the client with the bar added back (and its border).
    const int fullHeight = client.Height() + cyh + ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(static_cast<int>(si.nPage), fullHeight - 18 - cyh);
    ASSERT_TRUE(::GetScrollInfo(g.m_hWnd, SB_HORZ, &si));
    const int fullWidth = client.Width() + cxv + ::GetSystemMetrics(SM_CXBORDER);
    EXPECT_EQ(static_cast<int>(si.nPage), fullWidth - 60 - cxv);

    // One past 65,535 pixels: row 3642 (3641 rows of 18 pixels above it).
    g.SetScrollPos32(SB_VERT, 65538);
    EXPECT_EQ(g.GetScrollPos32(SB_VERT), 65538);
    CGridCellRange visible = g.GetVisibleNonFixedCellRange();
    EXPECT_EQ(visible.GetMinRow(), 3642);
    EXPECT_EQ(visible.GetMaxRow(), 3642 + (client.Height() - 18) / 18);
    // The thumb's 16 bits in the message are never used: the bar's own track position is.
    g.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5));
    EXPECT_EQ(g.GetScrollPos32(SB_VERT), 65538);
    g.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(g.GetScrollPos32(SB_VERT), 65556);
    EXPECT_EQ(g.GetTopLeftNonFixedCell().row, 3643);

    // The last row becomes visible.
    ASSERT_TRUE(g.EnsureVisible(65535, 26));
    EXPECT_TRUE(g.IsCellVisible(65535, 26));
    CRect r;
    ASSERT_TRUE(g.GetCellRect(65535, 26, &r));
    EXPECT_LE(r.bottom, client.bottom);
    EXPECT_LE(r.right, client.right);
    ASSERT_TRUE(g.EnsureVisible(1, 1));
    EXPECT_EQ(g.GetTopLeftNonFixedCell(), CGridCellID(1, 1));
}

TEST_F(GridTest, SmallGridHidesBothBars)
{
    MakeGrid(3, 3, 1, 1);
    EXPECT_FALSE(m_grid->IsScrollBarShown(SB_HORZ));
    EXPECT_FALSE(m_grid->IsScrollBarShown(SB_VERT));
    EXPECT_EQ(m_grid->GetScrollMax(SB_VERT), 0);
    EXPECT_EQ(m_grid->GetScrollMax(SB_HORZ), 0);
}

namespace {

CRect CellRect(CGridCtrl& g, int row, int col)
{
    CRect r;
    g.GetCellRect(row, col, &r);
    return r;
}

}  // namespace

TEST_F(GridTest, SelectedCellsUseTheHighlightOnlyWhileTheGridHasTheFocus)
{
    MakeGrid(6, 5, 1, 1);
    CGridCtrl& g = *m_grid;
    g.SetSelectedRange(2, 2, 2, 2);
    CRect client;
    g.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    CRect r = CellRect(g, 2, 2);
    g.SendMessage(WM_SETFOCUS);
    ASSERT_TRUE(g.HasInputFocus());
    g.OnDraw(&canvas.dc());
    EXPECT_EQ(canvas.Pixel(r.right - 2, r.top + 2), ::GetSysColor(COLOR_HIGHLIGHT));
    g.SendMessage(WM_KILLFOCUS);
    ASSERT_FALSE(g.HasInputFocus());
    g.OnDraw(&canvas.dc());
    EXPECT_EQ(canvas.Pixel(r.right - 2, r.top + 2), RGB(0xA0, 0xA0, 0xA0));
    CRect other = CellRect(g, 3, 3);
    EXPECT_EQ(canvas.Pixel(other.right - 2, other.top + 2), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.Pixel(other.right, other.top + 2), RGB(0xC0, 0xC0, 0xC0));   // grid line
}

TEST_F(GridTest, FocusFrameLiesInsideTheGridLines)
{
    MakeGrid(6, 5, 1, 1);
    CGridCtrl& g = *m_grid;
    g.SetFocusCell(2, 2);
    CRect client;
    g.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    CRect r = CellRect(g, 2, 2);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    g.OnDraw(&canvas.dc());
    EXPECT_EQ(canvas.Pixel(r.left, r.top + 5), text);
    EXPECT_EQ(canvas.Pixel(r.right - 1, r.top + 5), text);
    EXPECT_EQ(canvas.Pixel(r.right, r.top + 5), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(canvas.Pixel(r.left + 1, r.top + 5), ::GetSysColor(COLOR_WINDOW));

    g.SetGridLines(GVL_NONE);
    g.OnDraw(&canvas.dc());
    EXPECT_EQ(canvas.Pixel(r.left, r.top + 5), text);
    EXPECT_EQ(canvas.Pixel(r.right, r.top + 5), text);

    g.SetFrameFocusCell(FALSE);
    g.OnDraw(&canvas.dc());
    EXPECT_EQ(canvas.Pixel(r.left, r.top + 5), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(GridTest, HeaderOfAWholeSelectedRowIsSunkenOnlyWhenTheSelectionStartsAtColumnOne)
{
    MakeGrid(6, 5, 1, 1);
    CGridCtrl& g = *m_grid;
    CRect client;
    g.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    CRect header = CellRect(g, 3, 0);
    g.OnDraw(&canvas.dc());
    EXPECT_EQ(canvas.Pixel(header.left, header.top + 5), ::GetSysColor(COLOR_3DHIGHLIGHT));

    Click(10, header.top + 5);   // a click in the fixed column selects the row
    EXPECT_EQ(g.GetSelectedCellRange(), CGridCellRange(3, 1, 3, 4));
    g.OnDraw(&canvas.dc());
    EXPECT_NE(canvas.Pixel(header.left, header.top + 5), ::GetSysColor(COLOR_3DHIGHLIGHT));

    g.SetRowSelectionIncludesFixed(TRUE);
    Click(10, header.top + 5);
    EXPECT_EQ(g.GetSelectedCellRange().GetMinCol(), 0);
    g.OnDraw(&canvas.dc());
    EXPECT_EQ(canvas.Pixel(header.left, header.top + 5), ::GetSysColor(COLOR_3DHIGHLIGHT));
}

TEST_F(GridTest, SortMarkInTheSortColumnsHeader)
{
    MakeGrid(6, 5, 1, 1);
    CGridCtrl& g = *m_grid;
    g.SetRowHeight(0, 24);
    CRect client;
    g.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    g.SetSortColumn(2);
    g.OnDraw(&canvas.dc());
    auto shadowIn = [&](const CRect& r) {
        int n = 0;
        for (int y = r.top; y <= r.bottom; y++)
            for (int x = r.left; x <= r.right; x++)
                if (canvas.Pixel(x, y) == ::GetSysColor(COLOR_BTNSHADOW))
                    n++;
        return n;
    };
    CRect marked = CellRect(g, 0, 2), plain = CellRect(g, 0, 3);
    EXPECT_GT(shadowIn(marked), 5);
    EXPECT_EQ(shadowIn(plain), 0);
    // The mark sits against the right edge.
    CRect right(marked.left + marked.Width() / 2, marked.top, marked.right, marked.bottom);
    EXPECT_EQ(shadowIn(right), shadowIn(marked));
}

TEST_F(GridTest, EmptyGridPaintsOnlyItsBackground)
{
    MakeGrid(0, 0, 0, 0);
    CRect client;
    m_grid->GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height(), RGB(1, 2, 3));
    m_grid->OnDraw(&canvas.dc());
    EXPECT_EQ(canvas.CountPixels(::GetSysColor(COLOR_BTNSHADOW)), client.Width() * client.Height());
}

TEST_F(GridTest, TextExtentOfEmptyTextIsTheDefaultSize)
{
    MakeGrid(3, 3, 1, 1);
    CGridCellBase* cell = m_grid->GetCell(1, 1);
    CSize size = cell->GetTextExtent("");
    EXPECT_EQ(size.cx, m_grid->GetDefaultCell(FALSE, FALSE)->GetWidth());
    EXPECT_EQ(size.cy, m_grid->GetDefaultCell(FALSE, FALSE)->GetHeight());
    m_grid->SetItemText(1, 1, "a much longer text than the column");
    ASSERT_TRUE(m_grid->AutoSizeColumn(1));
    CSize extent = m_grid->GetCell(1, 1)->GetCellExtent(nullptr);
    EXPECT_EQ(m_grid->GetColumnWidth(1), extent.cx);
    EXPECT_GT(m_grid->GetColumnWidth(1), 60);
}
