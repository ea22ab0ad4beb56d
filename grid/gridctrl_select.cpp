// The grid's geometry (cells to pixels and back, the visible ranges, the scroll bars) and its
// selection and focus cell.
#include "grid/gridctrl.h"
#include <algorithm>
#include <memory>

// ---- geometry

CGridCellID CGridCtrl::GetTopLeftNonFixedCell(BOOL forceRecalculation)
{
    if (m_idTopLeftCell.row >= 0 && !forceRecalculation && m_idTopLeftCell.row < m_nRows &&
        m_idTopLeftCell.col < m_nCols)
        return m_idTopLeftCell;

    const int vPos = GetScrollPos32(SB_VERT);
    const int hPos = GetScrollPos32(SB_HORZ);

    // Start from where the last search ended: a line step moves it by one.
    int col = m_nFixedCols, x = 0;
    if (m_hintLeftCol >= m_nFixedCols && m_hintLeftCol < m_nCols) {
        col = m_hintLeftCol;
        x = m_hintLeftColPos;
    }
    while (col > m_nFixedCols && x - GetColumnWidth(col - 1) >= hPos) {
        col--;
        x -= GetColumnWidth(col);
    }
    while (x < hPos && col < m_nCols - 1) {
        x += GetColumnWidth(col);
        col++;
    }
    int row = m_nFixedRows, y = 0;
    if (m_hintTopRow >= m_nFixedRows && m_hintTopRow < m_nRows) {
        row = m_hintTopRow;
        y = m_hintTopRowPos;
    }
    while (row > m_nFixedRows && y - GetRowHeight(row - 1) >= vPos) {
        row--;
        y -= GetRowHeight(row);
    }
    while (y < vPos && row < m_nRows - 1) {
        y += GetRowHeight(row);
        row++;
    }
    m_hintLeftCol = col;
    m_hintLeftColPos = x;
    m_hintTopRow = row;
    m_hintTopRowPos = y;
    m_idTopLeftCell = CGridCellID(row, col);
    return m_idTopLeftCell;
}

CGridCellRange CGridCtrl::GetVisibleNonFixedCellRange(LPRECT rect, BOOL forceRecalculation)
{
    CRect client;
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    CGridCellID topLeft = GetTopLeftNonFixedCell(forceRecalculation);

    int bottom = GetFixedRowHeight();
    int maxRow = topLeft.row;
    int i;
    for (i = topLeft.row; i < m_nRows; i++) {
        bottom += GetRowHeight(i);
        if (bottom >= client.bottom) {
            bottom = client.bottom;
            break;
        }
    }
    maxRow = std::min(i, m_nRows - 1);

    int right = GetFixedColumnWidth();
    for (i = topLeft.col; i < m_nCols; i++) {
        right += GetColumnWidth(i);
        if (right >= client.right) {
            right = client.right;
            break;
        }
    }
    int maxCol = std::min(i, m_nCols - 1);
    if (rect != nullptr) {
        rect->left = rect->top = 0;
        rect->right = std::min(right, static_cast<int>(client.right));
        rect->bottom = std::min(bottom, static_cast<int>(client.bottom));
    }
    return CGridCellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

CGridCellRange CGridCtrl::GetVisibleFixedColumnRange()
{
    CRect client;
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    CGridCellRange visible = GetVisibleNonFixedCellRange();
    int maxCol = -1, x = 0;
    for (int c = 0; c < m_nFixedCols; c++) {
        if (x >= client.right)
            break;
        maxCol = c;
        x += GetColumnWidth(c);
    }
    return CGridCellRange(visible.GetMinRow(), 0, visible.GetMaxRow(), maxCol);
}

BOOL CGridCtrl::GetCellOrigin(int row, int col, LPPOINT p)
{
    if (!IsValid(row, col))
        return FALSE;
    CGridCellID topLeft;
    if (col >= m_nFixedCols || row >= m_nFixedRows)
        topLeft = GetTopLeftNonFixedCell();
    if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col))
        return FALSE;
    p->x = 0;
    if (col < m_nFixedCols) {
        for (int i = 0; i < col; i++)
            p->x += GetColumnWidth(i);
    } else {
        for (int i = 0; i < m_nFixedCols; i++)
            p->x += GetColumnWidth(i);
        for (int i = topLeft.col; i < col; i++)
            p->x += GetColumnWidth(i);
    }
    p->y = 0;
    if (row < m_nFixedRows) {
        for (int i = 0; i < row; i++)
            p->y += GetRowHeight(i);
    } else {
        for (int i = 0; i < m_nFixedRows; i++)
            p->y += GetRowHeight(i);
        for (int i = topLeft.row; i < row; i++)
            p->y += GetRowHeight(i);
    }
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int row, int col, LPRECT rect)
{
    CPoint origin;
    if (!GetCellOrigin(row, col, &origin))
        return FALSE;
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + GetColumnWidth(col) - 1;
    rect->bottom = origin.y + GetRowHeight(row) - 1;
    return TRUE;
}

BOOL CGridCtrl::GetTextRect(int row, int col, LPRECT rect)
{
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr || !GetCellRect(row, col, rect))
        return FALSE;
    return cell->GetTextRect(rect);
}

CGridCellID CGridCtrl::GetCellFromPt(CPoint point, BOOL allowFixedCellCheck)
{
    CGridCellID cell;
    CGridCellID topLeft = GetTopLeftNonFixedCell();
    const int fixedColWidth = GetFixedColumnWidth();
    if (point.x < 0 || (!allowFixedCellCheck && point.x < fixedColWidth)) {
        cell.col = -1;
    } else if (point.x < fixedColWidth) {
        int x = 0, c;
        for (c = 0; c < m_nFixedCols; c++) {
            x += GetColumnWidth(c);
            if (x > point.x)
                break;
        }
        cell.col = c;
    } else {
        int x = fixedColWidth, c;
        for (c = topLeft.col; c < m_nCols; c++) {
            x += GetColumnWidth(c);
            if (x > point.x)
                break;
        }
        cell.col = c >= m_nCols ? -1 : c;
    }
    const int fixedRowHeight = GetFixedRowHeight();
    if (point.y < 0 || (!allowFixedCellCheck && point.y < fixedRowHeight)) {
        cell.row = -1;
    } else if (point.y < fixedRowHeight) {
        int y = 0, r;
        for (r = 0; r < m_nFixedRows; r++) {
            y += GetRowHeight(r);
            if (y > point.y)
                break;
        }
        cell.row = r;
    } else {
        int y = fixedRowHeight, r;
        for (r = topLeft.row; r < m_nRows; r++) {
            y += GetRowHeight(r);
            if (y > point.y)
                break;
        }
        cell.row = r >= m_nRows ? -1 : r;
    }
    return cell;
}

CGridCellID CGridCtrl::GetCellFromPtForDrag(CPoint point)
{
    CRect client;
    GetClientRect(&client);
    point.x = std::max(0L, std::min(point.x, client.right - 1));
    point.y = std::max(0L, std::min(point.y, client.bottom - 1));
    return GetCellFromPt(point, TRUE);
}

BOOL CGridCtrl::IsCellVisible(int row, int col)
{
    if (!IsValid(row, col) || m_hWnd == nullptr)
        return FALSE;
    CGridCellID topLeft;
    if (col >= m_nFixedCols || row >= m_nFixedRows) {
        topLeft = GetTopLeftNonFixedCell();
        if (col >= m_nFixedCols && col < topLeft.col)
            return FALSE;
        if (row >= m_nFixedRows && row < topLeft.row)
            return FALSE;
    }
    CRect client;
    GetClientRect(&client);
    CPoint origin;
    if (!GetCellOrigin(row, col, &origin))
        return FALSE;
    return origin.x < client.right && origin.y < client.bottom;
}

int CGridCtrl::GetScrollPos32(int bar, BOOL getTrackPos) const
{
    if (m_hWnd == nullptr)
        return 0;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = getTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!::GetScrollInfo(m_hWnd, bar, &si))
        return 0;
    return getTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CGridCtrl::SetScrollPos32(int bar, int pos, BOOL redraw)
{
    ForgetTopLeft();
    if (m_hWnd == nullptr)
        return FALSE;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    si.nPos = pos;
    ::SetScrollInfo(m_hWnd, bar, &si, redraw);
    return TRUE;
}

// The largest position the bar takes: the scroll bar keeps a page's worth before its maximum.
int CGridCtrl::ScrollMaxPos(int bar) const
{
    if (m_hWnd == nullptr)
        return 0;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    if (!::GetScrollInfo(m_hWnd, bar, &si))
        return 0;
    int page = static_cast<int>(si.nPage);
    return std::max(0, si.nMax - std::max(page - 1, 0));
}

void CGridCtrl::ResetScrollBars()
{
    ForgetTopLeft();
    if (!m_bAllowDraw || m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    CRect rect;
    GetClientRect(&rect);
    if (rect.left == rect.right || rect.top == rect.bottom)
        return;
    if (m_nBarState & 0x2)
        rect.right += ::GetSystemMetrics(SM_CXVSCROLL) + ::GetSystemMetrics(SM_CXBORDER);
    if (m_nBarState & 0x1)
        rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL) + ::GetSystemMetrics(SM_CYBORDER);
    rect.left += GetFixedColumnWidth();
    rect.top += GetFixedRowHeight();

    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
        m_nBarState = 0;
        m_nVScrollMax = m_nHScrollMax = 0;
        return;
    }
    const long scrollHeight = GetVirtualHeight() - GetFixedRowHeight();
    const long scrollWidth = GetVirtualWidth() - GetFixedColumnWidth();
    CRect avail = rect;
    if (scrollHeight > avail.Height())
        avail.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (scrollWidth > avail.Width())
        avail.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);

    if (scrollHeight > avail.Height()) {
        m_nVScrollMax = static_cast<int>(scrollHeight - 1);
        m_nBarState |= 0x2;
    } else {
        m_nVScrollMax = 0;
        m_nBarState &= ~0x2;
    }
    if (scrollWidth > avail.Width()) {
        m_nHScrollMax = static_cast<int>(scrollWidth - 1);
        m_nBarState |= 0x1;
    } else {
        m_nHScrollMax = 0;
        m_nBarState &= ~0x1;
    }
    ::ShowScrollBar(m_hWnd, SB_VERT, (m_nBarState & 0x2) != 0);
    ::ShowScrollBar(m_hWnd, SB_HORZ, (m_nBarState & 0x1) != 0);

    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE | SIF_RANGE;
    si.nPage = m_nHScrollMax > 0 ? static_cast<UINT>(avail.Width()) : 0;
    si.nMin = 0;
    si.nMax = m_nHScrollMax;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    si.fMask |= SIF_DISABLENOSCROLL;
    si.nPage = m_nVScrollMax > 0 ? static_cast<UINT>(avail.Height()) : 0;
    si.nMax = m_nVScrollMax;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    if (!(m_nBarState & 0x2))
        ::ShowScrollBar(m_hWnd, SB_VERT, FALSE);
    ForgetTopLeft();
}

BOOL CGridCtrl::EnsureVisible(int row, int col)
{
    if (!m_bAllowDraw || m_hWnd == nullptr || !IsValid(row, col))
        return FALSE;
    HWND focus = ::GetFocus();
    CRect client;
    GetClientRect(&client);

    // Line steps, one per row or column of distance, done on the positions directly and shown once.
    const int vMaxPos = ScrollMaxPos(SB_VERT), hMaxPos = ScrollMaxPos(SB_HORZ);
    int vPos = GetScrollPos32(SB_VERT), hPos = GetScrollPos32(SB_HORZ);
    const int vStart = vPos, hStart = hPos;
    auto apply = [&] {
        if (vPos != GetScrollPos32(SB_VERT))
            SetScrollPos32(SB_VERT, vPos);
        if (hPos != GetScrollPos32(SB_HORZ))
            SetScrollPos32(SB_HORZ, hPos);
        ForgetTopLeft();
    };
    CGridCellRange visible = GetVisibleNonFixedCellRange();
    if (col >= m_nFixedCols) {
        int left = col - visible.GetMinCol();
        for (int c = visible.GetMinCol() - 1; left < 0 && hPos > 0 && c >= m_nFixedCols; c--, left++)
            hPos = std::max(0, hPos - GetColumnWidth(c));
        int right = col - visible.GetMaxCol();
        int c = visible.GetMinCol();
        for (; right > 0 && hPos < hMaxPos && c < m_nCols; right--, c++)
            hPos = std::min(hMaxPos, hPos + GetColumnWidth(c));
    }
    if (row >= m_nFixedRows) {
        int up = row - visible.GetMinRow();
        for (int r = visible.GetMinRow() - 1; up < 0 && vPos > 0 && r >= m_nFixedRows; r--, up++)
            vPos = std::max(0, vPos - GetRowHeight(r));
        int down = row - visible.GetMaxRow();
        int r = visible.GetMinRow();
        for (; down > 0 && vPos < vMaxPos && r < m_nRows; down--, r++)
            vPos = std::min(vMaxPos, vPos + GetRowHeight(r));
    }
    apply();
    // Rows and columns of different sizes: step on until the cell is inside the visible range.
    for (int guard = 0; guard < 1000; guard++) {
        visible = GetVisibleNonFixedCellRange();
        bool moved = false;
        if (row >= m_nFixedRows && row > visible.GetMaxRow() && vPos < vMaxPos) {
            vPos = std::min(vMaxPos, vPos + GetRowHeight(visible.GetMinRow()));
            moved = true;
        }
        if (col >= m_nFixedCols && col > visible.GetMaxCol() && hPos < hMaxPos) {
            hPos = std::min(hMaxPos, hPos + GetColumnWidth(visible.GetMinCol()));
            moved = true;
        }
        if (!moved)
            break;
        apply();
    }
    // A cell only partly in view: one more line while it still sticks out.
    CRect rect;
    if (GetCellRect(row, col, &rect)) {
        if (rect.right > client.right && rect.left > GetFixedColumnWidth() && (m_nBarState & 0x1) && hPos < hMaxPos) {
            CGridCellID tl = GetTopLeftNonFixedCell();
            hPos = std::min(hMaxPos, hPos + GetColumnWidth(tl.col));
        }
        if (rect.bottom > client.bottom && rect.top > GetFixedRowHeight() && (m_nBarState & 0x2) && vPos < vMaxPos) {
            CGridCellID tl = GetTopLeftNonFixedCell();
            vPos = std::min(vMaxPos, vPos + GetRowHeight(tl.row));
        }
        apply();
    }
    if (vPos != vStart || hPos != hStart)
        Refresh();
    if (focus != nullptr && focus != ::GetFocus() && ::IsWindow(focus))
        ::SetFocus(focus);
    return TRUE;
}

// ---- selection

void CGridCtrl::RedrawFixedOf(int row, int col, BOOL rowChanged, BOOL colChanged, CDC* dc)
{
    if (!m_bTrackFocusCell)
        return;
    if (colChanged && col >= 0)
        for (int r = 0; r < m_nFixedRows; r++)
            RedrawCell(r, col, dc);
    if (rowChanged && row >= 0)
        for (int c = 0; c < m_nFixedCols; c++)
            RedrawCell(row, c, dc);
}

CGridCellID CGridCtrl::SetFocusCell(int row, int col)
{
    CGridCellID previous = m_idCurrentCell;
    if (CGridCellID(row, col) == m_idCurrentCell)
        return previous;
    if (row >= 0 && row < m_nFixedRows)
        row = m_nFixedRows;
    if (col >= 0 && col < m_nFixedCols)
        col = m_nFixedCols;
    if (CGridCellID(row, col) == m_idCurrentCell)
        return previous;
    const bool rowChanged = row != previous.row, colChanged = col != previous.col;
    if (IsValid(previous)) {
        m_idCurrentCell = CGridCellID(-1, -1);
        if (!m_bVirtualMode) {
            if (CGridCellBase* cell = GetCell(previous.row, previous.col))
                cell->SetState(cell->GetState() & ~GVIS_FOCUSED);
        }
        RedrawCell(previous.row, previous.col);
        RedrawFixedOf(previous.row, previous.col, rowChanged, colChanged, nullptr);
    }
    m_idCurrentCell = CGridCellID(row, col);
    if (IsValid(m_idCurrentCell)) {
        if (!m_bVirtualMode) {
            if (CGridCellBase* cell = GetCell(row, col))
                cell->SetState(cell->GetState() | GVIS_FOCUSED);
        }
        RedrawCell(row, col);
        RedrawFixedOf(row, col, rowChanged, colChanged, nullptr);
    }
    return previous;
}

BOOL CGridCtrl::IsVisibleForRedraw(int row, int col, const CGridCellRange& visible,
                                   const CGridCellRange& fixedVisible) const
{
    return visible.InRange(row, col) || fixedVisible.InRange(row, col);
}

void CGridCtrl::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint,
                                 BOOL selectCells)
{
    if (!m_bEnableSelection)
        return;
    if (minRow >= 0 && minRow < m_nFixedRows)
        minRow = m_nFixedRows;
    if (maxRow >= 0 && maxRow < m_nFixedRows)
        maxRow = m_nFixedRows;
    if (!m_bRowSelectIncludesFixed) {
        if (minCol >= 0 && minCol < m_nFixedCols)
            minCol = m_nFixedCols;
        if (maxCol >= 0 && maxCol < m_nFixedCols)
            maxCol = m_nFixedCols;
    }
    const bool complete = minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0;
    const CGridCellRange range(minRow, minCol, maxRow, maxCol);

    // The new selection is worked out on rectangles, then the cells whose state changed are told.
    GridCellSet after;
    if (selectCells) {
        // The old selection goes; the one kept from before a Ctrl-click comes back.
        if (!(m_bSingleRowSelection && m_bListMode) && complete) {
            after = m_PrevSelectedCellMap;
            after.ClipTo(m_nRows, m_nCols);
        }
    } else {
        after = m_SelectedCellMap;
    }
    after.ClipTo(m_nRows, m_nCols);
    if (complete && maxRow < m_nRows && maxCol < m_nCols && minRow <= maxRow && minCol <= maxCol) {
        if (selectCells)
            after.insert(range);
        else
            after.erase(range);
    }
    ApplySelection(after, forceRepaint);
}

void CGridCtrl::ApplySelection(GridCellSet& after, BOOL forceRepaint)
{
    std::unique_ptr<CClientDC> dc;
    if (forceRepaint && m_hWnd != nullptr)
        dc = std::make_unique<CClientDC>(m_hWnd);
    GridCellSet before;
    before.swap(m_SelectedCellMap);

    // Ordinary cells carry the selected state themselves: every cell that changed is told.
    if (!m_bVirtualMode) {
        auto mark = [&](const GridCellSet& from, const GridCellSet& other, bool on) {
            for (const CGridCellRange& r : from.Ranges())
                for (int row = r.GetMinRow(); row <= r.GetMaxRow(); row++)
                    for (int col = r.GetMinCol(); col <= r.GetMaxCol(); col++) {
                        if (other.contains(row, col))
                            continue;
                        if (CGridCellBase* cell = GetCell(row, col))
                            cell->SetState(on ? cell->GetState() | GVIS_SELECTED : cell->GetState() & ~GVIS_SELECTED);
                    }
        };
        mark(before, after, false);
        mark(after, before, true);
    }
    m_SelectedCellMap.swap(after);
    if (m_hWnd == nullptr)
        return;

    // Only what is on screen is redrawn, and of that only the cells whose state changed.
    auto redraw = [&](const CGridCellRange& visible) {
        if (!visible.IsValid())
            return;
        for (int row = visible.GetMinRow(); row <= visible.GetMaxRow(); row++)
            for (int col = visible.GetMinCol(); col <= visible.GetMaxCol(); col++) {
                if (before.contains(row, col) == m_SelectedCellMap.contains(row, col))
                    continue;
                if (dc)
                    RedrawCell(row, col, dc.get());
                else
                    InvalidateCellRect(row, col);
            }
    };
    redraw(GetVisibleNonFixedCellRange());
    redraw(GetVisibleFixedColumnRange());
}

CGridCellRange CGridCtrl::GetSelectedCellRange() const
{
    if (m_SelectedCellMap.empty())
        return CGridCellRange(m_nRows, m_nCols, -1, -1);
    return m_SelectedCellMap.Bounds();
}

void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1);
}

void CGridCtrl::ClearSelection()
{
    ResetSelectedRange();
    SetFocusCell(-1, -1);
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    CWaitCursor wait;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void CGridCtrl::SelectColumns(CGridCellID currentCell, BOOL forceRedraw, BOOL selectCells)
{
    if (!m_bEnableSelection || currentCell.col < m_nFixedCols)
        return;
    if (m_bSingleColSelection)
        SetSelectedRange(m_nFixedRows, currentCell.col, m_nRows - 1, currentCell.col, forceRedraw, selectCells);
    else
        SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col), m_nRows - 1,
                         std::max(m_SelectionStartCell.col, currentCell.col), forceRedraw, selectCells);
}

void CGridCtrl::SelectRows(CGridCellID currentCell, BOOL forceRedraw, BOOL selectCells)
{
    if (!m_bEnableSelection || currentCell.row < m_nFixedRows)
        return;
    const int firstCol = m_bRowSelectIncludesFixed ? 0 : m_nFixedCols;
    if (m_bSingleRowSelection && m_bListMode)
        SetSelectedRange(currentCell.row, firstCol, currentCell.row, m_nCols - 1, forceRedraw, selectCells);
    else
        SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), firstCol,
                         std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1, forceRedraw, selectCells);
}

void CGridCtrl::SelectCells(CGridCellID currentCell, BOOL forceRedraw, BOOL selectCells)
{
    if (!m_bEnableSelection || !IsValid(currentCell))
        return;
    int row = currentCell.row, col = currentCell.col;
    if (row < m_nFixedRows || col < m_nFixedCols)
        return;
    CGridCellID anchor = m_SelectionStartCell;
    if (!IsValid(anchor))
        anchor = currentCell;
    SetSelectedRange(std::min(anchor.row, row), std::min(anchor.col, col), std::max(anchor.row, row),
                     std::max(anchor.col, col), forceRedraw, selectCells);
}

void CGridCtrl::OnSelecting(const CGridCellID& currentCell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        SelectAllCells();
        break;
    case MOUSE_SELECT_COL:
        SelectColumns(currentCell, FALSE);
        break;
    case MOUSE_SELECT_ROW:
        SelectRows(currentCell);
        break;
    case MOUSE_SELECT_CELLS:
        SelectCells(currentCell);
        break;
    default:
        break;
    }
}

void CGridCtrl::ToggleSelectAll()
{
    if (m_SelectedCellMap.empty()) {
        OnEditSelectAll();
    } else {
        ClearSelection();
        Refresh();
    }
}

void CGridCtrl::EnableSelection(BOOL enable)
{
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    m_bEnableSelection = enable;
    ResetSelectedRange();
}
