// The table view's selected rows: which of them count, the rows it offers the print dialog, the
// selected rows printed on the file printer, a filter that leaves nothing to print, and the
// column that holds the template's copies refusing numbers the copies cannot hold.
#include "document/tablefilter.h"
#include "document/tests/printhelpers.h"
#include "framework/print.h"
#include "framework/printdlg.h"
#include "labelmodel/template.h"
#include "testsupport/clipboardtext.h"
#include "testsupport/fileprinter.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/printdialogrecorder.h"
#include "testsupport/tempdir.h"
#include "ui/commandids.h"
#include "ui/tests/tableviewtest.h"

#include <gtest/gtest.h>

#include <string>

TEST_F(TableViewTest, SelectedRowsCountOnlyTableRows)
{
    Fill(5);
    EXPECT_EQ(-1, m_view->GetFirstSelectedRow());
    SelectRows(1, 1);
    EXPECT_EQ(1, m_view->GetLastSelectedRow());
    EXPECT_EQ(1, m_view->CountSelectedRows());
    SelectRows(3, 9);
    EXPECT_EQ(3, m_view->GetFirstSelectedRow());
    EXPECT_EQ(5, m_view->GetLastSelectedRow());
    EXPECT_EQ(3, m_view->CountSelectedRows());
    EXPECT_EQ(4, m_view->GetNextSelectedRow(3));
    EXPECT_EQ(-1, m_view->GetNextSelectedRow(5));
    EXPECT_EQ(4, m_view->GetPrevSelectedRow(5));
    EXPECT_EQ(-1, m_view->GetPrevSelectedRow(3));
    CTestCmdUI status = Update(ID_STATUS_PANE_ROWS);
    EXPECT_STREQ("3 rows selected", status.m_strText);
    // A cell range is not a row selection.
    m_grid->SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(0, m_view->CountSelectedRows());
    EXPECT_STREQ("", Update(ID_STATUS_PANE_ROWS).m_strText);
}

TEST_F(TableViewTest, PrintOffersTheSelectedRowsAndCancelChangesNothing)
{
    MessageBoxRecorder boxes;
    PrintDialogRecorder printDialogs;
    printtest::BuildBarcodeLabels(*m_doc, 30);
    m_doc->SetModifiedFlag(FALSE);
    m_view->ResizeGridRows();
    ASSERT_TRUE(m_doc->UsesTableData());

    // No whole rows: no Selection.
    Select(3, 1);
    printDialogs.AnswerCancel();
    Command(ID_FILE_PRINT);
    ASSERT_EQ(1u, printDialogs.Count());
    EXPECT_TRUE((printDialogs.Last().flags & PD_NOSELECTION) != 0);

    // Rows 3..7 (and empty rows below the table that never count).
    SelectRows(3, 7);
    printDialogs.AnswerCancel();
    Command(ID_FILE_PRINT);
    ASSERT_EQ(2u, printDialogs.Count());
    EXPECT_FALSE((printDialogs.Last().flags & PD_NOSELECTION) != 0);
    EXPECT_TRUE((printDialogs.Last().flags & PD_SELECTION) != 0);
    EXPECT_EQ(5, m_view->CountSelectedRows());
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ("Name 001", Cell(0, 0));
    EXPECT_EQ(30, m_doc->GetTableRowCount());
}

TEST_F(TableViewTest, PrintsTheSelectedRowsOnTheFilePrinter)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    MessageBoxRecorder boxes;
    PrintDialogRecorder printDialogs;
    TempDir temp;
    printtest::BuildBarcodeLabels(*m_doc, 30);
    m_view->ResizeGridRows();
    SelectRows(3, 7);

    printDialogs.AnswerSelection();
    CPrintInfo info;
    ASSERT_TRUE(printtest::PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
    ASSERT_TRUE(m_view->OnPreparePrinting(&info));
    EXPECT_TRUE((info.m_pPD->m_pd.Flags & PD_SELECTION) != 0);
    if (info.m_pPD->m_pd.hDC == nullptr)
        ASSERT_NE(nullptr, info.m_pPD->CreatePrinterDC());
    const CString psFile = temp.Path("rows.ps");
    info.m_strOutputFile = psFile;
    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    EXPECT_TRUE(m_view->RunPrintJob(&dc, &info));
    dc.Detach();
    // Five labels fit one sheet of twelve; the engine took grid rows 3..7, the last of them 7.
    EXPECT_EQ(1, info.m_nPagesPrinted);
    EXPECT_TRUE(m_doc->GetPrintState().selection);
    EXPECT_TRUE(m_doc->GetPrintState().labelsPrinted);
    EXPECT_EQ(7, m_doc->GetPrintState().lastPrintedRow);
    EXPECT_FALSE(printtest::ReadFileBytes(psFile).empty());
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(TableViewTest, TheCopiesColumnRefusesNumbersTheTemplatesCopiesCannotHold)
{
    MessageBoxRecorder boxes;
    Fill(3);
    m_doc->GetCurrentTemplate()->SetCopies(-2);          // column B holds the copies
    EndEdit(1, 2, "32767");
    EXPECT_EQ("32767", Cell(0, 1));
    EXPECT_EQ(0u, boxes.Count());
    const int undo = UndoCopies();

    EndEdit(2, 2, "40000");
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find("Column B"));
    EXPECT_NE(-1, boxes.Last().text.Find("32767"));
    EXPECT_EQ(m_view->m_hWnd, boxes.Last().owner);
    EXPECT_EQ("", Cell(1, 1));
    EXPECT_EQ(undo, UndoCopies());
    EndEdit(1, 2, "-40000");
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_EQ("32767", Cell(0, 1));

    // Other columns, and the column once the copies are fixed, take any text.
    EndEdit(2, 3, "40000");
    EXPECT_EQ("40000", Cell(1, 2));
    m_doc->GetCurrentTemplate()->SetCopies(3);
    EndEdit(2, 2, "40000");
    EXPECT_EQ("40000", Cell(1, 1));
    EXPECT_EQ(2u, boxes.Count());
}

TEST_F(TableViewTest, APasteIntoTheCopiesColumnSaysOnceWhatItRefused)
{
    MessageBoxRecorder boxes;
    Fill(3);
    m_doc->CurrentSlot().SetCellText("1", 0, 1);
    m_doc->CurrentSlot().SetCellText("keep", 1, 1);
    m_doc->GetCurrentTemplate()->SetCopies(-2);          // column B holds the copies
    // 300 values, every third one too large for the copies: 100 refused, the first in B2.
    std::string text;
    for (int k = 0; k < 300; ++k)
        text += (k % 3 == 1 ? std::string("40000") : std::to_string(k + 1)) + "\r\n";
    ASSERT_TRUE(PutClipboardText(text));
    Select(1, 2);
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(1u, boxes.Count());
    const CString said = boxes.Last().text;
    EXPECT_NE(-1, said.Find("Column B")) << said.GetString();
    EXPECT_NE(-1, said.Find("100 pasted cells")) << said.GetString();
    EXPECT_NE(-1, said.Find("B2 (\"40000\")")) << said.GetString();
    EXPECT_EQ(m_view->m_hWnd, boxes.Last().owner);
    EXPECT_EQ(MB_ICONEXCLAMATION, boxes.Last().Icon());
    EXPECT_EQ("1", Cell(0, 1));
    EXPECT_EQ("keep", Cell(1, 1)) << "a refused cell keeps its text";
    EXPECT_EQ("3", Cell(2, 1));
    EXPECT_EQ("4", Cell(3, 1));
    EXPECT_EQ("", Cell(4, 1));
    EXPECT_EQ("300", Cell(299, 1));
    EXPECT_EQ(1, UndoCopies());

    // One refused cell is named alone; a paste without refusals says nothing.
    ASSERT_TRUE(PutClipboardText("7\t99999\r\nx"));
    Select(5, 1);
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find("One pasted cell")) << boxes.Last().text.GetString();
    EXPECT_NE(-1, boxes.Last().text.Find("B5 (\"99999\")")) << boxes.Last().text.GetString();
    EXPECT_EQ("7", Cell(4, 0));
    EXPECT_EQ("", Cell(4, 1));
    EXPECT_EQ("x", Cell(5, 0));
    ASSERT_TRUE(PutClipboardText("12"));
    Select(7, 2);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_EQ("12", Cell(6, 1));
}

TEST_F(TableViewTest, AFilterHidingEveryRowPrintsNothingAndSaysSo)
{
    MessageBoxRecorder boxes;
    PrintDialogRecorder printDialogs;
    printtest::BuildBarcodeLabels(*m_doc, 12);
    TableSlot& slot = m_doc->CurrentSlot();
    slot.CreateFilter();
    slot.SetFilterText(kFilterInclude1, "no row holds this");
    slot.ToggleFilterFlag(kFilterInclude1, 1);
    slot.ToggleFilter();
    ASSERT_TRUE(slot.IsFilterOn());
    m_view->ResizeGridRows();

    printDialogs.AnswerOK();
    Command(ID_FILE_PRINT);
    EXPECT_EQ(0u, printDialogs.Count());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find("filter hides every row"));
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_FALSE(m_doc->GetPrintState().labelsPrinted);
}
