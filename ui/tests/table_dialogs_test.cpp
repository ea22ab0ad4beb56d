// The Sequence, Repeat and Filter dialogs of the table view: created modelessly to read their
// controls back and work them by message, and run through their commands against a real
// project document, answered by the dialog driver.
#include "document/labeldoc.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/msgboxrecorder.h"
#include "ui/tabledialogids.h"
#include "ui/tablefilterdlg.h"
#include "ui/tablerepeatdlg.h"
#include "ui/tablesequencedlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>

namespace {
std::unique_ptr<COstrelindSoftLabelDoc> NewDoc(int rows = 0, const char* word = "r")
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    for (int r = 0; r < rows; ++r)
        doc->GetTableSlot(0).SetCellText((word + std::to_string(r)).c_str(), r, 0);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

std::string Cell(COstrelindSoftLabelDoc& doc, int row, int column)
{
    const char* text = doc.GetTableSlot(0).GetCellText(row, column);
    return text != nullptr ? text : "";
}

std::string Column(COstrelindSoftLabelDoc& doc, int column)
{
    std::string all;
    for (int r = 0; r < doc.GetTableSlot(0).GetRowCount(); ++r)
        all += (r ? " " : "") + Cell(doc, r, column);
    return all;
}

std::string Text(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void SetText(HWND dialog, int id, const char* text)
{
    ::SetDlgItemTextA(dialog, id, text);
}

void Click(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// A left click by message on the upper half of a spin button (its "up" arrow).
void ClickSpinUp(HWND dialog, int id)
{
    HWND spin = ::GetDlgItem(dialog, id);
    RECT rect;
    ::GetClientRect(spin, &rect);
    const LPARAM point = MAKELPARAM(rect.right / 2, rect.bottom / 4);
    ::SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(spin, WM_LBUTTONUP, 0, point);
}

// Sets the Sequence dialog's fields (nullptr leaves one as it is) and presses OK.
ScopedDialogDriver::Step Sequence(const char* start, const char* stop, const char* cell, int copies = 1,
                                  bool insert = false, int base = IDC_SEQ_DECIMAL)
{
    return [=](CWnd* d) {
        HWND w = d->m_hWnd;
        Click(w, base);
        SetText(w, IDC_SEQ_PREFIX, "");
        SetText(w, IDC_SEQ_SUFFIX, "");
        SetText(w, IDC_SEQ_START, start);
        SetText(w, IDC_SEQ_STOP, stop);
        if (cell != nullptr)
            SetText(w, IDC_SEQ_CELL, cell);
        SetText(w, IDC_SEQ_COPIES, std::to_string(copies).c_str());
        ::CheckDlgButton(w, IDC_SEQ_INSERT, insert ? BST_CHECKED : BST_UNCHECKED);
        ScopedDialogDriver::Send(d, IDOK);
    };
}

// Writes into the slot, then runs out of memory.
class FailingTarget : public SlotFillTarget {
public:
    FailingTarget(TableSlot& slot, int writes) : SlotFillTarget(slot), m_left(writes) {}
    bool SetCell(const char* text, int row, int column) override
    {
        if (m_left-- == 0)
            throw std::bad_alloc();
        return SlotFillTarget::SetCell(text, row, column);
    }

private:
    int m_left;
};
} // namespace

TEST(SequenceDialog, ControlsReadBackAndWorkByMessage)
{
    MessageBoxRecorder boxes;
    CTableSequenceDlg dialog;
    dialog.m_nBase = kSequenceDecimal;
    ASSERT_TRUE(dialog.Create(IDD_TABLE_SEQUENCE));
    HWND w = dialog.m_hWnd;
    char caption[64] = {};
    ::GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ(caption, "Sequence");
    EXPECT_EQ(Text(w, IDC_SEQ_DECIMAL), "Decimal ( 0..9 )");
    EXPECT_EQ(Text(w, IDC_SEQ_OCTAL), "Octal ( 0..7 )");
    EXPECT_EQ(Text(w, IDC_SEQ_HEX), "Hex ( 0..9, A..F )");
    EXPECT_EQ(Text(w, IDC_SEQ_ALPHA), "Alphabetic ( A..Z )");
    EXPECT_EQ(Text(w, IDC_SEQ_LEADINGZERO), "Leading zero");
    EXPECT_EQ(Text(w, IDC_SEQ_REVERSE), "Reverse order");
    EXPECT_EQ(Text(w, IDC_SEQ_INSERT), "Insert");
    for (int id : { IDC_SEQ_PREFIX, IDC_SEQ_START, IDC_SEQ_STOP, IDC_SEQ_SUFFIX, IDC_SEQ_CELL, IDC_SEQ_STEP_SPIN,
                    IDC_SEQ_COPIES_SPIN, IDC_SEQ_SETS_SPIN })
        EXPECT_NE(::GetDlgItem(w, id), nullptr) << id;
    EXPECT_EQ(Text(w, IDC_SEQ_STEP), "1");
    EXPECT_EQ(::IsDlgButtonChecked(w, IDC_SEQ_DECIMAL), BST_CHECKED);

    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(w, IDC_SEQ_LEADINGZERO)));
    Click(w, IDC_SEQ_ALPHA);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(w, IDC_SEQ_LEADINGZERO)));
    Click(w, IDC_SEQ_HEX);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(w, IDC_SEQ_LEADINGZERO)));

    ClickSpinUp(w, IDC_SEQ_STEP_SPIN);
    EXPECT_EQ(Text(w, IDC_SEQ_STEP), "2");
    ClickSpinUp(w, IDC_SEQ_COPIES_SPIN);
    EXPECT_EQ(Text(w, IDC_SEQ_COPIES), "2");
    SetText(w, IDC_SEQ_SETS, "x");
    ClickSpinUp(w, IDC_SEQ_SETS_SPIN);
    EXPECT_EQ(Text(w, IDC_SEQ_SETS), "x");           // only a number is counted

    SetText(w, IDC_SEQ_SETS, "1");
    SetText(w, IDC_SEQ_STEP, "0");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "Please enter an integer between 1 and 2000000000.");
    dialog.DestroyWindow();
}

TEST(RepeatDialog, ControlsReadBackAndSpinsStayAboveZero)
{
    CTableRepeatDlg dialog;
    dialog.m_strColumn = "Z";
    dialog.m_nRow = 1;
    ASSERT_TRUE(dialog.Create(IDD_TABLE_REPEAT));
    HWND w = dialog.m_hWnd;
    char caption[64] = {};
    ::GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ(caption, "Repeat");
    EXPECT_EQ(::SendDlgItemMessageA(w, IDC_REP_COLUMN, CB_GETCOUNT, 0, 0), 26);
    EXPECT_EQ(Text(w, IDC_REP_COLUMN), "Z");
    EXPECT_EQ(Text(w, IDC_REP_INSERT), "Insert");
    EXPECT_EQ(Text(w, IDC_REP_ROW), "1");
    ClickSpinUp(w, IDC_REP_ROW_SPIN);
    EXPECT_EQ(Text(w, IDC_REP_ROW), "2");
    // The down arrow never goes below 1.
    HWND spin = ::GetDlgItem(w, IDC_REP_COPIES_SPIN);
    RECT rect;
    ::GetClientRect(spin, &rect);
    ::SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right / 2, rect.bottom * 3 / 4));
    ::SendMessageA(spin, WM_LBUTTONUP, 0, MAKELPARAM(rect.right / 2, rect.bottom * 3 / 4));
    EXPECT_EQ(Text(w, IDC_REP_COPIES), "1");
    dialog.DestroyWindow();
}

TEST(SequenceCommand, FillsTheTableAndOneUndoRestoresIt)
{
    auto doc = NewDoc(3);
    ScopedDialogDriver driver({ Sequence("1", "3", nullptr) });
    std::string cellShown;
    driver.Add(nullptr);
    TableFillResult result = TableSequenceCommand(*doc, 0, 2, 2, nullptr);
    EXPECT_EQ(result.cells, 3);
    EXPECT_EQ(result.lastRow, 3);
    EXPECT_EQ(result.column, 1);
    EXPECT_EQ(Column(*doc, 1), " 1 2 3");
    EXPECT_EQ(Column(*doc, 0), "r0 r1 r2 ");
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(doc->GetTableUndo(0).UndoTableEdit(doc->GetTableSlot(0)));
    EXPECT_EQ(Column(*doc, 1), "  ");
    EXPECT_EQ(doc->GetTableSlot(0).GetRowCount(), 3);
    EXPECT_EQ(Column(*doc, 0), "r0 r1 r2");
}

TEST(SequenceCommand, CellPresetAndCellsThatNameNoCell)
{
    auto doc = NewDoc(2);
    std::string preset;
    ScopedDialogDriver driver({ [&](CWnd* d) {
        preset = Text(d->m_hWnd, IDC_SEQ_CELL);
        Sequence("1", "5", "A0")(d);
    } });
    TableFillResult result = TableSequenceCommand(*doc, 0, 7, 26, nullptr);
    EXPECT_EQ(preset, "Z7");
    EXPECT_EQ(result.cells, 0);
    EXPECT_EQ(Column(*doc, 0), "r0 r1");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTableUndo(0).GetCopyCount(), 0);
    // Cancel writes nothing either.
    ScopedDialogDriver cancel;
    EXPECT_EQ(TableSequenceCommand(*doc, 0, 1, 1, nullptr).cells, 0);
    EXPECT_EQ(cancel.Seen().size(), 1u);
}

TEST(SequenceCommand, InsertWithCopiesLosesNoRow)
{
    auto doc = NewDoc(4);
    ScopedDialogDriver driver({ Sequence("1", "2", "A2", 2, true) });
    TableSequenceCommand(*doc, 0, 1, 1, nullptr);
    EXPECT_EQ(Column(*doc, 0), "r0 1 1 2 2 r1 r2 r3");
}

TEST(SequenceCommand, RunningOutOfMemoryStopsWithAMessageAndUndoRestores)
{
    MessageBoxRecorder boxes;
    auto doc = NewDoc(2);
    FailingTarget failing(doc->GetTableSlot(0), 5);
    ScopedDialogDriver driver({ Sequence("1", "100000", "B1") });
    TableFillResult result = TableSequenceCommand(*doc, 0, 1, 1, nullptr, &failing);
    EXPECT_EQ(result.cells, 5);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(std::string(boxes.Last().text).find("not enough memory"), std::string::npos);
    EXPECT_EQ(Cell(*doc, 4, 1), "5");
    ASSERT_TRUE(doc->GetTableUndo(0).UndoTableEdit(doc->GetTableSlot(0)));
    EXPECT_EQ(doc->GetTableSlot(0).GetRowCount(), 2);
    EXPECT_EQ(Column(*doc, 1), " ");
}

TEST(SequenceCommand, AlphabeticAndHexThroughTheDialog)
{
    auto doc = NewDoc();
    ScopedDialogDriver driver({ Sequence("A", "AC", "C1", 1, false, IDC_SEQ_ALPHA),
                                Sequence("a", "c", "D1", 1, false, IDC_SEQ_HEX) });
    TableSequenceCommand(*doc, 0, 1, 1, nullptr);
    TableSequenceCommand(*doc, 0, 1, 1, nullptr);
    EXPECT_EQ(Column(*doc, 2), "AA AB AC");
    EXPECT_EQ(Column(*doc, 3), "a b c");
    // The fields are kept for the program's run.
    EXPECT_EQ(CTableSequenceDlg::s_start, "a");
    EXPECT_EQ(CTableSequenceDlg::s_base, kSequenceHex);
}

TEST(RepeatCommand, ColumnZAndInsertWithCopiesKeepsTheRowsBelow)
{
    auto doc = NewDoc(8);
    std::string column, row, text;
    ScopedDialogDriver driver({ [&](CWnd* d) {
        HWND w = d->m_hWnd;
        column = Text(w, IDC_REP_COLUMN);
        row = Text(w, IDC_REP_ROW);
        text = Text(w, IDC_REP_TEXT);
        ::SendDlgItemMessageA(w, IDC_REP_COLUMN, CB_SETCURSEL, 0, 0);
        SetText(w, IDC_REP_COPIES, "3");
        SetText(w, IDC_REP_TEXT, "T");
        ::CheckDlgButton(w, IDC_REP_INSERT, BST_CHECKED);
        ScopedDialogDriver::Send(d, IDOK);
    } });
    TableFillResult result = TableRepeatCommand(*doc, 0, 5, 1, nullptr);
    EXPECT_EQ(column, "A");
    EXPECT_EQ(row, "5");
    EXPECT_EQ(text, "r4");
    EXPECT_EQ(Column(*doc, 0), "r0 r1 r2 r3 T T T r5 r6 r7");
    EXPECT_EQ(result.lastRow, 6);
    ASSERT_TRUE(doc->GetTableUndo(0).UndoTableEdit(doc->GetTableSlot(0)));
    EXPECT_EQ(Column(*doc, 0), "r0 r1 r2 r3 r4 r5 r6 r7");

    ScopedDialogDriver onZ({ [&](CWnd* d) {
        column = Text(d->m_hWnd, IDC_REP_COLUMN);
        SetText(d->m_hWnd, IDC_REP_TEXT, "z");
        SetText(d->m_hWnd, IDC_REP_COPIES, "2");
        ScopedDialogDriver::Send(d, IDOK);
    } });
    result = TableRepeatCommand(*doc, 0, 2, 26, nullptr);
    EXPECT_EQ(column, "Z");
    EXPECT_EQ(Cell(*doc, 1, 25), "z");
    EXPECT_EQ(Cell(*doc, 2, 25), "z");
    EXPECT_EQ(result.column, 25);
}

// ---- the filter dialog

namespace {
POINT CellCenter(CGridCtrl& grid, int row, int column)
{
    RECT rect;
    grid.GetCellRect(row, column, &rect);
    return { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
}

void ClickCell(CGridCtrl& grid, int row, int column)
{
    const POINT p = CellCenter(grid, row, column);
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}
} // namespace

TEST(FilterDialog, ClicksTurnMarksOverOnceAndIncludeFilters)
{
    MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    auto doc = NewDoc(12);
    CTableFilterDlg* dialog = nullptr;
    ASSERT_TRUE(OpenTableFilterDialog(*doc, 0, nullptr, dialog));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "The table does not have a filter yet, do you want to insert a filter?");
    ASSERT_NE(dialog, nullptr);
    CDataTableFilter* filter = doc->GetTableSlot(0).Filter();
    ASSERT_NE(filter, nullptr);
    EXPECT_TRUE(doc->IsModified());

    CGridCtrl& grid = dialog->Grid();
    EXPECT_EQ(grid.GetRowCount(), 12);
    EXPECT_EQ(grid.GetColumnCount(), 28);
    EXPECT_EQ(grid.GetColumnWidth(0), 180);
    EXPECT_EQ(grid.GetColumnWidth(1), 70);
    EXPECT_EQ(grid.GetColumnWidth(27), 24);
    EXPECT_EQ(std::string(dialog->CellText(0, 0)), "Function");
    EXPECT_EQ(std::string(dialog->CellText(0, 1)), "Argument");
    EXPECT_EQ(std::string(dialog->CellText(0, 2)), "A");
    EXPECT_EQ(std::string(dialog->CellText(1, 0)), "Show column");
    EXPECT_EQ(std::string(dialog->CellText(2, 0)), "Remove leading blanks");
    EXPECT_EQ(std::string(dialog->CellText(5, 0)), "Remove leading character");
    EXPECT_EQ(std::string(dialog->CellText(6, 0)), "Include rows containing");
    EXPECT_EQ(std::string(dialog->CellText(11, 0)), "Exclude rows containing");
    EXPECT_EQ(std::string(dialog->CellText(1, 2)), "x");        // columns are shown at first

    // The include condition 1 on column A, by two real clicks (the second one on the focused
    // cell would start an edit: it turns the mark back instead).
    doc->SetModifiedFlag(FALSE);
    ClickCell(grid, 6, 2);
    EXPECT_TRUE(filter->GetFilterFlag(0, kFilterInclude1));
    EXPECT_EQ(std::string(dialog->CellText(6, 2)), "x");
    EXPECT_TRUE(doc->IsModified());
    ClickCell(grid, 6, 2);
    EXPECT_FALSE(filter->GetFilterFlag(0, kFilterInclude1));
    EXPECT_EQ(grid.GetInPlaceEdit(), nullptr);
    ClickCell(grid, 6, 2);
    EXPECT_TRUE(filter->GetFilterFlag(0, kFilterInclude1));

    // The include text through the grid's end of edit, as the editor reports it.
    grid.NotifyEndEdit("r1", 6, 1);
    EXPECT_EQ(std::string(filter->GetIncludeString(0)), "r1");
    doc->ToggleTableFilter();
    EXPECT_EQ(doc->GetTableRowCount(), 3);                      // r1, r10, r11
    grid.NotifyEndEdit("r10", 6, 1);
    EXPECT_EQ(doc->GetTableRowCount(), 1);                      // reapplied at once

    // Delete over marks changes no mark.
    grid.SetSelectedRange(1, 2, 11, 27);
    grid.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_TRUE(filter->GetFilterFlag(0, kFilterInclude1));
    EXPECT_TRUE(filter->GetFilterFlag(5, kFilterShow));

    // Close clears the owner's pointer.
    dialog->SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(dialog, nullptr);
}

TEST(FilterDialog, NoAnswerNoFilterAndClosingWithTheViewGoing)
{
    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    auto doc = NewDoc(3);
    CTableFilterDlg* dialog = nullptr;
    EXPECT_FALSE(OpenTableFilterDialog(*doc, 0, nullptr, dialog));
    EXPECT_EQ(doc->GetTableSlot(0).Filter(), nullptr);
    EXPECT_EQ(dialog, nullptr);

    boxes.Answer(IDYES);
    ASSERT_TRUE(OpenTableFilterDialog(*doc, 0, nullptr, dialog));
    CTableFilterDlg* first = dialog;
    ASSERT_TRUE(OpenTableFilterDialog(*doc, 0, nullptr, dialog));
    EXPECT_EQ(dialog, first);                                   // one dialog per view
    HWND window = dialog->m_hWnd;
    // The project closes: the view closes its dialog before the document goes.
    CloseTableFilterDialog(dialog);
    EXPECT_EQ(dialog, nullptr);
    EXPECT_FALSE(::IsWindow(window));
    doc.reset();
}

TEST(FilterDialog, ItsCloseBoxKeepsTheArgumentBeingTypedNeedsFocus)
{
    // The close box takes no focus from the argument's editor: what is typed is stored all the same.
    MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    auto doc = NewDoc(12);
    CTableFilterDlg* dialog = nullptr;
    ASSERT_TRUE(OpenTableFilterDialog(*doc, 0, nullptr, dialog));
    CDataTableFilter* filter = doc->GetTableSlot(0).Filter();
    ASSERT_NE(filter, nullptr);
    CGridCtrl& grid = dialog->Grid();
    grid.SetFocusCell(6, 1);
    grid.SendMessage(WM_CHAR, 'r', 0);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    HWND edit = ::GetDlgItem(grid.m_hWnd, IDC_INPLACE_CONTROL);
    ASSERT_NE(edit, nullptr);
    ::SendMessageA(edit, WM_CHAR, '1', 0);
    EXPECT_EQ(std::string(filter->GetIncludeString(0)), "");
    dialog->SendMessage(WM_CLOSE);
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(std::string(filter->GetIncludeString(0)), "r1");
}
