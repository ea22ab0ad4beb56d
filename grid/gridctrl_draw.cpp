// The grid's painting: background, cells in their order, grid lines, single-cell redraws and the
// automatic sizes of rows and columns.
#include "grid/gridctrl.h"
#include "grid/gridmemdc.h"
#include <algorithm>
#include <memory>

void CGridCtrl::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (m_bDoubleBuffer) {
        CGridMemDC mem(&dc);
        OnDraw(&mem);
    } else {
        OnDraw(&dc);
    }
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;   // the paint code fills the background itself
}

void CGridCtrl::EraseBkgnd(CDC* dc)
{
    CRect visRect, clip, rect;
    CBrush fixedRowColBack(m_cellFixedRowColDef.GetBackColour());
    CBrush fixedRowBack(m_cellFixedRowDef.GetBackColour());
    CBrush fixedColBack(m_cellFixedColDef.GetBackColour());
    CBrush textBack(m_cellDefault.GetBackColour());
    CBrush back(m_crGridBkColour);
    if (dc->GetClipBox(&clip) == ERROR)
        return;
    GetVisibleNonFixedCellRange(&visRect);
    const int fixedColWidth = GetFixedColumnWidth();
    const int fixedRowHeight = GetFixedRowHeight();

    // The corner.
    rect = CRect(0, 0, fixedColWidth, fixedRowHeight);
    if (rect.IntersectRect(CRect(rect), clip))
        dc->FillRect(&rect, &fixedRowColBack);
    // Fixed columns below it.
    rect = CRect(0, fixedRowHeight, fixedColWidth, visRect.bottom);
    if (rect.IntersectRect(CRect(rect), clip))
        dc->FillRect(&rect, &fixedColBack);
    // Fixed rows right of it.
    rect = CRect(fixedColWidth - 1, 0, visRect.right, fixedRowHeight);
    if (rect.IntersectRect(CRect(rect), clip))
        dc->FillRect(&rect, &fixedRowBack);
    // The cells.
    rect = CRect(fixedColWidth, fixedRowHeight, visRect.right, visRect.bottom);
    if (rect.IntersectRect(CRect(rect), clip))
        dc->FillRect(&rect, &textBack);
    // Beyond the last column and row.
    if (visRect.right < clip.right) {
        CRect beyond(visRect.right, clip.top, clip.right, clip.bottom);
        dc->FillRect(&beyond, &back);
    }
    if (visRect.bottom < clip.bottom) {
        CRect below(clip.left, visRect.bottom, std::min(clip.right, visRect.right), clip.bottom);
        dc->FillRect(&below, &back);
    }
}

void CGridCtrl::OnDraw(CDC* dc)
{
    if (!m_bAllowDraw || dc == nullptr)
        return;
    CRect clip;
    if (dc->GetClipBox(&clip) == ERROR)
        return;
    EraseBkgnd(dc);

    const int fixedRowHeight = GetFixedRowHeight();
    const int fixedColWidth = GetFixedColumnWidth();
    CGridCellID topLeft = GetTopLeftNonFixedCell();
    const int minVisibleRow = topLeft.row, minVisibleCol = topLeft.col;
    CRect visRect;
    CGridCellRange visible = GetVisibleNonFixedCellRange(&visRect);
    const int maxVisibleRow = visible.GetMaxRow(), maxVisibleCol = visible.GetMaxCol();
    if (m_bVirtualMode)
        SendCacheHintToParent(visible);

    auto drawCell = [&](int row, int col, const CRect& rect) {
        if (CGridCellBase* cell = GetCell(row, col))
            cell->Draw(dc, row, col, rect, TRUE);
    };

    // One block of cells, rows and columns from their first edges, skipping hidden ones and
    // whatever lies outside the clip box.
    auto drawBlock = [&](int firstRow, int lastRow, int top, int firstCol, int lastCol, int left) {
        CRect rect;
        rect.bottom = top - 1;
        for (int row = firstRow; row <= lastRow; row++) {
            if (GetRowHeight(row) <= 0)
                continue;
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(row) - 1;
            if (rect.top > clip.bottom)
                break;
            if (rect.bottom < clip.top)
                continue;
            rect.right = left - 1;
            for (int col = firstCol; col <= lastCol; col++) {
                if (GetColumnWidth(col) <= 0)
                    continue;
                rect.left = rect.right + 1;
                rect.right = rect.left + GetColumnWidth(col) - 1;
                if (rect.left > clip.right)
                    break;
                if (rect.right < clip.left)
                    continue;
                drawCell(row, col, rect);
            }
        }
    };
    // Corner cells, fixed columns of the visible rows, fixed rows of the visible columns, the rest.
    drawBlock(0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0);
    drawBlock(minVisibleRow, maxVisibleRow, fixedRowHeight, 0, m_nFixedCols - 1, 0);
    drawBlock(0, m_nFixedRows - 1, 0, minVisibleCol, maxVisibleCol, fixedColWidth);
    drawBlock(minVisibleRow, maxVisibleRow, fixedRowHeight, minVisibleCol, maxVisibleCol, fixedColWidth);

    CPen pen(PS_SOLID, 0, m_crGridLineColour);
    CPen* oldPen = dc->SelectObject(&pen);
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        int x = fixedColWidth;
        for (int col = minVisibleCol; col <= maxVisibleCol; col++) {
            if (GetColumnWidth(col) <= 0)
                continue;
            x += GetColumnWidth(col);
            dc->MoveTo(x - 1, fixedRowHeight);
            dc->LineTo(x - 1, visRect.bottom);
        }
    }
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        int y = fixedRowHeight;
        for (int row = minVisibleRow; row <= maxVisibleRow; row++) {
            if (GetRowHeight(row) <= 0)
                continue;
            y += GetRowHeight(row);
            dc->MoveTo(fixedColWidth, y - 1);
            dc->LineTo(visRect.right, y - 1);
        }
    }
    dc->SelectObject(oldPen);
    dc->SelectStockObject(NULL_PEN);

    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(-1, -1, -1, -1));
}

BOOL CGridCtrl::RedrawCell(int row, int col, CDC* dc)
{
    if (!m_bAllowDraw || m_hWnd == nullptr || !IsCellVisible(row, col))
        return FALSE;
    CRect rect;
    if (!GetCellRect(row, col, &rect))
        return FALSE;
    std::unique_ptr<CClientDC> own;
    if (dc == nullptr) {
        own = std::make_unique<CClientDC>(m_hWnd);
        if (own->m_hDC == nullptr) {
            InvalidateCellRect(row, col);
            return TRUE;
        }
        dc = own.get();
    }
    CGridCellBase* cell = GetCell(row, col);
    if (cell == nullptr)
        return FALSE;
    BOOL result = cell->Draw(dc, row, col, rect, TRUE);
    if (!IsCellFixed(row, col)) {
        CPen pen(PS_SOLID, 0, m_crGridLineColour);
        CPen* old = dc->SelectObject(&pen);
        if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
            dc->MoveTo(rect.left, rect.bottom);
            dc->LineTo(rect.right + 1, rect.bottom);
        }
        if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
            dc->MoveTo(rect.right, rect.top);
            dc->LineTo(rect.right, rect.bottom + 1);
        }
        dc->SelectObject(old);
    }
    return result;
}

BOOL CGridCtrl::InvalidateCellRect(int row, int col)
{
    if (!m_bAllowDraw || m_hWnd == nullptr || !IsValid(row, col) || !IsCellVisible(row, col))
        return FALSE;
    CRect rect;
    if (!GetCellRect(row, col, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}

BOOL CGridCtrl::AutoSizeColumn(int col, UINT autoSizeStyle, BOOL resetScroll)
{
    if (col < 0 || col >= m_nCols || GetColumnWidth(col) == 0)
        return FALSE;
    if (autoSizeStyle == 0)
        autoSizeStyle = m_nAutoSizeColumnStyle;
    const int startRow = (autoSizeStyle & GVS_HEADER) ? 0 : m_nFixedRows;
    const int endRow = (autoSizeStyle & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(startRow, col, endRow, col));
    std::unique_ptr<CClientDC> own;
    CDC* dc = nullptr;
    if (m_hWnd != nullptr) {
        own = std::make_unique<CClientDC>(m_hWnd);
        dc = own.get();
    }
    int width = 0;
    HGDIOBJ oldFont = nullptr;
    for (int row = startRow; row <= endRow; row++) {
        CGridCellBase* cell = GetCell(row, col);
        if (cell == nullptr)
            continue;
        if (oldFont == nullptr && dc != nullptr && cell->GetFontObject() != nullptr)
            oldFont = ::SelectObject(dc->m_hDC, cell->GetFontObject()->m_hObject);
        width = std::max(width, static_cast<int>(cell->GetCellExtent(dc).cx));
    }
    if (oldFont != nullptr)
        ::SelectObject(dc->m_hDC, oldFont);
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(-1, -1, -1, -1));
    size_t physical = static_cast<size_t>(m_arColOrder[static_cast<size_t>(col)]);
    m_arColWidths[physical] = static_cast<UINT>(width);
    ForgetSizeHints();
    if (resetScroll) {
        ResetScrollBars();
        Refresh();
    }
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int row, BOOL resetScroll)
{
    if (row < 0 || row >= m_nRows || GetRowHeight(row) == 0)
        return FALSE;
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(row, 0, row, m_nCols - 1));
    std::unique_ptr<CClientDC> own;
    CDC* dc = nullptr;
    if (m_hWnd != nullptr) {
        own = std::make_unique<CClientDC>(m_hWnd);
        dc = own.get();
    }
    int height = 0;
    for (int col = 0; col < m_nCols; col++) {
        if (CGridCellBase* cell = GetCell(row, col))
            height = std::max(height, static_cast<int>(cell->GetCellExtent(dc).cy));
    }
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(-1, -1, -1, -1));
    m_arRowHeights[static_cast<size_t>(row)] = static_cast<UINT>(height);
    ForgetSizeHints();
    if (resetScroll) {
        ResetScrollBars();
        Refresh();
    }
    return TRUE;
}

void CGridCtrl::AutoSizeColumns(UINT autoSizeStyle)
{
    for (int col = 0; col < m_nCols; col++) {
        if (GetColumnWidth(col) > 0)
            AutoSizeColumn(col, autoSizeStyle, FALSE);
    }
    ResetScrollBars();
}
