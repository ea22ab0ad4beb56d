// The table view on a real project document, hosted in a window of the test's own: the grid's
// requests and notifications, the table commands with their updates, find and replace, the
// imports and filter files through the file-dialog recorder. The selected rows, their printing
// and the copies column are in tableview_rows_test.cpp.
#include "testsupport/platformprobe.h"
#include "document/tablefiles.h"
#include "document/tablefilter.h"
#include "framework/menu.h"
#include "labelmodel/template.h"
#include "testsupport/filedialogrecorder.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "ui/commandids.h"
#include "ui/tablefilterdlg.h"
#include "ui/tests/tableviewtest.h"

#include <gtest/gtest.h>

#include <string>

TEST_F(TableViewTest, GridLayoutAndDisplay)
{
    EXPECT_EQ(27, m_grid->GetColumnCount());
    EXPECT_EQ(1, m_grid->GetFixedRowCount());
    EXPECT_EQ(1, m_grid->GetFixedColumnCount());
    EXPECT_TRUE(m_grid->GetVirtualMode());
    RECT rect;
    ::GetWindowRect(m_grid->m_hWnd, &rect);
    EXPECT_EQ(640, rect.right - rect.left);
    EXPECT_EQ(480, rect.bottom - rect.top);
    // It follows the view.
    ::MoveWindow(m_view->m_hWnd, 0, 0, 500, 300, TRUE);
    ::GetWindowRect(m_grid->m_hWnd, &rect);
    EXPECT_EQ(500, rect.right - rect.left);
    EXPECT_EQ(300, rect.bottom - rect.top);

    Fill(3);
    EXPECT_EQ("A", Shown(0, 1));
    EXPECT_EQ("Z", Shown(0, 26));
    EXPECT_EQ("2", Shown(2, 0));
    UINT format = 0;
    EXPECT_EQ("r1", Shown(2, 1, &format));
    EXPECT_EQ(static_cast<UINT>(DT_RIGHT), format);
    EXPECT_EQ("", Shown(9, 3));

    m_doc->ToggleImageColumn(1);
    EXPECT_EQ("Image 1", Shown(0, 2));
    m_doc->ToggleImageColumn(3);
    EXPECT_EQ("Image 2", Shown(0, 4));
}

TEST_F(TableViewTest, ResizeGridRowsFollowsTheFormula)
{
    const int rowHeight = m_grid->GetRowHeight(0);
    ASSERT_GT(rowHeight, 0);
    m_view->ResizeGridRows(480);
    EXPECT_EQ(std::max(480 / rowHeight * 12 / 10, 0 + 11), m_grid->GetRowCount());
    Fill(200);
    m_view->ResizeGridRows(480);
    EXPECT_EQ(211, m_grid->GetRowCount());
    // A current row below the table keeps eleven rows below it.
    Select(205, 1);
    m_view->ResizeGridRows(10);
    EXPECT_EQ(216, m_grid->GetRowCount());
}

TEST_F(TableViewTest, EndEditWritesTheCellWithOneUndoCopyAndCutsAt256)
{
    Fill(2);
    EndEdit(2, 2, "hello");
    EXPECT_EQ("hello", Cell(1, 1));
    EXPECT_EQ(1, UndoCopies());
    EXPECT_TRUE(m_doc->IsModified());
    const std::string longText(300, 'x');
    EndEdit(1, 1, longText.c_str());
    EXPECT_EQ(std::string(255, 'x'), Cell(0, 0).substr(0, 255));
    EXPECT_LE(Cell(0, 0).size(), 256u);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("r0", Cell(0, 0));
}

TEST_F(TableViewTest, BeginEditOnAnImageColumnAsksForTheLinkDialog)
{
    Fill(2);
    m_doc->ToggleImageColumn(0);
    EXPECT_LT(Notify(GRIDN_BEGINEDIT, 1, 1), 0);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, m_view->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(ID_TABLE_LINK_IMAGE), msg.wParam);
    EXPECT_EQ(0, Notify(GRIDN_BEGINEDIT, 1, 2));
    EXPECT_TRUE(Update(ID_TABLE_LINK_IMAGE).m_bEnabled);
}

TEST_F(TableViewTest, SelectionChangeSetsThePreviewRow)
{
    Fill(5);
    Select(4, 2);
    EXPECT_EQ(4, m_view->GetCurrentRow());
    EXPECT_EQ(2, m_view->GetCurrentColumn());
    EXPECT_EQ(3, m_doc->GetPreviewRow());
    // The header row never gives a row below 0.
    Notify(GRIDN_SELCHANGED, 0, 2);
    EXPECT_GE(m_doc->GetPreviewRow(), 0);
}

TEST_F(TableViewTest, InsertAndDeleteRowsAndColumns)
{
    Fill(6);
    Select(2, 1);
    Command(ID_TABLE_INSERT_ROW);
    EXPECT_EQ("r0  r1 r2 r3 r4 r5", Column(0));
    EXPECT_EQ(1, UndoCopies());

    // Rows 3 and 5 of a whole-row selection: both go, the lower first.
    m_grid->SetSelectedRange(3, 1, 3, 26);
    m_grid->SetSelectedRange(5, 1, 5, 26, FALSE, TRUE);
    SelectRows(3, 5);
    Command(ID_EDIT_DELETE);
    EXPECT_EQ("r0  r4 r5", Column(0));
    EXPECT_EQ(2, UndoCopies());

    // Whole columns take their undo copy too.
    m_doc->CurrentSlot().SetCellText("b", 0, 1);
    m_grid->SetSelectedRange(1, 1, m_grid->GetRowCount() - 1, 1);
    Command(ID_EDIT_DELETE);
    EXPECT_EQ("b", Cell(0, 0));
    EXPECT_EQ(3, UndoCopies());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("r0", Cell(0, 0));

    // A plain cell range deletes nothing.
    m_grid->SetSelectedRange(1, 1, 2, 2);
    Command(ID_EDIT_DELETE);
    EXPECT_EQ("r0", Cell(0, 0));

    Select(1, 2);
    Command(ID_TABLE_INSERT_COLUMN);
    EXPECT_EQ("r0", Cell(0, 0));
    EXPECT_EQ("", Cell(0, 1));
    EXPECT_EQ("b", Cell(0, 2));
}

TEST_F(TableViewTest, CutAndPasteThroughTheGridTakeOneUndoCopyEach)
{
    Fill(4);
    m_grid->SetSelectedRange(1, 1, 2, 1);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(" " " r2 r3", Column(0));
    EXPECT_EQ(1, UndoCopies());
    Select(3, 2);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ("r0", Cell(2, 1));
    EXPECT_EQ("r1", Cell(3, 1));
    EXPECT_EQ(2, UndoCopies());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("", Cell(2, 1));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("r0 r1 r2 r3", Column(0));

    // Whole rows cut: copied, then deleted.
    SelectRows(2, 3);
    Command(ID_EDIT_CUT);
    EXPECT_EQ("r0 r3", Column(0));
    EXPECT_EQ(1, UndoCopies());
}

TEST_F(TableViewTest, SortAndItsUpdate)
{
    EXPECT_FALSE(Update(ID_TABLE_SORT_ASCENDING).m_bEnabled);
    m_doc->CurrentSlot().SetCellText("b", 0, 0);
    m_doc->CurrentSlot().SetCellText("c", 1, 0);
    m_doc->CurrentSlot().SetCellText("a", 2, 0);
    m_view->ResizeGridRows();
    EXPECT_TRUE(Update(ID_TABLE_SORT_ASCENDING).m_bEnabled);
    Select(1, 1);
    Command(ID_TABLE_SORT_ASCENDING);
    EXPECT_EQ("a b c", Column(0));
    Command(ID_TABLE_SORT_DESCENDING);
    EXPECT_EQ("c b a", Column(0));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("a b c", Column(0));
}

TEST_F(TableViewTest, RowStepsStayInsideTheTable)
{
    Fill(30);
    Select(5, 2);
    Command(ID_TABLE_FIRST_ROW);
    EXPECT_EQ(1, m_grid->GetFocusCell().row);
    EXPECT_EQ(2, m_grid->GetFocusCell().col);
    EXPECT_EQ(0, m_doc->GetPreviewRow());
    Command(ID_TABLE_PREV_ROW);
    EXPECT_EQ(1, m_grid->GetFocusCell().row);
    Command(ID_TABLE_NEXT_ROW);
    EXPECT_EQ(2, m_grid->GetFocusCell().row);
    EXPECT_EQ(1, m_doc->GetPreviewRow());
    Command(ID_TABLE_LAST_ROW);
    EXPECT_EQ(30, m_grid->GetFocusCell().row);
    EXPECT_EQ(29, m_doc->GetPreviewRow());
    Command(ID_TABLE_NEXT_ROW);
    EXPECT_EQ(30, m_grid->GetFocusCell().row);

    // A page is the stock's labels on one sheet: rows x columns x blocks.
    auto* stock = new CLabelFileNew();
    stock->SetRows(3);
    stock->SetColumns(2);
    stock->SetVerticalBlocks(2);
    m_doc->GetCurrentTemplate()->SetLabelStock(stock);
    EXPECT_EQ(12, m_view->GetPageStep());
    Command(ID_TABLE_NEXT_PAGE);
    EXPECT_EQ(30, m_grid->GetFocusCell().row);
    Command(ID_TABLE_PREV_PAGE);
    EXPECT_EQ(18, m_grid->GetFocusCell().row);
    Command(ID_TABLE_PREV_PAGE);
    Command(ID_TABLE_PREV_PAGE);
    EXPECT_EQ(1, m_grid->GetFocusCell().row);
    Command(ID_TABLE_NEXT_PAGE);
    EXPECT_EQ(13, m_grid->GetFocusCell().row);
    // Counts whose product passes 32 bits give the largest step, never a negative one.
    stock->SetRows(0x10000);
    stock->SetColumns(0x10000);
    EXPECT_EQ(0x7FFFFFFF, m_view->GetPageStep());
    Command(ID_TABLE_NEXT_PAGE);
    EXPECT_EQ(30, m_grid->GetFocusCell().row);
    Command(ID_TABLE_PREV_PAGE);
    EXPECT_EQ(1, m_grid->GetFocusCell().row);
}

TEST_F(TableViewTest, FindFollowsTheDialogsRules)
{
    MessageBoxRecorder boxes;
    m_doc->CurrentSlot().SetCellText("Apple", 0, 0);
    m_doc->CurrentSlot().SetCellText("apple pie", 1, 0);
    m_doc->CurrentSlot().SetCellText("APPLE", 2, 0);
    m_doc->CurrentSlot().SetCellText("pear", 3, 0);
    m_view->ResizeGridRows();
    Select(1, 1);

    // Find moves off the focus row first.
    EXPECT_TRUE(m_view->FindText("apple", nullptr, false, false, true, COstrelindSoftTableView::kFind));
    EXPECT_EQ(2, m_grid->GetFocusCell().row);
    EXPECT_TRUE(m_view->FindText("apple", nullptr, false, false, true, COstrelindSoftTableView::kFind));
    EXPECT_EQ(3, m_grid->GetFocusCell().row);
    // Match case and whole cell.
    Select(1, 1);
    EXPECT_TRUE(m_view->FindText("APPLE", nullptr, true, true, true, COstrelindSoftTableView::kFind));
    EXPECT_EQ(3, m_grid->GetFocusCell().row);
    EXPECT_EQ(2, m_doc->GetPreviewRow());
    // Up.
    EXPECT_TRUE(m_view->FindText("apple", nullptr, false, true, false, COstrelindSoftTableView::kFind));
    EXPECT_EQ(1, m_grid->GetFocusCell().row);
    EXPECT_EQ(0u, boxes.Count());

    // Nothing found while nothing was found before: string 688, once.
    EXPECT_FALSE(m_view->FindText("plum", nullptr, false, false, true, COstrelindSoftTableView::kFind));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Cannot find the text you're searching for.", boxes.Last().text);
    // At the end of a search that found before, no message; a new text clears that state.
    Select(1, 1);
    EXPECT_TRUE(m_view->FindText("apple", nullptr, false, false, true, COstrelindSoftTableView::kFind));
    Select(3, 1);
    EXPECT_FALSE(m_view->FindText("apple", nullptr, false, false, true, COstrelindSoftTableView::kFind));
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_FALSE(m_view->FindText("peach", nullptr, false, false, true, COstrelindSoftTableView::kFind));
    EXPECT_EQ(2u, boxes.Count());
}

TEST_F(TableViewTest, ReplaceOnceAndReplaceAllWithOneUndo)
{
    MessageBoxRecorder boxes;
    Fill(5, "a");
    Select(2, 1);
    EXPECT_TRUE(m_view->FindText("a", "b", true, false, true, COstrelindSoftTableView::kReplaceOnce));
    EXPECT_EQ("a0 b1 a2 a3 a4", Column(0));
    EXPECT_EQ(1, UndoCopies());

    // "a" -> "aa" ends, every row once.
    Select(1, 1);
    EXPECT_TRUE(m_view->FindText("a", "aa", true, false, true, COstrelindSoftTableView::kReplaceAll));
    EXPECT_EQ("aa0 b1 aa2 aa3 aa4", Column(0));
    EXPECT_EQ(2, UndoCopies());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("a0 b1 a2 a3 a4", Column(0));

    // Results are cut at 255 characters.
    const std::string big(200, 'q');
    m_doc->CurrentSlot().SetCellText(big.c_str(), 0, 1);
    Select(1, 2);
    EXPECT_TRUE(m_view->FindText("q", big.c_str(), true, false, true, COstrelindSoftTableView::kReplaceOnce));
    EXPECT_EQ(255u, Cell(0, 1).size());
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(TableViewTest, FindDialogIsModelessAndGoesWithTheView)
{
    Fill(3);
    Select(1, 1);
    Command(ID_TABLE_FIND);
    HWND dialog = m_view->GetFindDialogWindow();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(::IsWindow(dialog));
    // Typing into the dialog and pressing Find next reaches the view.
    ::SetDlgItemTextA(dialog, 0x480 /* edt1 */, "r2");
    ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    DrainMessages();
    EXPECT_EQ(3, m_grid->GetFocusCell().row);
    // Enter in the dialog's edit box comes through the loop's pre-translation as Find next.
    Select(1, 1);
    ::SetDlgItemTextA(dialog, 0x480, "R1");
    MSG enter = {::GetDlgItem(dialog, 0x480), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(nullptr, &enter));
    DrainMessages();
    EXPECT_EQ(2, m_grid->GetFocusCell().row);
    // The tab goes with the dialog open: the dialog goes first.
    m_view->DestroyWindow();
    m_view = nullptr;
    DrainMessages();
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST_F(TableViewTest, ImportsAndFilterFilesThroughTheFileDialogs)
{
    TempDir dir;
    MessageBoxRecorder boxes;
    FileDialogRecorder files;
    Fill(2);

    // The filter store is a save dialog with the ".filter" extension that asks before replacing.
    files.AnswerCancel();
    Command(ID_FILTER_STORE);
    ASSERT_EQ(1u, files.Count());
    EXPECT_FALSE(files.Last().open);
    EXPECT_STREQ("filter", files.Last().defaultExt);
    EXPECT_TRUE((files.Last().flags & OFN_OVERWRITEPROMPT) != 0);
    EXPECT_FALSE((files.Last().flags & OFN_FILEMUSTEXIST) != 0);

    // A damaged table file: a message, the table unchanged.
    const CString bad = dir.Path("bad.tbl");
    ASSERT_TRUE(WriteWholeFile(bad, std::string("TABL\x01\x00garbage", 13)));
    files.AnswerPath(bad);
    Command(ID_TABLE_IMPORT);
    EXPECT_TRUE(files.Last().open);
    EXPECT_TRUE((files.Last().flags & OFN_FILEMUSTEXIST) != 0);
    EXPECT_EQ("r0 r1", Column(0));
    EXPECT_GE(boxes.Count(), 1u);

    // Cancel changes nothing.
    const int copies = UndoCopies();
    files.AnswerCancel();
    Command(ID_TABLE_IMPORT_EXCEL);
    EXPECT_EQ("r0 r1", Column(0));
    EXPECT_STREQ("Excel files|*.xl*||", files.Last().filter);

    // A damaged workbook: its message, the table, its name and its undo copies as they were.
    const CString book = dir.Path("broken.xls");
    ASSERT_TRUE(WriteWholeFile(book, std::string(600, '\x07')));
    const size_t before = boxes.Count();
    const CString name = m_doc->GetTableName(0);
    m_doc->SetModifiedFlag(FALSE);
    files.AnswerPath(book);
    Command(ID_TABLE_IMPORT_EXCEL);
    EXPECT_EQ("r0 r1", Column(0));
    EXPECT_EQ(before + 1, boxes.Count());
    EXPECT_EQ(copies, UndoCopies());
    EXPECT_STREQ(name, m_doc->GetTableName(0));
    EXPECT_FALSE(m_doc->IsModified());
}

TEST_F(TableViewTest, FilterSetupAsksFirstAndTheViewClosesItsDialog)
{
    MessageBoxRecorder boxes;
    Fill(3);
    boxes.Answer(IDNO);
    Command(ID_FILTER_SETUP);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(nullptr, m_doc->CurrentSlot().Filter());
    EXPECT_EQ(nullptr, m_view->GetFilterDialog());
    boxes.Answer(IDYES);
    Command(ID_FILTER_SETUP);
    EXPECT_NE(nullptr, m_doc->CurrentSlot().Filter());
    ASSERT_NE(nullptr, m_view->GetFilterDialog());
    HWND dialog = m_view->GetFilterDialog()->m_hWnd;
    EXPECT_TRUE(::IsWindow(dialog));
    CTestCmdUI check = Update(ID_FILTER_ENABLE);
    EXPECT_EQ(0, check.m_nCheck);
    m_view->DestroyWindow();
    m_view = nullptr;
    DrainMessages();
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST_F(TableViewTest, UpdatesOfTheRestOfTheCommands)
{
    EXPECT_FALSE(Update(ID_EDIT_UNDO).m_bEnabled);
    EXPECT_FALSE(Update(ID_TABLE_LINK_IMAGE).m_bEnabled);
    EXPECT_TRUE(Update(ID_TABLE_FIND).m_bEnabled);
    EXPECT_TRUE(Update(ID_EDIT_PASTE).m_bEnabled);
    Select(1, 2);
    EXPECT_EQ(0, Update(ID_TABLE_IMAGE_COLUMN).m_nCheck);
    Command(ID_TABLE_IMAGE_COLUMN);
    EXPECT_TRUE(m_doc->IsImageColumn(1));
    EXPECT_EQ(1, Update(ID_TABLE_IMAGE_COLUMN).m_nCheck);
    EXPECT_TRUE(Update(ID_TABLE_LINK_IMAGE).m_bEnabled);
    // The charset combo is written only while the table has the focus.
    ::SetFocus(nullptr);
    EXPECT_FALSE(Update(ID_CHARACTER_SET).m_bTextSet);
}

TEST_F(TableViewTest, ReplaceDialogReplacesAllWithMatchCase)
{
    MessageBoxRecorder boxes;
    m_doc->CurrentSlot().SetCellText("a", 0, 0);
    m_doc->CurrentSlot().SetCellText("A", 1, 0);
    m_doc->CurrentSlot().SetCellText("ba", 2, 0);
    m_view->ResizeGridRows();
    Select(1, 1);
    Command(ID_TABLE_REPLACE);
    HWND dialog = m_view->GetFindDialogWindow();
    ASSERT_NE(nullptr, dialog);
    ::SetDlgItemTextA(dialog, 0x480 /* edt1 */, "a");
    ::SetDlgItemTextA(dialog, 0x481 /* edt2 */, "aa");
    ::SendMessageA(::GetDlgItem(dialog, 0x411 /* chx2, match case */), BM_CLICK, 0, 0);
    ::SendMessageA(::GetDlgItem(dialog, 0x401 /* psh2, replace all */), BM_CLICK, 0, 0);
    DrainMessages();
    EXPECT_EQ("aa A baa", Column(0));
    EXPECT_EQ(1, UndoCopies());
    // Cancel closes it; the view forgets it and the grid has the focus.
    ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    DrainMessages();
    EXPECT_EQ(nullptr, m_view->GetFindDialog());
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(0u, boxes.Count());
}

namespace {
HMENU g_trackedMenu = nullptr;
UINT g_trackedEnabledInsert = 0;
UINT TrackInsertRow(HMENU menu, UINT, int, int, HWND)
{
    g_trackedMenu = menu;
    g_trackedEnabledInsert = ::GetMenuState(menu, ID_TABLE_INSERT_ROW, MF_BYCOMMAND);
    return ID_TABLE_INSERT_ROW;
}
} // namespace

TEST_F(TableViewTest, ContextMenuRaisesTheViewsCommands)
{
    Fill(3);
    Select(2, 1);
    PopupMenuTracker previous = SetPopupMenuTracker(TrackInsertRow);
    m_view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_grid->m_hWnd), MAKELPARAM(-1, -1));
    SetPopupMenuTracker(previous);
    ASSERT_NE(nullptr, g_trackedMenu);
    EXPECT_EQ(0u, g_trackedEnabledInsert & (MF_GRAYED | MF_DISABLED));
    DrainMessages();
    EXPECT_EQ("r0  r1 r2", Column(0));
}

TEST_F(TableViewTest, TableAndFilterFilesRoundTrip)
{
    TempDir dir;
    MessageBoxRecorder boxes;
    FileDialogRecorder files;

    // A table-and-filter file written from another table is appended.
    {
        TableSlot other;
        other.SetCellText("x1", 0, 0);
        other.SetCellText("x2", 1, 0);
        ASSERT_TRUE(WriteTbfFile(other, dir.Path("more.tbf")));
    }
    Fill(2);
    files.AnswerPath(dir.Path("more.tbf"));
    Command(ID_TABLE_IMPORT);
    EXPECT_EQ("r0 r1 x1 x2", Column(0));
    EXPECT_EQ(1, UndoCopies());
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_GE(m_grid->GetRowCount(), 4 + 11);

    // Store a filter and load it back into a table without one.
    m_doc->CurrentSlot().CreateFilter();
    m_doc->CurrentSlot().SetFilterText(2, "x");
    files.AnswerPath(dir.Path("mine.filter"));
    Command(ID_FILTER_STORE);
    EXPECT_FALSE(ReadWholeFile(dir.Path("mine.filter")).empty());
    m_doc->CurrentSlot().SetFilter(nullptr);
    files.AnswerPath(dir.Path("mine.filter"));
    Command(ID_FILTER_LOAD);
    ASSERT_NE(nullptr, m_doc->CurrentSlot().Filter());
    EXPECT_STREQ("x", m_doc->CurrentSlot().GetFilterText(2));
    EXPECT_STREQ("filter", files.Last().defaultExt);
    EXPECT_TRUE((files.Last().flags & OFN_FILEMUSTEXIST) != 0);

    // A file with another version word, or another magic, is reported and the filter stays.
    const std::string stored = ReadWholeFile(dir.Path("mine.filter"));
    ASSERT_GT(stored.size(), 8u);
    std::string version = stored, magic = stored;
    version[4] = 7;
    magic[3] = 'X';
    ASSERT_TRUE(WriteWholeFile(dir.Path("version.filter"), version));
    ASSERT_TRUE(WriteWholeFile(dir.Path("magic.filter"), magic));
    for (const char* name : {"version.filter", "magic.filter"}) {
        SCOPED_TRACE(name);
        const size_t before = boxes.Count();
        const CDataTableFilter* filter = m_doc->CurrentSlot().Filter();
        files.AnswerPath(dir.Path(name));
        Command(ID_FILTER_LOAD);
        ASSERT_EQ(before + 1, boxes.Count());
        EXPECT_STREQ("Corrupt file or wrong file version", boxes.Last().text);
        EXPECT_EQ(filter, m_doc->CurrentSlot().Filter());
        EXPECT_STREQ("x", m_doc->CurrentSlot().GetFilterText(2));
        EXPECT_EQ("r0 r1 x1 x2", Column(0));
    }
}

TEST_F(TableViewTest, PaintsHeaderLettersAndCellInk)
{
    Fill(3, "WWWWWW");
    ::ShowWindow(m_host.m_hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_host.m_hWnd);
    ::RedrawWindow(m_grid->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT header, cell;
    ASSERT_TRUE(m_grid->GetCellRect(0, 1, &header));
    ASSERT_TRUE(m_grid->GetCellRect(1, 1, &cell));
    HDC dc = ::GetDC(m_grid->m_hWnd);
    // Dark pixels: text ink, not the background or the grid lines alone.
    auto ink = [dc](const RECT& r) {
        int dark = 0;
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = r.left + 2; x < r.right - 2; ++x) {
                const COLORREF c = ::GetPixel(dc, x, y);
                if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200)
                    ++dark;
            }
        return dark;
    };
    const int headerInk = ink(header);
    const int cellInk = ink(cell);
    RECT empty;
    m_grid->GetCellRect(9, 1, &empty);
    const int emptyInk = ink(empty);
    ::ReleaseDC(m_grid->m_hWnd, dc);
    EXPECT_GT(headerInk, 5);
    EXPECT_GT(cellInk, 20);
    EXPECT_EQ(0, emptyInk);
}

TEST_F(TableViewTest, FilteredHeaderShowsTheBaseLetters)
{
    Fill(3);
    m_doc->CurrentSlot().CreateFilter();
    // Column B hidden: the shown columns are A, C, D, ...
    const bool shown = m_doc->CurrentSlot().ToggleFilterFlag(0, 1);
    if (shown)
        m_doc->CurrentSlot().ToggleFilterFlag(0, 1);
    Command(ID_FILTER_ENABLE);
    ASSERT_TRUE(m_doc->CurrentSlot().IsFilterOn());
    EXPECT_EQ(1, Update(ID_FILTER_ENABLE).m_nCheck);
    EXPECT_EQ("A", Shown(0, 1));
    EXPECT_EQ("C", Shown(0, 2));
}

TEST_F(TableViewTest, CharsetBoxNeedsFocus)
{
    Fill(3);
    // Without the focus in the grid the combo is left alone.
    ::SetFocus(nullptr);
    EXPECT_FALSE(Update(ID_CHARACTER_SET).m_bTextSet);
    // With the grid focused it shows the table font's charset.
    KORVELTA_NEEDS_PLATFORM(ProbeKeyboardFocus(m_grid->m_hWnd), "the keyboard focus");
    CTestCmdUI charset = Update(ID_CHARACTER_SET);
    EXPECT_TRUE(charset.m_bTextSet);
    EXPECT_STREQ(m_doc->GetCharsetName(m_doc->GetTableCharset()), charset.m_strText);
}

TEST_F(TableViewTest, ImageColumnOperationsOfTheLinkDialog)
{
    Fill(4);
    m_doc->ToggleImageColumn(2);
    m_doc->ToggleImageColumn(4);
    Select(2, 1);
    EXPECT_TRUE(m_view->LinkImageFiles(2, {CString("e1.png"), CString("e2.png"), CString("e3.png")}));
    EXPECT_EQ(" e1.png e2.png e3.png", Column(4));
    EXPECT_EQ(1, UndoCopies());
    EXPECT_FALSE(m_view->AreImageCellsFilled());
    EXPECT_TRUE(m_view->SetImageCell(1, 1, "c.png"));
    EXPECT_TRUE(m_view->AreImageCellsFilled());
    CString text;
    EXPECT_TRUE(m_view->GetImageCell(1, text));
    EXPECT_STREQ("c.png", text);
    EXPECT_TRUE(m_view->ClearImageCell(1));
    EXPECT_EQ("", Cell(1, 2));
    EXPECT_FALSE(m_view->LinkImageFiles(3, {CString("x")}));
    // A path longer than a label keeps is refused with a message; the others are linked.
    {
        MessageBoxRecorder boxes;
        const CString tooLong = CString("C:\\") + CString(std::string(130, 'l').c_str()) + "\\f.png";
        EXPECT_FALSE(m_view->LinkImageFiles(1, {tooLong}));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_NE(-1, boxes.Last().text.Find(tooLong));
        EXPECT_EQ(1, UndoCopies());
        EXPECT_TRUE(m_view->LinkImageFiles(1, {tooLong, CString("ok.png")}));
        EXPECT_EQ(2u, boxes.Count());
        EXPECT_EQ("ok.png", Cell(1, 2));
        EXPECT_EQ(2, UndoCopies());
    }
    m_view->MoveToNextRow();
    EXPECT_EQ(3, m_view->GetCurrentRow());
    m_view->MoveToPreviousRow();
    m_view->MoveToPreviousRow();
    m_view->MoveToPreviousRow();
    EXPECT_EQ(1, m_view->GetCurrentRow());
}

TEST_F(TableViewTest, TabRemovalDestroysTheViewAndItsDialogs)
{
    Fill(2);
    Command(ID_TABLE_FIND);
    HWND find = m_view->GetFindDialogWindow();
    ASSERT_NE(nullptr, find);
    HWND view = m_view->m_hWnd;
    ::PostMessageA(view, WM_TABVIEW_REMOVE, 0, 0);
    DrainMessages();
    EXPECT_FALSE(::IsWindow(view));
    EXPECT_FALSE(::IsWindow(find));
    m_view = nullptr;
}
