// The table view's commands and their update handlers (its image columns in tableview_images.cpp).
#include "ui/tableview.h"

#include "document/documentstrings.h"
#include "document/excelimport.h"
#include "document/labeldoc.h"
#include "document/tablefiles.h"
#include "document/tableslot.h"
#include "document/tableundo.h"
#include "framework/app.h"
#include "framework/cmdtarget.h"
#include "framework/edit.h"
#include "framework/filedlg.h"
#include "framework/msgbox.h"
#include "framework/print.h"
#include "framework/printdlg.h"
#include "grid/gridinplaceedit.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"
#include "ui/mainframe.h"
#include "ui/mainview.h"
#include "ui/printerhandles.h"
#include "ui/tabledialogids.h"
#include "ui/tablefilterdlg.h"
#include "ui/tablerepeatdlg.h"
#include "ui/tablesequencedlg.h"
#include "ui/tableviewids.h"
#include "ui/textimportsheet.h"

#include <cstdint>

namespace {
// The ribbon's character-set combo text, empty without a main frame.
CString CharacterSetComboText()
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    return frame != nullptr ? frame->GetRibbonText(ID_CHARACTER_SET) : CString();
}

bool IsMainView(CWnd* wnd)
{
    return dynamic_cast<COstrelindSoftMainView*>(wnd) != nullptr;
}

const char kFilterFilter[] = "Filter files|*.filter|";
const char kExcelFilter[] = "Excel files|*.xl*||";
}

// ---- edit commands

class COstrelindSoftTableView::CGridChangeScope {
public:
    CGridChangeScope(COstrelindSoftTableView& view, bool& flag) : m_flag(flag), m_oldFlag(flag)
    {
        if (COstrelindSoftLabelDoc* doc = view.GetLabelDoc()) {
            m_undo = &doc->GetTableUndo(doc->GetCurrentTableIndex());
            m_oldRecord = m_undo->IsRecordingUndo();
            m_undo->SetRecordUndo(false);
        }
        m_flag = true;
    }
    ~CGridChangeScope()
    {
        m_flag = m_oldFlag;
        if (m_undo != nullptr)
            m_undo->SetRecordUndo(m_oldRecord);
    }
    CGridChangeScope(const CGridChangeScope&) = delete;
    CGridChangeScope& operator=(const CGridChangeScope&) = delete;

private:
    bool& m_flag;
    bool m_oldFlag;
    CTableUndo* m_undo = nullptr;
    bool m_oldRecord = true;
};

void COstrelindSoftTableView::OnInsertRow()
{
    EndGridEdit();
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_nCurrentRow < 1)
        return;
    PushUndo();
    doc->InsertTableRow(m_nCurrentRow - 1);
    TableChanged();
    ResizeGridRows();
}

void COstrelindSoftTableView::OnInsertColumn()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_pGrid == nullptr)
        return;
    int column = m_nCurrentColumn - 1;
    if (m_nCurrentColumn < 1) {
        if (!WholeColumnsSelected())
            return;
        column = m_pGrid->GetSelectedCellRange().GetMinCol() - 1;
    }
    if (column < 0)
        return;
    PushUndo();
    doc->InsertTableColumn(column);
    TableChanged();
}

std::vector<int> COstrelindSoftTableView::SelectedWholeRows(bool shownOnly) const
{
    std::vector<int> rows;
    const CGridCellRange range = m_pGrid->GetSelectedCellRange();
    for (int r = range.GetMinRow() < 1 ? 1 : range.GetMinRow(); r <= range.GetMaxRow(); ++r)
        if (IsWholeRowSelected(r) && (!shownOnly || m_pGrid->GetRowHeight(r) > 0))
            rows.push_back(r);
    return rows;
}

std::vector<int> COstrelindSoftTableView::SelectedWholeColumns(bool shownOnly) const
{
    // Only the selected columns: columns picked with Ctrl need not lie next to each other, and
    // the ones between them stay.
    std::vector<int> columns;
    const CGridCellRange range = m_pGrid->GetSelectedCellRange();
    for (int c = range.GetMinCol() < 1 ? 1 : range.GetMinCol(); c <= range.GetMaxCol(); ++c)
        if (IsWholeColumnSelected(c) && (!shownOnly || m_pGrid->GetColumnWidth(c) > 0))
            columns.push_back(c);
    return columns;
}

void COstrelindSoftTableView::DeleteRows(const std::vector<int>& rows)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CWaitCursor wait;
    // From the last to the first, so that the rows still to go keep their numbers.
    for (auto r = rows.rbegin(); r != rows.rend(); ++r)
        doc->DeleteTableRow(*r - 1);
    m_pGrid->ClearSelection();
    TableChanged();
    ResizeGridRows();
    m_pGrid->Refresh();
}

void COstrelindSoftTableView::DeleteColumns(const std::vector<int>& columns)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    // From the last to the first, so the others keep their numbers.
    for (auto c = columns.rbegin(); c != columns.rend(); ++c)
        doc->DeleteTableColumn(*c - 1);
    m_pGrid->ClearSelection();
    TableChanged();
    m_pGrid->Refresh();
}

bool COstrelindSoftTableView::IsWholeColumnSelected(int c) const
{
    const int last = m_pGrid->GetRowCount() - 1;
    return c >= 1 && last >= 1 && m_pGrid->IsRangeSelected(CGridCellRange(1, c, last, c));
}

void COstrelindSoftTableView::OnEditDelete()
{
    if (GetLabelDoc() == nullptr || m_pGrid == nullptr)
        return;
    EndGridEdit();
    const std::vector<int> rows = WholeRowsSelected() ? SelectedWholeRows(false) : std::vector<int>();
    if (!rows.empty()) {
        PushUndo();
        DeleteRows(rows);
        return;
    }
    const std::vector<int> columns = WholeColumnsSelected() ? SelectedWholeColumns(false) : std::vector<int>();
    if (!columns.empty()) {
        // Columns get their undo copy as rows do.
        PushUndo();
        DeleteColumns(columns);
    }
}

void COstrelindSoftTableView::ClearCopiedCellsBeside(const std::vector<int>& rows, const std::vector<int>& columns)
{
    if (rows.empty() && columns.empty()) {
        m_pGrid->ClearCopiedText();
        return;
    }
    std::vector<bool> columnGoes(static_cast<size_t>(m_pGrid->GetColumnCount()), false);
    for (int c : columns)
        columnGoes[static_cast<size_t>(c)] = true;
    const CGridCellRange range = m_pGrid->GetSelectedCellRange();
    for (int r = range.GetMinRow() < 1 ? 1 : range.GetMinRow(); r <= range.GetMaxRow(); ++r) {
        if (m_pGrid->GetRowHeight(r) == 0 || (!rows.empty() && IsWholeRowSelected(r)))
            continue;
        for (int c = range.GetMinCol() < 1 ? 1 : range.GetMinCol(); c <= range.GetMaxCol(); ++c)
            if (m_pGrid->GetColumnWidth(c) > 0 && !columnGoes[static_cast<size_t>(c)] && m_pGrid->IsCellSelected(r, c))
                m_pGrid->ChangeCellText(r, c, "");
    }
}

bool COstrelindSoftTableView::SendToInPlaceEdit(UINT message)
{
    CGridInPlaceEdit* edit = m_pGrid->GetInPlaceEdit();
    if (edit == nullptr || edit->m_hWnd == nullptr)
        return false;
    edit->SendMessage(message);
    return true;
}

void COstrelindSoftTableView::OnEditCut()
{
    if (GetLabelDoc() == nullptr || m_pGrid == nullptr)
        return;
    if (SendToInPlaceEdit(WM_CUT))
        return;
    PushUndo();
    m_pGrid->OnEditCopy();
    // Exactly what the copy took goes: the whole rows (or columns) shown are deleted, any other
    // selected cell shown is cleared, and hidden rows and columns, which the copy leaves out, stay.
    const std::vector<int> rows = WholeRowsSelected() ? SelectedWholeRows(true) : std::vector<int>();
    const std::vector<int> columns =
        rows.empty() && WholeColumnsSelected() ? SelectedWholeColumns(true) : std::vector<int>();
    {
        CGridChangeScope clearing(*this, m_bClearing);
        ClearCopiedCellsBeside(rows, columns);
    }
    if (!rows.empty())
        DeleteRows(rows);
    else if (!columns.empty())
        DeleteColumns(columns);
    else
        TableChanged();
}

void COstrelindSoftTableView::OnEditCopy()
{
    if (GetLabelDoc() == nullptr || m_pGrid == nullptr)
        return;
    if (SendToInPlaceEdit(WM_COPY))
        return;
    m_pGrid->OnEditCopy();
}

void COstrelindSoftTableView::OnEditPaste()
{
    if (GetLabelDoc() == nullptr || m_pGrid == nullptr)
        return;
    if (SendToInPlaceEdit(WM_PASTE))
        return;
    PushUndo();
    m_nRefusedCopies = 0;
    {
        CGridChangeScope pasting(*this, m_bPasting);
        m_pGrid->OnEditPaste();
    }
    TableChanged();
    ResizeGridRows();
    ReportRefusedCopies();
}

void COstrelindSoftTableView::OnEditUndo()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    if (doc->GetTableUndo(doc->GetCurrentTableIndex()).UndoTableEdit(doc->CurrentSlot())) {
        doc->SetModifiedFlag(TRUE);
        doc->UpdateAllViews(nullptr, 0);
    }
}

void COstrelindSoftTableView::OnEditSelectAll()
{
    if (m_pGrid != nullptr)
        m_pGrid->SelectAllCells();
}

void COstrelindSoftTableView::OnUpdateWithDocument(CCmdUI* ui)
{
    ui->Enable(GetLabelDoc() != nullptr);
}

void COstrelindSoftTableView::OnUpdateAlways(CCmdUI* ui)
{
    ui->Enable(TRUE);
}

void COstrelindSoftTableView::OnUpdateEditUndo(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr && doc->GetTableUndo(doc->GetCurrentTableIndex()).CanUndo());
}

// ---- fill dialogs
// The commands mark the project modified and repaint its views themselves when they write.

void COstrelindSoftTableView::OnSequence()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_nCurrentRow < 1)
        return;
    EndGridEdit();
    const TableFillResult result =
        TableSequenceCommand(*doc, doc->GetCurrentTableIndex(), m_nCurrentRow, m_nCurrentColumn, this);
    if (result.lastRow >= 0)
        GoToCell(result.lastRow + 1, result.column + 1);
}

void COstrelindSoftTableView::OnRepeat()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_nCurrentRow < 1)
        return;
    EndGridEdit();
    const TableFillResult result =
        TableRepeatCommand(*doc, doc->GetCurrentTableIndex(), m_nCurrentRow, m_nCurrentColumn, this);
    if (result.lastRow >= 0)
        GoToCell(result.lastRow + 1, result.column + 1);
}

// ---- sort

void COstrelindSoftTableView::OnSortAscending()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_nCurrentColumn < 1)
        return;
    EndGridEdit();
    PushUndo();
    doc->SortTable(m_nCurrentColumn - 1, false);
    TableChanged();
}

void COstrelindSoftTableView::OnSortDescending()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_nCurrentColumn < 1)
        return;
    EndGridEdit();
    PushUndo();
    doc->SortTable(m_nCurrentColumn - 1, true);
    TableChanged();
}

void COstrelindSoftTableView::OnUpdateSort(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr && doc->HasTableData());
}

// ---- row moves

int COstrelindSoftTableView::GetPageStep() const
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CTemplate* tmpl = doc != nullptr ? doc->GetCurrentTemplate() : nullptr;
    CLabel* stock = tmpl != nullptr ? tmpl->GetLabelStock() : nullptr;
    if (stock == nullptr)
        return 0;
    // In 64 bits: a damaged stock with huge counts must not wrap into a negative step.
    int64_t step = static_cast<int64_t>(stock->GetRows()) * stock->GetColumns() * stock->GetVerticalBlocks();
    if (step < 0)
        step = 0;
    if (step > 0x7FFFFFFF)
        step = 0x7FFFFFFF;
    return static_cast<int>(step);
}

static int FocusColumn(CGridCtrl* grid, int fallback)
{
    const int column = grid != nullptr ? grid->GetFocusCell().col : -1;
    return column >= 1 ? column : (fallback >= 1 ? fallback : 1);
}

static int FocusRow(CGridCtrl* grid, int fallback)
{
    const int row = grid != nullptr ? grid->GetFocusCell().row : -1;
    return row >= 1 ? row : fallback;
}

void COstrelindSoftTableView::OnFirstRow()
{
    EndGridEdit();
    GoToCell(1, FocusColumn(m_pGrid, m_nCurrentColumn));
}

void COstrelindSoftTableView::OnLastRow()
{
    EndGridEdit();
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const int n = doc != nullptr ? doc->GetTableRowCount() : 0;
    if (n >= 1)
        GoToCell(n, FocusColumn(m_pGrid, m_nCurrentColumn));
}

void COstrelindSoftTableView::OnPrevRow()
{
    EndGridEdit();
    const int row = FocusRow(m_pGrid, m_nCurrentRow);
    if (row <= 1)
        return;
    GoToCell(row - 1, FocusColumn(m_pGrid, m_nCurrentColumn));
}

void COstrelindSoftTableView::OnNextRow()
{
    EndGridEdit();
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const int n = doc != nullptr ? doc->GetTableRowCount() : 0;
    const int row = FocusRow(m_pGrid, m_nCurrentRow);
    if (row >= n)
        return;
    GoToCell(row + 1, FocusColumn(m_pGrid, m_nCurrentColumn));
}

void COstrelindSoftTableView::OnPrevPage()
{
    EndGridEdit();
    const int64_t row = static_cast<int64_t>(FocusRow(m_pGrid, m_nCurrentRow)) - GetPageStep();
    GoToCell(row < 1 ? 1 : static_cast<int>(row), FocusColumn(m_pGrid, m_nCurrentColumn));
}

void COstrelindSoftTableView::OnNextPage()
{
    EndGridEdit();
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const int n = doc != nullptr ? doc->GetTableRowCount() : 0;
    int64_t row = static_cast<int64_t>(FocusRow(m_pGrid, m_nCurrentRow)) + GetPageStep();
    if (row > n)
        row = n;
    if (row >= 1)
        GoToCell(static_cast<int>(row), FocusColumn(m_pGrid, m_nCurrentColumn));
}

// ---- filter

void COstrelindSoftTableView::OnFilterEnable()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    if (doc->CurrentSlot().Filter() == nullptr) {
        OnFilterSetup();
        if (doc->CurrentSlot().Filter() == nullptr)
            return;
    }
    doc->ToggleTableFilter();
    ResizeGridRows();
}

void COstrelindSoftTableView::OnUpdateFilterEnable(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(TRUE);
    ui->SetCheck(doc != nullptr && doc->CurrentSlot().IsFilterOn() ? 1 : 0);
}

void COstrelindSoftTableView::OnFilterSetup()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    OpenTableFilterDialog(*doc, doc->GetCurrentTableIndex(), this, m_pFilterDlg);
}

bool COstrelindSoftTableView::FileDialog(bool open, const char* filter, const char* extension, CString& path)
{
    DWORD flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    // Opening needs an existing file; storing asks before it replaces one.
    flags |= open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT;
    CFileDialog dialog(open ? TRUE : FALSE, extension, nullptr, flags, filter, this);
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return !path.IsEmpty();
}

void COstrelindSoftTableView::OnFilterLoad()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CString path;
    if (doc == nullptr || !FileDialog(true, kFilterFilter, "filter", path))
        return;
    if (!doc->CurrentSlot().LoadFilterFile(path))
        return;
    doc->CurrentSlot().ReapplyFilter();
    TableChanged();
    ResizeGridRows();
}

void COstrelindSoftTableView::OnFilterStore()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CString path;
    if (doc == nullptr || !FileDialog(false, kFilterFilter, "filter", path))
        return;
    doc->CurrentSlot().SaveFilterFile(path);
}

// ---- imports

void COstrelindSoftTableView::OnTableImport()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CString path;
    const CString filter = LoadStringOr(IDS_TABLE_FILES_FILTER, "Table files |*.tbl;*.tbf||");
    if (doc == nullptr || !FileDialog(true, filter, "tbl", path))
        return;
    PushUndo();
    if (ImportTableFile(doc->CurrentSlot(), path)) {
        if (doc->CurrentSlot().IsFilterOn())
            doc->CurrentSlot().ReapplyFilter();
        TableChanged();
    }
    ResizeGridRows();
    if (m_pGrid != nullptr && m_pGrid->m_hWnd != nullptr)
        m_pGrid->SetFocus();
}

void COstrelindSoftTableView::OnImportText()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    // The command marks the project and repaints its views when it read rows.
    TextImportCommand(*doc, doc->GetCurrentTableIndex(), this);
    ResizeGridRows();
}

void COstrelindSoftTableView::OnImportExcel()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CString path;
    if (doc == nullptr || doc->CurrentSlot().Table() == nullptr || !FileDialog(true, kExcelFilter, "xl*", path))
        return;
    CTableUndo& undo = doc->GetTableUndo(doc->GetCurrentTableIndex());
    const bool pushed = undo.IsRecordingUndo();
    PushUndo();
    CString title;
    const ExcelImportResult result = ImportExcelFile(*doc->CurrentSlot().Table(), path, &title, nullptr, m_hWnd);
    if (result == ExcelImportResult::kImported) {
        // The tab takes the workbook's and sheet's name.
        doc->SetTableName(doc->GetCurrentTableIndex(), title);
        if (doc->CurrentSlot().IsFilterOn())
            doc->CurrentSlot().ReapplyFilter();
        TableChanged();
    } else {
        // A cancelled or failed import changed nothing and leaves no undo copy behind.
        if (pushed)
            undo.UndoTableEdit(doc->CurrentSlot());
    }
    ResizeGridRows();
}

// ---- ribbon and windows

void COstrelindSoftTableView::OnCharacterSet()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    CTemplate* tmpl = doc->GetCurrentTemplate();
    if (tmpl != nullptr && tmpl->IsLocked())
        return;
    const CString name = CharacterSetComboText();
    if (name.IsEmpty())
        return;
    doc->ApplyTableCharset(doc->CharsetFromName(name));
}

void COstrelindSoftTableView::OnUpdateCharacterSet(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr);
    if (doc == nullptr)
        return;
    // Only while the table has the focus: otherwise the update would overwrite what the user is
    // typing into the combo.
    HWND focus = ::GetFocus();
    if (focus == nullptr || (focus != m_hWnd && !::IsChild(m_hWnd, focus)))
        return;
    ui->SetText(doc->GetCharsetName(doc->GetTableCharset()));
}

void COstrelindSoftTableView::OnShowWindowsStacked()
{
    // Up the parents to the main view (whatever the nesting of splitters and tabs).
    for (HWND wnd = ::GetParent(m_hWnd); wnd != nullptr; wnd = ::GetParent(wnd)) {
        CWnd* object = CWnd::FromHandlePermanent(wnd);
        if (object != nullptr && IsMainView(object)) {
            object->SendMessage(WM_COMMAND, ID_SHOW_WINDOWS_STACKED);
            return;
        }
    }
}

void COstrelindSoftTableView::OnUpdateShowWindowsStacked(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr);
    ui->SetCheck(doc != nullptr && doc->IsStacked() ? 1 : 0);
}

void COstrelindSoftTableView::OnShowTableOrPreview(UINT id)
{
    if (HWND parent = ::GetParent(m_hWnd))
        ::PostMessageA(parent, WM_COMMAND, id, 0);
}

void COstrelindSoftTableView::OnUpdateShowTableOrPreview(CCmdUI* ui)
{
    ui->Enable(TRUE);
    ui->SetCheck(::IsWindowVisible(m_hWnd) ? 1 : 0);
}

void COstrelindSoftTableView::OnUpdateStatusRows(CCmdUI* ui)
{
    const int rows = CountSelectedRows();
    CString text;
    if (rows == 1)
        text = LoadStringOr(IDS_ONE_ROW_SELECTED, "One row selected");
    else if (rows > 1)
        text.Format(LoadStringOr(IDS_ROWS_SELECTED, "%d rows selected"), rows);
    ui->Enable(TRUE);
    ui->SetText(text);
}

// ---- printing

void COstrelindSoftTableView::OnFilePrint()
{
    PrintLabels(false);
}

void COstrelindSoftTableView::OnFilePrintDirect()
{
    PrintLabels(true);
}

void COstrelindSoftTableView::PrintLabels(bool direct)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || !doc->CheckBeforePrint(this))
        return;
    // The printer stored with the template becomes the application's printer for this job.
    SelectStoredPrinter(*doc);
    // A command-line print never asks.
    CWinApp* app = AfxGetApp();
    if (direct || (app != nullptr && app->m_pCmdInfo != nullptr)) {
        // The application's printer without the dialog.
        CPrintInfo info;
        info.m_bDirect = TRUE;
        CommandLinePrinter named;
        if (!named.Select(info))
            return;
        if (OnPreparePrinting(&info))
            RunPrintJob(&info);
    } else {
        CScrollView::OnFilePrint();
    }
    doc->CommitAutoIncrementAfterPrint();
}

BOOL COstrelindSoftTableView::OnPreparePrinting(CPrintInfo* info)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return FALSE;
    if (doc->UsesTableData() && CountSelectedRows() > 0 && info->m_pPD != nullptr) {
        // Whole rows selected: the dialog offers and chooses "Selection".
        info->m_pPD->m_pd.Flags &= ~PD_NOSELECTION;
        info->m_pPD->m_pd.Flags |= PD_SELECTION;
    }
    if (!doc->PreparePrinting(info, this))
        return FALSE;
    return DoPreparePrinting(info) && doc->CheckPrintJob(info);
}

void COstrelindSoftTableView::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->BeginPrinting(dc, info, this);
}

void COstrelindSoftTableView::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->PrintPage(dc, info, this);
}

void COstrelindSoftTableView::OnEndPrinting(CDC*, CPrintInfo* info)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->EndPrinting(info);
}
