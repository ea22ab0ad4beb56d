// Selecting everything of a large virtual table: the selection answers as before (count, range,
// single cells, Ctrl-click holes, copying) while asking for no memory per cell.
#include "gridtesthost.h"
#include "testsupport/allocationprobe.h"

TEST_F(GridTest, SelectAllOfALargeVirtualTableTakesNoMemoryPerCell)
{
    MakeVirtualGrid(65536, 27, 1, 1, 1024, 700);
    m_grid->SetFocus();
    m_grid->SetFocusCell(1, 1);
    m_grid->UpdateWindow();
    uint64_t largest = 0;
    int64_t growth = 0;
    {
        AllocationProbe probe;
        ASSERT_TRUE(probe.Hooked());
        {
            HeldKeys ctrl({ VK_CONTROL });
            Key('A');
        }
        largest = probe.LargestRequest();
        growth = probe.PrivateGrowth();
    }
    EXPECT_LT(largest, 64u * 1024u) << "no block grows with the number of cells";
    EXPECT_LT(growth, 4 * 1024 * 1024) << "the process's private memory stays where it was";

    // What the selection answers is what it answered with an entry per cell.
    EXPECT_EQ(m_grid->GetSelectedCount(), 65535 * 26);
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(1, 1, 65535, 26));
    EXPECT_TRUE(m_grid->IsCellSelected(1, 1));
    EXPECT_TRUE(m_grid->IsCellSelected(65535, 26));
    EXPECT_FALSE(m_grid->IsCellSelected(0, 5)) << "fixed cells are not selected";
    EXPECT_FALSE(m_grid->IsCellSelected(5, 0));
    EXPECT_TRUE(m_grid->GetCell(40000, 3)->GetState() & GVIS_SELECTED);

    // A Ctrl-click on a selected cell takes that one cell out.
    CPoint hole = Centre(*m_grid, 3, 4);
    {
        HeldKeys ctrl({ VK_CONTROL });
        m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, Pt(hole.x, hole.y));
        m_grid->SendMessage(WM_LBUTTONUP, MK_CONTROL, Pt(hole.x, hole.y));
    }
    EXPECT_FALSE(m_grid->IsCellSelected(3, 4));
    EXPECT_TRUE(m_grid->IsCellSelected(3, 3));
    EXPECT_TRUE(m_grid->IsCellSelected(3, 5));
    EXPECT_TRUE(m_grid->IsCellSelected(2, 4));
    EXPECT_TRUE(m_grid->IsCellSelected(4, 4));
    EXPECT_EQ(m_grid->GetSelectedCount(), 65535 * 26 - 1);
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(1, 1, 65535, 26));

    // Fewer rows take their part of the selection with them.
    m_grid->SetRowCount(100);
    EXPECT_EQ(m_grid->GetSelectedCount(), 99 * 26 - 1);
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(1, 1, 99, 26));
    m_grid->ClearSelection();
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(100, 27, -1, -1));
}

TEST_F(GridTest, ASelectionPaintsWhatItHolds)
{
    // Ordinary cells carry the selected state; the screen shows it cell by cell.
    MakeGrid(12, 6, 1, 1);
    m_grid->SetFocus();
    m_grid->SetSelectedRange(2, 2, 4, 3);
    EXPECT_EQ(m_grid->GetSelectedCount(), 6);
    for (int r = 1; r < 12; r++)
        for (int c = 1; c < 6; c++)
            EXPECT_EQ((m_grid->GetItemState(r, c) & GVIS_SELECTED) != 0, r >= 2 && r <= 4 && c >= 2 && c <= 3)
                << r << "," << c;
    m_grid->SetSelectedRange(3, 3, 5, 4);
    EXPECT_EQ(m_grid->GetSelectedCount(), 6);
    EXPECT_FALSE(m_grid->GetItemState(2, 2) & GVIS_SELECTED);
    EXPECT_TRUE(m_grid->GetItemState(5, 4) & GVIS_SELECTED);
    m_grid->UpdateWindow();
    HDC dc = ::GetDC(m_grid->m_hWnd);
    CPoint in = Centre(*m_grid, 4, 4), out = Centre(*m_grid, 2, 2);
    const COLORREF selected = ::GetPixel(dc, in.x - 20, in.y), plain = ::GetPixel(dc, out.x - 20, out.y);
    ::ReleaseDC(m_grid->m_hWnd, dc);
    EXPECT_NE(selected, plain);
    EXPECT_EQ(plain, m_grid->GetDefaultCell(FALSE, FALSE)->GetBackColour() & 0xFFFFFF);

    // Cells set selected one by one join the selection as they would have joined the map.
    m_grid->ClearSelection();
    for (int r = 6; r <= 9; r++)
        for (int c = 1; c <= 5; c++)
            m_grid->SetItemState(r, c, m_grid->GetItemState(r, c) | GVIS_SELECTED);
    EXPECT_EQ(m_grid->GetSelectedCount(), 20);
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(6, 1, 9, 5));
    m_grid->SetItemState(7, 3, m_grid->GetItemState(7, 3) & ~GVIS_SELECTED);
    EXPECT_EQ(m_grid->GetSelectedCount(), 19);
    EXPECT_FALSE(m_grid->IsCellSelected(7, 3));
}
