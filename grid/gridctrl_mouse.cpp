// The grid's mouse: selecting, sizing rows and columns, starting edits and drags, the
// automatic-scroll timer, the cursor.
#include "grid/gridctrl.h"
#include "framework/cursorclip.h"
#include "grid/gridinplaceedit.h"
#include <algorithm>

namespace {

bool KeyDown(int key)
{
    return ::GetKeyState(key) < 0;
}

HCURSOR SizeCursor(LPCSTR id)
{
    return ::LoadCursorA(nullptr, id);
}

}  // namespace

int CGridCtrl::ColumnLeftOf(int col, bool skipHidden)
{
    int c = col - 1;
    if (col >= m_nFixedCols) {
        const int first = GetTopLeftNonFixedCell().col;
        while (skipHidden && c >= first && GetColumnWidth(c) == 0)
            c--;
        // Scrolled out of view: on screen the border belongs to the last fixed column.
        if (c < first)
            c = m_nFixedCols - 1;
    }
    while (skipHidden && c >= 0 && GetColumnWidth(c) == 0)
        c--;
    return c;
}

int CGridCtrl::RowAbove(int row, bool skipHidden)
{
    int r = row - 1;
    if (row >= m_nFixedRows) {
        const int first = GetTopLeftNonFixedCell().row;
        while (skipHidden && r >= first && GetRowHeight(r) == 0)
            r--;
        if (r < first)
            r = m_nFixedRows - 1;
    }
    while (skipHidden && r >= 0 && GetRowHeight(r) == 0)
        r--;
    return r;
}

BOOL CGridCtrl::MouseOverColumnResizeArea(CPoint point)
{
    if (point.y >= GetFixedRowHeight() && m_nFixedRows > 0)
        return FALSE;
    if (m_nFixedRows == 0)
        return FALSE;
    CGridCellID id = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(id.row, id.col, &start))
        return FALSE;
    const int endX = start.x + GetColumnWidth(id.col);
    // A left edge is a border only with a column drawn left of it (none at the window's edge).
    return (point.x - start.x < m_nResizeCaptureRange && ColumnLeftOf(id.col, false) >= 0) ||
           endX - point.x < m_nResizeCaptureRange;
}

BOOL CGridCtrl::MouseOverRowResizeArea(CPoint point)
{
    if (m_nFixedCols == 0 || point.x >= GetFixedColumnWidth())
        return FALSE;
    CGridCellID id = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(id.row, id.col, &start))
        return FALSE;
    const int endY = start.y + GetRowHeight(id.row);
    return (point.y - start.y < m_nResizeCaptureRange && RowAbove(id.row, false) >= 0) ||
           endY - point.y < m_nResizeCaptureRange;
}

void CGridCtrl::ConfineCursor(const CRect& band)
{
    CRect screen = band;
    ClientToScreen(&screen);
    AfxClipCursor(&screen);
    m_bCursorClipped = TRUE;
}

void CGridCtrl::ReleaseCursorClip()
{
    if (!m_bCursorClipped)
        return;
    m_bCursorClipped = FALSE;
    AfxClipCursor(nullptr);
}

void CGridCtrl::EndMouseModes()
{
    if (!m_rcSizingLine.IsRectEmpty()) {
        DrawInvertLine(m_rcSizingLine);
        m_rcSizingLine = CRect();
    }
    ReleaseCursorClip();
    if (m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    // Still holding the mouse for an operation that is over: let it go (no loss, so no second end).
    if (m_bLMouseButtonDown && m_hWnd != nullptr && ::GetCapture() == m_hWnd) {
        m_bReleasingCapture = TRUE;
        ::ReleaseCapture();
        m_bReleasingCapture = FALSE;
    }
    const bool active = m_MouseMode != MOUSE_NOTHING;
    m_MouseMode = MOUSE_NOTHING;
    m_bLMouseButtonDown = FALSE;
    m_nSizingIndex = -1;
    if (active)
        ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

void CGridCtrl::OnCancelMode()
{
    EndMouseModes();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Default();
}

void CGridCtrl::DrawInvertLine(const CRect& rect)
{
    if (m_hWnd == nullptr || rect.IsRectEmpty())
        return;
    CClientDC dc(m_hWnd);
    dc.InvertRect(&rect);
}

void CGridCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    (void)flags;
    // The button went up where the grid could not see it: that operation is over.
    if (m_bLMouseButtonDown)
        EndMouseModes();
    SetFocus();
    m_LeftClickDownPoint = point;
    m_bColumnDragging = FALSE;
    m_CurCol = -1;
    m_bLMouseButtonDown = TRUE;
    m_LeftClickDownCell = GetCellFromPt(point);
    if (!IsValid(m_LeftClickDownCell))
        return;
    m_CurRow = m_bDragRowMode ? m_LeftClickDownCell.row : -1;

    if (m_LeftClickDownCell == CGridCellID(0, 0) && m_nFixedRows == 1 && m_nFixedCols == 1) {
        if (!m_SelectedCellMap.empty()) {
            ClearSelection();
            Refresh();
        }
        return;
    }
    const bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
    if (shift) {
        if (!IsValid(m_SelectionStartCell))
            m_SelectionStartCell = m_idCurrentCell;
    } else {
        m_SelectionStartCell = m_LeftClickDownCell;
    }

    EndEditing();
    CPoint origin;
    GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &origin);
    if (CGridCellBase* cell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
        cell->OnClickDown(CPoint(point.x - origin.x, point.y - origin.y));
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_CELLDOWN);

    if (m_LeftClickDownCell == m_idCurrentCell && !ctrl) {
        CRect textRect;
        if (GetTextRect(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &textRect) &&
            CRect(textRect.left, textRect.top, textRect.right + 1, textRect.bottom + 1).PtInRect(point) &&
            IsCellEditable(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
            m_MouseMode = MOUSE_PREPARE_EDIT;
            return;
        }
    }
    if (IsCellSelected(m_LeftClickDownCell)) {
        SetFocusCell(m_LeftClickDownCell);
        if (ctrl) {
            if (m_bListMode)
                SelectRows(m_LeftClickDownCell, TRUE, FALSE);
            else
                SelectCells(m_LeftClickDownCell, TRUE, FALSE);
            return;
        }
        if (m_bAllowDragAndDrop)
            m_MouseMode = MOUSE_PREPARE_DRAG;
    } else if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
        if (IsCellFixed(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
            SetFocusCell(-1, -1);
        else
            SetFocusCell(m_LeftClickDownCell);
    }

    SetCapture();
    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            ::SetCursor(SizeCursor(IDC_SIZEWE));
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            ::SetCursor(SizeCursor(IDC_SIZENS));
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        }
    }

    CRect client;
    GetClientRect(&client);
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        m_MouseMode = MOUSE_SIZING_COL;
        CRect visRect;
        GetVisibleNonFixedCellRange(&visRect);
        if (GetColumnWidth(m_nCols - 1) < m_nResizeCaptureRange && std::abs(point.x - visRect.right) < m_nResizeCaptureRange)
            m_LeftClickDownCell.col = m_nCols - 1;
        CPoint start;
        GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &start);
        if (point.x - start.x < m_nResizeCaptureRange &&
            (m_LeftClickDownCell.col != m_nCols - 1 || GetColumnWidth(m_nCols - 1) >= m_nResizeCaptureRange)) {
            // The border grabbed is the right edge of the column drawn left of it.
            int col = ColumnLeftOf(m_LeftClickDownCell.col, !m_bHiddenColUnhide);
            if (col < 0)
                col = ColumnLeftOf(m_LeftClickDownCell.col, false);
            if (col >= 0)
                m_LeftClickDownCell.col = col;
        }
        m_nSizingIndex = m_LeftClickDownCell.col;
        m_rcSizingLine = CRect(point.x, client.top, point.x + 2, client.bottom);
        DrawInvertLine(m_rcSizingLine);
        // The pointer stays right of the column's left edge, over the width of the scrolling area.
        if (GetCellOrigin(m_LeftClickDownCell.row, m_nSizingIndex, &start))
            ConfineCursor(CRect(start.x + 1, client.top, start.x + 1 + client.Width() - GetFixedColumnWidth(),
                                client.bottom));
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        m_MouseMode = MOUSE_SIZING_ROW;
        CRect visRect;
        GetVisibleNonFixedCellRange(&visRect);
        if (GetRowHeight(m_nRows - 1) < m_nResizeCaptureRange && std::abs(point.y - visRect.bottom) < m_nResizeCaptureRange)
            m_LeftClickDownCell.row = m_nRows - 1;
        CPoint start;
        GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &start);
        if (point.y - start.y < m_nResizeCaptureRange &&
            (m_LeftClickDownCell.row != m_nRows - 1 || GetRowHeight(m_nRows - 1) >= m_nResizeCaptureRange)) {
            int row = RowAbove(m_LeftClickDownCell.row, !m_bHiddenRowUnhide);
            if (row < 0)
                row = RowAbove(m_LeftClickDownCell.row, false);
            if (row >= 0)
                m_LeftClickDownCell.row = row;
        }
        m_nSizingIndex = m_LeftClickDownCell.row;
        m_rcSizingLine = CRect(client.left, point.y, client.right, point.y + 2);
        DrawInvertLine(m_rcSizingLine);
        if (GetCellOrigin(m_nSizingIndex, m_LeftClickDownCell.col, &start))
            ConfineCursor(CRect(client.left, start.y + 1, client.right,
                                start.y + 1 + client.Height() - GetFixedRowHeight()));
    } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGING);
        m_PrevSelectedCellMap.clear();
        if (ctrl)
            m_PrevSelectedCellMap = m_SelectedCellMap;
        if (m_LeftClickDownCell.row < m_nFixedRows) {
            OnFixedRowClick(m_LeftClickDownCell);
            if (m_bHeaderColumnDrag && m_LeftClickDownCell.col >= m_nFixedCols) {
                ResetSelectedRange();
                m_MouseMode = MOUSE_PREPARE_DRAG;
                m_CurCol = m_LeftClickDownCell.col;
            }
        } else if (m_LeftClickDownCell.col < m_nFixedCols) {
            OnFixedColumnClick(m_LeftClickDownCell);
            StartAutoScroll();
        } else {
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            OnSelecting(m_LeftClickDownCell);
            StartAutoScroll();
        }
        // A click on a column letter starts no scrolling: the pointer rests above the cells, where
        // the timer would scroll up and move the current row for as long as the button is held.
    }
    m_LastMousePoint = point;
}

void CGridCtrl::StartAutoScroll()
{
    if (m_nTimerID == 0 && m_MouseMode != MOUSE_NOTHING)
        m_nTimerID = SetTimer(GRID_AUTOSCROLL_TIMER, static_cast<UINT>(m_nTimerInterval));
}

void CGridCtrl::OnFixedRowClick(CGridCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bSortOnClick) {
        CWaitCursor wait;
        // A new column sorts ascending first; the same column again turns the order round.
        const bool ascending = !(cell.col == m_nSortColumn && m_bAscending);
        SortTextItems(cell.col, ascending ? TRUE : FALSE);
        Refresh();
    }
    if (m_bFixedRowSelection) {
        m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(CGridCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bFixedColumnSelection) {
        m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnMouseMove(UINT flags, CPoint point)
{
    // The button was let go where the grid could not see it (outside, without the capture): what it
    // was doing is over, and this move is an ordinary one.
    if (m_bLMouseButtonDown && !(flags & MK_LBUTTON))
        EndMouseModes();
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) && m_MouseMode != MOUSE_DRAGGING) {
        // Outside: only the selection and sizing of a held button follow the pointer.
        if (!(m_bLMouseButtonDown && (flags & MK_LBUTTON)))
            return;
    }
    if (m_bLMouseButtonDown && m_MouseMode != MOUSE_NOTHING) {
        if (!IsValid(m_LeftClickDownCell)) {
            m_LastMousePoint = point;
            return;
        }
        switch (m_MouseMode) {
        case MOUSE_SELECT_ALL:
            break;
        case MOUSE_SELECT_COL:
        case MOUSE_SELECT_ROW:
        case MOUSE_SELECT_CELLS: {
            CGridCellID cell = GetCellFromPtForDrag(point);
            if (IsValid(cell) && cell != m_idCurrentCell) {
                OnSelecting(cell);
                if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols)
                    SetFocusCell(cell);
            }
            break;
        }
        case MOUSE_SIZING_ROW:
            DrawInvertLine(m_rcSizingLine);
            m_rcSizingLine = CRect(client.left, point.y, client.right, point.y + 2);
            DrawInvertLine(m_rcSizingLine);
            break;
        case MOUSE_SIZING_COL:
            DrawInvertLine(m_rcSizingLine);
            m_rcSizingLine = CRect(point.x, client.top, point.x + 2, client.bottom);
            DrawInvertLine(m_rcSizingLine);
            break;
        case MOUSE_PREPARE_EDIT:
        case MOUSE_PREPARE_DRAG:
            // A drag starts only where one can: otherwise a shaky click stays a click.
            if (m_bAllowDragAndDrop || (m_bHeaderColumnDrag && m_CurCol >= 0)) {
                m_MouseMode = MOUSE_PREPARE_DRAG;
                BeginOleDrag();
            }
            break;
        default:
            break;
        }
    } else if (!m_bLMouseButtonDown || !(flags & MK_LBUTTON)) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            if (m_MouseMode != MOUSE_OVER_COL_DIVIDE) {
                ::SetCursor(SizeCursor(IDC_SIZEWE));
                m_MouseMode = MOUSE_OVER_COL_DIVIDE;
                TrackLeave();
            }
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
                ::SetCursor(SizeCursor(IDC_SIZENS));
                m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
                TrackLeave();
            }
        } else if (m_MouseMode != MOUSE_NOTHING) {
            ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
            m_MouseMode = MOUSE_NOTHING;
        }
        if (m_MouseMode == MOUSE_NOTHING && (!m_bVirtualMode || m_bTitleTips)) {
            CGridCellID id = GetCellFromPt(point);
            CGridCellBase* cell = IsValid(id) ? GetCell(id.row, id.col) : nullptr;
            if (cell != nullptr) {
                cell->OnMouseOver();
                if (m_bTitleTips && !cell->IsEditing()) {
                    CString tip = cell->GetTipText();
                    CRect cellRect, textRect;
                    if (!tip.IsEmpty() && GetCellRect(id.row, id.col, &cellRect)) {
                        textRect = cellRect;
                        cell->GetTipTextRect(&textRect);
                        LOGFONTA lf = *cell->GetFont();
                        m_TitleTip.SetParentWnd(this);
                        m_TitleTip.Show(textRect, tip, 0, &cellRect, &lf, m_crTTipTextClr, m_crTTipBackClr);
                    }
                }
            }
        }
    }
    m_LastMousePoint = point;
}

// Resting on a border is a mode only while the pointer is there: Windows tells when it leaves
// the window, where no further move would clear it.
void CGridCtrl::TrackLeave()
{
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    ::TrackMouseEvent(&track);
}

void CGridCtrl::OnMouseLeave()
{
    if (m_bLMouseButtonDown)
        return;
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE)
        m_MouseMode = MOUSE_NOTHING;
}

void CGridCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    (void)flags;
    Default();
    m_bLMouseButtonDown = FALSE;
    ReleaseCursorClip();
    if (::GetCapture() == m_hWnd) {
        // Our own release is no loss of the capture: the mode is finished below.
        m_bReleasingCapture = TRUE;
        ::ReleaseCapture();
        m_bReleasingCapture = FALSE;
    }
    if (m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    CPoint origin;
    GetCellOrigin(m_idCurrentCell.row, m_idCurrentCell.col, &origin);
    const CPoint relative(point.x - origin.x, point.y - origin.y);

    if (m_MouseMode == MOUSE_PREPARE_EDIT) {
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, relative, VK_LBUTTON);
    } else if (m_MouseMode == MOUSE_PREPARE_DRAG) {
        if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            cell->OnClick(relative);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGING);
        ClearSelection();
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GRIDN_SELCHANGED);
    } else if (m_MouseMode == MOUSE_SIZING_COL) {
        DrawInvertLine(m_rcSizingLine);
        m_rcSizingLine = CRect();
        CPoint start;
        if (m_LeftClickDownPoint != point && (point.x != 0 || point.y != 0) && m_nSizingIndex >= 0 &&
            m_nSizingIndex < m_nCols &&
            GetCellOrigin(m_LeftClickDownCell.row < 0 ? 0 : m_LeftClickDownCell.row, m_nSizingIndex, &start)) {
            int width = point.x - start.x;
            width = std::max(width, m_bAllowColHide ? 0 : 1);
            SetColumnWidth(m_nSizingIndex, width);
            ResetScrollBars();
            Invalidate();
        }
    } else if (m_MouseMode == MOUSE_SIZING_ROW) {
        DrawInvertLine(m_rcSizingLine);
        m_rcSizingLine = CRect();
        CPoint start;
        if (m_LeftClickDownPoint != point && (point.x != 0 || point.y != 0) && m_nSizingIndex >= 0 &&
            m_nSizingIndex < m_nRows &&
            GetCellOrigin(m_nSizingIndex, m_LeftClickDownCell.col < 0 ? 0 : m_LeftClickDownCell.col, &start)) {
            int height = point.y - start.y;
            height = std::max(height, m_bAllowRowHide ? 0 : 1);
            SetRowHeight(m_nSizingIndex, height);
            ResetScrollBars();
            Invalidate();
        }
    } else {
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GRIDN_SELCHANGED);
        if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            cell->OnClick(relative);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
    }
    m_MouseMode = MOUSE_NOTHING;
    m_nSizingIndex = -1;
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    if (IsValid(m_LeftClickDownCell) && m_hWnd != nullptr) {
        HWND target = GetNotifyTarget();
        if (target != nullptr)
            ::PostMessageA(target, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), 0),
                           reinterpret_cast<LPARAM>(m_hWnd));
    }
}

void CGridCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    (void)flags;
    CGridCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        Default();
        return;
    }
    // The button up of the first click ended the hover over the border: look at the point again.
    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point))
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        else if (m_bAllowRowResize && MouseOverRowResizeArea(point))
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
    }
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        CPoint start;
        if (GetCellOrigin(cell.row, cell.col, &start)) {
            // The column whose border it is: the one drawn left of a left edge, never one scrolled out.
            const int col = point.x - start.x < m_nResizeCaptureRange ? ColumnLeftOf(cell.col, true) : cell.col;
            if (col >= 0)
                AutoSizeColumn(col, m_nAutoSizeColumnStyle);
            ResetScrollBars();
            Invalidate();
        }
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        CPoint start;
        if (GetCellOrigin(cell.row, cell.col, &start)) {
            const int row = point.y - start.y < m_nResizeCaptureRange ? RowAbove(cell.row, true) : cell.row;
            if (row >= 0)
                AutoSizeRow(row);
            ResetScrollBars();
            Invalidate();
        }
    } else if (m_MouseMode == MOUSE_NOTHING) {
        CPoint origin;
        GetCellOrigin(cell.row, cell.col, &origin);
        const CPoint relative(point.x - origin.x, point.y - origin.y);
        CRect textRect;
        const bool inText = GetTextRect(cell.row, cell.col, &textRect) &&
                            CRect(textRect.left, textRect.top, textRect.right + 1, textRect.bottom + 1).PtInRect(point);
        if (!IsCellFixed(cell.row, cell.col) && inText && (IsValid(m_idCurrentCell) || m_bListMode))
            OnEditCell(cell.row, cell.col, relative, VK_LBUTTON);
        if (CGridCellBase* c = GetCell(cell.row, cell.col))
            c->OnDblClick(relative);
        SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
    }
    Default();
}

void CGridCtrl::OnRButtonUp(UINT flags, CPoint point)
{
    (void)flags;
    // Before the default handling: it raises the context menu, whose commands run inside it and
    // must find the typed text in its cell, not an editor that commits afterwards.
    EndEditing();
    Default();
    CGridCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        SendMessageToParent(-1, -1, NM_RCLICK);
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
    CPoint origin;
    GetCellOrigin(cell.row, cell.col, &origin);
    if (CGridCellBase* c = GetCell(cell.row, cell.col))
        c->OnRClick(CPoint(point.x - origin.x, point.y - origin.y));
    SendMessageToParent(cell.row, cell.col, NM_RCLICK);
}

BOOL CGridCtrl::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    (void)wnd;
    (void)message;
    if (hitTest != HTCLIENT)
        return static_cast<BOOL>(Default());
    switch (m_MouseMode) {
    case MOUSE_OVER_ROW_DIVIDE:
        ::SetCursor(SizeCursor(IDC_SIZENS));
        return TRUE;
    case MOUSE_OVER_COL_DIVIDE:
        ::SetCursor(SizeCursor(IDC_SIZEWE));
        return TRUE;
    case MOUSE_DRAGGING:
        return TRUE;
    default:
        break;
    }
    if (!m_bVirtualMode) {
        CPoint p;
        ::GetCursorPos(&p);
        ScreenToClient(&p);
        CGridCellID id = GetCellFromPt(p);
        if (CGridCellBase* cell = GetCell(id.row, id.col))
            return cell->OnSetCursor();
    }
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    return TRUE;
}

void CGridCtrl::OnTimer(UINT_PTR id)
{
    if (id != GRID_AUTOSCROLL_TIMER || !m_bLMouseButtonDown)
        return;
    // While the button is held the grid has the capture: the last move is where the pointer is.
    CPoint pt = m_LastMousePoint;
    CRect client;
    GetClientRect(&client);
    const int fixedRowHeight = GetFixedRowHeight();
    const int fixedColWidth = GetFixedColumnWidth();
    auto extend = [&](CPoint at) {
        CGridCellID cell = GetCellFromPt(at);
        if (IsValid(cell)) {
            OnSelecting(cell);
            if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols)
                SetFocusCell(cell);
        }
    };
    const int clampedX = std::max(0L, std::min(pt.x, client.right - 1));
    if (pt.y > client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        extend(CPoint(clampedX, client.bottom - 1));
    } else if (pt.y <= fixedRowHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        extend(CPoint(clampedX, fixedRowHeight + 1));
    }
    const int clampedY = std::max(0L, std::min(pt.y, client.bottom - 1));
    if (pt.x > client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        extend(CPoint(client.right - 1, clampedY));
    } else if (pt.x <= fixedColWidth && m_MouseMode != MOUSE_SELECT_ROW) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        extend(CPoint(fixedColWidth + 1, clampedY));
    }
}
