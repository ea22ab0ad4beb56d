#pragma once
// Cell coordinates of the grid: one cell (row, column; (-1, -1) is none) and a rectangle of cells
// given by its minimum and maximum row and column (all inclusive).

class CGridCellID {
public:
    int row;
    int col;

    explicit CGridCellID(int r = -1, int c = -1) : row(r), col(c) {}
    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CGridCellID& o) const { return row == o.row && col == o.col; }
    bool operator!=(const CGridCellID& o) const { return !(*this == o); }
};

class CGridCellRange {
public:
    CGridCellRange(int minRow = -1, int minCol = -1, int maxRow = -1, int maxCol = -1)
        : m_nMinRow(minRow), m_nMinCol(minCol), m_nMaxRow(maxRow), m_nMaxCol(maxCol) {}

    void Set(int minRow = -1, int minCol = -1, int maxRow = -1, int maxCol = -1)
    { m_nMinRow = minRow; m_nMinCol = minCol; m_nMaxRow = maxRow; m_nMaxCol = maxCol; }
    bool IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 &&
               m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol;
    }
    bool InRange(int row, int col) const
    { return m_nMinRow <= row && row <= m_nMaxRow && m_nMinCol <= col && col <= m_nMaxCol; }
    bool InRange(const CGridCellID& cell) const { return InRange(cell.row, cell.col); }
    int Count() const { return IsValid() ? (m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1) : 0; }
    CGridCellID GetTopLeft() const { return CGridCellID(m_nMinRow, m_nMinCol); }

    int GetMinRow() const { return m_nMinRow; }
    int GetMinCol() const { return m_nMinCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMinRow(int v) { m_nMinRow = v; }
    void SetMinCol(int v) { m_nMinCol = v; }
    void SetMaxRow(int v) { m_nMaxRow = v; }
    void SetMaxCol(int v) { m_nMaxCol = v; }
    int GetRowSpan() const { return m_nMaxRow - m_nMinRow + 1; }
    int GetColSpan() const { return m_nMaxCol - m_nMinCol + 1; }

    bool operator==(const CGridCellRange& o) const
    {
        return m_nMinRow == o.m_nMinRow && m_nMinCol == o.m_nMinCol && m_nMaxRow == o.m_nMaxRow &&
               m_nMaxCol == o.m_nMaxCol;
    }
    bool operator!=(const CGridCellRange& o) const { return !(*this == o); }

private:
    int m_nMinRow;
    int m_nMinCol;
    int m_nMaxRow;
    int m_nMaxCol;
};
