#pragma once
// The data table that feeds variable data to the labels: rows of text cells in columns "A".."Z"
// (a row may carry more cells, up to 256) and one image-column flag per column index 0..255.
// The table owns its rows, a row owns its cells, a cell owns a copy of its text.
#include "framework/object.h"

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

class CFile;

// One cell: its text, or nothing when the cell is empty. Short texts (most label data: names,
// prices, 13-digit article numbers) live inside the cell; longer ones in a heap copy, so a large
// table costs one allocation per long text only.
class CDataTableCell : public CObject {
public:
    // The table record carries at most this many characters per cell; longer texts are cut when
    // stored, so what a view shows is what a saved project gives back.
    static const int kMaxTextLength = 255;

    CDataTableCell() = default;
    CDataTableCell(const CDataTableCell& other);
    CDataTableCell(CDataTableCell&& other) noexcept;
    CDataTableCell& operator=(const CDataTableCell& other);
    CDataTableCell& operator=(CDataTableCell&& other) noexcept;
    ~CDataTableCell() override;

    void SetText(const char* text);        // null or "" leaves the cell empty
    // At most length bytes, up to a NUL if one comes first (at most kMaxTextLength kept).
    void SetText(const char* text, int length);
    const char* GetText() const;           // "" for an empty cell
    int GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }

private:
    static const int kLocalLength = 14;    // texts up to this length (every EAN and GTIN) need no heap copy
    static_assert(sizeof(char*) <= kLocalLength + 1, "a heap copy's address must fit there");

    void Assign(const char* text, size_t length);
    void Release();
    char* HeapText() const;

    char m_local[kLocalLength + 1] = {};   // the text, or the heap copy's address
    uint8_t m_length = 0;
};

// One row: its cells in column order (cell k is column k). Rows may differ in length; a missing
// cell reads as an empty text.
class CDataTableRow : public CObject {
public:
    static const int kMaxCells = 256;      // one per image-column flag and filter item

    int GetCellCount() const { return static_cast<int>(m_cells.size()); }
    const char* GetCellText(int column) const;
    // Appends empty cells up to the column, then stores the text; false for a column outside
    // 0..kMaxCells-1.
    bool SetCellText(int column, const char* text);
    bool SetCellText(int column, const char* text, int length);
    // Room for that many cells without growing (a capacity only).
    void ReserveCells(int count);
    // Inserts an empty cell before the cell at the column; nothing when the row has no cell there.
    // A cell pushed past the last column is dropped.
    void InsertCell(int column);
    void DeleteCell(int column);
    bool IsEmpty() const;                  // every cell empty (or no cells)

private:
    std::vector<CDataTableCell> m_cells;
};

static_assert(std::is_nothrow_move_constructible<CDataTableRow>::value,
              "rows move when the table grows");

// The table. Row and column arguments are 0-based; a missing row or cell reads as "".
class CDataTableBase {
public:
    static const int kColumnCount = 26;    // "A".."Z": the columns the user works with
    static const int kFlagCount = 256;
    static const int32_t kMagic = 0x4C424154;     // "TABL"

    CDataTableBase();
    CDataTableBase(const CDataTableBase& other);   // deep copy: flags, rows, cells
    CDataTableBase(CDataTableBase&& other) noexcept;
    CDataTableBase& operator=(const CDataTableBase& other);
    CDataTableBase& operator=(CDataTableBase&& other) noexcept;
    virtual ~CDataTableBase();
    void Swap(CDataTableBase& other) noexcept;

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // Rows up to and including the last row with a non-empty cell.
    int GetUsedRowCount() const;
    int GetCellCount(int row) const;
    const char* GetCellText(int row, int column) const;
    // Appends empty rows and cells until (row, column) exists, then stores the text. False (and
    // nothing changes) for a negative row or a column outside 0..255.
    bool SetCellText(int row, int column, const char* text);
    // The same for a text of length bytes that need not end in a NUL (importers that know it).
    bool SetCellText(int row, int column, const char* text, int length);
    // Capacity for a bulk fill such as an import: room for rows rows in all, and a row that gets
    // its first cell from SetCellText gets room for cellsPerRow cells (at most kColumnCount).
    // Changes no content; ReserveRows(0, 0) ends the per-row reservation.
    void ReserveRows(int rows, int cellsPerRow);

    // An empty row before the given one; nothing when the row does not exist.
    void InsertRow(int row);
    void AppendRow();
    void DeleteRow(int row);
    // Columns "A".."Z" only (0..25); other values change nothing.
    void InsertColumn(int column);
    void DeleteColumn(int column);
    void RemoveAllRows();

    bool IsImageColumn(int column) const;          // false outside 0..255
    // Flips the flag of column 0..255; false for other values.
    bool ToggleImageColumn(int column);
    void SetImageColumn(int column, bool on);
    int CountImageColumns() const;                 // set flags among "A".."Z"
    // 1-based number of the column among the image columns, counting from column 0; -1 when the
    // column is not an image column or lies outside 0..255.
    int GetImageColumnNumber(int column) const;

    // Stable sort of the rows by the texts in the column: numerically when both texts scan as
    // numbers (with the C runtime's decimal separator), else byte by byte. When order is given
    // it receives, for each new row position, the row's old position.
    void SortByColumn(int column, bool descending, std::vector<int>* order = nullptr);

    // The "TABL" record. Load stores the record's cells over this table (it is meant for an empty
    // one); a record that is not a table record, or is damaged anywhere, leaves the table as it was
    // and answers false.
    bool Load(CFile* file);
    bool Save(CFile* file) const;

private:
    CDataTableRow& RowAt(int row);                 // appending empty rows up to it

    std::vector<CDataTableRow> m_rows;             // by value: one allocation per row fewer
    int m_cellsPerNewRow = 0;                      // ReserveRows' per-row capacity
    uint8_t m_imageColumns[kFlagCount];
};
