// The grid's cells: ordinary cells in the grid's rows, virtual mode's one shared cell filled from
// the owner's answers, the default cells, and the per-cell text, state and format.
#include "grid/gridctrl.h"
#include "grid/gridinplaceedit.h"

namespace {

// The one display-information record and the one cell of virtual mode, shared by every grid.
GRID_DISPINFO& VirtualRecord()
{
    static GRID_DISPINFO record = {};
    return record;
}

CGridCell& VirtualCell()
{
    static CGridCell cell;
    return cell;
}

}  // namespace

// ---- cells

CGridCellBase* CGridCtrl::GetCellUnchecked(int row, int col) const
{
    if (static_cast<size_t>(row) >= m_RowData.size())
        return nullptr;
    const auto& data = m_RowData[static_cast<size_t>(row)];
    if (static_cast<size_t>(col) >= data.size())
        return nullptr;
    return data[static_cast<size_t>(col)];
}

CGridCellBase* CGridCtrl::GetCell(int row, int col) const
{
    if (!IsValid(row, col))
        return nullptr;
    if (m_bVirtualMode)
        return GetVirtualCell(row, col);
    if (static_cast<size_t>(col) >= m_arColOrder.size())
        return nullptr;
    return GetCellUnchecked(row, m_arColOrder[static_cast<size_t>(col)]);
}

CGridCellBase* CGridCtrl::GetVirtualCell(int row, int col) const
{
    CGridDefaultCell* def = GetDefaultCell(row < m_nFixedRows, col < m_nFixedCols);
    GRID_DISPINFO& info = VirtualRecord();
    info.row = row;
    info.col = col;
    info.mask = static_cast<UINT>(-1);
    info.state = 0;
    info.format = def->GetFormat();
    info.image = def->GetImage();
    info.crBkClr = def->GetBackColour();
    info.crFgClr = def->GetTextColour();
    info.lParam = def->GetData();
    info.lfFont = *def->GetFont();
    info.margin = def->GetMargin();
    info.strText.Empty();

    if (IsCellSelected(row, col))
        info.state |= GVIS_SELECTED;
    if (row < m_nFixedRows)
        info.state |= GVIS_FIXED | GVIS_FIXEDROW;
    if (col < m_nFixedCols)
        info.state |= GVIS_FIXED | GVIS_FIXEDCOL;
    if (CGridCellID(row, col) == m_idCurrentCell)
        info.state |= GVIS_FOCUSED;

    if (!m_bDestroying) {
        if (static_cast<size_t>(row) < m_arRowOrder.size())
            info.row = m_arRowOrder[static_cast<size_t>(row)];
        if (static_cast<size_t>(col) < m_arColOrder.size())
            info.col = m_arColOrder[static_cast<size_t>(col)];
        if (m_pfnCallback != nullptr)
            m_pfnCallback(&info, m_lParam);
        else
            SendDisplayRequestToParent(&info);
        info.row = row;
        info.col = col;
    }

    CGridCell& cell = VirtualCell();
    cell.SetState(info.state);
    cell.SetImage(info.image);
    cell.SetBackColour(info.crBkClr);
    cell.SetTextColour(info.crFgClr);
    cell.SetData(info.lParam);
    cell.SetFormat(GRID_DEFAULT_FORMAT);
    cell.SetFont(&info.lfFont);
    cell.SetMargin(info.margin);
    cell.SetText(info.strText);
    cell.SetGrid(const_cast<CGridCtrl*>(this));
    // Only the cell being edited carries the editor; every other cell it stands for has none.
    const bool editing = m_pInPlaceEdit != nullptr && m_idEditCell == CGridCellID(row, col);
    cell.SetEditState(editing ? TRUE : FALSE, editing ? m_pInPlaceEdit : nullptr);
    return &cell;
}

void CGridCtrl::ForgetVirtualCellEditor(CWnd* edit)
{
    CGridCell& cell = VirtualCell();
    if (edit == nullptr || cell.GetEditWnd() == edit)
        cell.SetEditState(FALSE, nullptr);
}

BOOL CGridCtrl::SetCell(int row, int col, CGridCellBase* cell)
{
    if (m_bVirtualMode || !IsValid(row, col) || cell == nullptr)
        return FALSE;
    size_t physical = static_cast<size_t>(m_arColOrder[static_cast<size_t>(col)]);
    cell->SetCoords(row, col);
    m_RowData[static_cast<size_t>(row)][physical] = cell;
    return TRUE;
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL fixedRow, BOOL fixedCol) const
{
    CGridCtrl* self = const_cast<CGridCtrl*>(this);
    if (fixedRow && fixedCol)
        return &self->m_cellFixedRowColDef;
    if (fixedRow)
        return &self->m_cellFixedRowDef;
    if (fixedCol)
        return &self->m_cellFixedColDef;
    return &self->m_cellDefault;
}

CGridCellBase* CGridCtrl::CreateCell(int row, int col)
{
    if (m_pfnCellFactory == nullptr)
        return nullptr;
    CGridCellBase* cell = m_pfnCellFactory();
    if (cell == nullptr)
        return nullptr;
    cell->SetGrid(this);
    cell->SetCoords(row, col);
    if (col < m_nFixedCols)
        cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDCOL);
    if (row < m_nFixedRows)
        cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDROW);
    cell->SetFormat(cell->GetDefaultCell()->GetFormat());
    return cell;
}

void CGridCtrl::DestroyCell(int row, int col)
{
    // Physical coordinates: the cell leaves the selection before it goes.
    CGridCellBase* cell = GetCellUnchecked(row, col);
    if (cell == nullptr)
        return;
    m_SelectedCellMap.erase(row, col);
    cell->SetState(0);
    delete cell;
    m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)] = nullptr;
}

BOOL CGridCtrl::SetItemText(int row, int col, const char* text)
{
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr)
        return FALSE;
    cell->SetText(text);
    SetModified(TRUE, row, col);
    return TRUE;
}

CString CGridCtrl::GetItemText(int row, int col) const
{
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr)
        return CString();
    return CString(cell->GetText());
}

BOOL CGridCtrl::SetItemState(int row, int col, UINT state)
{
    if (!IsValid(row, col))
        return FALSE;
    const bool selected = IsCellSelected(row, col) != FALSE || m_SelectedCellMap.contains(row, col);
    if ((state & GVIS_SELECTED) && !selected)
        m_SelectedCellMap.insert(row, col);
    else if (!(state & GVIS_SELECTED) && selected)
        m_SelectedCellMap.erase(row, col);
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr)
        return FALSE;
    cell->SetState(state);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int row, int col) const
{
    CGridCellBase* cell = GetCell(row, col);
    return cell ? static_cast<UINT>(cell->GetState()) : 0;
}

#define KV_GRID_SETTER(name, type, call)                      \
    BOOL CGridCtrl::name(int row, int col, type value)        \
    {                                                         \
        if (m_bVirtualMode)                                   \
            return FALSE;                                     \
        CGridCellBase* cell = GetCell(row, col);              \
        if (cell == nullptr)                                  \
            return FALSE;                                     \
        cell->call(value);                                    \
        return TRUE;                                          \
    }
KV_GRID_SETTER(SetItemData, DWORD, SetData)
KV_GRID_SETTER(SetItemFormat, UINT, SetFormat)
KV_GRID_SETTER(SetItemBkColour, COLORREF, SetBackColour)
KV_GRID_SETTER(SetItemFgColour, COLORREF, SetTextColour)
KV_GRID_SETTER(SetItemFont, const LOGFONTA*, SetFont)
KV_GRID_SETTER(SetItemImage, int, SetImage)
#undef KV_GRID_SETTER

DWORD CGridCtrl::GetItemData(int row, int col) const
{
    CGridCellBase* cell = GetCell(row, col);
    return cell ? cell->GetData() : 0;
}

UINT CGridCtrl::GetItemFormat(int row, int col) const
{
    CGridCellBase* cell = GetCell(row, col);
    return cell ? static_cast<UINT>(cell->GetFormat()) : 0;
}

void CGridCtrl::SetSortColumn(int col)
{
    if (m_nSortColumn >= 0 && m_nRows > 0)
        InvalidateCellRect(0, m_nSortColumn);
    m_nSortColumn = col;
    if (col >= 0 && m_nRows > 0)
        InvalidateCellRect(0, col);
}

void CGridCtrl::SetModified(BOOL modified, int row, int col)
{
    if (col < 0 || col == m_nSortColumn)
        SetSortColumn(-1);
    if (IsValid(row, col) && modified) {
        if (CGridCellBase* cell = GetCell(row, col))
            cell->SetState(cell->GetState() | GVIS_MODIFIED);
    }
    m_bModified = modified;
}

BOOL CGridCtrl::GetModified(int row, int col) const
{
    if (IsValid(row, col)) {
        CGridCellBase* cell = GetCell(row, col);
        return cell && cell->IsModified();
    }
    return m_bModified;
}

BOOL CGridCtrl::IsValid(const CGridCellRange& range) const
{
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 && range.GetMaxCol() >= 0 &&
           range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols && range.GetMinRow() <= range.GetMaxRow() &&
           range.GetMinCol() <= range.GetMaxCol();
}

BOOL CGridCtrl::IsCellSelected(int row, int col) const
{
    if (!m_bEnableSelection)
        return FALSE;
    if (m_bVirtualMode)
        return m_SelectedCellMap.contains(row, col);
    CGridCellBase* cell = GetCell(row, col);
    return cell && cell->IsSelected();
}

BOOL CGridCtrl::IsCellEditable(int row, int col) const
{
    if (!m_bEditable)
        return FALSE;
    CGridCellBase* cell = GetCell(row, col);
    return cell != nullptr && !cell->IsReadOnly();
}

void CGridCtrl::Refresh()
{
    if (m_bAllowDraw && m_hWnd != nullptr && ::IsWindow(m_hWnd))
        Invalidate();
}
