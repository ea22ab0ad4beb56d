#include "gridtesthost.h"

class GridEditTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        MakeGrid(10, 6, 1, 1);
        m_grid->SetItemText(2, 2, "old");
        m_grid->SetItemText(2, 3, "next");
        m_grid->SetItemText(3, 2, "below");
        m_grid->SetFocus();
        m_grid->SetFocusCell(2, 2);
        Host().log.clear();
    }

    HWND EditWnd() const { return ::GetDlgItem(m_grid->m_hWnd, IDC_INPLACE_CONTROL); }
    void Char(HWND wnd, UINT ch) { ::SendMessageA(wnd, WM_CHAR, ch, 0); }
};

TEST_F(GridEditTest, TypingReplacesTheTextAndEnterCommitsAndReopensBelow)
{
    Char(m_grid->m_hWnd, 'a');
    ASSERT_NE(EditWnd(), nullptr);
    EXPECT_EQ(::GetDlgCtrlID(EditWnd()), 8);
    PumpMessages();
    EXPECT_EQ(EditorText(), "a");
    Char(EditWnd(), VK_RETURN);
    PumpMessages();
    EXPECT_EQ(m_grid->GetItemText(2, 2), "a");
    std::vector<HostRecord> ends = Notes(GRIDN_ENDEDIT);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].text, "a");
    EXPECT_EQ(ends[0].row, 2);
    EXPECT_EQ(ends[0].col, 2);
    EXPECT_TRUE(m_grid->GetItemState(2, 2) & GVIS_MODIFIED);
    // The editor moved on to the next row with the caret at the end.
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(3, 2));
    ASSERT_NE(EditWnd(), nullptr);
    EXPECT_EQ(EditorText(), "below");
    int s = 0, e = 0;
    SelRange(EditWnd(), s, e);
    EXPECT_EQ(s, 5);
    EXPECT_EQ(e, 5);
    EXPECT_EQ(m_grid->GetInPlaceEdit()->GetRow(), 3);
    Char(EditWnd(), VK_ESCAPE);
    PumpMessages();
    EXPECT_EQ(EditWnd(), nullptr);
    EXPECT_EQ(m_grid->GetInPlaceEdit(), nullptr);
    EXPECT_FALSE(m_grid->GetCell(3, 2)->IsEditing());
}

TEST_F(GridEditTest, F2PutsTheCaretAtTheEndAndBackspaceDeletesTheLastCharacter)
{
    Key(VK_F2);
    ASSERT_NE(EditWnd(), nullptr);
    int s = 0, e = 0;
    SelRange(EditWnd(), s, e);
    EXPECT_EQ(s, 3);
    EXPECT_EQ(e, 3);
    Char(EditWnd(), VK_ESCAPE);
    PumpMessages();

    Char(m_grid->m_hWnd, VK_BACK);
    PumpMessages();
    EXPECT_EQ(EditorText(), "ol");
    m_grid->EndEditing();
    PumpMessages();
    EXPECT_EQ(m_grid->GetItemText(2, 2), "ol");
}

TEST_F(GridEditTest, EscapeRestoresTheTextAndTellsTheOwnerNothing)
{
    Char(m_grid->m_hWnd, 'z');
    PumpMessages();
    EXPECT_EQ(EditorText(), "z");
    Char(EditWnd(), VK_ESCAPE);
    PumpMessages();
    EXPECT_EQ(m_grid->GetItemText(2, 2), "old");
    EXPECT_TRUE(Notes(GRIDN_ENDEDIT).empty());
    EXPECT_EQ(EditWnd(), nullptr);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 2));
}

TEST_F(GridEditTest, TabCommitsMovesRightAndSelectsTheNextText)
{
    Char(m_grid->m_hWnd, 'q');
    PumpMessages();
    Char(EditWnd(), VK_TAB);
    PumpMessages();
    EXPECT_EQ(m_grid->GetItemText(2, 2), "q");
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 3));
    ASSERT_NE(EditWnd(), nullptr);
    EXPECT_EQ(EditorText(), "next");
    int s = -1, e = -1;
    SelRange(EditWnd(), s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 4);
    m_grid->EndEditing();
    PumpMessages();
}

TEST_F(GridEditTest, ArrowsCommitAfterTypingButMoveTheCaretAfterAClick)
{
    Char(m_grid->m_hWnd, 'x');
    PumpMessages();
    ::SendMessageA(EditWnd(), WM_KEYDOWN, VK_RIGHT, 0);
    PumpMessages();
    EXPECT_EQ(m_grid->GetItemText(2, 2), "x");
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 3));
    ASSERT_NE(EditWnd(), nullptr);
    m_grid->EndEditing();
    PumpMessages();
    EXPECT_EQ(EditWnd(), nullptr);

    // A click on the focus cell's text opens the editor; arrows then stay inside it.
    CRect r;
    m_grid->GetCellRect(2, 3, &r);
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_NE(EditWnd(), nullptr);
    EXPECT_FALSE(m_grid->GetInPlaceEdit()->ExitOnArrows());
    ::SendMessageA(EditWnd(), WM_KEYDOWN, VK_LEFT, 0);
    PumpMessages();
    ASSERT_NE(EditWnd(), nullptr);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 3));
    int s = 0, e = 0;
    SelRange(EditWnd(), s, e);
    EXPECT_EQ(s, 3);
    m_grid->EndEditing();
    PumpMessages();
}

TEST_F(GridEditTest, OwnerRefusals)
{
    Host().refuseBegin = true;
    Char(m_grid->m_hWnd, 'a');
    PumpMessages();
    EXPECT_EQ(EditWnd(), nullptr);
    EXPECT_EQ(Notes(GRIDN_BEGINEDIT).size(), 1u);

    Host().refuseBegin = false;
    Host().refuseEnd = true;
    Char(m_grid->m_hWnd, 'b');
    PumpMessages();
    Char(EditWnd(), VK_RETURN);
    PumpMessages();
    EXPECT_EQ(m_grid->GetItemText(2, 2), "old");
    EXPECT_EQ(Notes(GRIDN_ENDEDIT).size(), 1u);
    m_grid->EndEditing();
    PumpMessages();

    // A read-only cell or a grid that is not editable opens nothing.
    Host().refuseEnd = false;
    m_grid->SetFocusCell(3, 3);
    m_grid->SetItemState(3, 3, m_grid->GetItemState(3, 3) | GVIS_READONLY);
    Key(VK_F2);
    EXPECT_EQ(EditWnd(), nullptr);
    m_grid->SetEditable(FALSE);
    m_grid->SetFocusCell(4, 4);
    Key(VK_F2);
    EXPECT_EQ(EditWnd(), nullptr);
}

TEST_F(GridEditTest, TheBoxGrowsWhileTyping)
{
    Char(m_grid->m_hWnd, 'w');
    PumpMessages();
    CRect before;
    ::GetWindowRect(EditWnd(), &before);
    for (int i = 0; i < 20; i++)
        Char(EditWnd(), 'W');
    CRect after;
    ::GetWindowRect(EditWnd(), &after);
    EXPECT_GT(after.Width(), before.Width());
    EXPECT_EQ(after.left, before.left);
    m_grid->EndEditing();
    PumpMessages();
}

TEST_F(GridEditTest, EndingWhileTheGridIsDestroyedTouchesNothing)
{
    Char(m_grid->m_hWnd, 'n');
    PumpMessages();
    ASSERT_NE(EditWnd(), nullptr);
    Host().log.clear();
    m_grid.reset();
    PumpMessages();
    EXPECT_TRUE(Notes(GRIDN_ENDEDIT).empty());
}

TEST_F(GridEditTest, DestroyingTheWindowHandsTheTypedTextToTheOwnerFirst)
{
    // Whoever destroys the grid's window (its parent closing, a dialog's close box), what was typed
    // reaches the owner: only the grid object being deleted lets it go.
    Char(m_grid->m_hWnd, 'n');
    PumpMessages();
    ASSERT_NE(EditWnd(), nullptr);
    Char(EditWnd(), 'o');
    Host().log.clear();
    m_grid->DestroyWindow();
    PumpMessages();
    std::vector<HostRecord> ends = Notes(GRIDN_ENDEDIT);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].text, "no");
    EXPECT_EQ(ends[0].row, 2);
    EXPECT_EQ(ends[0].col, 2);
    EXPECT_EQ(m_grid->GetInPlaceEdit(), nullptr);
}

TEST_F(GridEditTest, AnOwnerWhoseCellsAreGoneCancelsTheEditSilently)
{
    Char(m_grid->m_hWnd, 'n');
    PumpMessages();
    ASSERT_NE(EditWnd(), nullptr);
    Host().log.clear();
    m_grid->CancelEditing();
    PumpMessages();
    EXPECT_EQ(EditWnd(), nullptr);
    EXPECT_EQ(m_grid->GetInPlaceEdit(), nullptr);
    EXPECT_FALSE(m_grid->GetCell(2, 2)->IsEditing());
    EXPECT_TRUE(Notes(GRIDN_ENDEDIT).empty());
    EXPECT_EQ(m_grid->GetItemText(2, 2), "old");
    // The cell takes a new editor as before.
    Char(m_grid->m_hWnd, 'm');
    PumpMessages();
    ASSERT_NE(EditWnd(), nullptr);
    m_grid->EndEditing();
    PumpMessages();
    EXPECT_EQ(m_grid->GetItemText(2, 2), "m");
}

TEST_F(GridEditTest, ARightClickEndsTheEditBeforeTheContextMenuIsAskedFor)
{
    // The context menu's commands run while it is asked for: the typed text must be in its cell by then.
    Char(m_grid->m_hWnd, 'r');
    PumpMessages();
    ASSERT_NE(EditWnd(), nullptr);
    Host().log.clear();
    const CPoint p = Centre(*m_grid, 4, 3);
    m_grid->SendMessage(WM_RBUTTONUP, 0, Pt(p.x, p.y));
    PumpMessages();
    int endAt = -1, menuAt = -1;
    for (size_t i = 0; i < Host().log.size(); i++) {
        const HostRecord& r = Host().log[i];
        if (r.message == WM_NOTIFY && r.code == GRIDN_ENDEDIT && endAt < 0)
            endAt = static_cast<int>(i);
        if (r.message == WM_CONTEXTMENU && menuAt < 0)
            menuAt = static_cast<int>(i);
    }
    ASSERT_GE(endAt, 0);
    ASSERT_GE(menuAt, 0) << "the default handling asks the parent for its context menu";
    EXPECT_LT(endAt, menuAt);
    EXPECT_EQ(m_grid->GetItemText(2, 2), "r");
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(4, 3));
}

TEST_F(GridEditTest, EndingAfterTheCellLeftTheCounts)
{
    m_grid->SetFocusCell(8, 4);
    Char(m_grid->m_hWnd, 'n');
    PumpMessages();
    ASSERT_NE(EditWnd(), nullptr);
    Host().log.clear();
    m_grid->SetRowCount(5);
    ::SetFocus(m_host);
    PumpMessages();
    EXPECT_TRUE(Notes(GRIDN_ENDEDIT).empty());
    EXPECT_EQ(EditWnd(), nullptr);
    EXPECT_EQ(m_grid->GetInPlaceEdit(), nullptr);
}

// Editing cases that make a grid of their own; the editor needs the focus as above.
class GridEditOwnGridTest : public GridTest {};

TEST_F(GridEditOwnGridTest, VirtualOwnerKeepsTheEditedText)
{
    MakeVirtualGrid(20, 5, 1, 1);
    m_grid->SetFocus();
    m_grid->SetFocusCell(2, 2);
    m_grid->SendMessage(WM_CHAR, 'z');
    PumpMessages();
    HWND edit = ::GetDlgItem(m_grid->m_hWnd, IDC_INPLACE_CONTROL);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(m_grid->GetCell(2, 2)->GetEditWnd(), m_grid->GetInPlaceEdit());
    EXPECT_EQ(m_grid->GetCell(3, 3)->GetEditWnd(), nullptr);
    ::SendMessageA(edit, WM_CHAR, 'z', 0);
    ::SendMessageA(edit, WM_CHAR, VK_TAB, 0);
    PumpMessages();
    ASSERT_FALSE(Host().store.empty());
    EXPECT_EQ(Host().store[0], "2:2=zz");
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(2, 3));
    m_grid->EndEditing();
    PumpMessages();
    // The shared cell keeps no editor once it is gone.
    EXPECT_EQ(m_grid->GetInPlaceEdit(), nullptr);
    EXPECT_EQ(m_grid->GetCell(2, 3)->GetEditWnd(), nullptr);
    EXPECT_FALSE(m_grid->GetCell(2, 3)->IsEditing());
}

TEST_F(GridEditOwnGridTest, TitleTipOnlyForClippedText)
{
    MakeGrid(10, 6, 1, 1);
    m_grid->SetItemText(2, 2, "a text far wider than sixty pixels");
    m_grid->SetItemText(2, 3, "x");
    m_grid->SetFocus();
    CRect r;
    m_grid->GetCellRect(2, 3, &r);
    m_grid->SendMessage(WM_MOUSEMOVE, 0, Pt(r.left + 5, r.top + 5));
    EXPECT_FALSE(m_grid->GetTitleTip().IsShown());
    m_grid->GetCellRect(2, 2, &r);
    m_grid->SendMessage(WM_MOUSEMOVE, 0, Pt(r.left + 5, r.top + 5));
    ASSERT_TRUE(m_grid->GetTitleTip().IsShown());
    EXPECT_EQ(m_grid->GetTitleTip().GetShownText(), " a text far wider than sixty pixels ");
    char cls[32] = {};
    ::GetClassNameA(m_grid->GetTitleTip().m_hWnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "ZTitleTip");
    EXPECT_TRUE(::GetWindowLongA(m_grid->GetTitleTip().m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Key(VK_DOWN);
    EXPECT_FALSE(m_grid->GetTitleTip().IsShown());

    m_grid->SendMessage(WM_MOUSEMOVE, 0, Pt(r.left + 6, r.top + 5));
    ASSERT_TRUE(m_grid->GetTitleTip().IsShown());
    m_grid->GetTitleTip().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(3, 3));
    EXPECT_FALSE(m_grid->GetTitleTip().IsShown());
    PumpMessages();
}
