// The keys' rules where they meet an edge: Tab past the end of a row and of the grid, Tab left to
// the dialog, the pages at the ends, Home and End onto shown cells, and Ctrl+Plus.
#include "gridtesthost.h"

class GridKeyTest : public GridTest {
protected:
    void ShiftKey(UINT key)
    {
        HeldKeys shift({ VK_SHIFT });
        Key(key);
    }
    void CtrlKey(UINT key)
    {
        HeldKeys ctrl({ VK_CONTROL });
        Key(key);
    }
    size_t Logged(UINT message) const
    {
        size_t n = 0;
        for (const HostRecord& r : Host().log)
            n += r.message == message ? 1 : 0;
        return n;
    }
};

TEST_F(GridKeyTest, TabWrapsToTheNextRowIntoViewAndStopsAtTheGridsEnds)
{
    MakeGrid(40, 12, 1, 1);
    m_grid->EnsureVisible(1, 11);
    ASSERT_GT(m_grid->GetScrollPos32(SB_HORZ), 0) << "scrolled to the last column";
    const CGridCellRange view = m_grid->GetVisibleNonFixedCellRange();
    const int r = view.GetMaxRow();
    ASSERT_LT(r, 30);

    // From the last cell of the view's last row to the first cell of the row below, scrolled
    // down and fully left.
    m_grid->SetFocusCell(r, 11);
    Key(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(r + 1, 1));
    EXPECT_TRUE(m_grid->IsCellVisible(r + 1, 1));
    EXPECT_EQ(m_grid->GetScrollPos32(SB_HORZ), 0);
    const int top = m_grid->GetTopLeftNonFixedCell().row;
    EXPECT_GT(top, view.GetMinRow());
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(r + 1, 1, r + 1, 1));
    // And back, scrolled up and fully right.
    ShiftKey(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(r, 11));
    EXPECT_TRUE(m_grid->IsCellVisible(r, 11));
    EXPECT_LT(m_grid->GetTopLeftNonFixedCell().row, top);
    EXPECT_GT(m_grid->GetScrollPos32(SB_HORZ), 0);
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(r, 11, r, 11)) << "Shift+Tab extends nothing";

    // A hidden last column is passed over both ways.
    m_grid->SetColumnWidth(11, 0);
    m_grid->SetFocusCell(5, 10);
    Key(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(6, 1));
    ShiftKey(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(5, 10));

    // Past the grid's last cell, and before its first, Tab moves and tells nothing.
    m_grid->SetFocusCell(39, 10);
    Host().log.clear();
    Key(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(39, 10));
    m_grid->SetFocusCell(1, 1);
    ShiftKey(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(1, 1));
    EXPECT_TRUE(Codes().empty());
}

TEST_F(GridKeyTest, AGridThatLeavesTabToTheDialogMovesNoCellForIt)
{
    MakeGrid(10, 6, 1, 1);
    m_grid->SetFocusCell(2, 2);
    // Tab forwards goes to the next control; Shift+Tab still moves back in the grid.
    m_grid->SetTabToNextControl(TRUE);
    Host().log.clear();
    Key(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 2));
    EXPECT_EQ(Logged(WM_NEXTDLGCTL), 0u) << "posted, not sent";
    PumpMessages();
    EXPECT_EQ(Logged(WM_NEXTDLGCTL), 1u);
    ShiftKey(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 1));

    // A grid that does not handle Tab leaves both to the dialog, and does not ask for them.
    m_grid->SetHandleTabKey(FALSE);
    Host().log.clear();
    Key(VK_TAB);
    ShiftKey(VK_TAB);
    PumpMessages();
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 1));
    EXPECT_TRUE(Host().log.empty());
    EXPECT_EQ(m_grid->SendMessage(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
}

TEST_F(GridKeyTest, PagesHomeAndEndLandOnShownCells)
{
    MakeGrid(40, 8, 1, 1);
    m_grid->SetFocusCell(3, 2);
    Key(VK_PRIOR);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(1, 2)) << "Page Up at the top: the first row";

    // The first and last rows hidden: the pages stop on the shown rows next to them.
    m_grid->SetRowHeight(1, 0);
    m_grid->SetRowHeight(39, 0);
    for (int i = 0; i < 4; i++)
        Key(VK_NEXT);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(38, 2));
    EXPECT_TRUE(m_grid->IsCellVisible(38, 2));
    for (int i = 0; i < 4; i++)
        Key(VK_PRIOR);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 2));
    EXPECT_EQ(m_grid->GetScrollPos32(SB_VERT), 0);

    // Home and End pass over hidden first and last columns and keep the row; with Ctrl they go to
    // the first or last shown row too.
    m_grid->SetColumnWidth(1, 0);
    m_grid->SetColumnWidth(7, 0);
    m_grid->SetFocusCell(5, 3);
    const struct {
        UINT key;
        bool ctrl;
        CGridCellID focus;
        int scrollBar;   // the bar scrolled back to 0, or -1
    } steps[] = { { VK_END, false, CGridCellID(5, 6), -1 }, { VK_HOME, false, CGridCellID(5, 2), SB_HORZ },
                  { VK_END, true, CGridCellID(38, 6), -1 }, { VK_HOME, true, CGridCellID(2, 2), SB_VERT } };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.ctrl ? "Ctrl+" : "") + (step.key == VK_HOME ? "Home" : "End"));
        if (step.ctrl)
            CtrlKey(step.key);
        else
            Key(step.key);
        EXPECT_EQ(m_grid->GetFocusCell(), step.focus);
        EXPECT_TRUE(m_grid->IsCellVisible(step.focus));
        if (step.scrollBar >= 0)
            EXPECT_EQ(m_grid->GetScrollPos32(step.scrollBar), 0);
    }
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(2, 2, 2, 2));
}

TEST_F(GridKeyTest, CtrlPlusFitsTheColumnsToTheirTextsAndMovesNothing)
{
    MakeGrid(10, 6, 1, 1);
    m_grid->SetItemText(2, 3, "a text far wider than its sixty-pixel column");
    m_grid->SetFocusCell(2, 2);
    Host().log.clear();
    CtrlKey(VK_ADD);
    EXPECT_GT(m_grid->GetColumnWidth(3), 60);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 2));
    EXPECT_TRUE(Codes().empty());
    // Without Ctrl the key is no command.
    m_grid->SetColumnWidth(3, 60);
    Key(VK_ADD);
    EXPECT_EQ(m_grid->GetColumnWidth(3), 60);
}
