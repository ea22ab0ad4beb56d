#include "ui/tablefilterdlg.h"

#include "document/labeldoc.h"
#include "framework/msgbox.h"
#include "labelmodel/labelpaper.h"
#include "ui/tabledialogids.h"

BEGIN_MESSAGE_MAP(CTableFilterDlg, CDialog)
    ON_NOTIFY(GRIDN_GETDISPINFO, IDC_FILTER_GRID, OnGridDispInfo)
    ON_NOTIFY(GRIDN_BEGINEDIT, IDC_FILTER_GRID, OnGridBeginEdit)
    ON_NOTIFY(GRIDN_ENDEDIT, IDC_FILTER_GRID, OnGridEndEdit)
    ON_NOTIFY(GRIDN_SELCHANGED, IDC_FILTER_GRID, OnGridSelChanged)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {
const int kRows = 12;
const int kColumns = 28;

UINT RowLabel(int row)
{
    if (row == 1)
        return IDS_FILTER_SHOW;
    if (row == 2)
        return IDS_FILTER_TRIM;
    if (row <= 5)
        return IDS_FILTER_STRIP;
    if (row <= 8)
        return IDS_FILTER_INCLUDE;
    return IDS_FILTER_EXCLUDE;
}

const char* RowLabelFallback(int row)
{
    static const char* const texts[] = { "Show column", "Remove leading blanks", "Remove leading character",
                                         "Include rows containing", "Exclude rows containing" };
    return texts[RowLabel(row) - IDS_FILTER_SHOW];
}
} // namespace

CTableFilterDlg::CTableFilterDlg(COstrelindSoftLabelDoc* doc, int table)
    : CDialog(IDD_TABLE_FILTER), m_pDoc(doc), m_nTable(table)
{
}

BOOL CTableFilterDlg::Create(CWnd* parent, CTableFilterDlg** ownerSlot)
{
    m_ppOwnerSlot = ownerSlot;
    if (!CDialog::Create(IDD_TABLE_FILTER, parent))
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CTableFilterDlg::OnInitDialog()
{
    m_grid.SubclassDlgItem(IDC_FILTER_GRID, this);
    m_markingType.SubclassDlgItem(IDC_FILTER_MARKING, this);
    m_markingType.AddString("");
    for (int i = 1; i <= 6; ++i)
        m_markingType.AddString(GetMarkingTypeName(i));
    const CDataTableFilter* filter = m_pDoc != nullptr ? m_pDoc->GetTableSlot(m_nTable).Filter() : nullptr;
    const int marking = filter != nullptr ? filter->GetReserved1() : 0;
    m_markingType.SetCurSel(marking >= 0 && marking <= 6 ? marking : 0);

    m_grid.SetVirtualMode(TRUE);
    m_grid.SetEditable(TRUE);
    m_grid.SetRowCount(kRows);
    m_grid.SetColumnCount(kColumns);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    m_grid.SetColumnWidth(0, 180);
    m_grid.SetColumnWidth(1, 70);
    for (int c = 2; c < kColumns; ++c)
        m_grid.SetColumnWidth(c, 24);
    m_grid.SetTabToNextControl(TRUE);
    return CDialog::OnInitDialog();
}

CString CTableFilterDlg::CellText(int row, int column) const
{
    CString text;
    if (row == 0) {
        if (column == 0)
            text = LoadStringOr(IDS_FILTER_FUNCTION, "Function");
        else if (column == 1)
            text = LoadStringOr(IDS_FILTER_ARGUMENT, "Argument");
        else
            text.Format("%c", 'A' + column - 2);
        return text;
    }
    if (row >= kRows || m_pDoc == nullptr)
        return text;
    const TableSlot& slot = m_pDoc->GetTableSlot(m_nTable);
    if (column == 0)
        text = LoadStringOr(RowLabel(row), RowLabelFallback(row));
    else if (column == 1)
        text = row >= 3 ? slot.GetFilterText(row - 1) : CString();
    else if (slot.GetFilterFlag(column - 2, row - 1))
        text = "x";
    return text;
}

void CTableFilterDlg::OnGridDispInfo(NMHDR* header, LRESULT* result)
{
    GRID_DISPINFO* info = reinterpret_cast<GRID_DISPINFO*>(header);
    info->strText = CellText(info->row, info->col);
    if (info->row >= 1 && info->col >= 2)
        info->format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    *result = 0;
}

void CTableFilterDlg::OnGridBeginEdit(NMHDR* header, LRESULT* result)
{
    const GRID_NOTIFY* nm = reinterpret_cast<const GRID_NOTIFY*>(header);
    *result = 0;
    if (IsFlagCell(nm->iRow, nm->iColumn)) {
        // A click that would edit a mark turns it over instead. The grid asks the same before
        // it clears or pastes over a cell: those change no mark.
        if (m_grid.IsEditOpenedByClick())
            ToggleFlag(nm->iRow, nm->iColumn);
        *result = -1;
    } else if (nm->iColumn == 1 && nm->iRow < 3) {
        *result = -1;             // show and trim take no text
    }
}

void CTableFilterDlg::OnGridSelChanged(NMHDR* header, LRESULT* result)
{
    const GRID_NOTIFY* nm = reinterpret_cast<const GRID_NOTIFY*>(header);
    *result = 0;
    const CGridCellID focus = m_grid.GetFocusCell();
    // Only a move onto another cell turns a mark over (the grid reports a selection change on
    // every button release, and "select all" reports the cell where the focus stays).
    const bool moved = focus.row != m_lastFocusRow || focus.col != m_lastFocusColumn;
    m_lastFocusRow = focus.row;
    m_lastFocusColumn = focus.col;
    if (moved && focus.row == nm->iRow && focus.col == nm->iColumn && IsFlagCell(focus.row, focus.col))
        ToggleFlag(focus.row, focus.col);
}

void CTableFilterDlg::OnGridEndEdit(NMHDR* header, LRESULT* result)
{
    const GRID_DISPINFO* info = reinterpret_cast<const GRID_DISPINFO*>(header);
    *result = 0;
    // Flag cells keep their marks whatever is typed, pasted or deleted over them.
    if (m_pDoc == nullptr || info->col != 1 || info->row < 3 || info->row >= kRows)
        return;
    m_pDoc->GetTableSlot(m_nTable).SetFilterText(info->row - 1, info->strText);
    FilterChanged();
}

void CTableFilterDlg::ToggleFlag(int row, int column)
{
    if (m_pDoc == nullptr)
        return;
    m_pDoc->GetTableSlot(m_nTable).ToggleFilterFlag(row - 1, column - 2);
    FilterChanged();
}

void CTableFilterDlg::FilterChanged()
{
    TableSlot& slot = m_pDoc->GetTableSlot(m_nTable);
    slot.ReapplyFilter();
    // The filter is saved with the project, and what the table shows has changed.
    m_pDoc->TablesChanged();
    if (m_grid.m_hWnd != nullptr)
        m_grid.Invalidate();
}

void CTableFilterDlg::OnOK()
{
    DestroyWindow();
}

void CTableFilterDlg::OnCancel()
{
    DestroyWindow();
}

void CTableFilterDlg::OnClose()
{
    DestroyWindow();
}

void CTableFilterDlg::PostNcDestroy()
{
    if (m_ppOwnerSlot != nullptr && *m_ppOwnerSlot == this)
        *m_ppOwnerSlot = nullptr;
    delete this;
}

bool OpenTableFilterDialog(COstrelindSoftLabelDoc& doc, int table, CWnd* parent, CTableFilterDlg*& dialog)
{
    TableSlot& slot = doc.GetTableSlot(table);
    if (slot.Filter() == nullptr) {
        if (AfxMessageBox(IDS_NO_FILTER_YET, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        slot.CreateFilter();
        doc.SetModifiedFlag(TRUE);
    }
    if (dialog != nullptr)
        return true;
    CTableFilterDlg* made = new CTableFilterDlg(&doc, table);
    dialog = made;
    if (!made->Create(parent, &dialog)) {
        // A window that was bound deleted the dialog as it went and cleared `dialog`.
        if (dialog == made && made->m_hWnd == nullptr)
            delete made;
        dialog = nullptr;
        return false;
    }
    return true;
}

void CloseTableFilterDialog(CTableFilterDlg*& dialog)
{
    if (dialog != nullptr && dialog->m_hWnd != nullptr)
        dialog->DestroyWindow();   // clears `dialog` as the window goes
    dialog = nullptr;
}
