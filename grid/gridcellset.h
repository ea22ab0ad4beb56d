#pragma once
// GridCellSet: the grid's set of selected cells, kept as disjoint rectangles of cells. Selecting all
// of a 65,536-row virtual table is one rectangle instead of an entry per cell, and asking whether a
// cell is selected, or what the selection spans, looks at a handful of rectangles. Single cells are
// 1 x 1 rectangles, joined with a neighbour that they extend to a larger rectangle.
#include "grid/gridcellrange.h"
#include <cstddef>
#include <vector>

class GridCellSet {
public:
    bool empty() const { return m_ranges.empty(); }
    // The number of cells.
    size_t size() const { return m_cells; }
    void clear();
    void swap(GridCellSet& other);
    bool contains(int row, int col) const;
    // Whether every cell of a valid range is in the set (false for an invalid range).
    bool covers(const CGridCellRange& range) const;
    void insert(int row, int col) { insert(CGridCellRange(row, col, row, col)); }
    void erase(int row, int col) { erase(CGridCellRange(row, col, row, col)); }
    // Every cell of a valid range joins (leaves) the set; an invalid range changes nothing.
    void insert(const CGridCellRange& range);
    void erase(const CGridCellRange& range);
    // Keeps the cells with 0 <= row < rows and 0 <= col < cols.
    void ClipTo(int rows, int cols);
    // The smallest range holding every cell; invalid (all -1) when the set is empty.
    CGridCellRange Bounds() const;
    const std::vector<CGridCellRange>& Ranges() const { return m_ranges; }

    // Calls f(row, col) for every cell, row by row and left to right within a row.
    template <class F> void ForEachCell(F f) const
    {
        if (m_ranges.empty())
            return;
        std::vector<CGridCellRange> byCol = SortedByColumn();
        const CGridCellRange bounds = Bounds();
        for (int row = bounds.GetMinRow(); row <= bounds.GetMaxRow(); row++)
            for (const CGridCellRange& r : byCol)
                if (r.GetMinRow() <= row && row <= r.GetMaxRow())
                    for (int col = r.GetMinCol(); col <= r.GetMaxCol(); col++)
                        f(row, col);
    }

private:
    std::vector<CGridCellRange> SortedByColumn() const;
    // Joins the rectangle at index i with others that share a whole edge with it.
    void Merge(size_t i);
    void Changed();

    std::vector<CGridCellRange> m_ranges;   // disjoint, every one valid
    size_t m_cells = 0;
    mutable size_t m_lastHit = 0;            // painting asks about neighbouring cells in turn
    mutable bool m_boundsKnown = true;
    mutable CGridCellRange m_bounds;
};
