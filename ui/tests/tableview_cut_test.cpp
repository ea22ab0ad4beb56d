// What Cut and Delete take from the table view: exactly what the copy put on the clipboard (hidden
// rows and columns stay), and whole rows only where every column of a row is selected, for
// deleting, cutting and the rows "Selection" prints. Real clicks and keys go into a real grid;
// the clipboard and the table are read back after each step.
#include "testsupport/clipboardtext.h"
#include "testsupport/keyinput.h"
#include "ui/commandids.h"
#include "ui/tests/tableviewtest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TableCutTest : public TableViewTest {
protected:
    // Rows 0..rows-1 of columns A..E: "a0", "b0", ... "e0".
    void FillGrid(int rows)
    {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 5; ++c)
                m_doc->CurrentSlot().SetCellText((std::string(1, char('a' + c)) + std::to_string(r)).c_str(), r, c);
        m_view->ResizeGridRows();
    }

    std::string Row(int row) const
    {
        std::string all;
        for (int c = 0; c < 5; ++c)
            all += (c ? " " : "") + Cell(row, c);
        return all;
    }

    // The whole table, rows separated by "|".
    std::string Table() const
    {
        std::string all;
        for (int r = 0; r < m_doc->GetTableRowCount(); ++r)
            all += (r ? "|" : "") + Row(r);
        return all;
    }

    void Click(int row, int col, UINT keys = 0)
    {
        CRect r;
        ASSERT_TRUE(m_grid->GetCellRect(row, col, &r));
        const CPoint p = r.CenterPoint();
        m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
        m_grid->SendMessage(WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
        DrainMessages();
    }

    // A click on row 3's number, then Ctrl+click on A7.
    void PickRow3AndCellA7()
    {
        Click(3, 0);
        HeldKeys ctrl({ VK_CONTROL });
        Click(7, 1, MK_CONTROL);
    }
};

} // namespace

TEST_F(TableCutTest, CutLeavesTheHiddenCellsItDidNotCopy)
{
    FillGrid(5);
    m_grid->SetColumnWidth(3, 0);          // C hidden
    m_grid->SetRowHeight(3, 0);            // table row 2 hidden
    m_grid->SetFocusCell(2, 2);
    m_grid->SetSelectedRange(2, 2, 4, 4);  // B..D of table rows 1..3
    Command(ID_EDIT_CUT);
    EXPECT_EQ("b1\td1\r\nb3\td3", ClipboardText());
    EXPECT_EQ("a1  c1  e1", Row(1));
    EXPECT_EQ("a2 b2 c2 d2 e2", Row(2));
    EXPECT_EQ("a3  c3  e3", Row(3));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("a1 b1 c1 d1 e1", Row(1));

    // Whole rows: the hidden one among them is not on the clipboard and is not deleted.
    SelectRows(2, 4);
    Command(ID_EDIT_CUT);
    // 25 shown columns: A, B, D, E and 21 empty ones.
    const std::string empties(21, '\t');
    EXPECT_EQ("a1\tb1\td1\te1" + empties + "\r\na3\tb3\td3\te3" + empties, ClipboardText());
    EXPECT_EQ("a0 b0 c0 d0 e0|a2 b2 c2 d2 e2|a4 b4 c4 d4 e4", Table());
    Command(ID_EDIT_UNDO);
    ASSERT_EQ(5, m_doc->GetTableRowCount());

    // Whole columns: the hidden one stays.
    m_grid->SetRowHeight(3, m_grid->GetRowHeight(1));
    m_grid->SetFocusCell(-1, -1);
    m_grid->SetSelectedRange(1, 2, m_grid->GetRowCount() - 1, 4);
    Command(ID_EDIT_CUT);
    EXPECT_EQ("a0 c0 e0  ", Row(0));
    EXPECT_EQ("a4 c4 e4  ", Row(4));
}

TEST_F(TableCutTest, ACellPickedBesideAWholeRowIsNoWholeRow)
{
    FillGrid(9);
    PickRow3AndCellA7();
    ASSERT_TRUE(m_grid->IsCellSelected(3, 26));
    ASSERT_TRUE(m_grid->IsCellSelected(7, 1));
    ASSERT_FALSE(m_grid->IsCellSelected(7, 2));

    // The rows "Selection" prints and the status bar counts.
    EXPECT_EQ(1, m_view->CountSelectedRows());
    EXPECT_EQ(3, m_view->GetFirstSelectedRow());
    EXPECT_EQ(3, m_view->GetLastSelectedRow());
    EXPECT_EQ(-1, m_view->GetNextSelectedRow(3));
    EXPECT_EQ(3, m_view->GetPrevSelectedRow(7));
    EXPECT_EQ(-1, m_view->GetPrevSelectedRow(3));
    EXPECT_STREQ("One row selected", Update(ID_STATUS_PANE_ROWS).m_strText);

    // Delete takes the whole row and leaves the cell.
    Command(ID_EDIT_DELETE);
    EXPECT_EQ(8, m_doc->GetTableRowCount());
    EXPECT_EQ("a1 b1 c1 d1 e1", Row(1));
    EXPECT_EQ("a3 b3 c3 d3 e3", Row(2));
    EXPECT_EQ("a6 b6 c6 d6 e6", Row(5));
    Command(ID_EDIT_UNDO);
    ASSERT_EQ(9, m_doc->GetTableRowCount());

    // Cut takes what it copied: row 3 whole (deleted) and A7 alone (cleared).
    PickRow3AndCellA7();
    Command(ID_EDIT_CUT);
    // Rows 4 to 6 have no selected cell: 26 empty fields each.
    const std::string emptyRow(25, '\t');
    EXPECT_EQ("a2\tb2\tc2\td2\te2" + std::string(21, '\t') + "\r\n" + emptyRow + "\r\n" + emptyRow + "\r\n" +
                  emptyRow + "\r\na6" + emptyRow,
              ClipboardText());
    EXPECT_EQ(8, m_doc->GetTableRowCount());
    EXPECT_EQ("a1 b1 c1 d1 e1", Row(1));
    EXPECT_EQ("a3 b3 c3 d3 e3", Row(2));
    EXPECT_EQ(" b6 c6 d6 e6", Row(5));
    EXPECT_EQ("a7 b7 c7 d7 e7", Row(6));
    EXPECT_EQ(1, UndoCopies());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("a2 b2 c2 d2 e2", Row(2));
    EXPECT_EQ("a6 b6 c6 d6 e6", Row(6));
}
