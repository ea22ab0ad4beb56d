// The grid's side of editing: opening the editor over a cell, taking its text back, and changing
// texts without it (clearing, pasting, dropping).
#include "grid/gridctrl.h"
#include "grid/gridinplaceedit.h"
#include <algorithm>

void CGridCtrl::OnEditCell(int row, int col, CPoint point, UINT character)
{
    m_TitleTip.Hide();
    if (!IsValid(row, col) || !IsCellEditable(row, col))
        return;
    EnsureVisible(row, col);
    if (!IsCellVisible(row, col))
        return;
    CRect rect;
    if (!GetCellRect(row, col, &rect))
        return;
    if (SendMessageToParent(row, col, GRIDN_BEGINEDIT) < 0)
        return;
    CGridCellBase* cell = GetCell(row, col);
    if (cell != nullptr)
        cell->Edit(row, col, rect, point, IDC_INPLACE_CONTROL, character);
}

void CGridCtrl::SetInPlaceEdit(CGridInPlaceEdit* edit, int row, int col)
{
    m_pInPlaceEdit = edit;
    m_idEditCell = CGridCellID(row, col);
}

void CGridCtrl::OnEndEditCellNotify(CGridInPlaceEdit* edit)
{
    // The editor's window is gone: no cell may keep a pointer to it.
    if (edit != m_pInPlaceEdit)
        return;
    m_pInPlaceEdit = nullptr;
    const CGridCellID cell = m_idEditCell;
    m_idEditCell = CGridCellID(-1, -1);
    ForgetVirtualCellEditor(edit);
    if (!m_bDestroying && !m_bVirtualMode && IsValid(cell)) {
        CGridCellBase* c = GetCell(cell.row, cell.col);
        if (c != nullptr && c->GetEditWnd() == edit)
            c->OnEndEdit();
    }
}

void CGridCtrl::EndEditing()
{
    // An open editor ends whatever became of the focus cell since it opened: it knows its own cell.
    if (m_pInPlaceEdit != nullptr && m_pInPlaceEdit->m_hWnd != nullptr) {
        m_pInPlaceEdit->EndEdit();
        return;
    }
    if (!IsValid(m_idCurrentCell))
        return;
    if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        cell->EndEdit();
}

void CGridCtrl::CancelEditing()
{
    if (m_pInPlaceEdit == nullptr)
        return;
    CGridInPlaceEdit* edit = m_pInPlaceEdit;
    edit->Abandon();
    // An abandoned editor tells nobody that it goes: its cell lets go of it here.
    OnEndEditCellNotify(edit);
    if (edit->m_hWnd != nullptr)
        ::DestroyWindow(edit->m_hWnd);
}

BOOL CGridCtrl::ValidateEdit(int row, int col, const char* text)
{
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr)
        return TRUE;
    return cell->ValidateEdit(text);
}

void CGridCtrl::OnEndEditCell(int row, int col, CString text)
{
    // A grid going away, or a cell that left the counts while its editor was open, takes nothing.
    if (m_bDestroying || !IsValid(row, col))
        return;
    CString oldText = GetItemText(row, col);
    if (oldText != text) {
        if (!m_bVirtualMode) {
            if (CGridCellBase* cell = GetCell(row, col)) {
                cell->SetText(text);
                SetModified(TRUE, row, col);
            }
        }
        if (ValidateEdit(row, col, text) && NotifyEndEdit(text, row, col) >= 0) {
            SetModified(TRUE, row, col);
            RedrawCell(row, col);
        } else {
            if (!m_bVirtualMode) {
                if (CGridCellBase* cell = GetCell(row, col))
                    cell->SetText(oldText);
            }
            SetModified(TRUE, row, col);
        }
    }
    if (m_bDestroying || !IsValid(row, col))
        return;
    if (CGridCellBase* cell = GetCell(row, col))
        cell->OnEndEdit();
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (m_bDestroying || m_hWnd == nullptr)
        return;
    GRID_DISPINFO* info = reinterpret_cast<GRID_DISPINFO*>(header);
    const int row = info->row, col = info->col;
    const UINT key = info->lParam;
    OnEndEditCell(row, col, info->strText);
    if (m_pInPlaceEdit != nullptr && reinterpret_cast<HWND>(header->hwndFrom) == m_pInPlaceEdit->m_hWnd) {
        // This editor is done: the cell it belonged to no longer points at it.
        CGridInPlaceEdit* edit = m_pInPlaceEdit;
        m_pInPlaceEdit = nullptr;
        m_idEditCell = CGridCellID(-1, -1);
        (void)edit;
    }
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (m_bDestroying || !IsValid(m_idCurrentCell))
            break;
        HandleKey(key);
        // The key, not the character of the same code ('#' is VK_END), opens the next cell.
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), key | GRID_EDIT_KEY);
        break;
    default:
        break;
    }
}

BOOL CGridCtrl::ChangeCellText(int row, int col, const char* text)
{
    if (!m_bEditable || !IsValid(row, col))
        return FALSE;
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr || cell->IsReadOnly())
        return FALSE;
    if (SendMessageToParent(row, col, GRIDN_BEGINEDIT) < 0)
        return FALSE;
    CString oldText = GetItemText(row, col);
    if (oldText == text)
        return TRUE;
    SetItemText(row, col, text);
    if (!ValidateEdit(row, col, text)) {
        SetItemText(row, col, oldText);
        return FALSE;
    }
    if (NotifyEndEdit(text, row, col) < 0) {
        SetItemText(row, col, oldText);
        return FALSE;
    }
    SetModified(TRUE, row, col);
    RedrawCell(row, col);
    return TRUE;
}

void CGridCtrl::ClearCells(CGridCellRange selection)
{
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); row++) {
        if (GetRowHeight(row) <= 0)
            continue;
        for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            ChangeCellText(row, col, "");
        }
    }
    Refresh();
}

void CGridCtrl::ClearSelectedText()
{
    ClearSelectedCells(false);
}

void CGridCtrl::ClearCopiedText()
{
    // Exactly the cells a copy takes: a hidden row or column is not on the clipboard, so it stays.
    ClearSelectedCells(true);
}

void CGridCtrl::ClearSelectedCells(bool shownOnly)
{
    if (!m_bEditable)
        return;
    // Row by row, left to right, over a copy: the owner may change the selection as cells change.
    const GridCellSet cells = m_SelectedCellMap;
    cells.ForEachCell([this, shownOnly](int row, int col) {
        if (!shownOnly || (GetRowHeight(row) > 0 && GetColumnWidth(col) > 0))
            ChangeCellText(row, col, "");
    });
}
