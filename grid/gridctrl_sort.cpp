// Sorting the grid's rows by a column: cells swapped in ordinary mode, the row order in virtual mode.
#include "grid/gridctrl.h"
#include <algorithm>
#include <cstring>

CGridCtrl* CGridCtrl::s_pSortingGrid = nullptr;

int CALLBACK CGridCtrl::CompareTextBytes(LPARAM cell1, LPARAM cell2, LPARAM)
{
    const CGridCellBase* a = reinterpret_cast<const CGridCellBase*>(cell1);
    const CGridCellBase* b = reinterpret_cast<const CGridCellBase*>(cell2);
    const char* ta = a != nullptr && a->GetText() != nullptr ? a->GetText() : "";
    const char* tb = b != nullptr && b->GetText() != nullptr ? b->GetText() : "";
    const size_t la = std::strlen(ta), lb = std::strlen(tb);
    int r = std::memcmp(ta, tb, std::min(la, lb));   // unsigned bytes
    if (r != 0)
        return r < 0 ? -1 : 1;
    return la < lb ? -1 : la > lb ? 1 : 0;
}

BOOL CGridCtrl::SortTextItems(int col, BOOL ascending, LPARAM data)
{
    return SortColumn(m_pfnCompare != nullptr ? m_pfnCompare : &CompareTextBytes, col, ascending, data);
}

BOOL CGridCtrl::SortColumn(GridCompareFunc compare, int col, BOOL ascending, LPARAM data)
{
    if (m_nRows > 0 && m_nSortColumn >= 0)
        InvalidateCellRect(0, m_nSortColumn);
    if (m_nRows > 0 && col >= 0 && col < m_nCols)
        InvalidateCellRect(0, col);
    m_nSortColumn = col;
    m_bAscending = ascending;
    m_PrevSelectedCellMap.clear();
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    return SortItems(compare != nullptr ? compare : &CompareTextBytes, col, ascending, data, m_nFixedRows, -1);
}

BOOL CGridCtrl::SortItems(GridCompareFunc compare, int col, BOOL ascending, LPARAM data, int low, int high)
{
    if (col < 0 || col >= m_nCols)
        return FALSE;
    if (high == -1)
        high = m_nRows - 1;
    if (low < 0 || high >= m_nRows || low >= high)
        return FALSE;

    if (m_bVirtualMode) {
        if (m_pfnVirtualCompare == nullptr || static_cast<size_t>(col) >= m_arColOrder.size() ||
            m_arRowOrder.size() != static_cast<size_t>(m_nRows))
            return FALSE;
        m_CurCol = m_arColOrder[static_cast<size_t>(col)];
        s_pSortingGrid = this;
        GridRowPredicate pred = m_pfnVirtualCompare;
        auto first = m_arRowOrder.begin() + m_nFixedRows;
        // Descending asks the predicate with the rows swapped: still a strict weak order, so the
        // merge stays in bounds and equal rows keep their order.
        if (ascending)
            std::stable_sort(first, m_arRowOrder.end(), [pred](int a, int b) { return pred(a, b); });
        else
            std::stable_sort(first, m_arRowOrder.end(), [](int a, int b) {
                return s_pSortingGrid->m_pfnVirtualCompare(b, a);
            });
        s_pSortingGrid = nullptr;
        Refresh();
        return TRUE;
    }

    if (compare == nullptr)
        compare = &CompareTextBytes;
    QuickSortRows(compare, col, ascending, data, low, high);
    Refresh();
    return TRUE;
}

void CGridCtrl::SwapRows(int a, int b)
{
    std::swap(m_RowData[static_cast<size_t>(a)], m_RowData[static_cast<size_t>(b)]);
    for (int c = 0; c < m_nCols; c++) {
        if (CGridCellBase* cell = m_RowData[static_cast<size_t>(a)][static_cast<size_t>(c)])
            cell->SetCoords(a, c);
        if (CGridCellBase* cell = m_RowData[static_cast<size_t>(b)][static_cast<size_t>(c)])
            cell->SetCoords(b, c);
    }
    std::swap(m_arRowHeights[static_cast<size_t>(a)], m_arRowHeights[static_cast<size_t>(b)]);
}

void CGridCtrl::QuickSortRows(GridCompareFunc compare, int col, BOOL ascending, LPARAM data, int low, int high)
{
    // The smaller part recurses and the larger loops, so the depth stays under log2 of the rows.
    while (low < high) {
        const LPARAM pivot = reinterpret_cast<LPARAM>(GetCell((low + high) / 2, col));
        auto cmp = [&](int row, LPARAM other) {
            return compare(reinterpret_cast<LPARAM>(GetCell(row, col)), other, data);
        };
        int i = low, j = high;
        // The pivot cell may move when its row is swapped: compare with the cell, not the row.
        while (i <= j) {
            if (ascending) {
                while (i < high && cmp(i, pivot) < 0)
                    i++;
                while (j > low && cmp(j, pivot) > 0)
                    j--;
            } else {
                while (i < high && cmp(i, pivot) > 0)
                    i++;
                while (j > low && cmp(j, pivot) < 0)
                    j--;
            }
            if (i <= j) {
                if (compare(reinterpret_cast<LPARAM>(GetCell(i, col)), reinterpret_cast<LPARAM>(GetCell(j, col)),
                            data) != 0)
                    SwapRows(i, j);
                i++;
                j--;
            }
        }
        if (j - low < high - i) {
            if (low < j)
                QuickSortRows(compare, col, ascending, data, low, j);
            low = i;
        } else {
            if (i < high)
                QuickSortRows(compare, col, ascending, data, i, high);
            high = j;
        }
    }
}

void CGridCtrl::AdjustRowOrder(int row, int delta)
{
    if (!m_bVirtualMode || row < 0)
        return;
    if (delta > 0) {
        // The data rows from row on move down; the new one shows where it was inserted.
        for (int& entry : m_arRowOrder)
            if (entry >= row)
                entry += delta;
        size_t at = std::min(static_cast<size_t>(row), m_arRowOrder.size());
        m_arRowOrder.insert(m_arRowOrder.begin() + static_cast<ptrdiff_t>(at), row);
    } else {
        // The deleted data row leaves the order wherever a sort put it; the rows after it move up.
        auto gone = std::find(m_arRowOrder.begin(), m_arRowOrder.end(), row);
        if (gone == m_arRowOrder.end())
            return;
        m_arRowOrder.erase(gone);
        for (int& entry : m_arRowOrder)
            if (entry > row)
                entry += delta == 0 ? -1 : delta;
    }
}
