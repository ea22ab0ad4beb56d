#include "ui/tableview.h"

#include "document/labeldoc.h"
#include "document/printoptions.h"
#include "document/tableslot.h"
#include "document/tableundo.h"
#include "framework/app.h"
#include "framework/guard.h"
#include "framework/msgbox.h"
#include "framework/menu.h"
#include "framework/msgmap.h"
#include "grid/griddefs.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"
#include "ui/resourceids.h"
#include "ui/tablefilterdlg.h"
#include "ui/tableviewids.h"

#include <climits>
#include <commdlg.h>
#include <cstdio>
#include <cstring>

static const UINT s_findMessage = ::RegisterWindowMessageA(FINDMSGSTRING);

BEGIN_MESSAGE_MAP(COstrelindSoftTableView, CScrollView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_WM_CHAR()
    ON_WM_RBUTTONUP()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_TABVIEW_REMOVE, OnTabViewRemove)
    ON_MESSAGE(WM_GRID_BULKEDIT, OnGridBulkEdit)
    ON_MESSAGE(WM_GRID_BEFORECLEAR, OnGridBeforeClear)
    ON_REGISTERED_MESSAGE(s_findMessage, OnFindReplace)
    ON_COMMAND(ID_TABLE_INSERT_ROW, OnInsertRow)
    ON_UPDATE_COMMAND_UI(ID_TABLE_INSERT_ROW, OnUpdateWithDocument)
    ON_COMMAND(ID_TABLE_INSERT_COLUMN, OnInsertColumn)
    ON_UPDATE_COMMAND_UI(ID_TABLE_INSERT_COLUMN, OnUpdateAlways)
    ON_COMMAND(ID_EDIT_DELETE, OnEditDelete)
    ON_UPDATE_COMMAND_UI(ID_EDIT_DELETE, OnUpdateWithDocument)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateWithDocument)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateWithDocument)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateAlways)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_IMAGE_COLUMN, OnImageColumn)
    ON_UPDATE_COMMAND_UI(ID_TABLE_IMAGE_COLUMN, OnUpdateImageColumn)
    ON_COMMAND(ID_TABLE_LINK_IMAGE, OnLinkImage)
    ON_UPDATE_COMMAND_UI(ID_TABLE_LINK_IMAGE, OnUpdateLinkImage)
    ON_COMMAND(ID_TABLE_SEQUENCE, OnSequence)
    ON_UPDATE_COMMAND_UI(ID_TABLE_SEQUENCE, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_REPEAT, OnRepeat)
    ON_UPDATE_COMMAND_UI(ID_TABLE_REPEAT, OnUpdateWithDocument)
    ON_COMMAND(ID_TABLE_SORT_ASCENDING, OnSortAscending)
    ON_UPDATE_COMMAND_UI(ID_TABLE_SORT_ASCENDING, OnUpdateSort)
    ON_COMMAND(ID_TABLE_SORT_DESCENDING, OnSortDescending)
    ON_UPDATE_COMMAND_UI(ID_TABLE_SORT_DESCENDING, OnUpdateSort)
    ON_COMMAND(ID_TABLE_FIND, OnFind)
    ON_UPDATE_COMMAND_UI(ID_TABLE_FIND, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_REPLACE, OnReplace)
    ON_UPDATE_COMMAND_UI(ID_TABLE_REPLACE, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_FIRST_ROW, OnFirstRow)
    ON_UPDATE_COMMAND_UI(ID_TABLE_FIRST_ROW, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_LAST_ROW, OnLastRow)
    ON_UPDATE_COMMAND_UI(ID_TABLE_LAST_ROW, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_PREV_ROW, OnPrevRow)
    ON_UPDATE_COMMAND_UI(ID_TABLE_PREV_ROW, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_NEXT_ROW, OnNextRow)
    ON_UPDATE_COMMAND_UI(ID_TABLE_NEXT_ROW, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_PREV_PAGE, OnPrevPage)
    ON_UPDATE_COMMAND_UI(ID_TABLE_PREV_PAGE, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_NEXT_PAGE, OnNextPage)
    ON_UPDATE_COMMAND_UI(ID_TABLE_NEXT_PAGE, OnUpdateAlways)
    ON_COMMAND(ID_FILTER_ENABLE, OnFilterEnable)
    ON_UPDATE_COMMAND_UI(ID_FILTER_ENABLE, OnUpdateFilterEnable)
    ON_COMMAND(ID_FILTER_SETUP, OnFilterSetup)
    ON_UPDATE_COMMAND_UI(ID_FILTER_SETUP, OnUpdateAlways)
    ON_COMMAND(ID_FILTER_LOAD, OnFilterLoad)
    ON_UPDATE_COMMAND_UI(ID_FILTER_LOAD, OnUpdateAlways)
    ON_COMMAND(ID_FILTER_STORE, OnFilterStore)
    ON_UPDATE_COMMAND_UI(ID_FILTER_STORE, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_IMPORT, OnTableImport)
    ON_UPDATE_COMMAND_UI(ID_TABLE_IMPORT, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_IMPORT_TEXT, OnImportText)
    ON_UPDATE_COMMAND_UI(ID_TABLE_IMPORT_TEXT, OnUpdateAlways)
    ON_COMMAND(ID_TABLE_IMPORT_EXCEL, OnImportExcel)
    ON_UPDATE_COMMAND_UI(ID_TABLE_IMPORT_EXCEL, OnUpdateAlways)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
    ON_COMMAND(ID_CHARACTER_SET, OnCharacterSet)
    ON_UPDATE_COMMAND_UI(ID_CHARACTER_SET, OnUpdateCharacterSet)
    ON_COMMAND(ID_SHOW_WINDOWS_STACKED, OnShowWindowsStacked)
    ON_UPDATE_COMMAND_UI(ID_SHOW_WINDOWS_STACKED, OnUpdateShowWindowsStacked)
    ON_COMMAND_RANGE(ID_SHOW_TABLE, ID_SHOW_PREVIEW, OnShowTableOrPreview)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SHOW_TABLE, ID_SHOW_PREVIEW, OnUpdateShowTableOrPreview)
    ON_UPDATE_COMMAND_UI(ID_STATUS_PANE_ROWS, OnUpdateStatusRows)
END_MESSAGE_MAP()

COstrelindSoftTableView::COstrelindSoftTableView() = default;

COstrelindSoftTableView::~COstrelindSoftTableView()
{
    DestroyFindDialog();
    CloseTableFilterDialog(m_pFilterDlg);
    delete m_pGrid;
}

COstrelindSoftLabelDoc* COstrelindSoftTableView::GetLabelDoc() const
{
    return dynamic_cast<COstrelindSoftLabelDoc*>(GetDocument());
}

TableSlot* COstrelindSoftTableView::CurrentSlot() const
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    return doc != nullptr ? &doc->CurrentSlot() : nullptr;
}

void COstrelindSoftTableView::PushUndo()
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->GetTableUndo(doc->GetCurrentTableIndex()).PushTableUndo(doc->CurrentSlot());
}

void COstrelindSoftTableView::SetRecordUndo(bool on)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->GetTableUndo(doc->GetCurrentTableIndex()).SetRecordUndo(on);
}

void COstrelindSoftTableView::TableChanged()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    doc->TablesChanged();
}

// ---- command route

static bool ActsInEditBox(UINT id)
{
    return id == ID_EDIT_CUT || id == ID_EDIT_COPY || id == ID_EDIT_PASTE;
}

BOOL COstrelindSoftTableView::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo)
{
    // Only a command that runs: not an update, not a look for a handler, not the grid's own
    // notice of a click (its control id).
    if (nCode == CN_COMMAND && pHandlerInfo == nullptr && nID != IDC_GRIDCTRL && !ActsInEditBox(nID))
        EndGridEdit();
    return CScrollView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- window

CGridCtrl* COstrelindSoftTableView::NewGrid()
{
    return new CGridCtrl();
}

int COstrelindSoftTableView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CScrollView::OnCreate(cs) == -1)
        return -1;
    m_pGrid = NewGrid();
    // Created at a fixed size; WM_SIZE makes it fill the view.
    if (!m_pGrid->Create(CRect(0, 0, 600, 600), this, IDC_GRIDCTRL)) {
        delete m_pGrid;
        m_pGrid = nullptr;
        return -1;
    }
    m_pGrid->SetOwner(this);
    m_pGrid->SetVirtualMode(TRUE);
    m_pGrid->SetColumnCount(27);
    m_pGrid->SetFixedRowCount(1);
    m_pGrid->SetFixedColumnCount(1);
    m_pGrid->SetRowCount(100);
    m_pGrid->SetEditable(TRUE);
    return 0;
}

void COstrelindSoftTableView::OnDestroy()
{
    DestroyFindDialog();
    CloseTableFilterDialog(m_pFilterDlg);
    if (m_pGrid != nullptr && m_pGrid->m_hWnd != nullptr)
        ::CloseWindow(m_pGrid->m_hWnd);
    CScrollView::OnDestroy();
}

void COstrelindSoftTableView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(0, 0));
    CScrollView::OnInitialUpdate();
    ResizeGridRows();
}

void COstrelindSoftTableView::OnUpdate(CView*, LPARAM hint, CObject*)
{
    if (hint != 0 && (hint & kHintTableViews) == 0)
        return;
    if (m_pGrid != nullptr && m_pGrid->m_hWnd != nullptr) {
        ResizeGridRows();
        m_pGrid->Invalidate(FALSE);
    }
}

void COstrelindSoftTableView::OnSize(UINT type, int cx, int cy)
{
    CScrollView::OnSize(type, cx, cy);
    if (m_pGrid == nullptr || m_pGrid->m_hWnd == nullptr)
        return;
    m_pGrid->MoveWindow(0, 0, cx, cy);
    ResizeGridRows(cy);
}

void COstrelindSoftTableView::OnSetFocus(CWnd*)
{
    if (m_pGrid != nullptr && m_pGrid->m_hWnd != nullptr)
        m_pGrid->SetFocus();
}

void COstrelindSoftTableView::OnClose()
{
    // The close box of the tab: the document asks and removes the table with its tab. A view
    // that is not in a tab (a test's frame) has nothing to delete.
    if (::GetParent(m_hWnd) == nullptr)
        return;
    // The close box takes no focus: what is typed goes into the table before it is asked about.
    EndGridEdit();
    // Straight to this view's own project: through the main window the command would reach the
    // active child's active view, which is another project's, or none once a removed tab's canvas
    // had been the active view.
    if (CDocument* doc = GetDocument())
        doc->OnCmdMsg(ID_DELETE_TABLE, CN_COMMAND, nullptr, nullptr);
}

void COstrelindSoftTableView::OnChar(UINT, UINT, UINT)
{
    ::MessageBeep(0);
}

void COstrelindSoftTableView::OnRButtonUp(UINT, CPoint point)
{
    ClientToScreen(&point);
    OnContextMenu(this, point);
}

void COstrelindSoftTableView::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: below the focus cell.
        CRect rect(0, 0, 0, 0);
        if (m_pGrid != nullptr)
            m_pGrid->GetCellRect(m_pGrid->GetFocusCell(), &rect);
        point = CPoint(rect.left, rect.bottom);
        if (m_pGrid != nullptr)
            m_pGrid->ClientToScreen(&point);
    }
    ShowPopupMenu(IDR_CONTEXT_TABLE, point, this);
}

LRESULT COstrelindSoftTableView::OnTabViewRemove(WPARAM, LPARAM)
{
    // The table this view showed is gone from the project: an editor still open on it has nowhere
    // to put its text (the document's current table is another one now).
    if (m_pGrid != nullptr && m_pGrid->m_hWnd != nullptr)
        m_pGrid->CancelEditing();
    Default();
    DestroyWindow();
    return 0;
}

LRESULT COstrelindSoftTableView::OnGridBulkEdit(WPARAM wParam, LPARAM)
{
    // Between the two the grid clears the selected cells (its Delete key): one undo copy for
    // all of them, taken before, and the image cells among them cleared as text.
    SetRecordUndo(wParam != 0);
    m_bClearing = wParam == 0;
    return 0;
}

LRESULT COstrelindSoftTableView::OnGridBeforeClear(WPARAM, LPARAM)
{
    PushUndo();
    return 0;
}

// ---- layout

void COstrelindSoftTableView::ResizeGridRows()
{
    CRect client(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    ResizeGridRows(client.Height());
}

void COstrelindSoftTableView::ResizeGridRows(int height)
{
    if (m_pGrid == nullptr || m_pGrid->m_hWnd == nullptr)
        return;
    const int rowHeight = m_pGrid->GetRowHeight(0);
    const int fill = rowHeight > 0 ? height / rowHeight * 12 / 10 : 0;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const int tableRows = doc != nullptr ? doc->GetTableRowCount() : 0;
    int rows = fill;
    if (tableRows + 11 > rows)
        rows = tableRows + 11;
    if (m_nCurrentRow + 11 > rows)
        rows = m_nCurrentRow + 11;
    if (m_pGrid->GetRowCount() != rows)
        m_pGrid->SetRowCount(rows);
}

// ---- grid notifications

BOOL COstrelindSoftTableView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr || m_pGrid == nullptr || header->hwndFrom != m_pGrid->m_hWnd)
        return CScrollView::OnNotify(wParam, lParam, result);
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    *result = 0;
    switch (static_cast<int>(header->code)) {
    case GRIDN_GETDISPINFO: {
        GRID_DISPINFO* info = reinterpret_cast<GRID_DISPINFO*>(lParam);
        if (doc == nullptr)
            return TRUE;
        char text[260] = {};
        if (info->row == 0 && info->col >= 1) {
            const int p = doc->GetFilteredColumn(info->col - 1);
            if (p >= 0 && doc->IsImageColumn(p)) {
                CString format;
                format.Format("%s %%d", static_cast<const char*>(LoadStringOr(IDS_RIBBON_IMAGE, "Image")));
                std::snprintf(text, sizeof text, format, doc->GetImageColumnNumber(p));
            } else if (p >= 0 && p <= 25) {
                std::snprintf(text, sizeof text, "%c", 'A' + p);
            }
        } else if (info->col == 0 && info->row >= 1) {
            std::snprintf(text, sizeof text, "%d", info->row);
        } else if (info->row >= 1 && info->col >= 1) {
            doc->GetTableCellText(info->row - 1, info->col - 1, 257, text);
            info->format = DT_RIGHT;
        }
        info->strText = text;
        return TRUE;
    }
    case GRIDN_ENDEDIT: {
        const GRID_DISPINFO* info = reinterpret_cast<const GRID_DISPINFO*>(lParam);
        if (doc == nullptr || info->row < 1 || info->col < 1)
            return TRUE;
        char text[257] = {};
        lstrcpynA(text, info->strText, sizeof text);
        // The column the template reads its copies from takes only numbers the template's copies
        // can hold; anything larger is refused here, where it was typed or pasted, and the cell
        // keeps its text.
        if (RefusedAsCopies(*doc, info->row, info->col, text))
            return TRUE;
        PushUndo();
        if (doc->SetTableCellText(text, info->row - 1, info->col - 1)) {
            doc->InvalidateDesignViews();
            doc->InvalidateLabelPreviews();
        }
        ResizeGridRows();
        return TRUE;
    }
    case GRIDN_BEGINEDIT: {
        const GRID_NOTIFY* notify = reinterpret_cast<const GRID_NOTIFY*>(lParam);
        // Only an edit a person starts (a click into the cell, F2, typing) asks for the dialog;
        // the grid changing image cells for a paste or a clearing goes ahead as for any cell.
        if (doc != nullptr && !m_bPasting && !m_bClearing && notify->iRow >= 1 && notify->iColumn >= 1 &&
            doc->IsImageColumn(doc->GetFilteredColumn(notify->iColumn - 1))) {
            PostMessage(WM_COMMAND, ID_TABLE_LINK_IMAGE);
            *result = -1;    // no editor on an image cell
        }
        return TRUE;
    }
    case GRIDN_SELCHANGED: {
        const GRID_NOTIFY* notify = reinterpret_cast<const GRID_NOTIFY*>(lParam);
        int row = notify->iRow;
        if (row == -1) {
            // No focus cell: the first selected row; with nothing selected the current row stays.
            const CGridCellRange range = m_pGrid->GetSelectedCellRange();
            row = range.IsValid() ? range.GetMinRow() : -1;
        }
        if (row >= 1 && row != m_nCurrentRow) {
            m_nCurrentRow = row;
            ResizeGridRows();
        }
        if (notify->iColumn >= 1)
            m_nCurrentColumn = notify->iColumn;
        if (doc != nullptr && m_nCurrentRow >= 1)
            doc->SetPreviewRow(m_nCurrentRow - 1);
        return TRUE;
    }
    case GRIDN_CACHEHINT:
        return TRUE;
    default:
        return CScrollView::OnNotify(wParam, lParam, result);
    }
}

// ---- the copies column

static char CopiesColumnLetter(COstrelindSoftLabelDoc& doc)
{
    const int copies = doc.GetCurrentTemplate()->GetCopies();
    return copies >= -26 && copies <= -1 ? static_cast<char>('A' - copies - 1) : 0;
}

static CString CopiesColumnRule(char letter)
{
    CString message;
    message.Format("Column %c holds the number of copies of each label: enter a number from 1 to 32767.", letter);
    return message;
}

bool COstrelindSoftTableView::RefusedAsCopies(COstrelindSoftLabelDoc& doc, int row, int col, const char* text)
{
    const char letter = CopiesColumnLetter(doc);
    // The column as its header names it: with the filter hiding columns, shown and base columns differ.
    if (letter == 0 || doc.GetFilteredColumn(col - 1) != letter - 'A' || CopiesTextFits(text))
        return false;
    if (!m_bPasting) {
        ShowMessageBox(m_hWnd, CopiesColumnRule(letter), nullptr, MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    // A paste hears about it once, when it is done: one box, not one per cell.
    if (m_nRefusedCopies++ == 0)
        m_strFirstRefused.Format("%c%d (\"%s\")", letter, row, text);
    return true;
}

void COstrelindSoftTableView::ReportRefusedCopies()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const int refused = m_nRefusedCopies;
    m_nRefusedCopies = 0;
    const char letter = doc != nullptr ? CopiesColumnLetter(*doc) : 0;
    if (refused == 0 || letter == 0)
        return;
    CString detail;
    if (refused == 1)
        detail.Format("One pasted cell was refused and keeps its text: %s.", m_strFirstRefused.GetString());
    else
        detail.Format("%d pasted cells were refused and keep their text; the first is %s.", refused,
                      m_strFirstRefused.GetString());
    ShowMessageBox(m_hWnd, CopiesColumnRule(letter) + "\n\n" + detail, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

// ---- selection

bool COstrelindSoftTableView::WholeRowsSelected() const
{
    if (m_pGrid == nullptr)
        return false;
    const CGridCellRange range = m_pGrid->GetSelectedCellRange();
    return range.IsValid() && range.GetMinRow() >= 1 && range.GetMinCol() <= 1 &&
           range.GetMaxCol() >= m_pGrid->GetColumnCount() - 1;
}

bool COstrelindSoftTableView::WholeColumnsSelected() const
{
    if (m_pGrid == nullptr)
        return false;
    const CGridCellRange range = m_pGrid->GetSelectedCellRange();
    return range.IsValid() && range.GetMinCol() >= 1 && range.GetMinRow() <= 1 &&
           range.GetMaxRow() >= m_pGrid->GetRowCount() - 1;
}

bool COstrelindSoftTableView::IsWholeRowSelected(int r) const
{
    // Every column of the row: a row header's click, not a cell of column A picked with Ctrl.
    return r >= 1 && m_pGrid->IsRangeSelected(CGridCellRange(r, 1, r, m_pGrid->GetColumnCount() - 1));
}

// Only grid rows that hold a table row count: the empty rows below the table are never offered
// to the print engine.
static int SelectableRowEnd(CGridCtrl* grid, COstrelindSoftLabelDoc* doc)
{
    int end = grid->GetRowCount() - 1;
    const int tableRows = doc != nullptr ? doc->GetTableRowCount() : 0;
    if (tableRows < end)
        end = tableRows < 0 ? 0 : tableRows;
    return end;
}

int COstrelindSoftTableView::GetFirstSelectedRow()
{
    return GetNextSelectedRow(0);
}

int COstrelindSoftTableView::GetLastSelectedRow()
{
    return GetPrevSelectedRow(INT_MAX);
}

int COstrelindSoftTableView::GetNextSelectedRow(int row)
{
    if (m_pGrid == nullptr)
        return -1;
    const int end = SelectableRowEnd(m_pGrid, GetLabelDoc());
    for (int r = row < 0 ? 1 : row + 1; r <= end; ++r)
        if (IsWholeRowSelected(r))
            return r;
    return -1;
}

int COstrelindSoftTableView::GetPrevSelectedRow(int row)
{
    if (m_pGrid == nullptr)
        return -1;
    const int end = SelectableRowEnd(m_pGrid, GetLabelDoc());
    for (int r = (row - 1 > end ? end : row - 1); r >= 1; --r)
        if (IsWholeRowSelected(r))
            return r;
    return -1;
}

int COstrelindSoftTableView::CountSelectedRows()
{
    if (!WholeRowsSelected())
        return 0;
    int count = 0;
    const int end = SelectableRowEnd(m_pGrid, GetLabelDoc());
    for (int r = 1; r <= end; ++r)
        if (IsWholeRowSelected(r))
            ++count;
    return count;
}

// ---- font and editing

bool COstrelindSoftTableView::GetGridFont(LOGFONTA& font)
{
    if (m_pGrid == nullptr || m_pGrid->m_hWnd == nullptr)
        return false;
    HFONT handle = reinterpret_cast<HFONT>(m_pGrid->SendMessage(WM_GETFONT));
    return handle != nullptr && ::GetObjectA(handle, sizeof font, &font) == sizeof font;
}

void COstrelindSoftTableView::SetGridFont(const LOGFONTA& font)
{
    if (m_pGrid == nullptr || m_pGrid->m_hWnd == nullptr)
        return;
    // The grid keeps its own copy of the font it is given.
    HFONT handle = ::CreateFontIndirectA(&font);
    m_pGrid->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
    ::DeleteObject(handle);
    ResizeGridRows();
}

void COstrelindSoftTableView::EndGridEdit()
{
    if (m_pGrid != nullptr && m_pGrid->m_hWnd != nullptr)
        m_pGrid->EndEditing();
}

void COstrelindSoftTableView::GoToCell(int row, int column)
{
    if (m_pGrid == nullptr || row < 1)
        return;
    if (column < 1)
        column = 1;
    m_nCurrentRow = row;
    m_nCurrentColumn = column;
    ResizeGridRows();
    m_pGrid->SetFocusCell(row, column);
    m_pGrid->SetSelectedRange(row, column, row, column, TRUE);
    m_pGrid->EnsureVisible(row, column);
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->SetPreviewRow(row - 1);
}
