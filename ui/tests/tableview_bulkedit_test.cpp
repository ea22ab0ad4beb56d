// The table view's edits that change many cells at once, and the columns it and its dialogs
// address: image cells cleared with the rest by Delete and Cut in one undo step; Ctrl-picked
// columns deleted without the ones between them; the paste and cut flags put back after the grid
// throws; a selection change without a row; and, with the filter hiding a column, image links,
// the Sequence and the Repeat dialogs writing under the header letter they name. Real messages go
// into a real view and grid; dialogs are answered by the dialog driver.
#include "document/labeldoc.h"
#include "document/tablefilter.h"
#include "document/tableslot.h"
#include "document/tableundo.h"
#include "framework/doctempl.h"
#include "grid/griddefs.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "ui/commandids.h"
#include "ui/linkimagedlg.h"
#include "ui/tabledialogids.h"
#include "ui/tableview.h"
#include "ui/tableviewids.h"
#include "ui/tests/tableviewtest.h"
#include "uitestsupport.h"
#include "testsupport/keyinput.h"
#include "testsupport/dropfiles.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// A grid that does its paste or its clearing and then runs out of memory, as the real one can
// half way through a large paste.
class ThrowingGrid : public CGridCtrl {
public:
    bool throwOnPaste = false;
    bool throwOnClear = false;

    BOOL PasteFromDataObject(int row, int col, COleDataObject* data, BOOL selectPasted) override
    {
        const BOOL done = CGridCtrl::PasteFromDataObject(row, col, data, selectPasted);
        if (throwOnPaste)
            throw std::bad_alloc();
        return done;
    }
    void ClearSelectedText() override
    {
        CGridCtrl::ClearSelectedText();
        if (throwOnClear)
            throw std::bad_alloc();
    }
    // Cut's clearing: the cells it copied.
    void ClearCopiedText() override
    {
        CGridCtrl::ClearCopiedText();
        if (throwOnClear)
            throw std::bad_alloc();
    }
};

class ThrowingGridTableView : public COstrelindSoftTableView {
public:
    ThrowingGrid* grid = nullptr;

protected:
    CGridCtrl* NewGrid() override
    {
        grid = new ThrowingGrid();
        return grid;
    }
};

std::string Text(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class TableBulkEditTest : public TableViewFixture<ThrowingGridTableView> {
protected:
    void SetUp() override
    {
        TableViewFixture::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_EQ(static_cast<CGridCtrl*>(m_view->grid), m_grid);
    }

    void TearDown() override
    {
        // Whatever a failing case left posted must not open a dialog here.
        TakeLinkImageCommands();
        TableViewFixture::TearDown();
    }

    // Rows 0..rows-1 of columns A..E: "a0", "b0", ... "e0".
    void Fill(int rows)
    {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 5; ++c)
                m_doc->CurrentSlot().Table()->SetCellText(r, c, (std::string(1, char('a' + c)) + std::to_string(r)).c_str());
        m_doc->SetModifiedFlag(FALSE);
        m_view->ResizeGridRows();
    }

    // The base table, whatever the filter shows.
    std::string Base(int row, int column) const
    {
        const char* text = m_doc->CurrentSlot().Table()->GetCellText(row, column);
        return text != nullptr ? text : "";
    }

    std::string Row(int row) const
    {
        std::string all;
        for (int c = 0; c < 5; ++c)
            all += (c ? " " : "") + Base(row, c);
        return all;
    }

    // The focus cell and a selected range, as a drag with the mouse leaves them.
    void SelectRange(int row1, int col1, int row2, int col2)
    {
        m_grid->SetFocusCell(row1, col1);
        m_grid->SetSelectedRange(row1, col1, row2, col2);
        Notify(GRIDN_SELCHANGED, row1, col1);
    }

    CPoint Centre(int row, int col)
    {
        CRect r;
        m_grid->GetCellRect(row, col, &r);
        return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    void Click(int row, int col, UINT keys = 0)
    {
        const CPoint p = Centre(row, col);
        m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
        m_grid->SendMessage(WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
    }

    void Key(UINT key) { m_grid->SendMessage(WM_KEYDOWN, key, 0); }

    // Removes the link-image commands the view posted to itself and counts them.
    int TakeLinkImageCommands()
    {
        int count = 0;
        MSG msg;
        while (m_view != nullptr && ::IsWindow(m_view->m_hWnd) &&
               ::PeekMessageA(&msg, m_view->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
            if (LOWORD(msg.wParam) == ID_TABLE_LINK_IMAGE)
                ++count;
            else
                ::DispatchMessageA(&msg);
        }
        return count;
    }

    // The filter on with column B hidden: the header reads A, C, D, ...
    void HideColumnB()
    {
        TableSlot& slot = m_doc->CurrentSlot();
        slot.CreateFilter();
        if (slot.ToggleFilterFlag(kFilterShow, 1))
            slot.ToggleFilterFlag(kFilterShow, 1);
        Command(ID_FILTER_ENABLE);
        ASSERT_TRUE(slot.IsFilterOn());
        ASSERT_EQ("A", Shown(0, 1));
        ASSERT_EQ("C", Shown(0, 2));
    }

    // Any dialog a failing case opens is cancelled instead of waiting for a person.
    ScopedDialogDriver m_quietDialogs;
};

} // namespace

// ---- image cells among cleared cells

TEST_F(TableBulkEditTest, DeleteKeyClearsImageCellsWithTheRestInOneUndoStep)
{
    Fill(4);
    m_doc->ToggleImageColumn(1);   // B
    m_doc->ToggleImageColumn(3);   // D
    SelectRange(1, 1, 3, 4);       // A1:D3
    Key(VK_DELETE);
    EXPECT_EQ(0, TakeLinkImageCommands());
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ("    e" + std::to_string(r), Row(r)) << r;
    EXPECT_EQ("a3 b3 c3 d3 e3", Row(3));
    EXPECT_EQ(1, UndoCopies());
    EXPECT_TRUE(Undo().IsRecordingUndo());
    EXPECT_TRUE(m_doc->IsModified());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("a0 b0 c0 d0 e0", Row(0));
    EXPECT_EQ("a2 b2 c2 d2 e2", Row(2));

    // A whole image column by Delete: every cell of it goes, still one step.
    SelectRange(1, 2, m_grid->GetRowCount() - 1, 2);
    Key(VK_DELETE);
    EXPECT_EQ(0, TakeLinkImageCommands());
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ("", Base(r, 1)) << r;
    EXPECT_EQ("a3", Base(3, 0));
    EXPECT_EQ(1, UndoCopies());
}

TEST_F(TableBulkEditTest, CutClearsImageCellsWithTheRestInOneUndoStep)
{
    Fill(4);
    m_doc->ToggleImageColumn(1);
    SelectRange(2, 1, 3, 3);       // A2:C3
    Command(ID_EDIT_CUT);
    EXPECT_EQ(0, TakeLinkImageCommands());
    EXPECT_EQ("a0 b0 c0 d0 e0", Row(0));
    EXPECT_EQ("   d1 e1", Row(1));
    EXPECT_EQ("   d2 e2", Row(2));
    EXPECT_EQ(1, UndoCopies());
    EXPECT_TRUE(Undo().IsRecordingUndo());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("a1 b1 c1 d1 e1", Row(1));
    EXPECT_EQ("a2 b2 c2 d2 e2", Row(2));
}

TEST_F(TableBulkEditTest, OnlyAPersonsOwnEditStartAsksForTheLinkDialog)
{
    Fill(3);
    m_doc->ToggleImageColumn(1);
    // F2 on an image cell.
    SelectRange(2, 2, 2, 2);
    Key(VK_F2);
    EXPECT_EQ(1, TakeLinkImageCommands());
    EXPECT_EQ(nullptr, m_grid->GetInPlaceEdit());
    // Typing into it.
    m_grid->SendMessage(WM_CHAR, 'x', 0);
    EXPECT_EQ(1, TakeLinkImageCommands());
    EXPECT_EQ("b1", Base(1, 1));
    // A click into the focus cell.
    const CPoint p = Centre(2, 2);
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    m_grid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(1, TakeLinkImageCommands());
    // After a Delete the next edit start asks again: the clearing is over.
    Key(VK_DELETE);
    EXPECT_EQ(0, TakeLinkImageCommands());
    EXPECT_EQ("", Base(1, 1));
    Key(VK_F2);
    EXPECT_EQ(1, TakeLinkImageCommands());
    // An ordinary cell opens its editor.
    SelectRange(2, 3, 2, 3);
    Key(VK_F2);
    EXPECT_EQ(0, TakeLinkImageCommands());
    EXPECT_NE(nullptr, m_grid->GetInPlaceEdit());
    m_grid->EndEditing();
}

// ---- Ctrl-picked columns

TEST_F(TableBulkEditTest, DeletingCtrlPickedColumnsKeepsTheColumnsBetween)
{
    Fill(3);
    Click(0, 2);                   // header B
    {
        HeldKeys ctrl({VK_CONTROL});
        Click(0, 4, MK_CONTROL);   // header D
    }
    ASSERT_TRUE(m_grid->IsCellSelected(1, 2));
    ASSERT_TRUE(m_grid->IsCellSelected(1, 4));
    ASSERT_FALSE(m_grid->IsCellSelected(1, 3));
    Command(ID_EDIT_DELETE);
    EXPECT_EQ("a0 c0 e0  ", Row(0));
    EXPECT_EQ("a2 c2 e2  ", Row(2));
    EXPECT_EQ(1, UndoCopies());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("a0 b0 c0 d0 e0", Row(0));

    // Cut takes the same two.
    Click(0, 2);
    {
        HeldKeys ctrl({VK_CONTROL});
        Click(0, 4, MK_CONTROL);
    }
    Command(ID_EDIT_CUT);
    EXPECT_EQ("a1 c1 e1  ", Row(1));
    EXPECT_EQ(1, UndoCopies());

    // A column with only some of its cells picked is not a whole column.
    Command(ID_EDIT_UNDO);
    Click(0, 2);
    {
        HeldKeys ctrl({VK_CONTROL});
        Click(2, 4, MK_CONTROL);   // one cell of D
    }
    Command(ID_EDIT_DELETE);
    EXPECT_EQ("a0 c0 d0 e0 ", Row(0));
}

// ---- the flags around the grid's paste and clearing

TEST_F(TableBulkEditTest, AnExceptionInTheGridsPasteLeavesUndoAndImageCellsAsBefore)
{
    Fill(3);
    m_doc->ToggleImageColumn(1);
    SelectRange(1, 1, 2, 1);
    Command(ID_EDIT_COPY);
    SelectRange(1, 3, 1, 3);
    m_view->grid->throwOnPaste = true;
    Command(ID_EDIT_PASTE);        // the view's window procedure stops the exception
    m_view->grid->throwOnPaste = false;
    EXPECT_EQ("a0", Base(0, 2));   // what the grid pasted before it failed
    EXPECT_EQ("a1", Base(1, 2));
    EXPECT_EQ(1, UndoCopies());
    EXPECT_TRUE(Undo().IsRecordingUndo());
    // Image cells are not editable as text: a person's edit start asks for the dialog.
    EXPECT_LT(Notify(GRIDN_BEGINEDIT, 1, 2), 0);
    EXPECT_EQ(1, TakeLinkImageCommands());
    // The next edit takes its own undo copy, and one Undo takes it back.
    EndEdit(3, 1, "typed");
    EXPECT_EQ(2, UndoCopies());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("a2", Base(2, 0));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ("c0", Base(0, 2));
}

TEST_F(TableBulkEditTest, AnExceptionInTheGridsClearingForCutLeavesTheFlagsAsBefore)
{
    Fill(3);
    m_doc->ToggleImageColumn(1);
    SelectRange(1, 1, 1, 2);
    m_view->grid->throwOnClear = true;
    Command(ID_EDIT_CUT);
    m_view->grid->throwOnClear = false;
    EXPECT_EQ(0, TakeLinkImageCommands());
    EXPECT_EQ("", Base(0, 0));
    EXPECT_EQ("", Base(0, 1));
    EXPECT_EQ(1, UndoCopies());
    EXPECT_TRUE(Undo().IsRecordingUndo());
    EXPECT_LT(Notify(GRIDN_BEGINEDIT, 2, 2), 0);
    EXPECT_EQ(1, TakeLinkImageCommands());
    EndEdit(2, 1, "typed");
    EXPECT_EQ(2, UndoCopies());
}

TEST_F(TableBulkEditTest, AnExceptionInTheGridsClearingForTheDeleteKeyLeavesTheFlagsAsBefore)
{
    Fill(3);
    m_doc->ToggleImageColumn(1);
    SelectRange(1, 1, 1, 2);
    m_view->grid->throwOnClear = true;
    // The grid's window procedure stops the exception; the view must still hear the end.
    Key(VK_DELETE);
    m_view->grid->throwOnClear = false;
    EXPECT_EQ(0, TakeLinkImageCommands());
    EXPECT_EQ("", Base(0, 0));
    EXPECT_EQ(1, UndoCopies());
    EXPECT_TRUE(Undo().IsRecordingUndo());
    EXPECT_LT(Notify(GRIDN_BEGINEDIT, 2, 2), 0);
    EXPECT_EQ(1, TakeLinkImageCommands());
}

// ---- a selection change without a row

TEST_F(TableBulkEditTest, SelectionChangeWithoutARowOrASelectionKeepsTheCurrentRow)
{
    Fill(5);
    SelectRange(3, 2, 3, 2);
    ASSERT_EQ(3, m_view->GetCurrentRow());
    ASSERT_EQ(2, m_doc->GetPreviewRow());
    const int gridRows = m_grid->GetRowCount();

    m_grid->ClearSelection();
    Notify(GRIDN_SELCHANGED, -1, -1);
    EXPECT_EQ(3, m_view->GetCurrentRow());
    EXPECT_EQ(2, m_view->GetCurrentColumn());
    EXPECT_EQ(gridRows, m_grid->GetRowCount());
    EXPECT_EQ(2, m_doc->GetPreviewRow());

    // With cells selected and no focus cell the first selected row becomes current.
    m_grid->SetSelectedRange(5, 1, 5, 3);
    Notify(GRIDN_SELCHANGED, -1, -1);
    EXPECT_EQ(5, m_view->GetCurrentRow());
    EXPECT_EQ(4, m_doc->GetPreviewRow());

    // The same from the grid: a click on a column's header selects it without a focus cell (its
    // first row becomes current); a click on the corner cell clears the selection, and the grid
    // reports that change without a focus cell and with nothing selected.
    Click(0, 3);
    ASSERT_GT(m_grid->GetSelectedCount(), 0);
    EXPECT_EQ(1, m_view->GetCurrentRow());
    EXPECT_EQ(0, m_doc->GetPreviewRow());
    Click(0, 0);
    EXPECT_EQ(0, m_grid->GetSelectedCount());
    EXPECT_EQ(1, m_view->GetCurrentRow());
    EXPECT_EQ(gridRows, m_grid->GetRowCount());
    EXPECT_EQ(0, m_doc->GetPreviewRow());
}

// ---- the header's letters while the filter hides a column

TEST_F(TableBulkEditTest, ImageLinksWriteIntoTheImageColumnTheHeaderNames)
{
    Fill(4);
    for (int r = 0; r < 4; ++r)
        m_doc->CurrentSlot().Table()->SetCellText(r, 3, "");
    m_doc->ToggleImageColumn(3);   // D
    HideColumnB();
    EXPECT_EQ("Image 1", Shown(0, 3));

    SelectRange(2, 1, 2, 1);
    EXPECT_FALSE(m_view->AreImageCellsFilled());
    EXPECT_TRUE(m_view->LinkImageFiles(1, {CString("one.png"), CString("two.png")}));
    EXPECT_EQ("one.png", Base(1, 3));
    EXPECT_EQ("two.png", Base(2, 3));
    EXPECT_EQ("e1", Base(1, 4));
    EXPECT_EQ("c1", Base(1, 2));
    EXPECT_EQ("one.png", Shown(2, 3));
    EXPECT_EQ(1, UndoCopies());
    // The filled test reads D.
    EXPECT_TRUE(m_view->AreImageCellsFilled());
    CString text;
    EXPECT_TRUE(m_view->GetImageCell(1, text));
    EXPECT_STREQ("one.png", text);
    EXPECT_TRUE(m_view->ClearImageCell(1));
    EXPECT_EQ("", Base(1, 3));
    EXPECT_FALSE(m_view->AreImageCellsFilled());

    // An image column the filter hides is not written through the view.
    m_doc->ToggleImageColumn(1);   // B, hidden: now image column 1, D image column 2
    EXPECT_FALSE(m_view->LinkImageFiles(1, {CString("hidden.png")}));
    EXPECT_EQ("b1", Base(1, 1));
    EXPECT_TRUE(m_view->SetImageCell(2, 1, "again.png"));
    EXPECT_EQ("again.png", Base(1, 3));
    EXPECT_TRUE(m_view->AreImageCellsFilled());
}

TEST_F(TableBulkEditTest, TheLinkDialogDropsIntoTheImageColumnTheHeaderNamesAndMovesOn)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteBytes("pic.png", "x", 1));
    const std::string picture = dir.Path("pic.png").GetString();
    Fill(4);
    for (int r = 0; r < 4; ++r)
        m_doc->CurrentSlot().Table()->SetCellText(r, 3, "");
    m_doc->ToggleImageColumn(3);
    HideColumnB();
    SelectRange(1, 3, 1, 3);

    bool ran = false;
    std::string rowBefore, rowAfter;
    ScopedDialogDriver driver({[&](CWnd* wnd) {
        ran = true;
        auto* dialog = dynamic_cast<CLinkImageFileDialog*>(wnd);
        ASSERT_NE(nullptr, dialog);
        const HWND hwnd = dialog->m_hWnd;
        rowBefore = Text(hwnd, 1061);
        // The file dropped on the slot of image column 1 (D) fills the row's only image cell:
        // the dialog goes on to the next row.
        ::SendMessageA(::GetDlgItem(hwnd, 1056), WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock({picture})), 0);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        rowAfter = Text(hwnd, 1061);
        ScopedDialogDriver::Post(dialog, IDCANCEL);
    }});
    Command(ID_TABLE_LINK_IMAGE);
    EXPECT_TRUE(ran);
    EXPECT_EQ("1", rowBefore);
    EXPECT_EQ("2", rowAfter);
    EXPECT_EQ(picture, Base(0, 3));
    EXPECT_EQ("e0", Base(0, 4));
    EXPECT_EQ("c0", Base(0, 2));
    EXPECT_EQ(2, m_view->GetCurrentRow());
}

TEST_F(TableBulkEditTest, SequenceNamesAndFillsTheCellTheHeaderLetterShows)
{
    Fill(5);
    HideColumnB();
    SelectRange(2, 3, 2, 3);       // under the header "D"
    std::string preset;
    ScopedDialogDriver driver({[&](CWnd* d) {
        HWND w = d->m_hWnd;
        preset = Text(w, IDC_SEQ_CELL);
        ::SendMessageA(::GetDlgItem(w, IDC_SEQ_DECIMAL), BM_CLICK, 0, 0);
        ::SetDlgItemTextA(w, IDC_SEQ_PREFIX, "");
        ::SetDlgItemTextA(w, IDC_SEQ_SUFFIX, "");
        ::SetDlgItemTextA(w, IDC_SEQ_START, "1");
        ::SetDlgItemTextA(w, IDC_SEQ_STOP, "3");
        ::SetDlgItemTextA(w, IDC_SEQ_CELL, "D2");
        ::SetDlgItemTextA(w, IDC_SEQ_COPIES, "1");
        ::CheckDlgButton(w, IDC_SEQ_INSERT, BST_UNCHECKED);
        ScopedDialogDriver::Send(d, IDOK);
    }});
    Command(ID_TABLE_SEQUENCE);
    EXPECT_EQ("D2", preset);
    EXPECT_EQ("d0", Base(0, 3));
    EXPECT_EQ("1", Base(1, 3));
    EXPECT_EQ("2", Base(2, 3));
    EXPECT_EQ("3", Base(3, 3));
    EXPECT_EQ("d4", Base(4, 3));
    EXPECT_EQ("e1", Base(1, 4));
    EXPECT_EQ("c1", Base(1, 2));
    // The focus goes to the last written cell, under "D".
    EXPECT_EQ(CGridCellID(4, 3), m_grid->GetFocusCell());
    EXPECT_EQ(1, UndoCopies());

    // A cell in the hidden column writes nothing.
    ScopedDialogDriver hidden({[&](CWnd* d) {
        ::SetDlgItemTextA(d->m_hWnd, IDC_SEQ_CELL, "B2");
        ScopedDialogDriver::Send(d, IDOK);
    }});
    Command(ID_TABLE_SEQUENCE);
    EXPECT_EQ("b1", Base(1, 1));
    EXPECT_EQ("c1", Base(1, 2));
    EXPECT_EQ(1, UndoCopies());
}

TEST_F(TableBulkEditTest, RepeatNamesAndFillsTheColumnTheHeaderLetterShows)
{
    Fill(5);
    HideColumnB();
    SelectRange(2, 3, 2, 3);       // under the header "D"
    std::string column, text;
    ScopedDialogDriver driver({[&](CWnd* d) {
        HWND w = d->m_hWnd;
        column = Text(w, IDC_REP_COLUMN);
        text = Text(w, IDC_REP_TEXT);
        ::SetDlgItemTextA(w, IDC_REP_COPIES, "2");
        ::SetDlgItemTextA(w, IDC_REP_TEXT, "rep");
        ScopedDialogDriver::Send(d, IDOK);
    }});
    Command(ID_TABLE_REPEAT);
    EXPECT_EQ("D", column);
    EXPECT_EQ("d1", text);
    EXPECT_EQ("rep", Base(1, 3));
    EXPECT_EQ("rep", Base(2, 3));
    EXPECT_EQ("d3", Base(3, 3));
    EXPECT_EQ("e1", Base(1, 4));
    EXPECT_EQ("c1", Base(1, 2));
    EXPECT_EQ(CGridCellID(3, 3), m_grid->GetFocusCell());

    // The hidden column's letter writes nothing.
    ScopedDialogDriver hidden({[&](CWnd* d) {
        ::SendDlgItemMessageA(d->m_hWnd, IDC_REP_COLUMN, CB_SETCURSEL, 1, 0);   // "B"
        ::SetDlgItemTextA(d->m_hWnd, IDC_REP_TEXT, "no");
        ScopedDialogDriver::Send(d, IDOK);
    }});
    Command(ID_TABLE_REPEAT);
    EXPECT_EQ("b1", Base(1, 1));
    EXPECT_EQ("c1", Base(1, 2));
    EXPECT_EQ("rep", Base(1, 3));
}
