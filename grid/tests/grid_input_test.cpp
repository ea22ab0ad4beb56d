#include "gridtesthost.h"
#include "testsupport/wheellines.h"

TEST_F(GridTest, ClickSelectsAndTellsTheOwnerInOrder)
{
    MakeGrid(10, 6, 1, 1);
    CPoint p = Centre(*m_grid, 2, 3);
    Click(p.x, p.y);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 3));
    EXPECT_TRUE(m_grid->IsCellSelected(2, 3));
    EXPECT_EQ(Codes(), (std::vector<int>{ GRIDN_CELLDOWN, GRIDN_SELCHANGING, GRIDN_SELCHANGED, int(NM_CLICK) }));
    EXPECT_EQ(Notes(NM_CLICK)[0].row, 2);
    EXPECT_EQ(Notes(NM_CLICK)[0].col, 3);
    EXPECT_EQ(Notes(GRIDN_CELLDOWN)[0].wParam, 555u);
    Host().log.clear();
    PumpMessages();
    ASSERT_EQ(Host().log.size(), 1u);
    EXPECT_EQ(Host().log[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(Host().log[0].wParam, 555u);
    EXPECT_EQ(Host().log[0].lParam, reinterpret_cast<LPARAM>(m_grid->m_hWnd));
}

TEST_F(GridTest, ShiftAndCtrlClicksExtendAndDeselect)
{
    MakeGrid(10, 6, 1, 1);
    CPoint a = Centre(*m_grid, 2, 2), b = Centre(*m_grid, 4, 3);
    Click(a.x, a.y);
    {
        HeldKeys shift({ VK_SHIFT });
        Click(b.x, b.y, MK_SHIFT);
    }
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(2, 2, 4, 3));
    EXPECT_EQ(m_grid->GetSelectedCount(), 6);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(4, 3));
    {
        HeldKeys ctrl({ VK_CONTROL });
        CPoint c = Centre(*m_grid, 3, 2);
        Click(c.x, c.y, MK_CONTROL);
    }
    EXPECT_FALSE(m_grid->IsCellSelected(3, 2));
    EXPECT_EQ(m_grid->GetSelectedCount(), 5);
    {
        // Ctrl keeps the selection and adds a new cell.
        HeldKeys ctrl({ VK_CONTROL });
        CPoint c = Centre(*m_grid, 7, 5);
        Click(c.x, c.y, MK_CONTROL);
    }
    EXPECT_TRUE(m_grid->IsCellSelected(7, 5));
    EXPECT_TRUE(m_grid->IsCellSelected(2, 2));
    EXPECT_EQ(m_grid->GetSelectedCount(), 6);

    // Dragging with the button down selects the rectangle from the anchor.
    CPoint d = Centre(*m_grid, 1, 1), e = Centre(*m_grid, 3, 4);
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(d.x, d.y));
    m_grid->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Pt(e.x, e.y));
    m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(e.x, e.y));
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(1, 1, 3, 4));
    EXPECT_EQ(m_grid->GetSelectedCount(), 12);
}

TEST_F(GridTest, ClickOnASelectedCellWithDragAndDropClearsSelectionAndFocus)
{
    MakeGrid(10, 6, 1, 1);
    m_grid->SetDragAndDrop(TRUE);
    CPoint a = Centre(*m_grid, 2, 2), b = Centre(*m_grid, 3, 3);
    Click(a.x, a.y);
    {
        HeldKeys shift({ VK_SHIFT });
        Click(b.x, b.y, MK_SHIFT);
    }
    EXPECT_EQ(m_grid->GetSelectedCount(), 4);
    Host().log.clear();
    Click(a.x, a.y);
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(-1, -1));
    std::vector<int> codes = Codes();
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(std::vector<int>(codes.end() - 3, codes.end()),
              (std::vector<int>{ int(NM_CLICK), GRIDN_SELCHANGING, GRIDN_SELCHANGED }));
    EXPECT_EQ(Notes(GRIDN_SELCHANGED).back().row, -1);
}

TEST_F(GridTest, AShakyClickOnTheFocusCellStillOpensTheEditor)
{
    MakeGrid(10, 6, 1, 1);
    m_grid->SetItemText(2, 2, "abc");
    CPoint a = Centre(*m_grid, 2, 2);
    Click(a.x, a.y);
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(a.x, a.y));
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_PREPARE_EDIT);
    m_grid->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Pt(a.x + 1, a.y));
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_PREPARE_EDIT);
    m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(a.x + 1, a.y));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(EditorText(), "abc");
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 2));
    EXPECT_TRUE(m_grid->IsCellSelected(2, 2));
    m_grid->EndEditing();
}

TEST_F(GridTest, DraggingAColumnBorderSizesTheColumn)
{
    MakeGrid(10, 6, 1, 1);
    // Column 1 spans 60..119: its right border is grabbed within 3 pixels.
    m_grid->SendMessage(WM_MOUSEMOVE, 0, Pt(118, 5));
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_COL_DIVIDE);
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(118, 5));
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_SIZING_COL);
    m_grid->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Pt(150, 5));
    m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(150, 5));
    EXPECT_EQ(m_grid->GetColumnWidth(1), 90);
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_NOTHING);

    // Left of the column's left edge: 0 with hiding allowed, else 1.
    m_grid->SendMessage(WM_MOUSEMOVE, 0, Pt(149, 5));
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(149, 5));
    m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(40, 5));
    EXPECT_EQ(m_grid->GetColumnWidth(1), 0);
    m_grid->SetColumnWidth(1, 60);
    m_grid->EnableColumnHide(FALSE);
    m_grid->SendMessage(WM_MOUSEMOVE, 0, Pt(119, 5));
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(119, 5));
    m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(40, 5));
    EXPECT_EQ(m_grid->GetColumnWidth(1), 1);

    // Row borders in the fixed column.
    m_grid->SendMessage(WM_MOUSEMOVE, 0, Pt(10, 35));
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_ROW_DIVIDE);
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(10, 35));
    m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(10, 48));
    EXPECT_EQ(m_grid->GetRowHeight(1), 30);
}

TEST_F(GridTest, ArrowKeysMoveTheFocusSkippingHiddenColumns)
{
    MakeGrid(10, 6, 1, 1);
    m_grid->SetFocusCell(2, 2);
    Key(VK_RIGHT);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 3));
    EXPECT_TRUE(m_grid->IsCellSelected(2, 3));
    EXPECT_EQ(Codes(), (std::vector<int>{ GRIDN_SELCHANGING, GRIDN_SELCHANGED }));
    EXPECT_EQ(Notes(GRIDN_SELCHANGED)[0].col, 3);
    m_grid->SetColumnWidth(4, 0);
    Key(VK_RIGHT);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 5));
    Key(VK_RIGHT);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 5));
    Key(VK_LEFT);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 3));
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(1, 3));
    Key(VK_RETURN);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 3));
    {
        HeldKeys shift({ VK_SHIFT });
        Key(VK_DOWN);
        Key(VK_DOWN);
    }
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(2, 3, 4, 3));
    Key(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(4, 5));
    Key(VK_TAB);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(5, 1));
    {
        HeldKeys shift({ VK_SHIFT });
        Key(VK_TAB);
    }
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(4, 5));
    EXPECT_EQ(m_grid->GetSelectedCount(), 1);
}

TEST_F(GridTest, PageDownOnTheLastPageGoesToTheLastRow)
{
    MakeGrid(40, 4, 1, 1);
    m_grid->SetFocusCell(1, 1);
    const int top = m_grid->GetTopLeftNonFixedCell().row;
    Key(VK_NEXT);
    const int moved = m_grid->GetTopLeftNonFixedCell().row - top;
    EXPECT_GT(moved, 5);
    EXPECT_EQ(m_grid->GetFocusCell().row, 1 + moved);
    Key(VK_NEXT);
    Key(VK_NEXT);
    Key(VK_NEXT);
    EXPECT_EQ(m_grid->GetFocusCell().row, 39);
    EXPECT_TRUE(m_grid->IsCellVisible(39, 1));
    Key(VK_HOME);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(39, 1));
    {
        HeldKeys ctrl({ VK_CONTROL });
        Key(VK_HOME);
    }
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(1, 1));
    EXPECT_EQ(m_grid->GetScrollPos32(SB_VERT), 0);
}

TEST_F(GridTest, CtrlEndReachesTheLastCellOfAVirtualGrid)
{
    MakeVirtualGrid(65536, 27, 1, 1);
    m_grid->SetFocusCell(1, 1);
    {
        HeldKeys ctrl({ VK_CONTROL });
        Key(VK_END);
    }
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(65535, 26));
    EXPECT_TRUE(m_grid->IsCellVisible(65535, 26));
    EXPECT_EQ(m_grid->GetVisibleNonFixedCellRange().GetMaxRow(), 65535);
}

TEST_F(GridTest, DeleteClearsTheSelectionBetweenTheBulkMessages)
{
    MakeGrid(10, 6, 1, 1);
    m_grid->SetItemText(2, 2, "a");
    m_grid->SetItemText(2, 3, "b");
    m_grid->SetItemText(3, 2, "");
    m_grid->SetFocusCell(2, 2);
    m_grid->SetSelectedRange(2, 2, 3, 3);
    m_grid->SetItemState(3, 3, m_grid->GetItemState(3, 3) | GVIS_READONLY);
    m_grid->SetItemText(3, 3, "kept");
    Host().log.clear();
    Key(VK_DELETE);
    std::vector<UINT> messages;
    for (const HostRecord& r : Host().log)
        messages.push_back(r.message);
    ASSERT_GE(messages.size(), 4u);
    EXPECT_EQ(messages[0], WM_GRID_BEFORECLEAR);
    EXPECT_EQ(messages[1], WM_GRID_BULKEDIT);
    EXPECT_EQ(Host().log[1].wParam, 0u);
    EXPECT_EQ(messages.back(), WM_GRID_BULKEDIT);
    EXPECT_EQ(Host().log.back().wParam, 1u);
    std::vector<int> codes = Codes();
    EXPECT_EQ(codes, (std::vector<int>{ GRIDN_BEGINEDIT, GRIDN_ENDEDIT, GRIDN_BEGINEDIT, GRIDN_ENDEDIT,
                                        GRIDN_BEGINEDIT }));
    EXPECT_EQ(m_grid->GetItemText(2, 2), "");
    EXPECT_EQ(m_grid->GetItemText(2, 3), "");
    EXPECT_EQ(m_grid->GetItemText(3, 3), "kept");

    // Without a focus cell Delete becomes the owner's delete command.
    m_grid->SetFocusCell(-1, -1);
    Host().log.clear();
    Key(VK_DELETE);
    EXPECT_TRUE(Host().log.empty());
    PumpMessages();
    ASSERT_EQ(Host().log.size(), 1u);
    EXPECT_EQ(Host().log[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(Host().log[0].wParam, 839u);
}

TEST_F(GridTest, WheelNotchScrollsThreeRows)
{
    MakeGrid(100, 4, 1, 1);
    m_grid->SetMouseScrollLines(3);
    for (int i = 0; i < 10; i++)
        m_grid->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(m_grid->GetTopLeftNonFixedCell().row, 11);
    m_grid->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), Pt(50, 50));
    PumpMessages();
    EXPECT_EQ(m_grid->GetTopLeftNonFixedCell().row, 8);
    m_grid->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), Pt(50, 50));
    PumpMessages();
    EXPECT_EQ(m_grid->GetTopLeftNonFixedCell().row, 14);
}

// Touchpads and fine wheels send deltas below one notch: they add up across messages, and turning
// the wheel back forgets what was left over.
TEST_F(GridTest, WheelStepsSmallerThanANotchAddUpToWholeRows)
{
    MakeGrid(100, 4, 1, 1);
    m_grid->SetMouseScrollLines(1);
    for (int i = 0; i < 10; i++)
        m_grid->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    ASSERT_EQ(m_grid->GetTopLeftNonFixedCell().row, 11);
    auto wheel = [&](int delta) {
        m_grid->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), Pt(50, 50));
        PumpMessages();
        return m_grid->GetTopLeftNonFixedCell().row;
    };
    EXPECT_EQ(wheel(-40), 11);
    EXPECT_EQ(wheel(-40), 11);
    EXPECT_EQ(wheel(-40), 12);
    EXPECT_EQ(wheel(40), 12);
    EXPECT_EQ(wheel(40), 12);
    EXPECT_EQ(wheel(40), 11);
    // Two thirds down, then a third up: the way back starts from nothing.
    EXPECT_EQ(wheel(-80), 11);
    EXPECT_EQ(wheel(40), 11);
    EXPECT_EQ(wheel(40), 11);
    EXPECT_EQ(wheel(40), 10);

    // Three rows a notch: a third of a notch is one row.
    m_grid->SetMouseScrollLines(3);
    EXPECT_EQ(wheel(-40), 11);
    EXPECT_EQ(wheel(-40), 12);
    EXPECT_EQ(wheel(-40), 13);

    // A page a notch.
    const int top = m_grid->GetTopLeftNonFixedCell().row;
    m_grid->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    const int pageDown = m_grid->GetTopLeftNonFixedCell().row;
    m_grid->SendMessage(WM_VSCROLL, SB_PAGEUP);
    ASSERT_EQ(m_grid->GetTopLeftNonFixedCell().row, top);
    ASSERT_GT(pageDown, top + 1);
    m_grid->SetMouseScrollLines(WHEEL_PAGESCROLL);
    EXPECT_EQ(wheel(-60), top);
    EXPECT_EQ(wheel(-60), pageDown);

    // No lines a notch: the wheel scrolls nothing.
    m_grid->SetMouseScrollLines(0);
    EXPECT_EQ(wheel(-120), pageDown);
}

TEST_F(GridTest, TheWheelLinesComeFromTheSystemSettingAtConstruction)
{
    std::unique_ptr<CGridCtrl> five, pages;
    {
        ScopedWheelLines lines(5);
        five = std::make_unique<CGridCtrl>();
    }
    {
        ScopedWheelLines lines(WHEEL_PAGESCROLL);
        pages = std::make_unique<CGridCtrl>();
    }
    EXPECT_EQ(5, five->GetMouseScrollLines());
    EXPECT_EQ(-1, pages->GetMouseScrollLines());
}

TEST_F(GridTest, FixedRowClickSelectsColumnsAndTheCornerClears)
{
    MakeGrid(10, 6, 1, 1);
    Click(Centre(*m_grid, 0, 2).x, 5);
    EXPECT_EQ(m_grid->GetSelectedCellRange(), CGridCellRange(1, 2, 9, 2));
    Click(5, 5);
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);
    m_grid->SetHeaderSort(TRUE);
    Click(Centre(*m_grid, 0, 3).x, 5);
    EXPECT_EQ(m_grid->GetSortColumn(), 3);
    EXPECT_TRUE(m_grid->GetSortAscending());
    Click(Centre(*m_grid, 0, 3).x, 5);
    EXPECT_FALSE(m_grid->GetSortAscending());
}

TEST_F(GridTest, AutoScrollTimerExtendsTheSelectionDownwards)
{
    MakeGrid(60, 4, 1, 1);
    CPoint a = Centre(*m_grid, 2, 2);
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(a.x, a.y));
    CRect client;
    m_grid->GetClientRect(&client);
    m_grid->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Pt(a.x, client.bottom + 20));
    const int before = m_grid->GetTopLeftNonFixedCell().row;
    m_grid->SendMessage(WM_TIMER, GRID_AUTOSCROLL_TIMER);
    m_grid->SendMessage(WM_TIMER, GRID_AUTOSCROLL_TIMER);
    EXPECT_GT(m_grid->GetTopLeftNonFixedCell().row, before);
    CGridCellRange sel = m_grid->GetSelectedCellRange();
    EXPECT_EQ(sel.GetMinRow(), 2);
    EXPECT_GT(sel.GetMaxRow(), 10);
    m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(a.x, client.bottom + 20));
    EXPECT_FALSE(m_grid->IsAutoScrollTimerRunning());
}
